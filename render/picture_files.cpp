#include "render/picture_files.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
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

// The underlay at the place paintSurface gives the picture, the painter left as it was.
void paintUnderlay(QPainter& painter, const Underlay& underlay, double dotsPerMm,
                   QPointF cornerMm = {}) {
    if (!underlay) {
        return;
    }
    painter.save();
    painter.scale(dotsPerMm, dotsPerMm);
    painter.translate(cornerMm);
    painter.setClipRect(kSurface, Qt::IntersectClip);
    underlay(painter, dotsPerMm);
    painter.restore();
}

bool writePdf(const chart::Picture& picture, QIODevice& device, const Underlay& underlay) {
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
    const QPointF corner((kA4Width - chart::kPictureWidth) / 2.0,
                         (kA4Height - chart::kPictureHeight) / 2.0);
    paintUnderlay(painter, underlay, kPdfDotsPerInch / kMmPerInch, corner);
    paintSurface(painter, picture, kPdfDotsPerInch / kMmPerInch, corner);
    return painter.end();
}

bool writeSvg(const chart::Picture& picture, QIODevice& device, const Underlay& underlay) {
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
    paintUnderlay(painter, underlay, dotsPerMm);
    paintSurface(painter, picture, dotsPerMm);
    return painter.end();
}

bool writePng(const chart::Picture& picture, QIODevice& device, double dotsPerInch,
              const Underlay& underlay) {
    if (!underlay) {
        const QImage image = pictureImage(picture, dotsPerInch);
        return !image.isNull() && image.save(&device, "PNG");
    }
    QImage image = pictureImage(chart::Picture{}, dotsPerInch);  // the white ground
    if (image.isNull()) {
        return false;
    }
    QPainter painter(&image);
    const double dotsPerMm = dotsPerInch / kMmPerInch;
    paintUnderlay(painter, underlay, dotsPerMm);
    paintSurface(painter, picture, dotsPerMm);
    painter.end();
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

bool writePictureTo(const chart::Picture& picture, QIODevice& device, ImageKind kind,
                    double dotsPerInch, const Underlay& underlay) {
    switch (kind) {
        case ImageKind::Pdf:
            return writePdf(picture, device, underlay);
        case ImageKind::Svg:
            return writeSvg(picture, device, underlay);
        case ImageKind::Png:
            return writePng(picture, device, dotsPerInch, underlay);
    }
    return false;
}

std::expected<void, QString> writePicture(const chart::Picture& picture, const QString& path,
                                          ImageKind kind, double dotsPerInch,
                                          const Underlay& underlay) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return std::unexpected(
            QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()));
    }
    if (!writePictureTo(picture, file, kind, dotsPerInch, underlay)) {
        file.cancelWriting();
        return std::unexpected(QStringLiteral("cannot draw the chart into '%1'").arg(path));
    }
    if (!file.commit()) {
        return std::unexpected(
            QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()));
    }
    return {};
}

}  // namespace render
