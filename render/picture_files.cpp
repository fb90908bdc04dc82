#include "render/picture_files.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "chart/units_of_length.h"
#include "render/picture_painter.h"

namespace render {
namespace {

using chart::kMmPerInch;

constexpr int kPdfDotsPerInch = 1200;
// 100 dots to the millimetre: the 267 × 189 mm surface is a whole number of dots.
constexpr int kSvgDotsPerInch = 2540;
// A4 across, mm.
constexpr double kA4Width = 297.0;
constexpr double kA4Height = 210.0;

bool writePdf(const chart::Sheet& sheet, QIODevice& device, const Underlay& underlay) {
    QPdfWriter writer(&device);
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("湿り空気線図"));
    writer.setCreator(QStringLiteral("milten-cli"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    // The page has no margins: all of it is printable.
    const SheetPlacement place = placeSheet(QSizeF(kA4Width, kA4Height));
    const QPointF corner = place.cornerMm / place.scale;
    paintSheet(painter, sheet, kPdfDotsPerInch / kMmPerInch * place.scale, corner, corner,
               underlay);
    return painter.end();
}

bool writeSvg(const chart::Sheet& sheet, QIODevice& device, const Underlay& underlay) {
    const double dotsPerMm = kSvgDotsPerInch / kMmPerInch;
    const QSize size(static_cast<int>(std::lround(chart::kPictureWidth * dotsPerMm)),
                     static_cast<int>(std::lround(chart::kPictureHeight * dotsPerMm)));
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setResolution(kSvgDotsPerInch);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("湿り空気線図"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    paintSheet(painter, sheet, dotsPerMm, {}, {}, underlay);
    return painter.end();
}

bool writePng(const chart::Sheet& sheet, QIODevice& device, double dotsPerInch,
              const Underlay& underlay) {
    const QImage image = sheetImage(sheet, dotsPerInch, underlay);
    return !image.isNull() && image.save(&device, "PNG");
}

}  // namespace

std::optional<ImageKind> imageKindOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) {
        return ImageKind::Pdf;
    }
    if (suffix == QLatin1String("svg")) {
        return ImageKind::Svg;
    }
    if (suffix == QLatin1String("png")) {
        return ImageKind::Png;
    }
    return std::nullopt;
}

bool writeSheetTo(const chart::Sheet& sheet, QIODevice& device, ImageKind kind, double dotsPerInch,
                  const Underlay& underlay) {
    switch (kind) {
        case ImageKind::Pdf:
            return writePdf(sheet, device, underlay);
        case ImageKind::Svg:
            return writeSvg(sheet, device, underlay);
        case ImageKind::Png:
            return writePng(sheet, device, dotsPerInch, underlay);
    }
    return false;
}

}  // namespace render
