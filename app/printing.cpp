#include "app/printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "chart/units_of_length.h"
#include "render/picture_painter.h"

namespace app {
namespace {

// The picture's top-left corner stands 5 twips (1/1440 inch) up and left of the printable
// area's corner: 0.088 mm.
constexpr double kPictureOffsetMm = -5.0 * chart::kMmPerInch / chart::kTwipsPerInch;

}  // namespace

bool execPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile,
                     QPrinterInfo::availablePrinters().isEmpty());
    return dialog.exec() == QDialog::Accepted;
}

QString printFailedMessage() {
    return QStringLiteral("チャートを印刷できませんでした。");
}

PrintResult printChart(const chart::Sheet& sheet, QPrinter& printer, const PrintDialogStep& dialog,
                       const render::Underlay& underlay) {
    // The 267 × 189 mm picture fits A4 only across; the chart's families are told apart by
    // colour.
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setColorMode(QPrinter::Color);
    if (!dialog(printer)) {
        return PrintResult::Cancelled;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintResult::Failed;
    }
    // The chart clipped to its surface as on the screen; the pressure line over it at the
    // printable area's corner.
    render::paintSheet(painter, sheet, printer.resolution() / chart::kMmPerInch,
                       {kPictureOffsetMm, kPictureOffsetMm}, {0.0, 0.0}, underlay);
    const bool ended = painter.end();
    return ended && printer.printerState() != QPrinter::Error ? PrintResult::Printed
                                                              : PrintResult::Failed;
}

}  // namespace app
