#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <memory>
#include <string>

#include "app/data_dock.h"
#include "app/document.h"
#include "bench_window.h"
#include "chart/chart_drawing.h"
#include "chart/chart_marks.h"
#include "chart/design_entry.h"
#include "chart/marked_work.h"
#include "chart/picture.h"
#include "data/data_part.h"
#include "dialogs/point_dialog.h"
#include "psychro/atmosphere.h"
#include "render/japanese.h"
#include "render/picture_painter.h"
#include "render/picture_plan.h"

// The window benchmarks use only what the main window offers its menus and dialogs, so that the
// same file measures the program before and after a change to the view.

namespace {

// The whole chart into the display list: 53 dew-point searches, the volume lines' inner
// steps with their saturation pressures; some 13 000 items, most of them short volume-line
// segments.
void BM_DrawChart(benchmark::State& state) {
    chart::Picture picture;
    for (auto _ : state) {
        chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
        benchmark::DoNotOptimize(picture.items().data());
    }
    state.counters["items"] = static_cast<double>(picture.items().size());
}
BENCHMARK(BM_DrawChart)->Unit(benchmark::kMillisecond);

// The same at 5,000 m in SI units: the volume lines run longer before they meet the raised
// saturation curve.
void BM_DrawChartHighSite(benchmark::State& state) {
    chart::Picture picture;
    const psychro::PressureRatio ratio = psychro::lowestPressureRatio();
    for (auto _ : state) {
        chart::drawChart(picture, ratio, chart::Units::SI);
        benchmark::DoNotOptimize(picture.items().data());
    }
    state.counters["items"] = static_cast<double>(picture.items().size());
}
BENCHMARK(BM_DrawChartHighSite)->Unit(benchmark::kMillisecond);

// The drawn chart rendered whole, as the view renders it at a size of width × height
// device-independent pixels and a pixel ratio: 1010 × 715 is the natural size, 1920 × 1080 at
// ratio 2 a maximised window on a 4K screen.
void BM_RenderChart(benchmark::State& state) {
    ensureApplication();
    chart::Picture picture;
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    const auto width = static_cast<int>(state.range(0));
    const auto height = static_cast<int>(state.range(1));
    const auto ratio = static_cast<double>(state.range(2));
    QImage image(static_cast<int>(width * ratio), static_cast<int>(height * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    const double scale = std::min(width / chart::kPictureWidth, height / chart::kPictureHeight);
    const QRectF surface(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight);
    for (auto _ : state) {
        image.fill(Qt::lightGray);
        QPainter painter(&image);
        painter.scale(scale, scale);
        painter.fillRect(surface, Qt::white);
        painter.setClipRect(surface);
        render::paintPicture(painter, picture);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderChart)
    ->Args({1010, 715, 1})
    ->Args({1920, 1080, 2})
    ->Unit(benchmark::kMillisecond);

// The same render from a kept replay plan, as the view renders the chart again after a resize
// (from a second size of the same whole-pixel font em, as a live resize mostly meets it).
void BM_RenderChartKept(benchmark::State& state) {
    ensureApplication();
    chart::Picture picture;
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    const render::PicturePlan plan(picture);
    const auto width = static_cast<int>(state.range(0));
    const auto height = static_cast<int>(state.range(1));
    const auto ratio = static_cast<double>(state.range(2));
    QImage image(static_cast<int>(width * ratio), static_cast<int>(height * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    const QRectF surface(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight);
    bool second = false;
    for (auto _ : state) {
        second = !second;
        const double scale =
            std::min(width / chart::kPictureWidth, height / chart::kPictureHeight) *
            (second ? 0.99 : 1.0);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        painter.setClipRect(surface);
        plan.paint(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderChartKept)
    ->Args({1010, 715, 1})
    ->Args({1920, 1080, 2})
    ->Unit(benchmark::kMillisecond);

// The Draw menu's chart command from the menu to the screen: clear, draw, render, show.
void BM_ChartCommand(benchmark::State& state) {
    Window w;
    if (!checkView(state, w, {1010, 715})) {
        return;
    }
    for (auto _ : state) {
        w.trigger("mnuDrawW");
        Window::paintPending();
    }
}
BENCHMARK(BM_ChartCommand)->Unit(benchmark::kMillisecond);

// One mark as a dialog adds it (circle and label) to the drawn chart: a step of the document,
// drawn by the scene, to the screen.
void BM_AddMark(benchmark::State& state) {
    Window w;
    if (!checkView(state, w, {1010, 715})) {
        return;
    }
    w.trigger("mnuDrawW");
    w.trigger("mnuDrawPoint");
    auto* dialog = w.window.findChild<dialogs::PointDialog*>();
    if (dialog == nullptr) {
        state.SkipWithError("no point dialog");
        return;
    }
    dialog->hide();
    Window::paintPending();
    int count = 0;
    for (auto _ : state) {
        ++count;
        const chart::PointMm at{20.0 + (count % 170), 20.0 + (count / 170 % 130)};
        w.window.document().addEntry({.kind = chart::EntryKind::ProcessStart,
                                      .states = {{std::to_string(count) + "点", at, 0.01, 10.0}},
                                      .lineFrom = std::nullopt,
                                      .inputs = {},
                                      .results = {}});
        Window::paintPending();
    }
}
BENCHMARK(BM_AddMark)->Unit(benchmark::kMicrosecond);

// One air-handling design as its dialog adds it to the drawn chart (five states with their
// labels, the mixing, SHF and coil lines and the dashed extension to the ADP), the same way:
// the cost to set beside one mark's.
void BM_AddDesign(benchmark::State& state) {
    Window w;
    if (!checkView(state, w, {1010, 715})) {
        return;
    }
    w.trigger("mnuDrawW");
    w.trigger("mnuDrawPoint");
    auto* dialog = w.window.findChild<dialogs::PointDialog*>();
    const auto entry = chart::designEntry(
        {true, {0.0104883, 12.624925}, {0.0200816, 20.207014}, {10000, 2000, 25, 10}, {}, {}},
        psychro::PressureRatio::standard());
    if (dialog == nullptr || !entry) {
        state.SkipWithError("no point dialog or no design");
        return;
    }
    dialog->hide();
    Window::paintPending();
    for (auto _ : state) {
        w.window.document().addEntry(*entry);
        Window::paintPending();
    }
}
BENCHMARK(BM_AddDesign)->Unit(benchmark::kMicrosecond);

// Repainting the drawn chart without a change to it: the whole view, and the part a dialog
// of 400 × 300 pixels uncovers.
void BM_Repaint(benchmark::State& state) {
    Window w;
    if (!checkView(state, w, {1010, 715})) {
        return;
    }
    w.trigger("mnuDrawW");
    Window::paintPending();
    const QRect exposed = state.range(0) == 0 ? w.view()->rect() : QRect(300, 200, 400, 300);
    for (auto _ : state) {
        w.view()->repaint(exposed);
    }
}
BENCHMARK(BM_Repaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A pointer move over the drawn chart to the screen: the readout and the repaint of its labels;
// with 1: over a year of hourly data shown as points under the chart, which a move must not
// paint again.
void BM_PointerMove(benchmark::State& state) {
    Window w;
    if (!checkView(state, w, {1010, 715})) {
        return;
    }
    w.trigger("mnuDrawW");
    if (state.range(0) == 1) {
        auto year = std::make_shared<data::DataSet>();
        year->hourly = true;
        for (int h = 0; h < 8760; ++h) {
            year->readings.push_back(
                {static_cast<float>(5 + h % 30), static_cast<float>(0.002 + 0.00001 * (h % 1000))});
        }
        data::DataLayer layer;
        layer.set = std::move(year);
        w.window.dataDock()->addData(std::move(layer));
    }
    Window::paintPending();
    int k = 0;
    for (auto _ : state) {
        ++k;
        const QPointF at(300.0 + (k % 200), 200.0 + (k / 200 % 100));
        QMouseEvent move(QEvent::MouseMove, at, w.view()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w.view(), &move);
        Window::paintPending();
    }
}
BENCHMARK(BM_PointerMove)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A live resize step of the window with the drawn chart, between 1010 × 715 and 1000 × 708.
void BM_Resize(benchmark::State& state) {
    Window w;
    if (!checkView(state, w, {1010, 715})) {
        return;
    }
    w.trigger("mnuDrawW");
    Window::paintPending();
    bool small = false;
    for (auto _ : state) {
        small = !small;
        w.resizeView(small ? 1000 : 1010, small ? 708 : 715);
    }
}
BENCHMARK(BM_Resize)->Unit(benchmark::kMillisecond);

}  // namespace
