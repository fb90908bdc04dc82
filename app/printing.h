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

// A landscape page in colour: the 267 × 189 mm picture fits A4 only across, and the chart's
// families are told apart by colour.
void setUpPrinter(QPrinter& printer);

// Paints the sheet as one page on `printer`: the chart clipped to the 267 × 189 mm surface,
// placed as render::placeSheet places it in the printable area (centred, at natural size where
// it fits), and over it the pressure line ("大気圧 = 760 mmHg" at the defaults) 5 twips right of
// and below the surface's corner. Everything is replayed as vectors at the printer's
// resolution; `underlay` (the data sets) goes under the chart. False when the printer could not
// be opened or reported an error.
[[nodiscard]] bool paintOnPrinter(const chart::Sheet& sheet, QPrinter& printer,
                                  const render::Underlay& underlay = {});

// Prints the sheet: sets the printer up, opens `dialog` on it, then paints the page.
[[nodiscard]] PrintResult printChart(const chart::Sheet& sheet, QPrinter& printer,
                                     const PrintDialogStep& dialog,
                                     const render::Underlay& underlay);

// The message shown when printing failed for another reason than a cancel.
[[nodiscard]] QString printFailedMessage();

}  // namespace app
