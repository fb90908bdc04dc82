#pragma once

#include <QAbstractTableModel>
#include <QDockWidget>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "app/work_table.h"
#include "chart/marked_work.h"

class QListWidget;
class QTableView;

namespace app {

class Document;

// The document's marked states as a table, one row per state in the readout's number forms.
// It follows the document by rows: a press adds its rows, an undo of one takes them away, and
// only a step that replaces the whole work resets it. A row's texts are made when first shown.
class StateModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    StateModel(const Document& document, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    // Where the mark of row `row` is drawn (picture mm).
    [[nodiscard]] std::optional<chart::PointMm> markAt(int row) const;

    void entryAdded();
    void lastEntryRemoved();
    void reset();

  private:
    struct Row {
        std::size_t entry;
        std::size_t state;
    };
    using Cells = std::array<QString, kStateColumns>;
    [[nodiscard]] const Cells& cells(std::size_t row) const;

    const Document& document_;
    std::vector<Row> rows_;
    mutable std::vector<std::optional<Cells>> cells_;  // made when first asked for
};

// "状態点一覧": a dockable window listing every marked state with the process results beneath.
// Choosing rows asks the view to highlight their marks.
class StateList : public QDockWidget {
    Q_OBJECT
  public:
    explicit StateList(const Document& document, QWidget* parent = nullptr);

    [[nodiscard]] QTableView* table() const { return table_; }
    [[nodiscard]] StateModel* model() const { return model_; }
    [[nodiscard]] QListWidget* results() const { return results_; }

  signals:
    // The marks of the chosen rows, picture mm; empty when none is chosen.
    void highlighted(const std::vector<chart::PointMm>& marks);

  private:
    void entryAdded(const chart::Entry& entry);
    void lastEntryRemoved();
    void reset();
    void selectionChanged();

    const Document& document_;
    StateModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QListWidget* results_ = nullptr;
    std::vector<bool> hasResult_;  // per entry: whether it wrote a line of the results
};

}  // namespace app
