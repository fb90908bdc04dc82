#include "app/printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/picture_painter.h"
#include "chart/chart_drawing.h"
#include "chart/picture.h"

namespace app {
namespace {

constexpr double kMmPerInch = 25.4;
// The picture's top-left corner stands 5 twips (1/1440 inch) up and left of the printable
// area's corner: 0.088 mm.
constexpr double kPictureOffsetMm = -5.0 * kMmPerInch / 1440.0;

void paintPage(QPainter& painter, const QPrinter& printer, const chart::Picture& picture) {
    const double dotsPerMm = printer.resolution() / kMmPerInch;
    painter.scale(dotsPerMm, dotsPerMm);  // one unit is one millimetre of paper

    painter.save();
    painter.translate(kPictureOffsetMm, kPictureOffsetMm);
    // Only what lies on the surface is part of the picture; lines beyond it are cut off as on
    // the screen.
    painter.setClipRect(QRectF(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight));
    paintPicture(painter, picture);
    painter.restore();

    // The pressure line at the top left of the printable area, over the picture, in the
    // picture's font.
    chart::Picture pressure;
    pressure.setTextPosition({0.0, 0.0});
    pressure.print(chart::kPressureLine);
    paintPicture(painter, pressure);
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
                       const PrintDialogStep& dialog) {
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
    paintPage(painter, printer, picture);
    const bool ended = painter.end();
    return ended && printer.printerState() != QPrinter::Error ? PrintResult::Printed
                                                              : PrintResult::Failed;
}

}  // namespace app
