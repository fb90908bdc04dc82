#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <QImage>
#include <QPainter>

#include "bench_window.h"
#include "data/data_layer.h"
#include "data/readers.h"
#include "data/zones.h"
#include "render/data_layer_painter.h"

namespace {

// A logger's file of `rows` rows, one every minute, between 15 and 32 °C and 30 and 80 %.
std::string loggerFile(int rows) {
    std::string text = "日時,温度(℃),湿度(%RH)\n";
    text.reserve(static_cast<std::size_t>(rows) * 34);
    for (int k = 0; k < rows; ++k) {
        const int minute = k % 60;
        const int hour = (k / 60) % 24;
        const int day = (k / 1440) % 28 + 1;
        const int month = (k / 40320) % 12 + 1;
        char row[64];
        std::snprintf(row, sizeof row, "2024/%02d/%02d %02d:%02d,%.1f,%.1f\n", month, day, hour,
                      minute, 15.0 + (k % 171) * 0.1, 30.0 + (k % 501) * 0.1);
        text += row;
    }
    return text;
}

// A year of weather, 8,760 hours.
std::string weatherYear() {
    std::string text = "LOCATION,Tokyo,TKY,JPN,SWEC,476620,35.69,139.77,9.0,6.0\n";
    for (int k = 0; k < 7; ++k) {
        text += "HEADER,0\n";
    }
    for (int h = 0; h < 8760; ++h) {
        char row[160];
        std::snprintf(row, sizeof row, "2001,%d,%d,%d,60,x,%.1f,9.3,%d,101000,0,0\n",
                      h / 730 % 12 + 1, h / 24 % 28 + 1, h % 24 + 1, -2.0 + (h % 370) * 0.1,
                      20 + h % 80);
        text += row;
    }
    return text;
}

void BM_ReadCsvMillionRows(benchmark::State& state) {
    const std::string file = loggerFile(1000000);
    for (auto _ : state) {
        const auto read = data::readCsv(file, {psychro::PressureRatio::standard(), {}, {}});
        benchmark::DoNotOptimize(read->set.readings.data());
        state.counters["rows"] = static_cast<double>(read->report.rowsRead);
        state.counters["heldMB"] = static_cast<double>(read->set.readings.capacity() * 8 +
                                                       read->set.pressures.capacity() * 4 +
                                                       read->set.times.capacity() * 4) /
                                   1.0e6;
    }
}
BENCHMARK(BM_ReadCsvMillionRows)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ReadEpwYear(benchmark::State& state) {
    const std::string file = weatherYear();
    for (auto _ : state) {
        const auto read = data::readEpw(file);
        benchmark::DoNotOptimize(read->set.readings.data());
    }
}
BENCHMARK(BM_ReadEpwYear)->Unit(benchmark::kMillisecond);

// A year of weather read and its layer built: the hours per cell, and the points' image for a
// 1920-pixel-wide view.
void BM_ReadEpwYearAndBuildLayer(benchmark::State& state) {
    const std::string file = weatherYear();
    const double dotsPerMm = 1920.0 / 267.0;
    for (auto _ : state) {
        const auto read = data::readEpw(file);
        const auto standard = psychro::PressureRatio::standard();
        benchmark::DoNotOptimize(data::hourCells(data::placedStates(read->set, standard)));
        render::DataLayerPainter layer(read->set, data::LayerStyle::Points, QColor(230, 97, 1),
                                       standard, QString());
        benchmark::DoNotOptimize(layer.pointsImage(dotsPerMm));
    }
}
BENCHMARK(BM_ReadEpwYearAndBuildLayer)->Unit(benchmark::kMillisecond);

// A million points painted on a 1920 × 1080 view from the layer kept as an image (what every
// paint costs once the layer is built; building it is measured apart).
void BM_PaintMillionPointLayer(benchmark::State& state) {
    ensureApplication();
    const auto read =
        data::readCsv(loggerFile(1000000), {psychro::PressureRatio::standard(), {}, {}});
    QImage view(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    const double dotsPerMm = 1920.0 / 267.0;
    const bool hours = state.range(0) == 1;
    render::DataLayerPainter layer(
        read->set, hours ? data::LayerStyle::Hours : data::LayerStyle::Points, QColor(230, 97, 1),
        psychro::PressureRatio::standard(), QString());
    {
        QPainter first(&view);
        first.scale(dotsPerMm, dotsPerMm);
        layer.paint(first, dotsPerMm);  // builds the image
    }
    for (auto _ : state) {
        view.fill(Qt::white);
        QPainter painter(&view);
        painter.scale(dotsPerMm, dotsPerMm);
        layer.paint(painter, dotsPerMm);
    }
}
BENCHMARK(BM_PaintMillionPointLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Building the points' image of a million rows for a 1920-pixel-wide view.
void BM_BuildMillionPointImage(benchmark::State& state) {
    const auto read =
        data::readCsv(loggerFile(1000000), {psychro::PressureRatio::standard(), {}, {}});
    for (auto _ : state) {
        render::DataLayerPainter layer(read->set, data::LayerStyle::Points, QColor(230, 97, 1),
                                       psychro::PressureRatio::standard(), QString());
        benchmark::DoNotOptimize(layer.pointsImage(1920.0 / 267.0));
    }
}
BENCHMARK(BM_BuildMillionPointImage)->Unit(benchmark::kMillisecond);

void BM_PmvZoneOutline(benchmark::State& state) {
    const data::Zone zone = data::PmvZone{"PMV", 1.1, 0.5, 0.1, {}, 0.5};
    for (auto _ : state) {
        benchmark::DoNotOptimize(data::zoneOutline(zone, psychro::PressureRatio::standard()));
    }
}
BENCHMARK(BM_PmvZoneOutline)->Unit(benchmark::kMillisecond);

void BM_CountPmvZoneYear(benchmark::State& state) {
    const auto read = data::readEpw(weatherYear());
    const data::Zone zone = data::PmvZone{"PMV", 1.1, 0.5, 0.1, {}, 0.5};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            data::countInside(zone, read->set, psychro::PressureRatio::standard()));
    }
}
BENCHMARK(BM_CountPmvZoneYear)->Unit(benchmark::kMillisecond);

}  // namespace
