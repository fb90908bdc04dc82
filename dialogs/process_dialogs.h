#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "chart/chart_frame.h"
#include "chart/marked_work.h"
#include "dialogs/panel_state.h"
#include "dialogs/process_parts.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace chart {
class Picture;
}

namespace dialogs {

class Messenger;

// A load as its text box shows it: floor(Q + 0.5) as a plain whole number, a minus sign for a
// negative load, never "-0".
[[nodiscard]] QString loadText(double kcalPerHour);

// `Form3`: mixing ("混合") and cooling ("冷却") of air streams.
// The state panel sits in `Frame1`, the air quantity `Text7` in `Frame2`; `Frame4` with the
// cooling load `Text9` takes `Frame1`'s place while a load is shown. The buttons act in the
// process of the dialog's last opening: another Calc command meanwhile (heating) neither stops
// them nor switches the process under a half-given point 1.
class MixingCoolingDialog : public ProcessDialog {
    Q_OBJECT
  public:
    MixingCoolingDialog(Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's mixing and cooling commands do.
    void showForMixing();
    void showForCooling();

    // Point 1 as the work shown keeps it: the entry that marked it, or none. A point 1 that
    // is gone (undone, or another file opened) is dropped and point 1 is asked for again; a
    // different one (an undo or a redo brought it back) is taken, waiting for its point 2.
    void followPointOne(const std::optional<chart::Entry>& start);

  private:
    enum class Process { Mixing, Cooling };
    void prepare(Process process, const QString& caption);
    void acceptPoint1();  // Command1
    void acceptPoint2();  // Command4
    void mix(const PanelState& point2, chart::PointMm at);
    void cool(const PanelState& point2, chart::PointMm at);
    void clear() override;  // Command2: also frees the air quantity
    // Point 1 was solved and marked at the old settings, whose chart goes: it is dropped, and
    // the dialog asks for point 1 again.
    void settingsChanged(const chart::Settings& before) override;
    // Enter confirms point 1, or point 2 once point 1 is in.
    [[nodiscard]] QPushButton* mainButton() const override;

    QGroupBox* Frame2 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;

    Process process_ = Process::Mixing;  // set by the openings

    // Point 1, kept in single precision from its acceptance until the next one.
    struct PointOne {
        float XP = 0.0F;  // picture mm
        float YP = 0.0F;
        float i = 0.0F;  // kcal/kg(DA)
        float x = 0.0F;  // kg/kg(DA)
        float G = 0.0F;  // its air quantity, kg/h
        bool operator==(const PointOne&) const = default;
    };
    PointOne point1_;
    QString G1Text_;  // `Text7` as it read when point 1's air quantity was accepted
};

// `Form4`, "加熱": sensible heating of one air stream to the temperature of point 2. The state
// panel sits in `Frame1`, the air quantity `Text7` in `Frame2`, the temperature `Text8` in
// `Frame3`; `Frame4` with the heating load `Text9` takes `Frame1`'s place while a load is shown.
class HeatingDialog : public ProcessDialog {
    Q_OBJECT
  public:
    HeatingDialog(Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's heating command does.
    void showForHeating();

  private:
    void calculate();  // Command1

    QLineEdit* Text8 = nullptr;
};

}  // namespace dialogs
