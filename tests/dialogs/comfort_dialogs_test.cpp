#include "dialogs/comfort_dialogs.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/messages.h"
#include "dialogs/panel_state.h"
#include "picture_items.h"
#include "psychro/comfort.h"
#include "shown_work.h"

namespace {

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

using dialog_driver::Place;

// Drives one comfort dialog as a user would.
template <typename Dialog>
class ComfortDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        dialog.showFromMenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    QLineEdit* box(int k) {
        return dialog.template findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k));
    }
    QString result(int k) { return box(k)->text(); }
    void click(const char* name) {
        QTest::mouseClick(dialog.template findChild<QPushButton*>(name), Qt::LeftButton);
    }
    void fill(const std::vector<const char*>& texts) {
        for (std::size_t k = 0; k < texts.size(); ++k) {
            box(static_cast<int>(k) + 1)->setText(QString::fromUtf8(texts[k]));
        }
    }
    std::vector<chart::CircleItem> circles() const { return itemsOf<chart::CircleItem>(picture); }

    ShownWork shown;
    const chart::Picture& picture = shown.picture();
    dialogs::RecordedMessages messages;
    Dialog dialog{messages};
    Following following_{shown, dialog};
};

using PmvDialogTest = ComfortDialogTest<dialogs::PmvDialog>;
using DiscomfortDialogTest = ComfortDialogTest<dialogs::DiscomfortDialog>;

TEST_F(PmvDialogTest, Layout) {
    EXPECT_EQ(dialog.objectName(), "Form5");
    EXPECT_EQ(dialog.windowTitle(), "PMV");
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog_driver::placeFaults(dialog, {201, 265},
                                         {
                                             {"Frame1", "Form5", "計算条件", {8, 8, 185, 161}},
                                             {"Label7", "Frame1", "温度", {16, 18, 69, 16}},
                                             {"Text1", "Frame1", "", {88, 16, 57, 18}},
                                             {"Label2", "Frame1", "℃", {152, 18, 29, 16}},
                                             {"Label8", "Frame1", "相対湿度", {16, 42, 69, 16}},
                                             {"Text2", "Frame1", "", {88, 40, 57, 18}},
                                             {"Label1", "Frame1", "％", {152, 42, 29, 16}},
                                             {"Label9", "Frame1", "空気流速", {16, 66, 69, 16}},
                                             {"Text3", "Frame1", "", {88, 64, 57, 18}},
                                             {"Label3", "Frame1", "m/s", {152, 66, 29, 16}},
                                             {"Label10", "Frame1", "放射温度", {16, 90, 69, 16}},
                                             {"Text4", "Frame1", "", {88, 88, 57, 18}},
                                             {"Label6", "Frame1", "℃", {152, 90, 29, 16}},
                                             {"Label11", "Frame1", "着衣量", {16, 114, 69, 16}},
                                             {"Text5", "Frame1", "", {88, 112, 57, 18}},
                                             {"Label5", "Frame1", "clo", {152, 114, 29, 16}},
                                             {"Label12", "Frame1", "代謝量", {16, 138, 69, 16}},
                                             {"Text6", "Frame1", "", {88, 136, 57, 18}},
                                             {"Label4", "Frame1", "met", {152, 138, 29, 16}},
                                             {"Frame2", "Form5", "PMV", {8, 176, 81, 49}},
                                             {"Text9", "Frame2", "", {16, 16, 49, 26}},
                                             {"Frame3", "Form5", "PPD", {96, 176, 97, 49}},
                                             {"Text7", "Frame3", "", {16, 16, 49, 26}},
                                             {"Label13", "Frame3", "％", {72, 22, 17, 16}},
                                             {"Command1", "Form5", "計算", {8, 232, 57, 25}},
                                             {"Command2", "Form5", "クリア", {72, 232, 57, 25}},
                                             {"Command3", "Form5", "閉じる", {136, 232, 57, 25}},
                                         }),
              "");
    EXPECT_EQ(box(9)->font().family(), "Times New Roman");
    EXPECT_EQ(box(7)->font().pointSize(), 12);
}

TEST_F(PmvDialogTest, RoomsOfTheTable) {
    struct Row {
        std::vector<const char*> conditions;  // ta, rh, vel, tr, clo, act
        const char* pmv;
        const char* ppd;
    };
    const Row rows[] = {
        {{"25", "50", "0.1", "25", "0.5", "1.2"}, "0.08", "5.14"},
        {{"22", "50", "0.1", "22", "1.0", "1.2"}, "0.09", "5.19"},
        {{"28", "60", "0.2", "28", "0.5", "1.0"}, "0.6", "12.45"},
        {{"20", "50", "0.15", "20", "1.0", "1.0"}, "-1.03", "27.31"},
    };
    QSignalSpy changed(&dialog, &dialogs::PmvDialog::entryRecorded);
    for (const Row& row : rows) {
        fill(row.conditions);
        click("Command1");
        EXPECT_EQ(result(9), row.pmv);
        EXPECT_EQ(result(7), row.ppd);
    }
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(changed.count(), 4);

    // one circle per press; the last one marks 20 °C at 50 %
    const auto marks = circles();
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_NEAR(marks[3].centre.X, 101.5503, 1e-4);
    EXPECT_NEAR(marks[3].centre.Y, 128.4272, 1e-4);
    EXPECT_EQ(marks[3].centre.X, static_cast<double>(static_cast<float>(marks[3].centre.X)));
    EXPECT_EQ(marks[3].centre.Y, static_cast<double>(static_cast<float>(marks[3].centre.Y)));
    EXPECT_EQ(marks[3].radius, 0.7);
    EXPECT_EQ(marks[3].colour, chart::kLightRed);
    EXPECT_EQ(picture.items().size(), 4u);  // circles only, no label
}

// Outside ISO 7730's ranges the vote is shown and marked, then the user is told it is an
// extrapolation and why.
TEST_F(PmvDialogTest, ExtrapolationIsShownWithAWarning) {
    fill({"10", "50", "0.1", "10", "0.5", "1.0"});
    click("Command1");
    EXPECT_EQ(result(9), "-3");
    EXPECT_EQ(result(7), "99.12");
    EXPECT_EQ(circles().size(), 1u);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].title, "ミルテン");
    EXPECT_EQ(messages.messages()[0].text,
              text(words::kOutsideIsoRanges).arg(QStringLiteral("PMV（-2～2）")));

    messages.clear();
    fill({"35", "40", "1.5", "25", "0.5", "1.2"});
    click("Command1");
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(messages.texts()[0],
              text(words::kOutsideIsoRanges)
                  .arg(QStringLiteral("温度（10～30℃）、空気流速（0～1 m/s）、PMV（-2～2）")));
}

TEST_F(PmvDialogTest, RefusalsWriteAndDrawNothing) {
    struct Case {
        std::vector<const char*> conditions;
        const char16_t* message;
    };
    const Case cases[] = {
        {{"25", "50", "0.1", "25", "0.5", ""}, words::kSixConditionsEmpty},
        {{"", "", "", "", "", ""}, words::kSixConditionsEmpty},
        {{"25", " ", "0.1", "25", "0.5", "1.2"}, words::kNotANumber},
        {{"25", "50", "0.1", "abc", "0.5", "1.2"}, words::kNotANumber},
        {{"25", "50", "-0.1", "25", "0.5", "1.2"}, words::kNegativeAirVelocity},
        {{"25", "50", "0.1", "25", "-1", "1.2"}, words::kNegativeClothing},
        {{"25", "50", "0.1", "25", "0.5", "0"}, words::kNonPositiveMetabolicRate},
        {{"25", "101", "0.1", "25", "0.5", "1.2"}, words::kHumidityOutOfRange},
        {{"25", "-1", "0.1", "25", "0.5", "1.2"}, words::kHumidityOutOfRange},
        {{"-300", "50", "0.1", "25", "0.5", "1.2"}, words::kAirBelowAbsoluteZero},
        {{"25", "50", "0.1", "-300", "0.5", "1.2"}, words::kRadiantBelowAbsoluteZero},
        {{"20", "50", "0", "20", "50", "1"}, words::kPmvNoConvergence},
        {{"-240", "50", "0.1", "25", "0.5", "1.2"}, words::kPmvNoResult},
        {{"100", "100", "0.1", "25", "0.5", "1.2"}, words::kRoomAirNoState},
        // saturated air just below boiling holds about 1700 kg/kg: far off the chart
        {{"99.99", "100", "0.1", "25", "0.5", "1.2"}, words::kRoomAirNoState},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(text(c.message).toStdString());
        messages.clear();
        box(9)->setText(QStringLiteral("old"));
        box(7)->setText(QStringLiteral("old"));
        fill(c.conditions);
        click("Command1");
        ASSERT_EQ(messages.texts(), QStringList{text(c.message)});
        EXPECT_EQ(result(9), "old");
        EXPECT_EQ(result(7), "old");
        EXPECT_TRUE(picture.items().empty());
    }
}

// Enter in a condition box computes; "クリア" empties all eight boxes, keeps the circle and puts
// the cursor into the first box.
TEST_F(PmvDialogTest, EnterComputesAndClearKeepsTheCircle) {
    const char* typed[] = {"25", "50", "0.1", "25", "0.5", "1.2"};
    for (int k = 1; k <= 6; ++k) {
        QTest::keyClicks(box(k), typed[k - 1]);
    }
    QTest::keyClick(box(6), Qt::Key_Return);
    EXPECT_EQ(result(9), "0.08");
    EXPECT_EQ(circles().size(), 1u);

    box(3)->setFocus();
    click("Command2");
    for (int k : {1, 2, 3, 4, 5, 6, 7, 9}) {
        EXPECT_TRUE(result(k).isEmpty()) << k;
    }
    EXPECT_EQ(dialog.focusWidget(), box(1));
    EXPECT_EQ(circles().size(), 1u);

    // an empty box takes Enter as a press too, and is told what is missing
    QTest::keyClick(box(1), Qt::Key_Enter);
    EXPECT_EQ(messages.texts(), QStringList{text(words::kSixConditionsEmpty)});
}

TEST_F(PmvDialogTest, ClosingHidesAndKeepsTheTexts) {
    box(1)->setText(QStringLiteral("25"));
    click("Command3");
    EXPECT_FALSE(dialog.isVisible());
    dialog.showFromMenu();
    EXPECT_EQ(result(1), "25");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    dialog.showFromMenu();
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(result(1), "25");
}

TEST_F(DiscomfortDialogTest, Layout) {
    EXPECT_EQ(dialog.objectName(), "Form6");
    EXPECT_EQ(dialog.windowTitle(), "不快指数");
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog_driver::placeFaults(
                  dialog, {193, 233},
                  {
                      {"Frame1", "Form6", "計算条件", {0, 8, 185, 65}},
                      {"Label7", "Frame1", "温度", {16, 18, 69, 16}},
                      {"Text1", "Frame1", "", {88, 16, 57, 18}},
                      {"Label2", "Frame1", "℃", {152, 18, 29, 16}},
                      {"Label8", "Frame1", "湿球温度", {16, 42, 69, 16}},
                      {"Text2", "Frame1", "", {88, 40, 57, 18}},
                      {"Label1", "Frame1", "℃", {152, 42, 29, 16}},
                      {"Frame2", "Form6", "不快指数", {0, 80, 185, 49}},
                      {"Text9", "Frame2", "", {40, 16, 105, 26}},
                      {"Frame3", "Form6", "不快に感じる人の割合", {0, 136, 185, 49}},
                      {"Text7", "Frame3", "", {40, 16, 105, 26}},
                      {"Label13", "Frame3", "％", {152, 22, 17, 16}},
                      {"Command1", "Form6", "計算", {0, 200, 57, 25}},
                      {"Command2", "Form6", "クリア", {64, 200, 57, 25}},
                      {"Command3", "Form6", "閉じる", {128, 200, 57, 25}},
                  }),
              "");
    EXPECT_EQ(box(9)->font().family(), "Times New Roman");
}

TEST_F(DiscomfortDialogTest, IndexShareAndMark) {
    struct Row {
        const char* t;
        const char* tw;
        const char* di;
        const char* share;
    };
    const Row rows[] = {
        {"20", "15", "65.8", "0"},
        {"25", "20", "73", "10"},
        {"26.5", "21", "74.8", "10"},
        {"28", "22", "76.6", "50"},
        {"30", "25", "80.2", "100"},
        // shown as 75 but above it: the step follows the unrounded index
        {"25", "22.8", "75", "50"},
        // a wet bulb below 0 °C: the bulb carries ice
        {"0", "-2", "39.2", "0"},
    };
    for (const Row& row : rows) {
        fill({row.t, row.tw});
        click("Command1");
        EXPECT_EQ(result(9), row.di) << row.t;
        EXPECT_EQ(result(7), row.share) << row.t;
    }
    EXPECT_TRUE(messages.texts().isEmpty());
    const auto marks = circles();
    ASSERT_EQ(marks.size(), std::size(rows));
    // 0 °C with ice at −2 °C: x = 0.00248017 kg/kg(DA), i = 597.3·x
    const chart::PointMm ice = chart::statePoint(597.3 * 0.00248017, 2.48017);
    EXPECT_NEAR(marks.back().centre.X, ice.X, 1e-3);
    EXPECT_NEAR(marks.back().centre.Y, ice.Y, 1e-3);
    for (double v : {marks.back().centre.X, marks.back().centre.Y}) {
        EXPECT_EQ(v, static_cast<double>(static_cast<float>(v)));  // single precision
    }
    EXPECT_EQ(marks.back().colour, chart::kLightRed);
}

TEST_F(DiscomfortDialogTest, RefusalsWriteAndDrawNothing) {
    struct Case {
        const char* t;
        const char* tw;
        const char16_t* message;
    };
    const Case cases[] = {
        {"25", "", words::kTwoConditionsEmpty},
        {"", "", words::kTwoConditionsEmpty},
        {"25", "x", words::kNotANumber},
        {"20", "21", words::kWetBulbAboveDryBulb},
        {"120", "100", words::kWetBulbAtBoiling},
        {"40", "5", words::kNegativeHumidity},
        {"20", "-300", words::kDiscomfortNoState},
        // beyond single precision
        {"1000000000000000000000000000000000000000", "20", words::kDiscomfortNoState},
        // the saturation formula, taken far beyond boiling, falls below the atmosphere again:
        // "saturated" air at 1.4e10 °C, metres off the chart
        {"14000000000", "14000000000", words::kDiscomfortNoState},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tw);
        messages.clear();
        box(9)->setText(QStringLiteral("old"));
        box(7)->setText(QStringLiteral("old"));
        fill({c.t, c.tw});
        click("Command1");
        ASSERT_EQ(messages.texts(), QStringList{text(c.message)});
        EXPECT_EQ(result(9), "old");
        EXPECT_EQ(result(7), "old");
        EXPECT_TRUE(picture.items().empty());
    }
}

TEST_F(DiscomfortDialogTest, EnterComputesAndClearKeepsTheCircle) {
    QTest::keyClicks(box(1), "30");
    QTest::keyClicks(box(2), "25");
    QTest::keyClick(box(2), Qt::Key_Return);
    EXPECT_EQ(result(9), "80.2");
    EXPECT_EQ(circles().size(), 1u);

    box(2)->setFocus();
    click("Command2");
    for (int k : {1, 2, 7, 9}) {
        EXPECT_TRUE(result(k).isEmpty()) << k;
    }
    EXPECT_EQ(dialog.focusWidget(), box(1));
    EXPECT_EQ(circles().size(), 1u);

    click("Command3");
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
