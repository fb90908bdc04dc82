#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>

#include "chart/chart_drawing.h"
#include "chart/chart_marks.h"
#include "chart/picture.h"
#include "picture_items.h"
#include "render/picture_painter.h"
#include "render/picture_plan.h"

namespace {

using chart::LineItem;
using chart::PointMm;

constexpr double kDotsPerMm = 96.0 / 25.4;

double distanceToSegment(PointMm p, const LineItem& l) {
    const double dx = l.to.X - l.from.X;
    const double dy = l.to.Y - l.from.Y;
    const double length2 = dx * dx + dy * dy;
    double u = length2 > 0.0 ? ((p.X - l.from.X) * dx + (p.Y - l.from.Y) * dy) / length2 : 0.0;
    u = std::clamp(u, 0.0, 1.0);
    return std::hypot(p.X - (l.from.X + u * dx), p.Y - (l.from.Y + u * dy));
}

// A generous stand-in for the area a text covers: the band of one cell height beside the line
// from its corner along its direction, a full cell per full-width character and half a cell
// per ASCII one.
double distanceToText(PointMm p, const chart::TextItem& text) {
    const double cellMm = (text.heightPx > 0.0 ? text.heightPx : 12.0) * 25.4 / 96.0;
    double characters = 0.0;  // in full-width cells
    for (const char32_t c : QString::fromStdString(text.text).toUcs4()) {
        characters += c < 0x80 ? 0.5 : 1.0;
    }
    const double angle = text.angleDeg * 3.14159265358979 / 180.0;
    const PointMm end{text.position.X + characters * cellMm * std::cos(angle),
                      text.position.Y - characters * cellMm * std::sin(angle)};
    return distanceToSegment(p, LineItem{text.position, end, 0, 1}) - cellMm;
}

// The point along `target` farthest from every other line and from every text position, so
// that the pixel there can only have the target's colour.
struct ClearPoint {
    PointMm at;
    double clearance;  // mm to the nearest other line
};
ClearPoint clearPointOn(const chart::Picture& picture, const LineItem& target) {
    const std::vector<LineItem> lines = itemsOf<LineItem>(picture);
    ClearPoint best{{0.0, 0.0}, -1.0};
    for (int k = 1; k < 100; ++k) {
        const double u = k / 100.0;
        const PointMm p{target.from.X + u * (target.to.X - target.from.X),
                        target.from.Y + u * (target.to.Y - target.from.Y)};
        double nearest = 1e9;
        for (const LineItem& other : lines) {
            const bool same = other.from.X == target.from.X && other.from.Y == target.from.Y &&
                              other.to.X == target.to.X && other.to.Y == target.to.Y;
            if (!same) {
                nearest = std::min(nearest, distanceToSegment(p, other));
            }
        }
        for (const chart::PictureItem& item : picture.items()) {
            if (const auto* text = std::get_if<chart::TextItem>(&item)) {
                nearest = std::min(nearest, distanceToText(p, *text));
            }
        }
        if (nearest > best.clearance) {
            best = {p, nearest};
        }
    }
    return best;
}

// Whether some pixel within one pixel of `at` satisfies `wanted`.
bool pixelNear(const QImage& image, PointMm at, const std::function<bool(QColor)>& wanted) {
    const int cx = static_cast<int>(std::floor(at.X * kDotsPerMm));
    const int cy = static_cast<int>(std::floor(at.Y * kDotsPerMm));
    for (int y = cy - 1; y <= cy + 1; ++y) {
        for (int x = cx - 1; x <= cx + 1; ++x) {
            if (image.valid(x, y) && wanted(image.pixelColor(x, y))) {
                return true;
            }
        }
    }
    return false;
}

bool greyish(QColor c) {
    return std::abs(c.red() - c.green()) < 12 && std::abs(c.green() - c.blue()) < 12;
}

class ChartImage : public testing::Test {
  protected:
    void SetUp() override {
        chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
        image = render::pictureImage(picture);
    }
    const LineItem& line(std::size_t k) const { return lines.at(k); }
    chart::Picture picture;
    QImage image;
    std::vector<LineItem> lines = [this] {
        chart::Picture p;
        chart::drawChart(p, psychro::PressureRatio::standard(), chart::Units::Engineering);
        return itemsOf<LineItem>(p);
    }();
};

// Pixels where the mapping puts a line of one family, away from all others, have its colour.
TEST_F(ChartImage, FamiliesAppearWhereTheMappingPutsThem) {
    ASSERT_EQ(image.size(), QSize(1010, 715));
    struct Row {
        const char* what;
        LineItem target;
        std::function<bool(QColor)> colour;
    };
    // Line items in drawing order: 2 frame lines, 53 humidity lines, then i = −3 … 45, then
    // the isotherms 0 … 48 °C; the relative-humidity curves start 1 072 lines before the end.
    const std::size_t saturationStart = lines.size() - 1072;
    const Row rows[] = {
        {"enthalpy 10 kcal/kg, red", line(55 + 13),
         [](QColor c) { return c.red() > 230 && c.green() < 130 && c.blue() < 130; }},
        {"enthalpy 20 kcal/kg, red", line(55 + 23),
         [](QColor c) { return c.red() > 230 && c.green() < 130 && c.blue() < 130; }},
        {"saturation curve 17 … 18 °C, black", line(saturationStart + 17),
         [](QColor c) { return greyish(c) && c.red() < 100; }},
        {"saturation curve 20 … 21 °C, black", line(saturationStart + 20),
         [](QColor c) { return greyish(c) && c.red() < 100; }},
        {"saturation curve 24 … 25 °C, black", line(saturationStart + 24),
         [](QColor c) { return greyish(c) && c.red() < 100; }},
        {"isotherm 20 °C, grey and 2 px", line(104 + 20),
         [](QColor c) { return greyish(c) && c.red() >= 120 && c.red() <= 150; }},
        {"humidity 10 g/kg, grey and 2 px", line(2 + 9),
         [](QColor c) { return greyish(c) && c.red() >= 120 && c.red() <= 150; }},
    };
    for (const Row& row : rows) {
        const ClearPoint p = clearPointOn(picture, row.target);
        ASSERT_GT(p.clearance, 0.9) << row.what << ": no clear point to test";
        EXPECT_TRUE(pixelNear(image, p.at, row.colour))
            << row.what << " at " << p.at.X << ", " << p.at.Y;
    }
    // Right of the frame, between the scale and its title, nothing is drawn.
    EXPECT_EQ(
        image.pixelColor(static_cast<int>(240 * kDotsPerMm), static_cast<int>(150 * kDotsPerMm)),
        QColor(Qt::white));
}

// Line widths are screen pixels at 96 per inch: at 96 dpi a 1-pixel line centred on a pixel row
// covers exactly that row, a 2-pixel line centred between rows exactly two.
// On a finer device (the printer) the same widths keep their physical size: at 192 dpi a
// 1-pixel line covers two device rows and a 2-pixel line four.
TEST(PictureLines, WidthsConvertAt96PixelsPerInchOnEveryDevice) {
    struct Row {
        int widthPx;
        double centreRow;
        std::vector<int> inkedRows;
    };
    const struct {
        double dotsPerInch;
        std::vector<Row> rows;
    } devices[] = {
        {96.0, {{1, 200.5, {200}}, {2, 300.0, {299, 300}}}},
        {192.0, {{1, 400.0, {399, 400}}, {2, 600.0, {598, 599, 600, 601}}}},
    };
    for (const auto& device : devices) {
        chart::Picture picture;
        std::vector<int> expected;
        for (const Row& row : device.rows) {
            picture.setLineWidth(row.widthPx);
            const double y = row.centreRow * 25.4 / device.dotsPerInch;
            picture.line({10.0, y}, {100.0, y}, chart::kLightRed);
            expected.insert(expected.end(), row.inkedRows.begin(), row.inkedRows.end());
        }
        const QImage image = render::pictureImage(picture, device.dotsPerInch);
        std::vector<int> inked;
        const int column = static_cast<int>(50.0 * device.dotsPerInch / 25.4);
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(column, y);
            if (c != QColor(Qt::white)) {
                EXPECT_EQ(c, QColor(255, 0, 0)) << "row " << y << " fully covered";
                inked.push_back(y);
            }
        }
        EXPECT_EQ(inked, expected) << device.dotsPerInch << " dpi";
    }
}

// Ink bounds of one label, in pixels.
QRect inkOf(const chart::Picture& picture, double dotsPerInch = 96.0) {
    const QImage image = render::pictureImage(picture, dotsPerInch);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// Rotated labels turn counter-clockwise about the top-left corner of their cell, and their cell
// is the given height in pixels.
TEST(PictureText, HeightsAndAnglesBind) {
    const double X = 100.0;
    const double Y = 100.0;
    const int px = static_cast<int>(std::floor(X * kDotsPerMm));
    const int py = static_cast<int>(std::floor(Y * kDotsPerMm));
    const char* text = "絶対湿度 x [kg/kg(DA)]";

    chart::Picture picture;
    picture.setTextPosition({X, Y});
    picture.printRotated(text, 13.0, 0);
    QRect ink = inkOf(picture);
    EXPECT_GE(ink.top(), py - 1);
    EXPECT_LE(ink.bottom(), py + 13);
    EXPECT_GE(ink.height(), 9) << "most of the cell is ink for kanji";
    EXPECT_GE(ink.left(), px - 1);
    EXPECT_GT(ink.width(), 100);
    const int length = ink.width();

    picture.clear();
    picture.setTextPosition({X, Y});
    picture.printRotated(text, 13.0, 90);  // reads upward, the cell to the right
    ink = inkOf(picture);
    EXPECT_GE(ink.left(), px - 1);
    EXPECT_LE(ink.right(), px + 13);
    EXPECT_LE(ink.bottom(), py + 1);
    EXPECT_NEAR(ink.height(), length, 2);

    picture.clear();
    picture.setTextPosition({X, Y});
    picture.printRotated(text, 13.0, 45);  // rises to the right
    ink = inkOf(picture);
    EXPECT_GE(ink.left(), px - 1);
    EXPECT_NEAR(ink.top(), py - length * std::sqrt(0.5), 4);
    EXPECT_LE(ink.bottom(), py + static_cast<int>(std::ceil(13 * std::sqrt(0.5))) + 1);

    // A label of height 10 is smaller than one of height 13 in proportion, up to the whole
    // pixels in which the font's em is set.
    picture.clear();
    picture.setTextPosition({X, Y});
    picture.printRotated(text, 10.0, 0);
    const double ratio = inkOf(picture).width() / static_cast<double>(length);
    EXPECT_GT(ratio, 0.7);
    EXPECT_LT(ratio, 0.85);

    // On a device of twice the resolution the label is twice as many dots long, up to the em
    // being set in whole device pixels (9 at 96 dpi, 19 at 192).
    const double twice =
        inkOf(picture, 192.0).width() / static_cast<double>(inkOf(picture).width());
    EXPECT_GT(twice, 1.9);
    EXPECT_LT(twice, 2.15);

    // The picture's own font, 9 pt: a 12-pixel em at 96 dpi, unrotated.
    picture.clear();
    picture.setTextPosition({X, Y});
    picture.print("温度 t [℃]");
    ink = inkOf(picture);
    EXPECT_GE(ink.top(), py - 1);
    EXPECT_LE(ink.bottom(), py + 13);
    EXPECT_NEAR(ink.width(), 3 * 12 + 5 * 6 - 2, 3)
        << "three full-width cells of 12 pixels and five half-width ones, less bearings";
}

// The volume title is printed once per volume line at one place; painting it once or thirty
// times looks the same.
TEST(PictureText, RepeatedTextAtOnePlaceLooksPrintedOnce) {
    chart::Picture once;
    once.setTextPosition({104.15, 175.0});
    once.print("比容積 v [m3/kg(DA)]");
    chart::Picture often;
    for (int k = 0; k < 30; ++k) {
        often.setTextPosition({104.15, 175.0});
        often.print("比容積 v [m3/kg(DA)]");
    }
    EXPECT_EQ(render::pictureImage(once), render::pictureImage(often));
}

// Runs of connected line items of one colour and width, as the chart command writes them.
std::vector<std::vector<LineItem>> lineRuns(const chart::Picture& picture) {
    std::vector<std::vector<LineItem>> runs;
    bool open = false;
    for (const chart::PictureItem& item : picture.items()) {
        const auto* line = std::get_if<LineItem>(&item);
        if (line == nullptr) {
            open = false;
            continue;
        }
        const bool joins = open && runs.back().back().colour == line->colour &&
                           runs.back().back().widthPx == line->widthPx &&
                           runs.back().back().to.X == line->from.X &&
                           runs.back().back().to.Y == line->from.Y;
        if (!joins) {
            runs.emplace_back();
        }
        runs.back().push_back(*line);
        open = true;
    }
    return runs;
}

// The replay joins each run into one polyline and leaves out vertices, but moves no point of
// the drawing by more than 0.005 mm.
TEST(PicturePlan, JoinsRunsAndMovesNothingByMoreThanFiveMicrometres) {
    chart::Picture picture;
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    const std::vector<std::vector<LineItem>> runs = lineRuns(picture);
    std::vector<render::PicturePlan::Polyline> lines;
    const render::PicturePlan plan(picture);
    for (const render::PicturePlan::Step& step : plan.steps()) {
        if (const auto* line = std::get_if<render::PicturePlan::Polyline>(&step)) {
            lines.push_back(*line);
        }
    }
    ASSERT_EQ(lines.size(), runs.size());
    std::size_t vertices = 0;
    std::size_t steps = 0;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const std::vector<LineItem>& run = runs[k];
        const std::vector<QPointF>& points = lines[k].points;
        ASSERT_GE(points.size(), 2u);
        EXPECT_EQ(lines[k].colour, run.front().colour);
        EXPECT_EQ(lines[k].widthPx, run.front().widthPx);
        EXPECT_EQ(points.front(), QPointF(run.front().from.X, run.front().from.Y));
        EXPECT_EQ(points.back(), QPointF(run.back().to.X, run.back().to.Y));
        for (const LineItem& step : run) {
            double nearest = 1e9;
            for (std::size_t j = 1; j < points.size(); ++j) {
                const LineItem segment{
                    {points[j - 1].x(), points[j - 1].y()}, {points[j].x(), points[j].y()}, 0, 1};
                nearest = std::min(nearest, distanceToSegment(step.to, segment));
            }
            ASSERT_LE(nearest, 0.005) << "run " << k;
        }
        vertices += points.size();
        steps += run.size();
    }
    EXPECT_LT(vertices, steps / 4) << "the volume lines' short steps are joined";
}

// A volume line shows its full colour: across the line there is as much ink of its colour as a
// line of its width covers (1 pixel at 96 dpi, 2 at 192 dpi).
TEST(PictureLines, VolumeLinesCarryTheirFullInk) {
    chart::Picture chartPicture;
    chart::drawChart(chartPicture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    chart::Picture volume;  // the volume lines alone, in their order
    for (const LineItem& line : itemsOf<LineItem>(chartPicture)) {
        if (line.colour == chart::kLightGreen) {
            volume.setLineWidth(line.widthPx);
            volume.line(line.from, line.to, line.colour);
        }
    }
    for (const double dpi : {96.0, 192.0}) {
        const QImage image = render::pictureImage(volume, dpi);
        const double dotsPerMm = dpi / 25.4;
        int checked = 0;
        const render::PicturePlan plan(volume);
        for (const render::PicturePlan::Step& step : plan.steps()) {
            const auto& points = std::get<render::PicturePlan::Polyline>(step).points;
            for (std::size_t j = 1; j < points.size(); ++j) {
                // Rows across the middle of segments, 2 mm or more from either end.
                const QPointF a = points[j - 1];
                const QPointF b = points[j];
                const QPointF d = b - a;
                const double length = std::hypot(d.x(), d.y());
                const QPointF mid = (a + b) / 2.0;
                if (length < 4.0 || mid.y() < 5.0 || mid.y() > 155.0 ||
                    std::fabs(d.y()) < 0.5 * length) {
                    continue;
                }
                const int row = static_cast<int>(std::floor(mid.y() * dotsPerMm));
                const double yc = (row + 0.5) / dotsPerMm;
                const double xc = a.x() + d.x() * (yc - a.y()) / d.y();
                const int column = static_cast<int>(std::floor(xc * dotsPerMm));
                double ink = 0.0;
                for (int x = column - 6; x <= column + 6; ++x) {
                    const QColor c = image.pixelColor(x, row);
                    EXPECT_EQ(c.green(), 255);
                    ink += (255 - c.red()) / 255.0;
                }
                const double widthDots = dpi / 96.0;
                const double expected = widthDots * length / std::fabs(d.y());
                EXPECT_NEAR(ink, expected, 0.04 * expected) << dpi << " dpi, row " << row;
                ++checked;
            }
        }
        EXPECT_GT(checked, 20) << dpi << " dpi";
    }
}

// The ink of what a dialog adds lies within the bounds the view repaints.
TEST(PicturePlan, InkStaysWithinItsBounds) {
    const std::function<void(chart::Picture&)> marks[] = {
        [](chart::Picture& p) {
            chart::markState(p, {100.3, 100.7}, "12点");
        },
        [](chart::Picture& p) {
            chart::processLine(p, {40.2, 150.1}, {180.9, 30.4});
        },
        [](chart::Picture& p) {
            p.setTextPosition({120.0, 90.0});
            p.printRotated("比容積 v [m3/kg(DA)]", 13.0, 45);
        },
        [](chart::Picture& p) {
            p.setTextPosition({60.0, 60.0});
            p.printRotated("80", 13.0, 135);
        },
    };
    for (const auto& mark : marks) {
        chart::Picture picture;
        mark(picture);
        const QRectF bounds = render::PicturePlan(picture).inkBounds(0);
        const QImage image = render::pictureImage(picture);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    ++ink;
                    const QPointF centre((x + 0.5) / kDotsPerMm, (y + 0.5) / kDotsPerMm);
                    ASSERT_TRUE(bounds.contains(centre)) << x << ", " << y;
                }
            }
        }
        EXPECT_GT(ink, 10);
    }
}

}  // namespace

// The sheet on a page's printable part: centred, at natural size where it fits, scaled down
// uniformly where it does not (hand-worked from 267 × 189 mm).
TEST(SheetPlacement, CentredAndScaledDownOnlyWhereThePageIsSmaller) {
    struct Row {
        QSizeF area;
        double x, y, scale;
    };
    const Row rows[] = {
        {{297.0, 210.0}, 15.0, 10.5, 1.0},                 // A4 across
        {{267.0, 189.0}, 0.0, 0.0, 1.0},                   // the surface exactly
        {{420.0, 297.0}, 76.5, 54.0, 1.0},                 // A3 across: never scaled up
        {{210.0, 297.0}, 0.0, 74.1741573, 0.7865168539},   // A4 upright: 210 / 267
        {{400.0, 100.0}, 129.3650794, 0.0, 0.5291005291},  // a low strip: 100 / 189
    };
    for (const Row& row : rows) {
        const render::SheetPlacement place = render::placeSheet(row.area);
        EXPECT_NEAR(place.cornerMm.x(), row.x, 1e-6) << row.area.width();
        EXPECT_NEAR(place.cornerMm.y(), row.y, 1e-6) << row.area.width();
        EXPECT_NEAR(place.scale, row.scale, 1e-9) << row.area.width();
    }
}
