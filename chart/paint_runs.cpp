#include "chart/paint_runs.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace chart {
namespace {

double distanceToSegment(PointMm p, PointMm a, PointMm b) {
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    const double length2 = dx * dx + dy * dy;
    double u = length2 > 0.0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2 : 0.0;
    u = std::clamp(u, 0.0, 1.0);
    return std::hypot(p.X - (a.X + u * dx), p.Y - (a.Y + u * dy));
}

}  // namespace

bool continuesRun(const LineItem& last, const LineItem& next) {
    return next.colour == last.colour && next.widthPx == last.widthPx &&
           next.dashed == last.dashed && next.from.X == last.to.X && next.from.Y == last.to.Y;
}

// Every range taken from the stack is either final or split into two strictly shorter ones, so
// the loop ends after fewer than 2n ranges.
std::vector<PointMm> thinnedRun(const std::vector<PointMm>& points, double toleranceMm) {
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
        if (farthest > toleranceMm) {
            keep[at] = true;
            ranges.emplace_back(a, at);
            ranges.emplace_back(at, b);
        }
    }
    std::vector<PointMm> kept;
    for (std::size_t k = 0; k < n; ++k) {
        if (keep[k]) {
            kept.push_back(points[k]);
        }
    }
    return kept;
}

PaintRuns::Update PaintRuns::update(const Picture& picture) {
    const std::vector<PictureItem>& items = picture.items();
    bool anew = picture.revision() != revision_ || items.size() < itemCount_;
    if (!anew && items.size() > itemCount_ && itemCount_ > 0) {
        const auto* last = std::get_if<LineItem>(&items[itemCount_ - 1]);
        const auto* next = std::get_if<LineItem>(&items[itemCount_]);
        anew = last != nullptr && next != nullptr && continuesRun(*last, *next);
    }
    if (!anew) {
        return {false, stepsFrom(picture, itemCount_)};
    }
    printed_.clear();
    revision_ = picture.revision();
    return {true, stepsFrom(picture, 0)};
}

std::vector<PaintStep> PaintRuns::stepsFrom(const Picture& picture, std::size_t firstItem) {
    const std::vector<PictureItem>& items = picture.items();
    std::vector<PaintStep> steps;
    std::size_t k = firstItem;
    while (k < items.size()) {
        const PictureItem& item = items[k];
        ++k;
        if (const auto* line = std::get_if<LineItem>(&item)) {
            std::vector<PointMm> points{line->from, line->to};
            const LineItem* last = line;
            while (k < items.size()) {
                const auto* next = std::get_if<LineItem>(&items[k]);
                if (next == nullptr || !continuesRun(*last, *next)) {
                    break;
                }
                points.push_back(next->to);
                last = next;
                ++k;
            }
            steps.emplace_back(
                LineRun{thinnedRun(points), line->colour, line->widthPx, line->dashed});
        } else if (const auto* circle = std::get_if<CircleItem>(&item)) {
            steps.emplace_back(*circle);
        } else if (const auto* text = std::get_if<TextItem>(&item)) {
            if (printed_
                    .emplace(text->position.X, text->position.Y, text->text, text->heightPx,
                             text->angleDeg)
                    .second) {
                steps.emplace_back(*text);
            }
        }
    }
    itemCount_ = items.size();
    return steps;
}

}  // namespace chart
