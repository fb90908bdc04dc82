// The picture view at a zoom of its own, with the drawn chart: zoom steps, scroll steps,
// pointer moves and resizes, each from the event to the screen. Built twice: at pixel ratio 1
// with the view at 1010 × 715 (view_bench), and at pixel ratio 2 with the view at 1920 × 1080,
// a maximised window on a 4K screen (view_hidpi_bench).
#include <benchmark/benchmark.h>

#include <QMouseEvent>

#include "bench_window.h"

#ifndef MILTEN_BENCH_PIXEL_RATIO
#define MILTEN_BENCH_PIXEL_RATIO 1
#endif

namespace {

constexpr double kRatio = MILTEN_BENCH_PIXEL_RATIO;
constexpr QSize kViewSize = kRatio == 1 ? QSize(1010, 715) : QSize(1920, 1080);

// The window with the drawn chart, the view at `zoom` scrolled to `offset`, everything painted.
struct ZoomedWindow : Window {
    ZoomedWindow(double zoom, QPoint offset)
        : Window(kViewSize.width(), kViewSize.height(), kRatio) {
        trigger("mnuDrawW");
        view()->setZoom(zoom);
        view()->scrollTo(offset);
        view()->settle();
        paintPending();
    }
    [[nodiscard]] bool ready(benchmark::State& state) const {
        if (view()->devicePixelRatio() != kRatio) {
            state.SkipWithError("the screen does not have the pixel ratio asked for");
            return false;
        }
        return checkView(state, *this, kViewSize);
    }
};

// One step of 拡大 or 縮小 (alternately, between zoom 2 and 2.5) to the screen: the kept image
// scaled; the sharp render waits until the steps pause.
void BM_ZoomStep(benchmark::State& state) {
    ZoomedWindow w(2.0, {600, 400});
    if (!w.ready(state)) {
        return;
    }
    bool in = false;
    for (auto _ : state) {
        in = !in;
        w.trigger(in ? "mnuViewZoomIn" : "mnuViewZoomOut");
        Window::paintPending();
    }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

// The sharp render after zoom steps pause: what is in view rendered at the new scale.
void BM_ZoomSettled(benchmark::State& state) {
    ZoomedWindow w(2.0, {600, 400});
    if (!w.ready(state)) {
        return;
    }
    bool in = false;
    for (auto _ : state) {
        in = !in;
        w.view()->setZoom(in ? 2.5 : 2.0);
        w.view()->settle();
        Window::paintPending();
    }
}
BENCHMARK(BM_ZoomSettled)->Unit(benchmark::kMillisecond);

// One scroll step of 40 pixels (two wheel notches), down and up alternately, at zoom 3.
void BM_ScrollStep(benchmark::State& state) {
    ZoomedWindow w(3.0, {900, 600});
    if (!w.ready(state)) {
        return;
    }
    bool down = false;
    for (auto _ : state) {
        down = !down;
        w.view()->scrollTo({900, down ? 640 : 600});
        Window::paintPending();
    }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMicrosecond);

// A pointer move over the zoomed, scrolled chart: the readout and the repaint of its labels.
void BM_PointerMoveZoomed(benchmark::State& state) {
    ZoomedWindow w(3.0, {900, 600});
    if (!w.ready(state)) {
        return;
    }
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
BENCHMARK(BM_PointerMoveZoomed)->Unit(benchmark::kMicrosecond);

// A live-resize step of the window at zoom 3 (10 × 7 pixels smaller and back).
void BM_ResizeZoomed(benchmark::State& state) {
    ZoomedWindow w(3.0, {900, 600});
    if (!w.ready(state)) {
        return;
    }
    bool small = false;
    for (auto _ : state) {
        small = !small;
        w.resizeView(kViewSize.width() - (small ? 10 : 0), kViewSize.height() - (small ? 7 : 0));
    }
}
BENCHMARK(BM_ResizeZoomed)->Unit(benchmark::kMillisecond);

}  // namespace
