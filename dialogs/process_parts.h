#pragma once

#include <QString>
#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/marked_work.h"
#include "dialogs/chart_dialog.h"
#include "dialogs/panel_state.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the process dialogs (mixing/cooling, heating, humidifying) share: the large red result
// box, the float point they keep and the end of a refused press. The comfort dialogs use the
// float checks too.
namespace dialogs {

class Messenger;
class StateInputPanel;

// The skeleton of `Form3`, `Form4` and `Form7`: the state panel in `Frame1` ("空気状態…"), the
// result frame `Frame4` with its large red box `Text9` and unit `Label9`, which takes
// `Frame1`'s place while a result is shown, and the main button `Command1`.
class ProcessDialog : public ChartDialog {
    Q_OBJECT
  public:
    // The air-state solver in its process form.
    [[nodiscard]] std::expected<PanelState, PanelFailure> ih() const;

    // State 1 from the panel and the air quantity in `Text7`, kg(DA)/h, when the quantity is a
    // number `accepts`; nullopt after the message that says why not (the solver's own, `noPair`
    // for a panel without a pair, "空気量を入力してください。" for the quantity).
    struct StateAndQuantity {
        PanelState state;
        double G;
    };
    [[nodiscard]] std::optional<StateAndQuantity> stateAndQuantity(const char16_t* noPair,
                                                                   bool (*accepts)(double G)) const;

    [[nodiscard]] StateInputPanel& panel() { return *panel_; }

  protected:
    using ChartDialog::ChartDialog;

    // `Frame1` at the top of the dialog, captioned `caption`; the panel goes into it once the
    // box it hands the focus on to exists (the creation order is the Tab order).
    void buildInputFrame(const QString& caption);
    // `Frame4` at `rect` (twips) with `Text9` and the unit `unit`, hidden.
    void buildResultFrame(const QString& caption, QRect rect, const QString& unit);

    void showInput();   // `Frame1` shown, `Frame4` hidden
    void showResult();  // the other way round

    // "クリア": back to the input, the panel cleared and `Command1` on again.
    void clear() override;
    // "閉じる": back to the input, the panel's boxes settled, the dialog hidden.
    void closeDialog() override;
    // The panel's enthalpy; a dialog whose `Text9` holds a load relabels `Label9` and writes
    // the load shown again in the new unit.
    void settingsChanged(const chart::Settings& before) override;
    // `Label9` follows the load unit (kcal/h or kW): the cooling and heating loads.
    bool resultIsLoad_ = false;
    // Writes the load Q, kcal/h, into `Text9` in the settings' units, and keeps it.
    void showLoad(double Q);
    std::optional<double> load_;  // the load `Text9` shows, kcal/h

    StateInputPanel* panel_ = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text7 = nullptr;  // the air quantity, kg(DA)/h
    QGroupBox* Frame4 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* Command1 = nullptr;
};

// The two properties the panel's checked boxes give, named as in a project file ("x", "i", "t",
// "tw", "v", "phi"), as the user typed them.
[[nodiscard]] std::vector<chart::NamedValue> panelInputs(const StateInputPanel& panel);

// A marked state of x kg/kg(DA) and i kcal/kg(DA) drawn at `at`.
[[nodiscard]] chart::MarkedState markedState(std::string label, chart::PointMm at, double x,
                                             double i);

// A value kept in single precision must be finite there too.
[[nodiscard]] bool fitsFloat(double v);
// A point to keep between presses, in single precision; nullopt when it does not fit.
[[nodiscard]] std::optional<chart::PointMm> keptPoint(double X, double Y);

// The solver's refusal ends a press. Its own refusals have shown their message; a panel without
// a pair gets `noPair`, since nothing may be drawn or stored from a state the user never gave.
void explainRefusal(PanelFailure failure, Messenger& messages, const char16_t* noPair);

}  // namespace dialogs
