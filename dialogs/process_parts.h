#pragma once

#include <QString>
#include <optional>

#include "chart/chart_frame.h"
#include "dialogs/ih.h"

class QDialog;
class QGroupBox;
class QLineEdit;

// What the process dialogs (mixing/cooling, heating, humidifying) share: the large red result
// box, the float point they keep and the end of a refused press. The comfort dialogs use the
// float checks too.
namespace dialogs {

class Messenger;

// `Text9`, the result box of a frame: large red bold figures.
[[nodiscard]] QLineEdit* makeLoadBox(QGroupBox* frame);

// A value kept in single precision must be finite there too.
[[nodiscard]] bool fitsFloat(double v);
// A point to keep between presses, in single precision; nullopt when it does not fit.
[[nodiscard]] std::optional<chart::PointMm> keptPoint(double X, double Y);

// The solver's refusal ends a press. Its own refusals have shown their message; a panel without
// a pair gets `noPair`, since nothing may be drawn or stored from a state the user never gave.
void explainRefusal(IhFailure failure, Messenger& messages, const char16_t* noPair);

}  // namespace dialogs
