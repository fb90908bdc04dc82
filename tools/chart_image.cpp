// Draws the chart and saves it as a PNG at 96 dpi (1010 × 715 pixels), as the screen shows it
// at natural size. Used for the picture in the README:
//   QT_QPA_PLATFORM=offscreen build/dev/tools/chart_image docs/chart.png
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "chart/chart_drawing.h"
#include "chart/picture.h"
#include "render/japanese.h"
#include "render/picture_painter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: chart_image OUTPUT.png\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    render::installJapanese(application);
    chart::Picture picture;
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    if (!render::pictureImage(picture).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "chart_image: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
