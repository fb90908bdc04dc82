#include <gtest/gtest.h>

#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "app/main_window.h"
#include "app/picture_view.h"
#include "chart/cursor_readout.h"
#include "dialogs/messages.h"

namespace {

// The value labels in the order x, i, t, t′, v, φ.
constexpr const char* kValueLabels[] = {"Label5", "Label4", "Label3", "Label8", "Label7", "Label6"};

class CursorReadoutWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Two pixels per millimetre, so that whole pixels land on whole millimetres.
        view = window.pictureView();
        window.resize(window.width() - view->width() + 534, window.height() - view->height() + 500);
        QApplication::processEvents();
        ASSERT_DOUBLE_EQ(view->pixelsPerMm(), 2.0);
    }

    QStringList labels() const {
        QStringList texts;
        for (const char* name : kValueLabels) {
            texts << window.findChild<QLabel*>(name)->text();
        }
        return texts;
    }

    // Pixel of picture point (X, Y) mm.
    static QPoint at(int X, int Y) { return {2 * X, 2 * Y}; }

    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
    app::PictureView* view = nullptr;
};

QStringList textsOf(const chart::Readout& r) {
    return {QString::fromStdString(r.x), QString::fromStdString(r.i),
            QString::fromStdString(r.t), QString::fromStdString(r.tw),
            QString::fromStdString(r.v), QString::fromStdString(r.phi)};
}

QStringList allSix(const char* text) {
    const QString s = QString::fromUtf8(text);
    return {s, s, s, s, s, s};
}

// The chart has not been drawn: the readout needs nothing but the pointer.
TEST_F(CursorReadoutWindowTest, MovesWriteTheSixLabels) {
    ASSERT_TRUE(window.picture().items().empty());

    QTest::mouseMove(view, at(150, 100));
    EXPECT_EQ(labels(), QStringList({"0.01379", "16.65", "34.2", "23.51", "0.889", "40.85"}));

    QTest::mouseMove(view, at(100, 20));
    EXPECT_EQ(labels(), allSix("霧入り"));

    QTest::mouseMove(view, at(210, 100));  // between the frame edge and the readout frame
    EXPECT_EQ(labels(), allSix("範囲外"));

    QTest::mouseMove(view, at(208, 160));
    EXPECT_EQ(labels(),
              textsOf(chart::cursorReadout(208.0f, 160.0f, psychro::PressureRatio::standard(),
                                           chart::Units::Engineering)));
}

// Over the readout frame, and outside the window, the labels keep their last texts.
TEST_F(CursorReadoutWindowTest, LabelsKeepTheirTextsWhenThePointerLeaves) {
    QTest::mouseMove(view, at(150, 100));
    const QStringList before = labels();
    ASSERT_EQ(before[2], "34.2");

    auto* frame = window.findChild<QGroupBox*>("Frame1");
    QTest::mouseMove(frame, frame->rect().center());
    EXPECT_EQ(labels(), before);

    QCursor::setPos(window.mapToGlobal(QPoint(-200, -200)));
    QApplication::processEvents();
    EXPECT_EQ(labels(), before);

    // A settings change shows the same point in the new units at once: i 16.65 kcal/kg(DA)
    // (±0.005) × 4.1868 = 69.71 ± 0.021 kJ/kg(DA); the temperature stays.
    window.applySettings({chart::Units::SI, psychro::Atmosphere::standard()});
    EXPECT_NEAR(labels()[1].toDouble(), 16.65 * 4.1868, 0.025);
    EXPECT_EQ(labels()[2], "34.2");
}

// Moves with a button held are read out too, also when they drag off the chart.
TEST_F(CursorReadoutWindowTest, MovesWithAButtonPressed) {
    QTest::mousePress(view, Qt::LeftButton, {}, at(10, 10));
    QTest::mouseMove(view, at(150, 100));
    EXPECT_EQ(labels()[0], "0.01379");
    QTest::mouseMove(view, at(300, 100));
    EXPECT_EQ(labels(), allSix("範囲外"));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(300, 100));
}

}  // namespace
