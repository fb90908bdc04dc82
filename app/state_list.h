#pragma once

#include <QDockWidget>
#include <vector>

#include "app/work_table.h"
#include "chart/marked_work.h"

class QListWidget;
class QTableWidget;

namespace app {

// "状態点一覧": a dockable window listing every marked state (one row each, in the readout's
// number forms) with the process results beneath. Choosing rows asks the view to highlight
// their marks.
class StateList : public QDockWidget {
    Q_OBJECT
  public:
    explicit StateList(QWidget* parent = nullptr);

    // Shows `work`; the selection is dropped.
    void showWork(const chart::MarkedWork& work, const chart::Settings& settings);

    [[nodiscard]] QTableWidget* table() const { return table_; }
    [[nodiscard]] QListWidget* results() const { return results_; }

  signals:
    // The marks of the chosen rows, picture mm; empty when none is chosen.
    void highlighted(const std::vector<chart::PointMm>& marks);

  private:
    void selectionChanged();

    QTableWidget* table_ = nullptr;
    QListWidget* results_ = nullptr;
    std::vector<StateRow> rows_;
};

}  // namespace app
