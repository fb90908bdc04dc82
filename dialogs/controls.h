#pragma once

#include <QRect>
#include <QString>
#include <cmath>
#include <utility>

#include "chart/number_text.h"

class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Building the dialogs' controls in code. Layouts are given in twips (1/1440 inch); at 96
// device-independent pixels per inch 15 twips make one pixel. Every control is owned by its
// parent and carries its design name as objectName.
namespace dialogs {

inline constexpr double kTwipsPerPixel = 15.0;

[[nodiscard]] inline int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

[[nodiscard]] inline QRect twipsRect(double left, double top, double width, double height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A plain horizontal separator line from x1 to x2 at height y (twips).
QFrame* makeSeparator(QWidget* parent, const char* name, double x1, double x2, double y);
// A push button that never becomes the default button: Enter in a text box must not press it.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect rect);
QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, QRect rect);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect rect);
QLineEdit* makeTextBox(QWidget* parent, const char* name, const QString& text, QRect rect);

// A control placed by a layout: made from `args` (a caption, …), owned by `parent`, named
// `name` (its objectName), as QCheckBox, QLineEdit, QComboBox and the like.
template <typename Control, typename... Args>
Control* makeNamed(QWidget* parent, const QString& name, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    return control;
}

// v rounded to `decimals` places by `rule`, in the general number form, for a text box or label.
[[nodiscard]] inline QString numberText(double v, int decimals, chart::Rounding rule) {
    return QString::fromStdString(chart::roundedText(v, decimals, rule));
}

// A dialog window: objectName, the forms' font, modeless, fixed client size in twips.
void setDialogDefaults(QDialog* dialog, const char* name, double width, double height);
// Shows a modeless dialog and brings it forward.
void bringForward(QDialog* dialog);

}  // namespace dialogs
