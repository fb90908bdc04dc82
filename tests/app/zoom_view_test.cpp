#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <vector>

#include "app/document.h"
#include "app/main_window.h"
#include "app/picture_view.h"
#include "chart/chart_drawing.h"
#include "chart/chart_marks.h"
#include "dialogs/messages.h"

namespace {

constexpr double kNaturalPixelsPerMm = 96.0 / 25.4;
// The value labels in the order x, i, t, t′, v, φ.
constexpr const char* kValueLabels[] = {"Label5", "Label4", "Label3", "Label8", "Label7", "Label6"};

class ZoomView : public testing::Test {
  protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        view = window.pictureView();
        resizeView(534, 500);  // two pixels per millimetre when fitted
    }
    void resizeView(int width, int height) {
        window.resize(window.width() - view->width() + width,
                      window.height() - view->height() + height);
        QApplication::processEvents();
    }
    void trigger(const char* name) { window.findChild<QAction*>(name)->trigger(); }
    void moveTo(QPointF at, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    QStringList labels() const {
        QStringList texts;
        for (const char* name : kValueLabels) {
            texts << window.findChild<QLabel*>(name)->text();
        }
        return texts;
    }
    // What the view shows, children left out.
    QImage shown() const {
        QImage image(view->size(), QImage::Format_RGB32);
        view->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return image;
    }

    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
    app::PictureView* view = nullptr;
};

// Picture points (mm) with numbers, fog, the frame's corner and the outside.
const QPointF kPoints[] = {{150.0, 100.0}, {60.5, 140.25}, {100.0, 20.0},
                           {208.0, 160.0}, {210.0, 100.0}, {31.75, 3.5}};

TEST_F(ZoomView, ReadoutUnderThePointerIsTheSameAtEveryZoomAndScroll) {
    ASSERT_DOUBLE_EQ(view->pixelsPerMm(), 2.0);
    std::vector<QStringList> atFit;
    for (const QPointF p : kPoints) {
        moveTo(p * 2.0);
        atFit.push_back(labels());
    }
    EXPECT_EQ(atFit[0][2], "34.2");

    for (const double zoom : {0.5, 1.7, 3.0}) {
        view->setZoom(zoom);
        const double scale = zoom * kNaturalPixelsPerMm;
        ASSERT_DOUBLE_EQ(view->pixelsPerMm(), scale);
        for (std::size_t k = 0; k < std::size(kPoints); ++k) {
            // Scrolled to bring the point near the middle, as far as the surface reaches.
            const QPointF centre = QRectF(view->viewport()).center();
            view->scrollTo((kPoints[k] * scale - centre).toPoint());
            const QPointF at = kPoints[k] * scale - QPointF(view->scrollOffset());
            ASSERT_TRUE(QRectF(view->viewport()).contains(at)) << zoom << ", point " << k;
            moveTo(at);
            EXPECT_EQ(labels(), atFit[k]) << "zoom " << zoom << ", point " << k;
        }
    }

    // Panned by a middle-button drag: the surface follows the pointer.
    view->setZoom(3.0);
    view->scrollTo({400, 300});
    QTest::mousePress(view, Qt::MiddleButton, {}, QPoint(300, 200));
    moveTo(QPointF(250, 180), Qt::MiddleButton);
    QTest::mouseRelease(view, Qt::MiddleButton, {}, QPoint(250, 180));
    EXPECT_EQ(view->scrollOffset(), QPoint(450, 320));
    const double scale = 3.0 * kNaturalPixelsPerMm;
    moveTo(kPoints[0] * scale - QPointF(450, 320));
    EXPECT_EQ(labels(), atFit[0]);
}

TEST_F(ZoomView, CtrlWheelZoomsAboutThePointer) {
    view->setZoom(2.0);  // far from the surface's edges, where the scroll offset is bounded
    view->scrollTo({500, 400});
    const QPointF at(300.0, 150.0);
    for (const int notches : {120, 120, 240, -120}) {
        const QPointF before = view->pictureAt(at);
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, notches), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        // Scroll offsets are whole pixels: the point stays within half a pixel.
        const QPointF after = view->pictureAt(at);
        const double halfPixel = 0.5 / view->pixelsPerMm() + 1e-9;
        EXPECT_NEAR(after.x(), before.x(), halfPixel) << notches;
        EXPECT_NEAR(after.y(), before.y(), halfPixel) << notches;
    }
    EXPECT_NEAR(view->zoom(), 2.0 * std::pow(1.25, 3.0), 1e-12);

    // A plain wheel scrolls under the still pointer: the readout reads the point now under it,
    // as a move there would.
    view->scrollTo((kPoints[0] * view->pixelsPerMm() - at).toPoint());
    moveTo(at);
    const QStringList before = labels();
    QWheelEvent scroll(at, view->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &scroll);
    const QStringList scrolled = labels();
    moveTo(at);
    EXPECT_NE(scrolled, before);
    EXPECT_EQ(scrolled, labels());

    // Bounded both ways.
    view->setZoom(100.0);
    EXPECT_EQ(view->zoom(), 8.0);
    view->setZoom(0.01);
    EXPECT_EQ(view->zoom(), 0.25);
}

// Zoomed, the readout frame and the pressure line keep the places they have fitted to the
// window, wherever the view is scrolled: the frame as far from the bottom-right corner of the part
// of the surface in view as from the fitted surface's, the line at its top-right, at their
// fitted sizes (two 拡大 in 1010 × 715 once left 4 % of the frame in view, and any zoom moved
// them over the enthalpy scale at the top left); fitted again they stand where start-up put them,
// to the pixel.
TEST_F(ZoomView, ReadoutFrameAndPressureLineKeepTheirCorners) {
    const auto* frame = window.findChild<QWidget*>("Frame1");
    const auto* line = window.findChild<QWidget*>("Label20");
    for (const QSize size : {QSize(1010, 715), QSize(1366, 768)}) {
        window.resize(size);
        QApplication::processEvents();
        const QRect frameAtStart = frame->geometry();
        const QRect lineAtStart = line->geometry();
        // The fitted surface's right and bottom edges, pixels.
        const QPointF fittedEdge = view->widgetAt({267.0, 189.0});
        for (const char* step : {"mnuViewZoomIn", "mnuViewZoomIn", "mnuViewZoomIn", "mnuViewActual",
                                 "mnuViewZoomOut"}) {
            trigger(step);
            for (const QPoint to : {QPoint(0, 0), QPoint(100000, 100000), QPoint(150, 90)}) {
                view->scrollTo(to);
                const QRectF surface(view->widgetAt({0.0, 0.0}), view->widgetAt({267.0, 189.0}));
                const QRectF shown = surface & QRectF(view->viewport());
                EXPECT_EQ(frame->size(), frameAtStart.size()) << step;
                EXPECT_EQ(line->size(), lineAtStart.size()) << step;
                EXPECT_NEAR(shown.right() - (frame->x() + frame->width()),
                            fittedEdge.x() - (frameAtStart.x() + frameAtStart.width()), 1.0)
                    << step;
                EXPECT_NEAR(shown.bottom() - (frame->y() + frame->height()),
                            fittedEdge.y() - (frameAtStart.y() + frameAtStart.height()), 1.0)
                    << step;
                EXPECT_NEAR(shown.right() - (line->x() + line->width()),
                            fittedEdge.x() - (lineAtStart.x() + lineAtStart.width()), 1.0)
                    << step;
                EXPECT_EQ(line->y(), std::lround(shown.top())) << step;
                EXPECT_FALSE(frame->geometry().intersects(line->geometry())) << step;
            }
        }
        trigger("mnuViewFit");
        EXPECT_EQ(frame->geometry(), frameAtStart);
        EXPECT_EQ(line->geometry(), lineAtStart);
    }
}

TEST_F(ZoomView, FitToWindowShowsTheWholeSurface) {
    for (const QSize size : {QSize(1010, 715), QSize(1366, 768)}) {
        window.resize(size);
        QApplication::processEvents();
        trigger("mnuViewZoomIn");
        trigger("mnuViewZoomIn");
        ASSERT_FALSE(view->findChild<QScrollBar*>("Picture1HorizontalScrollBar")->isHidden());
        trigger("mnuViewFit");
        EXPECT_TRUE(view->fitsWindow());
        EXPECT_EQ(view->scrollOffset(), QPoint(0, 0));
        EXPECT_EQ(view->viewport(), view->rect()) << "no scroll bars";
        const double s = view->pixelsPerMm();
        EXPECT_LE(267.0 * s, view->width());
        EXPECT_LE(189.0 * s, view->height());
        EXPECT_GT(std::max(267.0 * s / view->width(), 189.0 * s / view->height()), 0.999);
        // Its bottom-right corner shows, the window beside and below it.
        view->settle();
        const QImage image = shown();
        EXPECT_EQ(
            image.pixelColor(static_cast<int>(267.0 * s) - 2, static_cast<int>(189.0 * s) - 2),
            QColor(Qt::white));
    }
}

// Pixels of two images whose colours differ by more than a shade of antialiasing.
int differing(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            const int d = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                          std::abs(p.blue() - q.blue());
            count += d > 24 ? 1 : 0;
        }
    }
    return count;
}

// What the screen shows of `view` (the offscreen platform composes it from the window's
// backing store).
QImage onScreen(const QWidget* view) {
    const QPoint at = view->mapTo(view->window(), QPoint(0, 0));
    return view->screen()
        ->grabWindow(view->window()->winId(), at.x(), at.y(), view->width(), view->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Zooming and fitting again returns to exactly what start-up showed.
TEST_F(ZoomView, FittingAgainShowsTheStartUpPicture) {
    trigger("mnuDrawW");
    const QImage startUp = shown();
    trigger("mnuViewActual");
    EXPECT_EQ(view->zoom(), 1.0);
    view->settle();
    EXPECT_NE(shown(), startUp);
    trigger("mnuViewFit");
    view->settle();
    EXPECT_EQ(shown(), startUp);
}

// The kept image follows scrolls (across its wrap, along both axes at once), marks added while
// scrolled and resizes: after each, the view shows what a view of the same picture, scale and
// offset that rendered everything afresh shows.
TEST_F(ZoomView, AZoomedViewShowsAFreshRenderAfterEveryChange) {
    trigger("mnuDrawW");
    const auto expectFresh = [&](const char* after) {
        dialogs::RecordedMessages freshMessages;
        app::MainWindow freshWindow(freshMessages);  // renders everything for the first time
        freshWindow.document().open(window.work(), window.document().data(), QString());
        freshWindow.show();
        app::PictureView* fresh = freshWindow.pictureView();
        freshWindow.resize(freshWindow.width() - fresh->width() + view->width(),
                           freshWindow.height() - fresh->height() + view->height());
        QApplication::processEvents();
        fresh->setZoom(2.0);
        fresh->scrollTo(view->scrollOffset());
        fresh->settle();
        ASSERT_EQ(fresh->scrollOffset(), view->scrollOffset()) << after;
        QImage image(fresh->size(), QImage::Format_RGB32);
        fresh->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        EXPECT_LT(differing(shown(), image), 20) << "after " << after;
        // And on the screen, where Qt moved the pixels and the view painted what came into
        // view: the readout frame and the scroll bars included.
        QApplication::processEvents();
        EXPECT_LT(differing(onScreen(view), onScreen(fresh)), 20)
            << "on the screen after " << after;
    };
    view->setZoom(2.0);
    view->scrollTo({300, 200});
    view->settle();
    expectFresh("zooming");
    for (const QPoint by : {QPoint(40, 0), QPoint(0, -30), QPoint(-17, 23), QPoint(400, 300)}) {
        view->scrollTo(view->scrollOffset() + by);
        expectFresh("a scroll");
    }
    // A mark, and a line from beyond one corner of the view to beyond the other, across the
    // image's wrap.
    const QPointF at = view->pictureAt({100.0, 100.0});
    const auto mark = [&](chart::EntryKind kind, QPointF point, std::optional<QPointF> from) {
        window.document().addEntry(
            {.kind = kind,
             .states = {{"1点", {point.x(), point.y()}, 0.01, 10.0}},
             .lineFrom =
                 from ? std::optional<chart::PointMm>({from->x(), from->y()}) : std::nullopt,
             .inputs = {},
             .results = {}});
    };
    mark(chart::EntryKind::ProcessStart, at, std::nullopt);
    mark(chart::EntryKind::Cooling, view->pictureAt({800.0, -200.0}),
         view->pictureAt({-300.0, 700.0}));
    expectFresh("marks");
    resizeView(600, 540);
    expectFresh("growing");
    resizeView(500, 450);
    expectFresh("shrinking");
}

TEST_F(ZoomView, ArrowKeysWalkTheCrossHairAndTheReadoutFollows) {
    ASSERT_FALSE(view->crosshair());
    for (int k = 0; k < 3; ++k) {
        QTest::keyClick(&window, Qt::Key_Right);  // from 20 °C, 0.0100 kg/kg(DA)
    }
    EXPECT_TRUE(view->crosshair());
    QStringList texts = labels();
    EXPECT_EQ(texts[2], "20.3");
    EXPECT_EQ(texts[0], "0.01");
    QTest::keyClick(&window, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_Down);
    texts = labels();
    EXPECT_EQ(texts[2], "19.3");
    EXPECT_EQ(texts[0], "0.0109");

    // The pointer takes over; the next key starts from the state under it.
    moveTo(QPointF(300.0, 200.0));  // (150, 100) mm: 34.2 °C, 0.01379
    EXPECT_FALSE(view->crosshair());
    QTest::keyClick(&window, Qt::Key_Down);
    texts = labels();
    EXPECT_EQ(texts[2], "34.2");
    EXPECT_EQ(texts[0], "0.0137");
    // The cross-hair is drawn over the view, not into the picture; a zoomed view scrolls to it.
    EXPECT_TRUE(window.picture().items().empty());
    view->setZoom(4.0);
    view->scrollTo({0, 0});
    QTest::keyClick(&window, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(QRectF(view->viewport()).contains(view->widgetAt(*view->crosshair())));
}

// What a screen reader reads for each value: the quantity, the value and its unit. (Qt sends
// the change to accessibility clients; the offscreen platform has none to observe.)
TEST_F(ZoomView, ReadoutLabelsNameTheirValues) {
    auto* t = window.findChild<QLabel*>("Label3");
    auto* x = window.findChild<QLabel*>("Label5");
    EXPECT_EQ(t->accessibleName(), "温度");
    moveTo(QPointF(300.0, 200.0));
    EXPECT_EQ(t->accessibleName(), "温度 34.2 ℃");
    EXPECT_EQ(x->accessibleName(), "絶対湿度 0.01379 kg/kg(DA)");
    moveTo(QPointF(200.0, 40.0));
    EXPECT_EQ(t->accessibleName(), "温度 霧入り");
    moveTo(QPointF(300.0, 200.0));
    QTest::keyClick(&window, Qt::Key_Right);  // the cross-hair's readout is named as well
    EXPECT_EQ(t->accessibleName(), "温度 34.3 ℃");
    EXPECT_EQ(x->accessibleName(), "絶対湿度 0.0138 kg/kg(DA)");
}

}  // namespace
