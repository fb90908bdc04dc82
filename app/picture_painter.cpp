#include "app/picture_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <variant>

#include "chart/picture.h"

namespace app {
namespace {

constexpr double kMmPerPixel = 25.4 / 96.0;
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kPictureFontPoints = 9.0;

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

// A font whose em height is `mm` millimetres in the painter's (millimetre) coordinates.
QFont fontOfEm(const QString& family, double mm, const QPaintDevice& device) {
    QFont font(family);
    font.setPointSizeF(mm * 72.0 / device.logicalDpiY());
    return font;
}

// A font whose cell height (ascent + descent) is `mm` millimetres, as a Windows font of
// positive height is specified.
QFont fontOfCell(const QString& family, double mm, const QPaintDevice& device) {
    QFont font = fontOfEm(family, mm, device);
    const double cell = QFontMetricsF(font, &device).height();
    if (cell > 0.0) {
        font.setPointSizeF(font.pointSizeF() * mm / cell);
    }
    return font;
}

}  // namespace

void paintPicture(QPainter& painter, const chart::Picture& picture) {
    const QString family = QStringLiteral("ＭＳ ゴシック");
    const QPaintDevice& device = *painter.device();
    const QFont pictureFont = fontOfEm(family, kPictureFontPoints * kMmPerPoint, device);

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
            const QFont font = text->heightPx > 0.0
                                   ? fontOfCell(family, text->heightPx * kMmPerPixel, device)
                                   : pictureFont;
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.save();
            painter.translate(text->position.X, text->position.Y);
            painter.rotate(-text->angleDeg);  // counter-clockwise on a Y-down surface
            painter.drawText(QPointF(0.0, QFontMetricsF(font, &device).ascent()),
                             QString::fromStdString(text->text));
            painter.restore();
        }
    }
    painter.restore();
}

}  // namespace app
