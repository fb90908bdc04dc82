#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "app/japanese.h"
#include "app/picture_painter.h"
#include "chart/chart_drawing.h"
#include "chart/picture.h"

namespace {

// Painting needs the application's font database; one application serves every run.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "chart_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static QApplication application(argc, argv);
        app::installJapanese(application);
    }
}

// The whole chart into the display list: 53 dew-point searches, the volume lines' inner
// steps with their saturation pressures; some 13 000 items, most of them short volume-line
// segments.
void BM_DrawChart(benchmark::State& state) {
    chart::Picture picture;
    for (auto _ : state) {
        chart::drawChart(picture);
        benchmark::DoNotOptimize(picture.items().data());
    }
    state.counters["items"] = static_cast<double>(picture.items().size());
}
BENCHMARK(BM_DrawChart)->Unit(benchmark::kMillisecond);

// The drawn chart painted into a 1010 × 715 image at 96 dpi, as the view paints it at natural
// size.
void BM_PaintChart(benchmark::State& state) {
    ensureApplication();
    chart::Picture picture;
    chart::drawChart(picture);
    QImage image(1010, 715, QImage::Format_RGB32);
    const double dotsPerMm = 96.0 / 25.4;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(dotsPerMm, dotsPerMm);
        painter.setClipRect(QRectF(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight));
        app::paintPicture(painter, picture);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintChart)->Unit(benchmark::kMillisecond);

}  // namespace
