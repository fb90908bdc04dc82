#include "app/picture_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/main_window.h"
#include "chart/chart_drawing.h"
#include "chart/chart_marks.h"
#include "chart/picture.h"
#include "dialogs/messages.h"
#include "render/picture_painter.h"

namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;

class KeptImage : public testing::Test {
  protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        view = window.pictureView();
        resizeView(700, 500);
    }
    void resizeView(int width, int height) {
        window.resize(window.width() - view->width() + width,
                      window.height() - view->height() + height);
        QApplication::processEvents();
        ASSERT_EQ(view->size(), QSize(width, height));
    }

    // What the view shows (without its child controls) on a device of the given pixel ratio.
    QImage shown(double ratio) const {
        QImage image((QSizeF(view->size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        view->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return image;
    }

    // The display list replayed from scratch onto the same surface.
    QImage fresh(double ratio) {
        QImage image((QSizeF(view->size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(view->palette().color(QPalette::Window));
        QPainter painter(&image);
        painter.scale(view->pixelsPerMm(), view->pixelsPerMm());
        const QRectF surface(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight);
        painter.fillRect(surface, Qt::white);
        painter.setClipRect(surface);
        render::paintPicture(painter, window.picture());
        return image;
    }

    void expectFresh(const char* after, double ratio = 1.0) {
        const QImage a = shown(ratio);
        const QImage b = fresh(ratio);
        ASSERT_EQ(a.size(), b.size()) << after;
        EXPECT_TRUE(a == b) << "after " << after << " at pixel ratio " << ratio;
    }

    QDialog* pointDialog() {
        window.findChild<QAction*>("mnuDrawPoint")->trigger();
        return window.findChild<QDialog*>("Form2");
    }

    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
    app::PictureView* view = nullptr;
};

// The kept image never shows a stale picture, whichever way the picture changed.
TEST_F(KeptImage, EqualsAFreshReplayAfterEveryChange) {
    expectFresh("opening");
    window.findChild<QAction*>("mnuDrawW")->trigger();
    expectFresh("the chart command");

    // A point from the point dialog: circle and label, announced by the dialog's signal.
    QDialog* form2 = pointDialog();
    ASSERT_NE(form2, nullptr);
    for (int k : {3, 6}) {
        form2->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(k))->click();
    }
    form2->findChild<QLineEdit*>("Text3")->setText(QStringLiteral("20"));
    form2->findChild<QLineEdit*>("Text6")->setText(QStringLiteral("50"));
    form2->findChild<QPushButton*>("Command1")->click();
    ASSERT_EQ(messages.texts().size(), 0);
    expectFresh("a point from the dialog");
    window.undo();  // the image from before the point comes back
    expectFresh("the point undone");
    window.redo();
    expectFresh("the point redone");

    // A process line, then one continuing it straight on in the same colour: a fresh replay
    // paints the pair as one line, so the view must not paint the second by itself.
    // Changes no command makes, written straight into the scene's picture: the view must show
    // whatever the picture holds.
    auto& picture = const_cast<chart::Picture&>(window.picture());
    chart::processLine(picture, {50.0, 50.0}, {80.0, 60.0});
    view->refresh();
    expectFresh("a process line");
    chart::processLine(picture, {80.0, 60.0}, {110.0, 70.0});
    view->refresh();
    expectFresh("a line continuing the last one");

    // A text printed again where it stands is painted once in a replay.
    picture.setTextPosition({104.15, 175.0});
    picture.print("比容積 v [m3/kg(DA)]");
    view->refresh();
    expectFresh("a repeated title");

    resizeView(900, 600);
    expectFresh("a resize");
    expectFresh("a change of pixel ratio", 2.0);
    expectFresh("the pixel ratio back", 1.0);

    // Cleared and drawn again with as many items as before, a mark elsewhere.
    const std::size_t before = picture.items().size();
    picture.clear();
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    chart::markState(picture, {30.0, 40.0}, "x");
    chart::processLine(picture, {0.0, 0.0}, {1.0, 1.0});
    picture.setTextPosition({1.0, 1.0});
    picture.print("y");
    picture.print("z");
    ASSERT_EQ(picture.items().size(), before);
    view->refresh();
    expectFresh("clear and a new drawing of the same length");

    picture.clear();
    view->refresh();
    expectFresh("clear");
    EXPECT_TRUE(messages.texts().isEmpty());
}

// Form1 holds the surface 120 twips from its left edge (8 pixels at 96 dpi); the pointer, the
// readout frame and the pressure label follow it.
TEST(FormLayout, SurfaceStandsAt120TwipsAndEverythingFollows) {
    dialogs::RecordedMessages messages;
    app::MainWindow window(messages);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    app::PictureView* view = window.pictureView();
    QWidget* area = window.centralWidget();
    ASSERT_EQ(view->parentWidget(), area);
    ASSERT_EQ(area->logicalDpiX(), 96);
    window.resize(window.width() - view->width() + 534, window.height() - view->height() + 500);
    QApplication::processEvents();
    ASSERT_DOUBLE_EQ(view->pixelsPerMm(), 2.0);
    EXPECT_EQ(view->pos(), QPoint(8, 0));
    EXPECT_EQ(area->width(), 8 + 534);

    auto* frame = window.findChild<QGroupBox*>("Frame1");
    const QPoint frameAt = frame->mapTo(area, QPoint(0, 0));
    EXPECT_NEAR(frameAt.x(), 8 + 2.0 * 12360 / kTwipsPerMm, 1.0);
    EXPECT_NEAR(frameAt.y(), 2.0 * 7680 / kTwipsPerMm, 1.0);
    const QPoint labelAt = window.findChild<QLabel*>("Label20")->mapTo(area, QPoint(0, 0));
    EXPECT_NEAR(labelAt.x(), 8 + 2.0 * 12600 / kTwipsPerMm, 1.0);
    EXPECT_EQ(labelAt.y(), 0);

    // Pointer positions given in the form's client area.
    QSignalSpy moved(view, &app::PictureView::pointerMoved);
    QTest::mouseMove(area, QPoint(8 + 300, 200));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_FLOAT_EQ(moved[0][0].toFloat(), 150.0f);
    EXPECT_FLOAT_EQ(moved[0][1].toFloat(), 100.0f);
    EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "34.2");
    QTest::mouseMove(area, QPoint(8, 0));
    ASSERT_EQ(moved.count(), 2);
    EXPECT_FLOAT_EQ(moved[1][0].toFloat(), 0.0f);
    // Left of the surface the form itself is under the pointer: no readout.
    QTest::mouseMove(area, QPoint(4, 100));
    EXPECT_EQ(moved.count(), 2);
}

}  // namespace
