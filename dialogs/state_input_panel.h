#pragma once

#include <QObject>
#include <QPalette>
#include <QString>
#include <array>
#include <vector>

#include "chart/units.h"
#include "psychro/air_state.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace dialogs {

// The dialog that carries a panel. The point dialog's copy and the process dialogs' copies
// follow one rule set and differ in three points: the air-quantity box, the grey background of
// rows that a chosen pair shuts, and whether a clear empties the texts. In both a click on a
// check box moves the focus into its row's text box.
enum class PanelHost {
    PointDialog,    // `Form2`
    ProcessDialog,  // `Form3`, `Form4`
};

// The two-of-six input panel: six rows of a check box, a text box and a unit label for x, i,
// t, t′, v and φ (in the order of psychro::Property). Checking a second box shuts the four other
// rows, so at most two can be checked; ButtonOK and ButtonClear reset it.
class StateInputPanel : public QObject {
    Q_OBJECT
  public:
    static constexpr int kRows = 6;

    // Builds the rows into `container` (the dialog itself for the point dialog, its frame
    // `Frame1` for the process dialogs). `text7` is the process dialog's air-quantity box, which
    // the panel enables once a pair is chosen; the point dialog has none.
    StateInputPanel(QWidget* container, PanelHost host, QLineEdit* text7 = nullptr);

    // All boxes unchecked and enabled, all six text boxes enabled; texts and (point dialog)
    // background colours stay.
    void ButtonOK();
    // All boxes unchecked and enabled, the six text boxes disabled; the point dialog's copy also
    // empties them and gives them back the window background.
    void ButtonClear();
    // What a menu command does when it shows the host: the six text boxes disabled, nothing
    // else touched. They become usable through their check boxes.
    void disableTexts();

    [[nodiscard]] PanelHost host() const { return host_; }
    // Number of checked boxes (0 to 2).
    [[nodiscard]] int checkedCount() const;
    // The checked rows, in row order.
    [[nodiscard]] std::vector<psychro::Property> checkedRows() const;

    [[nodiscard]] QCheckBox* check(psychro::Property row) const;
    [[nodiscard]] QLineEdit* textBox(psychro::Property row) const;
    [[nodiscard]] QString text(psychro::Property row) const;
    void setText(psychro::Property row, const QString& text);
    // The enthalpy row in `to`: its unit label `Label1` ("kcal/kg(DA)" or "kJ/kg(DA)"), and the
    // number in `Text2`, typed or written back in `from`, converted to 2 decimals (half up, as
    // the solver writes it back); a text that is no number stays as typed.
    void showEnthalpyIn(chart::Units from, chart::Units to);

  private:
    void clickRule(int row);
    void setBackground(int row, QPalette::ColorRole role);
    [[nodiscard]] bool textHasFocus() const;
    void focusFirstCheckBox();

    PanelHost host_;
    QLineEdit* text7_;
    std::array<QCheckBox*, kRows> checks_{};  // `Check1` … `Check6`
    std::array<QLineEdit*, kRows> texts_{};   // `Text1` … `Text6`
    std::array<QLabel*, kRows> units_{};      // `Label2`, `Label1`, `Label3`, `Label6`, ...
    // A reset unchecks boxes from code, which runs the click rule; its focus move then would
    // pull the focus into whichever row was unchecked last.
    bool resetting_ = false;
};

}  // namespace dialogs
