#include "render/data_layer_painter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/units_of_length.h"

namespace render {
namespace {

constexpr double kMaxPointsDotsPerMm = 300.0 / chart::kMmPerInch;
constexpr double kDotRadiusMm = 0.3;
const QColor kPale(255, 243, 176);
const QColor kDeep(178, 24, 43);
// The legend stands in the empty corner left of the enthalpy scale.
constexpr double kLegendX = 6.0;
constexpr double kLegendTop = 14.0;
constexpr double kPointsLegendHeight = 4.5;
constexpr double kHoursLegendHeight = 12.0;

QPolygonF polygonOf(const std::vector<chart::PointMm>& points) {
    QPolygonF polygon;
    for (const chart::PointMm& p : points) {
        polygon << QPointF(p.X, p.Y);
    }
    return polygon;
}

QFont legendFont() {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(3);  // picture millimetres
    return font;
}

}  // namespace

QColor cellShade(std::uint32_t count, std::uint32_t most) {
    const double f =
        most <= 1 ? 1.0 : static_cast<double>(count - 1) / static_cast<double>(most - 1);
    const auto mix = [f](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * std::clamp(f, 0.0, 1.0)));
    };
    return QColor(mix(kPale.red(), kDeep.red()), mix(kPale.green(), kDeep.green()),
                  mix(kPale.blue(), kDeep.blue()));
}

DataLayerPainter::DataLayerPainter(const data::DataSet& set, data::LayerStyle style, QColor colour,
                                   psychro::PressureRatio pressure, QString note)
    : set_(set), style_(style), colour_(colour), note_(std::move(note)) {
    if (style_ == data::LayerStyle::Hours) {
        cells_ = data::hourCells(data::placedStates(set_, pressure));
    } else {
        placed_ = data::placedStates(set_, pressure);
    }
}

QImage DataLayerPainter::pointsImage(double dotsPerMm) {
    const double d = std::min(dotsPerMm, kMaxPointsDotsPerMm);
    if (!points_.isNull() && d == pointsDotsPerMm_) {
        return points_;
    }
    const int radius = std::max(1, static_cast<int>(std::lround(kDotRadiusMm * d)));
    const data::PointMask mask = data::pointMask(placed_, d, radius);
    QImage image(mask.width, mask.height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return image;
    }
    image.fill(Qt::transparent);
    const QRgb dot = colour_.rgba();
    for (int y = 0; y < mask.height; ++y) {
        const std::uint8_t* hits =
            mask.hit.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.width);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < mask.width; ++x) {
            if (hits[x] != 0U) {
                line[x] = dot;
            }
        }
    }
    points_ = image;
    pointsDotsPerMm_ = d;
    return points_;
}

double DataLayerPainter::paint(QPainter& painter, double dotsPerMm, double legendShiftMm) {
    painter.save();
    if (style_ == data::LayerStyle::Points) {
        const QImage image = pointsImage(dotsPerMm);
        painter.drawImage(
            QRectF(0.0, 0.0, image.width() / pointsDotsPerMm_, image.height() / pointsDotsPerMm_),
            image);
    } else {
        paintCells(painter);
    }
    const double height = paintLegend(painter, legendShiftMm);
    painter.restore();
    return legendShiftMm + height;
}

void DataLayerPainter::paintCells(QPainter& painter) const {
    painter.setPen(Qt::NoPen);
    for (const data::HourCell& cell : cells_.cells) {
        painter.setBrush(cellShade(cell.count, cells_.most));
        painter.drawPolygon(polygonOf({cell.corners.begin(), cell.corners.end()}));
    }
}

double DataLayerPainter::paintLegend(QPainter& painter, double shiftMm) const {
    if (set_.readings.empty()) {  // zones alone
        return 0.0;
    }
    const double kLegendY = kLegendTop + shiftMm;
    painter.setFont(legendFont());
    painter.setPen(Qt::black);
    const QString name = note_.isEmpty() ? QString::fromStdString(set_.name)
                                         : QString::fromStdString(set_.name) + u' ' + note_;
    if (style_ == data::LayerStyle::Points) {
        painter.setBrush(colour_);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(kLegendX + 1.0, kLegendY - 1.0), 0.8, 0.8);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(kLegendX + 3.0, kLegendY),
                         QStringLiteral("%1 (%2 点)").arg(name).arg(set_.rows()));
        return kPointsLegendHeight;
    }
    const QString unit = set_.hourly ? QStringLiteral("時間") : QStringLiteral("件");
    painter.drawText(QPointF(kLegendX, kLegendY),
                     QStringLiteral("%1：1 ℃ × 1 g/kg(DA) ごとの%2数").arg(name, unit));
    const QRectF bar(kLegendX, kLegendY + 1.5, 40.0, 3.0);
    QLinearGradient ramp(bar.topLeft(), bar.topRight());
    ramp.setColorAt(0.0, cellShade(1, 2));
    ramp.setColorAt(1.0, cellShade(2, 2));
    painter.setBrush(ramp);
    painter.setPen(QPen(Qt::black, 0.15));
    painter.drawRect(bar);
    painter.drawText(QPointF(bar.left(), bar.bottom() + 3.5), QStringLiteral("1"));
    const QString most = QString::number(cells_.most);
    painter.drawText(
        QPointF(bar.right() - 1.8 * static_cast<double>(most.size()), bar.bottom() + 3.5), most);
    return kHoursLegendHeight;
}

}  // namespace render
