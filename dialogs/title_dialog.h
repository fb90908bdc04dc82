#pragma once

#include <QDialog>

#include "chart/title_block.h"

class QLineEdit;

namespace dialogs {

class Messenger;

// `FormTitle`, "表題": the title block of the calculation report, 件名 (`TextSubject`), 設計者
// (`TextDesigner`) and 日付 (`TextDate`, today as yyyy/MM/dd when the work has none yet). "OK"
// (`CommandOK`) hands the three texts on, a text longer than chart::kTitleBlockMaxChars
// characters refused with a message naming its box; "キャンセル" (`CommandCancel`) drops them.
class TitleDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TitleDialog(Messenger& messages, QWidget* parent = nullptr);

    // Shows the dialog with `title` in its boxes, and brings it forward.
    void showFor(const chart::TitleBlock& title);

  signals:
    void titleChosen(const chart::TitleBlock& title);

  private:
    void accept() override;

    Messenger& messages_;
    QLineEdit* TextSubject = nullptr;
    QLineEdit* TextDesigner = nullptr;
    QLineEdit* TextDate = nullptr;
};

}  // namespace dialogs
