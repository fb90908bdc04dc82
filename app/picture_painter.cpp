#include "app/picture_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTransform>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <variant>

#include "chart/picture.h"

namespace app {
namespace {

constexpr double kMmPerPixel = 25.4 / 96.0;
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kPictureFontPoints = 9.0;
// Metrics are read at this pixel size, where hinting no longer rounds them.
constexpr int kReferencePixels = 1000;

QColor colourOf(int number) {
    const chart::Rgb rgb = chart::paletteColour(number);
    return {rgb.r, rgb.g, rgb.b};
}

QPen penOf(int colour, int widthPx) {
    QPen pen(colourOf(colour));
    pen.setWidthF(widthPx * kMmPerPixel);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Unhinted, so that a label keeps its proportions at every size and on every device.
QFont baseFont() {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

struct EmRatios {
    double cell;    // ascent + descent per em
    double ascent;  // ascent per em
};

const EmRatios& emRatios() {
    static const EmRatios ratios = [] {
        QFont reference = baseFont();
        reference.setPixelSize(kReferencePixels);
        const QFontMetricsF metrics(reference);
        return EmRatios{metrics.height() / kReferencePixels, metrics.ascent() / kReferencePixels};
    }();
    return ratios;
}

// A font whose em is `dots` device pixels high on `device`.
QFont fontOfEmDots(double dots, const QPaintDevice& device) {
    QFont font = baseFont();
    font.setPointSizeF(dots * 72.0 / device.logicalDpiY());
    return font;
}

// The em of a font whose cell (ascent + descent) has the given height, as a font of positive
// height is specified on a Windows device context: the height given is the cell, not the em.
double cellToEm(double cell) {
    const double cellPerEm = emRatios().cell;
    return cellPerEm > 0.0 ? cell / cellPerEm : cell;
}

// Printing the same text twice at one place in one font leaves an opaque surface unchanged;
// antialiased edges, though, would darken with every pass. The chart prints the volume title
// once per volume line, so repeats are painted once.
using TextKey = std::tuple<double, double, std::string, double, int>;

}  // namespace

void paintPicture(QPainter& painter, const chart::Picture& picture) {
    const QPaintDevice& device = *painter.device();
    const double pictureEmMm = kPictureFontPoints * kMmPerPoint;
    std::set<TextKey> painted;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (const chart::PictureItem& item : picture.items()) {
        if (const auto* line = std::get_if<chart::LineItem>(&item)) {
            painter.setPen(penOf(line->colour, line->widthPx));
            painter.drawLine(QPointF(line->from.X, line->from.Y), QPointF(line->to.X, line->to.Y));
        } else if (const auto* circle = std::get_if<chart::CircleItem>(&item)) {
            painter.setPen(penOf(circle->colour, circle->widthPx));
            painter.drawEllipse(QPointF(circle->centre.X, circle->centre.Y), circle->radius,
                                circle->radius);
        } else if (const auto* text = std::get_if<chart::TextItem>(&item)) {
            if (!painted
                     .emplace(text->position.X, text->position.Y, text->text, text->heightPx,
                              text->angleDeg)
                     .second) {
                continue;
            }
            const double emMm =
                text->heightPx > 0.0 ? cellToEm(text->heightPx * kMmPerPixel) : pictureEmMm;
            // Glyphs are laid out in device pixels: a font a few millimetre-units high would be
            // sized in whole units, and its advances would not scale with the surface.
            const QTransform toDevice = painter.worldTransform();
            const double dotsPerMm = std::sqrt(std::fabs(toDevice.determinant()));
            const QPointF at = toDevice.map(QPointF(text->position.X, text->position.Y));
            painter.save();
            painter.resetTransform();
            painter.setFont(fontOfEmDots(emMm * dotsPerMm, device));
            painter.setPen(Qt::black);
            // The position is the top-left corner of the text cell; the text turns about it,
            // counter-clockwise as seen on the Y-down surface.
            painter.translate(at);
            painter.rotate(-text->angleDeg);
            painter.drawText(QPointF(0.0, emMm * emRatios().ascent * dotsPerMm),
                             QString::fromStdString(text->text));
            painter.restore();
        }
    }
    painter.restore();
}

QImage pictureImage(const chart::Picture& picture, double dotsPerInch) {
    const double dotsPerMm = dotsPerInch / 25.4;
    QImage image(static_cast<int>(std::ceil(chart::kPictureWidth * dotsPerMm)),
                 static_cast<int>(std::ceil(chart::kPictureHeight * dotsPerMm)),
                 QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerMm * 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(dotsPerMm, dotsPerMm);
    painter.setClipRect(QRectF(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight));
    paintPicture(painter, picture);
    return image;
}

}  // namespace app
