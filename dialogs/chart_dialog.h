#pragma once

#include <QDialog>
#include <QRect>
#include <functional>
#include <initializer_list>
#include <vector>

#include "chart/settings.h"

class QCloseEvent;
class QKeyEvent;
class QPushButton;

namespace chart {
struct Entry;
}  // namespace chart

namespace dialogs {

class Messenger;

// What every dialog that marks the chart shares: the seam its messages go through, the signal
// that hands over what a press marked (the dialog never draws: the entry is drawn by whoever shows
// the work), and closing by the window frame
// or Esc doing what its "閉じる" does, and the keyboard: Enter in a text box presses the main
// button, Tab goes through the controls in reading order. The dialog is modeless and kept hidden
// between uses.
class ChartDialog : public QDialog {
    Q_OBJECT
  public:
    // A dialog window `name` of the given client size in twips, with the forms' font.
    ChartDialog(Messenger& messages, QWidget* parent, const char* name, double widthTwips,
                double heightTwips);

    // The units and pressure the dialog computes, draws and writes its figures with. The main
    // window hands them over when it creates the dialog and whenever they change; the dialog
    // relabels its units at once, open or not, and converts every figure it shows into them, so
    // that a number keeps its meaning under its label.
    void setSettings(const chart::Settings& settings);
    [[nodiscard]] const chart::Settings& settings() const { return settings_; }

  signals:
    // A press marked the chart: `entry` is what it marked, to be kept and drawn.
    void entryRecorded(const chart::Entry& entry);

  public slots:
    void reject() override;

  protected:
    // Reports `entry`: every mark a dialog makes goes through here, so the chart never holds a
    // mark the list does not.
    void record(const chart::Entry& entry);

    void closeEvent(QCloseEvent* event) override;

    // What "閉じる" does: hides the dialog. A dialog that tidies its panel first overrides it.
    virtual void closeDialog();

    // Enter in a text box presses the dialog's main button, when it is on.
    void keyPressEvent(QKeyEvent* event) override;
    // The button of the step the dialog is at: "描画" or "計算" (`Command1`) unless a dialog says
    // otherwise.
    [[nodiscard]] virtual QPushButton* mainButton() const;

    // "クリア": what each dialog clears; nothing by default.
    virtual void clear() {}

    // A push button of the dialog: its design name, caption, place and what a press does.
    struct Button {
        const char* name;
        const char16_t* caption;
        QRect rect;  // pixels
        std::function<void()> press;
    };
    // Makes the buttons and connects their presses, then chains Tab through every control in
    // reading order and gives the buttons their keys. Call once, when every other control exists.
    // Returns the buttons in the order given.
    std::vector<QPushButton*> finishWithButtons(std::initializer_list<Button> buttons);

    // The usual row at the bottom: `Command1` captioned `caption` doing `press`, then "クリア"
    // (`Command2`, clear()) and "閉じる" (`Command3`, closeDialog()), 855 × 375 twips each, 960
    // twips apart from `left`, at `top`. Returns `Command1`.
    QPushButton* finishWithButtonRow(double left, double top, const char16_t* caption,
                                     std::function<void()> press);

  private:
    // Gives the buttons keys in place of mnemonics, which their captions have no letter for:
    // Alt+D "描画", Alt+C "計算", Alt+1 "点1確定", Alt+2 "点2確定", Alt+L "クリア", Alt+X "閉じる".
    // The accessible description names the key, so a screen reader says it.
    void giveButtonKeys();

    // Chains Tab through the dialog's text boxes, check boxes and buttons in reading order: row
    // by row from the top, left to right within a row.
    void orderTabsVisually();

  protected:
    // Relabels the units for the settings now in use and converts the figures shown under
    // `before`'s; the dialogs with units override it.
    virtual void settingsChanged(const chart::Settings& before) { (void)before; }

    Messenger& messages_;
    // What the dialog computes at until its owner hands it the settings in use.
    chart::Settings settings_ = chart::Settings::standard();
};

}  // namespace dialogs
