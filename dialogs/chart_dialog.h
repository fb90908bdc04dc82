#pragma once

#include <QDialog>

class QCloseEvent;

namespace chart {
class Picture;
}

namespace dialogs {

class Messenger;

// What every dialog that marks the chart shares: the picture it draws into, the seam its
// messages go through, the signal that asks the view to repaint, and closing by the window frame
// or Esc doing what its "閉じる" does. The dialog is modeless and kept hidden between uses.
class ChartDialog : public QDialog {
    Q_OBJECT
  public:
    // A dialog window `name` of the given client size in twips, with the forms' font.
    ChartDialog(chart::Picture& picture, Messenger& messages, QWidget* parent, const char* name,
                double widthTwips, double heightTwips);

  signals:
    // Marks were added to the picture; the view should repaint.
    void pictureChanged();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

    // What "閉じる" does: hides the dialog. A dialog that tidies its panel first overrides it.
    virtual void closeDialog();

    chart::Picture& picture_;
    Messenger& messages_;
};

}  // namespace dialogs
