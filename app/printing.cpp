#include "app/printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "chart/chart_drawing.h"
#include "chart/picture.h"
#include "chart/units_of_length.h"
#include "render/picture_painter.h"

namespace app {
namespace {

// The picture's top-left corner stands 5 twips (1/1440 inch) up and left of the printable
// area's corner: 0.088 mm.
constexpr double kPictureOffsetMm = -5.0 * chart::kMmPerInch / chart::kTwipsPerInch;

void paintPage(QPainter& painter, const QPrinter& printer, const chart::Picture& picture,
               const std::string& pressureLine) {
    const double dotsPerMm = printer.resolution() / chart::kMmPerInch;
    // Clipped to the surface as on the screen.
    painter.save();
    render::paintSurface(painter, picture, dotsPerMm, {kPictureOffsetMm, kPictureOffsetMm});
    painter.restore();

    painter.scale(dotsPerMm, dotsPerMm);  // one unit is one millimetre of paper
    // The pressure line at the top left of the printable area, over the picture, in the
    // picture's font.
    chart::Picture pressure;
    pressure.setTextPosition({0.0, 0.0});
    pressure.print(pressureLine);
    render::paintPicture(painter, pressure);
}

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

PrintResult printChart(const chart::Picture& picture, QPrinter& printer,
                       const PrintDialogStep& dialog, const std::string& pressureLine) {
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
    paintPage(painter, printer, picture, pressureLine);
    const bool ended = painter.end();
    return ended && printer.printerState() != QPrinter::Error ? PrintResult::Printed
                                                              : PrintResult::Failed;
}

}  // namespace app
