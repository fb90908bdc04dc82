#pragma once

#include <QString>
#include <functional>

#include "chart/sheet.h"
#include "render/picture_painter.h"

class QPrinter;
class QWidget;

namespace app {

// The step that lets the user choose the printer, the copies and the orientation. It works on
// the printer it is given and answers whether to print (false: the user cancelled). The window
// uses the print dialog; tests route the same path to a PDF file.
using PrintDialogStep = std::function<bool(QPrinter&)>;

// Qt's print dialog (in Japanese once the translations are installed): no choice of a
// selection or a page range; printing to a PDF file is offered only when the system has no
// printer, so that there is always something to print on.
[[nodiscard]] bool execPrintDialog(QPrinter& printer, QWidget* parent);

enum class PrintResult {
    Printed,
    Cancelled,  // the dialog was cancelled: nothing was printed
    Failed,     // the printer could not be opened or reported an error
};

// Prints the sheet: opens `dialog` on a landscape page in colour, then draws the chart at
// natural size (1 mm of picture on 1 mm of paper) with its top-left corner 5 twips up and left
// of the printable area's corner, clipped to the 267 × 189 mm surface, and over it, at the
// printable area's top-left corner, the pressure line ("大気圧 = 760 mmHg" at the defaults).
// Everything is replayed as vectors at the printer's resolution; `underlay` (the data sets) goes
// under the chart.
[[nodiscard]] PrintResult printChart(const chart::Sheet& sheet, QPrinter& printer,
                                     const PrintDialogStep& dialog,
                                     const render::Underlay& underlay);

// The message shown when printing failed for another reason than a cancel.
[[nodiscard]] QString printFailedMessage();

}  // namespace app
