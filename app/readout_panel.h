#pragma once

#include <QGroupBox>
#include <QString>
#include <array>
#include <optional>

#include "chart/keyboard_steps.h"
#include "chart/picture.h"
#include "chart/settings.h"

class QKeyEvent;
class QLabel;

namespace app {

class PictureView;

// The frame "空気状態" (`Frame1`) on the chart surface: the state of the air under the pointer,
// or under the cross-hair the arrow keys walk, in six value boxes with their names and units.
// Until there is a state to show the boxes are empty.
class ReadoutPanel : public QGroupBox {
    Q_OBJECT
  public:
    // Placed on `surface` and following its pointer moves, at `settings`.
    ReadoutPanel(PictureView& surface, const chart::Settings& settings);

    // The figures and the enthalpy's unit of `settings`, for the point shown at once.
    void setSettings(const chart::Settings& settings);

    // The arrow keys walk a cross-hair over the chart by 0.1 °C (left, right) and 0.0001
    // kg/kg(DA) (up, down), ten times that with Shift, starting where the cross-hair stands or
    // else at the state under the pointer; the readout follows it. False for any other key.
    bool walk(const QKeyEvent& event);

  private:
    // Writes the air state at picture point (X, Y) mm into the value boxes and their
    // accessible names.
    void showAt(float X, float Y);
    void pointerMoved(float X, float Y);

    struct Row {
        QLabel* value;
        QLabel* unit;  // its text follows the units in use
        QString caption;
    };
    enum RowIndex { kX, kEnthalpy, kTemperature, kWetBulb, kVolume, kHumidity };

    PictureView& surface_;
    chart::Settings settings_;
    std::array<Row, 6> rows_{};
    std::optional<chart::PointMm> lastPointer_;  // where the pointer last was on the picture
    std::optional<chart::PointMm> shownAt_;      // the point the boxes show
    chart::KeyboardState keyboard_ = chart::kKeyboardStart;
};

}  // namespace app
