#include "chart/paint_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "chart/picture.h"

namespace {

using chart::LineRun;
using chart::PaintStep;
using chart::Picture;
using chart::PointMm;

// What each step is, in order: the number of points of a run, -1 for a circle, -2 for a text.
std::vector<int> shapeOf(const std::vector<PaintStep>& steps) {
    std::vector<int> shape;
    for (const PaintStep& step : steps) {
        if (const auto* run = std::get_if<LineRun>(&step)) {
            shape.push_back(static_cast<int>(run->points.size()));
        } else {
            shape.push_back(std::holds_alternative<chart::CircleItem>(step) ? -1 : -2);
        }
    }
    return shape;
}

double distanceToSegment(PointMm p, PointMm a, PointMm b) {
    const double ux = b.X - a.X;
    const double uy = b.Y - a.Y;
    const double t =
        std::clamp(((p.X - a.X) * ux + (p.Y - a.Y) * uy) / (ux * ux + uy * uy), 0.0, 1.0);
    return std::hypot(p.X - a.X - t * ux, p.Y - a.Y - t * uy);
}

// Two steps of a bend, (10, 10) → (20, 10), then the row's second step, perhaps with a circle
// or a text between them.
TEST(PaintRuns, ARunBreaksWhereThePenChangesOrTheNextStepDoesNotStartAtItsEnd) {
    struct Row {
        const char* what;
        int colour;
        int widthPx;
        PointMm from;
        char between;  // 'c' a circle, 't' a text
        std::vector<int> shape;
    };
    const Row rows[] = {
        {"same pen, joined", 9, 1, {20, 10}, ' ', {3}},
        {"another colour", 12, 1, {20, 10}, ' ', {2, 2}},
        {"another width", 9, 2, {20, 10}, ' ', {2, 2}},
        {"starts 1 µm off the end", 9, 1, {20, 10.001}, ' ', {2, 2}},
        {"a circle between", 9, 1, {20, 10}, 'c', {2, -1, 2}},
        {"a text between", 9, 1, {20, 10}, 't', {2, -2, 2}},
    };
    for (const Row& row : rows) {
        Picture picture;
        picture.line({10, 10}, {20, 10}, 9);
        if (row.between == 'c') {
            picture.circle({5, 5}, 1.0, 9);
        } else if (row.between == 't') {
            picture.print("a");
        }
        picture.setLineWidth(row.widthPx);
        picture.line(row.from, {20, 20}, row.colour);
        chart::PaintRuns runs;
        EXPECT_EQ(shapeOf(runs.update(picture).added), row.shape) << row.what;
    }
}

// A vertex is left out only within 0.004 mm of the line that replaces it; ends always stay.
TEST(PaintRuns, ThinningLeavesOutOnlyVerticesWithinTheTolerance) {
    struct Row {
        double bulgeMm;  // of the middle vertex off the chord from (0, 0) to (2, 0)
        std::size_t kept;
    };
    const Row rows[] = {{0.0, 2}, {0.0039, 2}, {-0.0039, 2}, {0.0041, 3}, {-0.0041, 3}, {1.0, 3}};
    for (const Row& row : rows) {
        const std::vector<PointMm> thinned = chart::thinnedRun({{0, 0}, {1, row.bulgeMm}, {2, 0}});
        ASSERT_EQ(thinned.size(), row.kept) << row.bulgeMm;
        EXPECT_EQ(thinned.front().X, 0.0);
        EXPECT_EQ(thinned.back().X, 2.0);
    }

    // A quarter circle of radius 50 mm in 400 steps (0.2 mm each, as fine as the chart's
    // volume lines): far fewer vertices, none of the old ones farther than the tolerance from
    // the new line.
    std::vector<PointMm> arc;
    for (int k = 0; k <= 400; ++k) {
        const double a = k * (std::acos(-1.0) / 2.0) / 400.0;
        arc.push_back({100.0 + 50.0 * std::cos(a), 100.0 - 50.0 * std::sin(a)});
    }
    const std::vector<PointMm> thinned = chart::thinnedRun(arc);
    EXPECT_LT(thinned.size(), arc.size() / 3);
    for (const PointMm p : arc) {
        double nearest = 1e9;
        for (std::size_t k = 1; k < thinned.size(); ++k) {
            nearest = std::min(nearest, distanceToSegment(p, thinned[k - 1], thinned[k]));
        }
        EXPECT_LE(nearest, 0.004) << p.X << ", " << p.Y;
    }
}

// The picture grows between updates as dialogs add marks.
TEST(PaintRuns, UpdatesHandOutOnlyWhatIsNewUnlessAPaintedRunContinues) {
    Picture picture;
    chart::PaintRuns runs;
    picture.line({10, 10}, {20, 10}, 9);
    picture.setTextPosition({5, 5});
    picture.print("1点");
    chart::PaintRuns::Update u = runs.update(picture);
    EXPECT_EQ(shapeOf(u.added), (std::vector<int>{2, -2}));

    // Nothing new, then a circle and the same text at the same place again.
    EXPECT_TRUE(runs.update(picture).added.empty());
    picture.circle({30, 30}, 0.7, 12);
    picture.setTextPosition({5, 5});
    picture.print("1点");
    u = runs.update(picture);
    EXPECT_FALSE(u.anew);
    EXPECT_EQ(shapeOf(u.added), (std::vector<int>{-1})) << "the repeated text is left out";

    // A line that does not continue the last item is new by itself; one that continues the
    // painted run makes the whole run one polyline again, from the start.
    picture.line({40, 40}, {50, 40}, 9);
    u = runs.update(picture);
    EXPECT_FALSE(u.anew);
    EXPECT_EQ(shapeOf(u.added), (std::vector<int>{2}));
    picture.line({50, 40}, {50, 50}, 9);
    u = runs.update(picture);
    EXPECT_TRUE(u.anew);
    EXPECT_EQ(shapeOf(u.added), (std::vector<int>{2, -2, -1, 3}));

    // After a clear the same text is printed again, as it is drawn again.
    picture.clear();
    picture.setTextPosition({5, 5});
    picture.print("1点");
    u = runs.update(picture);
    EXPECT_TRUE(u.anew);
    EXPECT_EQ(shapeOf(u.added), (std::vector<int>{-2}));
}

}  // namespace
