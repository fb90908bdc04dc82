#include <benchmark/benchmark.h>
#include <malloc.h>

#include <unistd.h>

#include <fstream>
#include <memory>

#include "app/data_dock.h"
#include "bench_window.h"
#include "data/zones.h"

namespace {

// The bytes the program's heap holds now (small blocks and mapped ones alike).
double heldBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// The resident set, as /proc/self/statm counts it (the heap's freed pages included until they
// are given back).
double residentBytes() {
    std::ifstream statm("/proc/self/statm");
    double size = 0.0;
    double resident = 0.0;
    statm >> size >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// A dated logger of `rows` rows, one a minute, between 15 and 32 °C and 2 and 20 g/kg(DA).
std::shared_ptr<const data::DataSet> loggedRows(int rows) {
    auto set = std::make_shared<data::DataSet>();
    set->name = "logger";
    set->readings.reserve(static_cast<std::size_t>(rows));
    set->times.reserve(static_cast<std::size_t>(rows));
    const std::uint32_t start = data::minutesOf({2024, 1, 1, 0, 0});
    for (int k = 0; k < rows; ++k) {
        set->readings.push_back({15.0F + static_cast<float>(k % 171) * 0.1F,
                                 0.002F + static_cast<float>(k % 181) * 0.0001F});
        set->times.push_back(start + static_cast<std::uint32_t>(k));
    }
    return set;
}

// What the window holds for a million rows once it shows them with two zones counted (a range
// and a comfort zone): the rows themselves, the points' image, the counts and whatever copies
// the steps keep. Reported as heldMB (the heap's live bytes) beside the rows' own 12 MB, and as
// residentMB (what the system sees the program hold).
void BM_WindowMillionRowsTwoZones(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<Window>();
        Window::paintPending();
        malloc_trim(0);
        const double before = heldBytes();
        const double residentBefore = residentBytes();
        state.ResumeTiming();
        {
            data::DataLayer layer;
            layer.set = loggedRows(1'000'000);
            w->window.dataDock()->addData(std::move(layer));
        }
        w->window.dataDock()->addZone(data::buildingHygieneZone());
        w->window.dataDock()->addZone(data::Zone(data::PmvZone{.name = "PMV ±0.5",
                                                               .met = 1.1,
                                                               .clo = 0.5,
                                                               .vel = 0.1,
                                                               .tr = std::nullopt,
                                                               .limit = 0.5}));
        Window::paintPending();
        state.counters["heldMB"] = (heldBytes() - before) / 1.0e6;
        state.counters["residentMB"] = (residentBytes() - residentBefore) / 1.0e6;
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowMillionRowsTwoZones)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
