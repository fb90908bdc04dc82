#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include "app/document.h"
#include "app/main_window.h"
#include "app/picture_view.h"
#include "chart/chart_drawing.h"
#include "chart/picture.h"
#include "dialogs/messages.h"
#include "render/picture_painter.h"

namespace {

int countRed(const QImage& image) {
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 100 && c.blue() < 100 ? 1 : 0;
        }
    }
    return red;
}

TEST(DrawMenu, DrawsTheChartErasesMarksAndRepaints) {
    dialogs::RecordedMessages messages;
    app::MainWindow window(messages);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    app::PictureView* view = window.pictureView();
    view->resize(1010, 715);
    EXPECT_EQ(countRed(view->grab().toImage()), 0);

    window.findChild<QAction*>("mnuDrawW")->trigger();
    const std::size_t drawn = window.picture().items().size();
    chart::Picture fresh;
    chart::drawChart(fresh, psychro::PressureRatio::standard(), chart::Units::Engineering);
    EXPECT_EQ(drawn, fresh.items().size());
    EXPECT_GT(countRed(view->grab().toImage()), 2000) << "the view shows the enthalpy lines";

    window.document().addEntry({.kind = chart::EntryKind::Pmv,
                                .states = {{"", {100.0, 100.0}, 0.01, 10.0}},
                                .lineFrom = std::nullopt,
                                .inputs = {},
                                .results = {}});
    ASSERT_GT(window.picture().items().size(), drawn);
    window.findChild<QAction*>("mnuDrawW")->trigger();
    EXPECT_EQ(window.picture().items().size(), drawn) << "the mark is gone";
    EXPECT_EQ(render::pictureImage(window.picture()), render::pictureImage(fresh));
    EXPECT_TRUE(messages.messages().empty());
}

}  // namespace
