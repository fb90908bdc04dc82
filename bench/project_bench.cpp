#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "chart/chart_frame.h"
#include "chart/marked_work.h"
#include "files/project_document.h"

// The project file's writer and reader at 100, 1,000 and 10,000 entries (numbered points along
// the 50 % line, as the point dialog marks them), the sizes the recovery file and an open meet.

namespace {

chart::MarkedWork pointsWork(std::size_t count) {
    chart::MarkedWork work{
        .chartDrawn = true, .entries = {}, .settings = chart::Settings::standard(), .title = {}};
    for (std::size_t k = 0; k < count; ++k) {
        const double x = 0.004 + 0.012 * static_cast<double>(k % 100) / 100.0;
        const double i = 5.0 + 12.0 * static_cast<double>(k % 100) / 100.0;
        const chart::PointMm p = chart::statePoint(i, 1000.0 * x);
        const chart::PointMm at{static_cast<float>(p.X), static_cast<float>(p.Y)};
        const double number = static_cast<double>(k + 1);
        work.entries.push_back({chart::EntryKind::Point,
                                {{std::to_string(k + 1) + "点", at, x, i}},
                                std::nullopt,
                                {{"x", x}, {"i", i}},
                                {{"number", number}}});
    }
    return work;
}

void BM_WriteProject(benchmark::State& state) {
    const chart::MarkedWork work = pointsWork(static_cast<std::size_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = files::projectText(work);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteProject)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadProject(benchmark::State& state) {
    const std::string text =
        files::projectText(pointsWork(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        const auto work = files::readProject(text);
        if (!work) {
            state.SkipWithError("the file was refused");
            break;
        }
        benchmark::DoNotOptimize(work->work.entries.data());
    }
}
BENCHMARK(BM_ReadProject)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
