#include "render/picture_plan.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "chart/picture.h"
#include "chart/units_of_length.h"

namespace render {
namespace {

using chart::kMmPerPixel;
using chart::kMmPerPoint;

constexpr double kPictureFontPoints = 9.0;
// Metrics are read at this pixel size, where hinting no longer rounds them.
constexpr int kReferencePixels = 1000;

QColor colourOf(int number) {
    const chart::Rgb rgb = chart::paletteColour(number);
    return {rgb.r, rgb.g, rgb.b};
}

QPen penOf(int colour, int widthPx, bool dashed) {
    QPen pen(colourOf(colour));
    pen.setWidthF(widthPx * kMmPerPixel);
    pen.setCapStyle(Qt::FlatCap);
    if (dashed) {
        pen.setStyle(Qt::DashLine);
    }
    return pen;
}

// Unhinted, so that a label keeps its proportions at every size and on every device.
QFont baseFont() {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont referenceFont() {
    QFont reference = baseFont();
    reference.setPixelSize(kReferencePixels);
    return reference;
}

struct EmRatios {
    double cell;    // ascent + descent per em
    double ascent;  // ascent per em
};

const EmRatios& emRatios() {
    static const EmRatios ratios = [] {
        const QFontMetricsF metrics(referenceFont());
        return EmRatios{metrics.height() / kReferencePixels, metrics.ascent() / kReferencePixels};
    }();
    return ratios;
}

// A font whose em is `dots` device pixels high on `device`.
QFont fontOfEmDots(double dots, const QPaintDevice& device) {
    QFont font = baseFont();
    font.setPointSizeF(dots * chart::kPointsPerInch / device.logicalDpiY());
    return font;
}

// The em of a font whose cell (ascent + descent) has the given height, as a font of positive
// height is specified on a Windows device context: the height given is the cell, not the em.
double cellToEm(double cell) {
    const double cellPerEm = emRatios().cell;
    return cellPerEm > 0.0 ? cell / cellPerEm : cell;
}

QPointF pointOf(chart::PointMm p) {
    return {p.X, p.Y};
}

// Paints `text` on a painter whose world transform has been reset to device pixels; `toDevice`
// maps picture millimetres to them.
void paintText(QPainter& painter, const PicturePlan::Text& text, const QTransform& toDevice) {
    // Glyphs are laid out in device pixels: a font a few millimetre-units high would be sized in
    // whole units, and its advances would not scale with the surface.
    const double dotsPerMm = std::sqrt(std::fabs(toDevice.determinant()));
    const double emDots = text.emMm * dotsPerMm;
    const QPointF at = toDevice.map(text.position);
    // The position is the top-left corner of the text cell; the text turns about it,
    // counter-clockwise as seen on the Y-down surface.
    QTransform turn;
    turn.translate(at.x(), at.y());
    turn.rotate(-text.angleDeg);
    painter.setWorldTransform(turn);
    const double baseline = text.emMm * emRatios().ascent * dotsPerMm;
    QPaintDevice* device = painter.device();
    if (painter.paintEngine()->type() != QPaintEngine::Raster) {
        // Printers and vector files are given the text itself, so that it stays text there.
        painter.setFont(fontOfEmDots(emDots, *device));
        painter.drawText(QPointF(0.0, baseline), text.text);
        return;
    }
    PicturePlan::Text::Glyphs& glyphs = text.glyphs;
    const int dotsPerInch = device->logicalDpiY();
    if (glyphs.emDots != emDots || glyphs.dotsPerInch != dotsPerInch) {
        const QFont font = fontOfEmDots(emDots, *device);
        const int pixelSize = QFontInfo(QFont(font, device)).pixelSize();
        if (pixelSize != glyphs.pixelSize || dotsPerInch != glyphs.dotsPerInch) {
            QTextLayout layout(text.text, font, device);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            line.setLineWidth(1e6);  // one line, however long the text
            layout.endLayout();
            glyphs = {emDots, pixelSize, dotsPerInch, layout.glyphRuns(), line.ascent()};
        }
        glyphs.emDots = emDots;
    }
    for (const QGlyphRun& run : glyphs.runs) {
        painter.drawGlyphRun(QPointF(0.0, baseline - glyphs.ascent), run);
    }
}

QRectF inkOfStep(const PicturePlan::Step& step) {
    // Antialiasing reaches at most one device pixel beyond a stroke: at least one pixel per
    // millimetre, that is within a millimetre.
    constexpr double kMarginMm = 1.0;
    if (const auto* line = std::get_if<PicturePlan::Polyline>(&step)) {
        QPointF low = line->points.front();
        QPointF high = low;
        for (const QPointF& p : line->points) {
            low = {std::min(low.x(), p.x()), std::min(low.y(), p.y())};
            high = {std::max(high.x(), p.x()), std::max(high.y(), p.y())};
        }
        const double m = line->widthPx * kMmPerPixel / 2.0 + kMarginMm;
        return QRectF(low, high).adjusted(-m, -m, m, m);
    }
    if (const auto* circle = std::get_if<PicturePlan::Circle>(&step)) {
        const double m = circle->radius + circle->widthPx * kMmPerPixel / 2.0 + kMarginMm;
        return {circle->centre.x() - m, circle->centre.y() - m, 2.0 * m, 2.0 * m};
    }
    const auto& text = std::get<PicturePlan::Text>(step);
    // The cell from its corner along the text's advance, turned about the corner; fonts set in
    // whole device pixels and glyphs that overhang their cell stay within half an em more.
    static const QFontMetricsF metrics(referenceFont());
    const double length = metrics.horizontalAdvance(text.text) / kReferencePixels * text.emMm;
    const double cell = emRatios().cell * text.emMm;
    QTransform turn;
    turn.translate(text.position.x(), text.position.y());
    turn.rotate(-text.angleDeg);
    const double m = text.emMm / 2.0 + kMarginMm;
    return turn.mapRect(QRectF(0.0, 0.0, length, cell)).adjusted(-m, -m, m, m);
}

}  // namespace

std::size_t PicturePlan::update(const chart::Picture& picture) {
    chart::PaintRuns::Update update = runs_.update(picture);
    if (!update.anew) {
        const std::size_t firstNew = steps_.size();
        append(std::move(update.added));
        return firstNew;
    }
    // A chart drawn again prints the same labels: their glyph layouts are kept.
    std::map<std::pair<QString, double>, Text::Glyphs> laid;
    for (const Step& step : steps_) {
        if (const auto* text = std::get_if<Text>(&step);
            text != nullptr && text->glyphs.pixelSize) {
            laid.emplace(std::pair{text->text, text->emMm}, text->glyphs);
        }
    }
    steps_.clear();
    ink_.clear();
    append(std::move(update.added));
    for (Step& step : steps_) {
        if (auto* text = std::get_if<Text>(&step)) {
            if (const auto found = laid.find(std::pair{text->text, text->emMm});
                found != laid.end()) {
                text->glyphs = found->second;
            }
        }
    }
    return 0;
}

void PicturePlan::append(std::vector<chart::PaintStep> steps) {
    const double pictureEmMm = kPictureFontPoints * kMmPerPoint;
    // No reserve of the exact new size: at every append it would move the whole plan (a
    // mark at the ten-thousandth costs a copy of ten thousand steps); growth by doubling keeps
    // an append's cost that of what it adds.
    for (chart::PaintStep& step : steps) {
        if (auto* run = std::get_if<chart::LineRun>(&step)) {
            std::vector<QPointF> points;
            points.reserve(run->points.size());
            for (const chart::PointMm p : run->points) {
                points.push_back(pointOf(p));
            }
            steps_.emplace_back(
                Polyline{std::move(points), run->colour, run->widthPx, run->dashed});
        } else if (const auto* circle = std::get_if<chart::CircleItem>(&step)) {
            steps_.emplace_back(
                Circle{pointOf(circle->centre), circle->radius, circle->colour, circle->widthPx});
        } else {
            const auto& text = std::get<chart::TextItem>(step);
            const double emMm =
                text.heightPx > 0.0 ? cellToEm(text.heightPx * kMmPerPixel) : pictureEmMm;
            steps_.emplace_back(Text{pointOf(text.position),
                                     QString::fromStdString(text.text),
                                     emMm,
                                     text.angleDeg,
                                     {}});
        }
    }
}

void PicturePlan::paint(QPainter& painter, std::size_t firstStep) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    // The pen is set once for each run of steps that share it.
    int penColour = -1;
    int penWidth = -1;
    bool penDashed = false;
    const auto usePen = [&](int colour, int widthPx, bool dashed) {
        if (colour != penColour || widthPx != penWidth || dashed != penDashed) {
            painter.setPen(penOf(colour, widthPx, dashed));
            penColour = colour;
            penWidth = widthPx;
            penDashed = dashed;
        }
    };
    std::vector<QLineF> segments;
    const QTransform toDevice = painter.worldTransform();
    // On a raster device, steps whose ink lies wholly outside the clip are left out: a zoomed
    // view or a scrolled strip shows a small part of the picture. Vector devices get every step,
    // so that their files stay as they were.
    QRectF visible;
    if (painter.hasClipping() && painter.paintEngine()->type() == QPaintEngine::Raster) {
        const double dotsPerMm = std::sqrt(std::fabs(toDevice.determinant()));
        const double e = dotsPerMm > 0.0 ? 2.0 / dotsPerMm : 0.0;  // two device pixels
        visible = painter.clipBoundingRect().adjusted(-e, -e, e, e);
    }
    for (std::size_t k = firstStep; k < steps_.size(); ++k) {
        const Step& step = steps_[k];
        if (!visible.isNull() && !visible.intersects(inkOf(k))) {
            continue;
        }
        if (const auto* line = std::get_if<Polyline>(&step)) {
            usePen(line->colour, line->widthPx, line->dashed);
            // Straight segments take the raster engine's line path, four to ten times faster
            // than a stroked polyline; after simplification a run has few joints left.
            segments.clear();
            for (std::size_t j = 1; j < line->points.size(); ++j) {
                segments.emplace_back(line->points[j - 1], line->points[j]);
            }
            painter.drawLines(segments.data(), static_cast<int>(segments.size()));
        } else if (const auto* circle = std::get_if<Circle>(&step)) {
            usePen(circle->colour, circle->widthPx, false);
            painter.drawEllipse(circle->centre, circle->radius, circle->radius);
        } else {
            if (penColour != chart::kBlack) {
                painter.setPen(Qt::black);
                penColour = chart::kBlack;
                penWidth = -1;
            }
            paintText(painter, std::get<Text>(step), toDevice);
            painter.setWorldTransform(toDevice);
        }
    }
    painter.restore();
}

const QRectF& PicturePlan::inkOf(std::size_t step) const {
    while (ink_.size() <= step) {
        ink_.push_back(inkOfStep(steps_[ink_.size()]));
    }
    return ink_[step];
}

QRectF PicturePlan::inkBounds(std::size_t firstStep) const {
    QRectF bounds;
    for (std::size_t k = firstStep; k < steps_.size(); ++k) {
        bounds |= inkOf(k);
    }
    return bounds;
}

}  // namespace render
