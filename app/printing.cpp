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

// The pressure line stands 5 twips (1/1440 inch, 0.088 mm) right of and below the surface's
// corner, as on the page the line at the printable area's corner over the picture drawn 5 twips
// up and left of it.
constexpr double kLineOffsetMm = 5.0 * chart::kMmPerInch / chart::kTwipsPerInch;

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

void setUpPrinter(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setColorMode(QPrinter::Color);
}

bool paintOnPrinter(const chart::Sheet& sheet, QPrinter& printer,
                    const render::Underlay& underlay) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // The painter's origin is the printable area's corner, and the printer's width and height
    // are that area's, in dots.
    const double dotsPerMm = printer.resolution() / chart::kMmPerInch;
    const render::SheetPlacement place =
        render::placeSheet(QSizeF(printer.width() / dotsPerMm, printer.height() / dotsPerMm));
    const QPointF corner = place.cornerMm / place.scale;
    render::paintSheet(painter, sheet, dotsPerMm * place.scale, corner,
                       corner + QPointF(kLineOffsetMm, kLineOffsetMm), underlay);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

PrintResult printChart(const chart::Sheet& sheet, QPrinter& printer, const PrintDialogStep& dialog,
                       const render::Underlay& underlay) {
    setUpPrinter(printer);
    if (!dialog(printer)) {
        return PrintResult::Cancelled;
    }
    return paintOnPrinter(sheet, printer, underlay) ? PrintResult::Printed : PrintResult::Failed;
}

}  // namespace app
