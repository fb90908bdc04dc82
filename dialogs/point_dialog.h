#pragma once

#include <optional>

#include "chart/chart_frame.h"
#include "dialogs/chart_dialog.h"
#include "dialogs/panel_state.h"

class QCheckBox;

namespace chart {
class Picture;
}

namespace dialogs {

class Messenger;
class StateInputPanel;

// `Form2`, "点指定": marks air states on the chart. The user picks two of the six properties,
// types them and presses "描画"; the state is completed, x and i are shown in the panel, and a
// red circle with the running number is drawn, joined to the previous point on request.
class PointDialog : public ChartDialog {
    Q_OBJECT
  public:
    PointDialog(Messenger& messages, QWidget* parent = nullptr);

    // What the Draw menu's point command does: show the dialog, bring it forward and disable
    // its six text boxes (they open through their check boxes).
    void showFromMenu();

    // The air-state solver in its point-dialog form.
    [[nodiscard]] PanelPoint ih();

    // Numbering and joining continue from the last numbered point of the work shown: its
    // number and where it stands (none: the next point is "1点", joined to nothing).
    void continueFrom(float pointCount, std::optional<chart::PointMm> lastPoint);

    [[nodiscard]] StateInputPanel& panel() { return *panel_; }
    [[nodiscard]] float pointCount() const { return PointCount; }
    [[nodiscard]] float lastPointX() const { return LastPointX; }
    [[nodiscard]] float lastPointY() const { return LastPointY; }

  private:
    void drawPoint();             // Command1
    void clear() override;        // Command2
    void closeDialog() override;  // Command3: the panel's boxes settled, then hidden
    void settingsChanged(const chart::Settings& before) override;  // the panel's enthalpy

    StateInputPanel* panel_ = nullptr;
    QCheckBox* Check8 = nullptr;

    // Neither clearing, closing nor redrawing the chart resets them, so numbering and joining
    // carry on across all three; the work shown sets them through continueFrom.
    float PointCount = 0.0F;
    float LastPointX = 0.0F;  // picture mm
    float LastPointY = 0.0F;
};

}  // namespace dialogs
