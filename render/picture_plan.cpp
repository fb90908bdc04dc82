#include "app/picture_plan.h"

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
    font.setPointSizeF(dots * 72.0 / device.logicalDpiY());
    return font;
}

// The em of a font whose cell (ascent + descent) has the given height, as a font of positive
// height is specified on a Windows device context: the height given is the cell, not the em.
double cellToEm(double cell) {
    const double cellPerEm = emRatios().cell;
    return cellPerEm > 0.0 ? cell / cellPerEm : cell;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double length2 = QPointF::dotProduct(d, d);
    double u = length2 > 0.0 ? QPointF::dotProduct(p - a, d) / length2 : 0.0;
    u = std::clamp(u, 0.0, 1.0);
    const QPointF foot = a + u * d;
    return std::hypot(p.x() - foot.x(), p.y() - foot.y());
}

// The polyline through `points` without the vertices that lie within kSimplifyToleranceMm of
// the line that replaces them (Douglas–Peucker). Every range taken from the stack is either
// final or split into two strictly shorter ones, so the loop ends after fewer than 2n ranges.
std::vector<QPointF> simplified(const std::vector<QPointF>& points) {
    const std::size_t n = points.size();
    if (n <= 2) {
        return points;
    }
    std::vector<bool> keep(n, false);
    keep.front() = true;
    keep.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> ranges{{0, n - 1}};
    while (!ranges.empty()) {
        const auto [a, b] = ranges.back();
        ranges.pop_back();
        double farthest = -1.0;
        std::size_t at = a;
        for (std::size_t k = a + 1; k < b; ++k) {
            const double d = distanceToSegment(points[k], points[a], points[b]);
            if (d > farthest) {
                farthest = d;
                at = k;
            }
        }
        if (farthest > kSimplifyToleranceMm) {
            keep[at] = true;
            ranges.emplace_back(a, at);
            ranges.emplace_back(at, b);
        }
    }
    std::vector<QPointF> kept;
    for (std::size_t k = 0; k < n; ++k) {
        if (keep[k]) {
            kept.push_back(points[k]);
        }
    }
    return kept;
}

bool continues(const chart::LineItem& before, const chart::LineItem& next) {
    return next.colour == before.colour && next.widthPx == before.widthPx &&
           next.from.X == before.to.X && next.from.Y == before.to.Y;
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

QRectF inkOf(const PicturePlan::Step& step) {
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

void PicturePlan::reset() {
    steps_.clear();
    printed_.clear();
    itemCount_ = 0;
}

std::size_t PicturePlan::update(const chart::Picture& picture) {
    const std::vector<chart::PictureItem>& items = picture.items();
    bool anew = picture.revision() != revision_ || items.size() < itemCount_;
    if (!anew && items.size() > itemCount_ && itemCount_ > 0) {
        const auto* last = std::get_if<chart::LineItem>(&items[itemCount_ - 1]);
        const auto* next = std::get_if<chart::LineItem>(&items[itemCount_]);
        anew = last != nullptr && next != nullptr && continues(*last, *next);
    }
    if (!anew) {
        const std::size_t firstNew = steps_.size();
        append(picture, itemCount_);
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
    reset();
    revision_ = picture.revision();
    append(picture, 0);
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

void PicturePlan::append(const chart::Picture& picture, std::size_t firstItem) {
    const std::vector<chart::PictureItem>& items = picture.items();
    const double pictureEmMm = kPictureFontPoints * kMmPerPoint;
    std::size_t k = firstItem;
    while (k < items.size()) {
        const chart::PictureItem& item = items[k];
        ++k;
        if (const auto* line = std::get_if<chart::LineItem>(&item)) {
            std::vector<QPointF> points{pointOf(line->from), pointOf(line->to)};
            const chart::LineItem* last = line;
            while (k < items.size()) {
                const auto* next = std::get_if<chart::LineItem>(&items[k]);
                if (next == nullptr || !continues(*last, *next)) {
                    break;
                }
                points.push_back(pointOf(next->to));
                last = next;
                ++k;
            }
            steps_.emplace_back(Polyline{simplified(points), line->colour, line->widthPx});
        } else if (const auto* circle = std::get_if<chart::CircleItem>(&item)) {
            steps_.emplace_back(
                Circle{pointOf(circle->centre), circle->radius, circle->colour, circle->widthPx});
        } else if (const auto* text = std::get_if<chart::TextItem>(&item)) {
            if (!printed_
                     .emplace(text->position.X, text->position.Y, text->text, text->heightPx,
                              text->angleDeg)
                     .second) {
                continue;
            }
            const double emMm =
                text->heightPx > 0.0 ? cellToEm(text->heightPx * kMmPerPixel) : pictureEmMm;
            steps_.emplace_back(Text{pointOf(text->position),
                                     QString::fromStdString(text->text),
                                     emMm,
                                     text->angleDeg,
                                     {}});
        }
    }
    itemCount_ = items.size();
}

void PicturePlan::paint(QPainter& painter, std::size_t firstStep) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    // The pen is set once for each run of steps that share it.
    int penColour = -1;
    int penWidth = -1;
    const auto usePen = [&](int colour, int widthPx) {
        if (colour != penColour || widthPx != penWidth) {
            painter.setPen(penOf(colour, widthPx));
            penColour = colour;
            penWidth = widthPx;
        }
    };
    std::vector<QLineF> segments;
    const QTransform toDevice = painter.worldTransform();
    for (std::size_t k = firstStep; k < steps_.size(); ++k) {
        const Step& step = steps_[k];
        if (const auto* line = std::get_if<Polyline>(&step)) {
            usePen(line->colour, line->widthPx);
            // Straight segments take the raster engine's line path, four to ten times faster
            // than a stroked polyline; after simplification a run has few joints left.
            segments.clear();
            for (std::size_t j = 1; j < line->points.size(); ++j) {
                segments.emplace_back(line->points[j - 1], line->points[j]);
            }
            painter.drawLines(segments.data(), static_cast<int>(segments.size()));
        } else if (const auto* circle = std::get_if<Circle>(&step)) {
            usePen(circle->colour, circle->widthPx);
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

QRectF PicturePlan::inkBounds(std::size_t firstStep) const {
    QRectF bounds;
    for (std::size_t k = firstStep; k < steps_.size(); ++k) {
        bounds |= inkOf(steps_[k]);
    }
    return bounds;
}

}  // namespace app
