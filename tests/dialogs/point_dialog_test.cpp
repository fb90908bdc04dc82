#include "dialogs/point_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <variant>
#include <vector>

#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/messages.h"
#include "dialogs/state_input_panel.h"
#include "shown_work.h"

namespace {

using dialog_driver::row;

const QString kAllEmpty = QStringLiteral("空気の状態量を二つ入力してください。");
const QString kCheckTwo = QStringLiteral("入力値前のチェックボックスをチェックして下さい。");
const QString kPairEmpty = QStringLiteral("空気の状態量を二つ入力しましたか。");

struct Marks {
    std::vector<chart::CircleItem> circles;
    std::vector<chart::LineItem> lines;
    std::vector<chart::TextItem> texts;
};

Marks marksOf(const chart::Picture& picture) {
    Marks m;
    for (const chart::PictureItem& item : picture.items()) {
        if (const auto* c = std::get_if<chart::CircleItem>(&item)) {
            m.circles.push_back(*c);
        } else if (const auto* l = std::get_if<chart::LineItem>(&item)) {
            m.lines.push_back(*l);
        } else {
            m.texts.push_back(std::get<chart::TextItem>(item));
        }
    }
    return m;
}

class PointDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        dialog.showFromMenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    template <typename T>
    T* control(const char* name) {
        T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    // Checks two rows and types their values, as a user would.
    void enter(int first, const QString& a, int second, const QString& b) {
        dialog_driver::clickRow(dialog.panel(), first);
        dialog_driver::type(dialog.panel(), first, a);
        dialog_driver::clickRow(dialog.panel(), second);
        dialog_driver::type(dialog.panel(), second, b);
    }

    void plot(double t, double phi) {
        enter(3, QString::number(t), 6, QString::number(phi));
        click("Command1");
    }

    ShownWork shown;
    const chart::Picture& picture = shown.picture();
    dialogs::RecordedMessages messages;
    dialogs::PointDialog dialog{messages};
    Following following_{shown, dialog};
};

TEST_F(PointDialogTest, TwentyDegreesHalfSaturated) {
    QSignalSpy changed(&dialog, &dialogs::PointDialog::entryRecorded);
    plot(20, 50);

    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(changed.count(), 1);
    const Marks m = marksOf(picture);
    ASSERT_EQ(m.circles.size(), 1u);
    EXPECT_NEAR(m.circles[0].centre.X, 101.5503, 1e-4);
    EXPECT_NEAR(m.circles[0].centre.Y, 128.4272, 1e-4);
    // the picture gets the point in single precision
    EXPECT_EQ(m.circles[0].centre.X,
              static_cast<double>(static_cast<float>(m.circles[0].centre.X)));
    EXPECT_EQ(m.circles[0].centre.Y,
              static_cast<double>(static_cast<float>(m.circles[0].centre.Y)));
    EXPECT_EQ(m.circles[0].radius, 0.7);
    EXPECT_EQ(m.circles[0].colour, chart::kLightRed);
    EXPECT_TRUE(m.lines.empty());  // the first point is never joined
    ASSERT_EQ(m.texts.size(), 1u);
    EXPECT_EQ(m.texts[0].text, "1点");
    EXPECT_EQ(m.texts[0].heightPx, 0.0);  // the picture's own font
    EXPECT_EQ(m.texts[0].position.X, m.circles[0].centre.X);
    EXPECT_NEAR(m.texts[0].position.Y, m.circles[0].centre.Y + 2.0, 1e-9);

    dialogs::StateInputPanel& panel = dialog.panel();
    EXPECT_EQ(panel.text(row(1)), "0.00726");
    EXPECT_EQ(panel.text(row(2)), "9.2");
    EXPECT_EQ(panel.text(row(3)), "20");
    EXPECT_EQ(panel.text(row(6)), "50");
    // ButtonOK afterwards: everything unchecked and usable again
    for (int k = 1; k <= 6; ++k) {
        EXPECT_FALSE(panel.check(row(k))->isChecked());
        EXPECT_TRUE(panel.check(row(k))->isEnabled());
        EXPECT_TRUE(panel.textBox(row(k))->isEnabled());
    }
    EXPECT_EQ(dialog.pointCount(), 1.0F);
    EXPECT_EQ(dialog.lastPointX(), static_cast<float>(m.circles[0].centre.X));
    EXPECT_EQ(dialog.lastPointY(), static_cast<float>(m.circles[0].centre.Y));
}

// The checks of "描画" in their order; each stops before anything is drawn or counted.
TEST_F(PointDialogTest, MessageOrderOfTheDrawButton) {
    struct Case {
        const char* name;
        std::vector<int> checked;
        std::array<const char*, 6> texts;
        QString message;
    };
    const Case cases[] = {
        {"nothing at all", {}, {"", "", "", "", "", ""}, kAllEmpty},
        // all texts empty wins over a missing box
        {"one box, no text", {3}, {"", "", "", "", "", ""}, kAllEmpty},
        {"two boxes, no text", {3, 6}, {"", "", "", "", "", ""}, kAllEmpty},
        {"one box with its text", {3}, {"", "", "20", "", "", ""}, kCheckTwo},
        {"texts but no box", {}, {"", "", "20", "", "", "50"}, kCheckTwo},
        // the pair's own text is empty while another row holds one: the solver's message
        {"pair text empty", {3, 6}, {"0.007", "", "20", "", "", ""}, kPairEmpty},
        {"pair text blank",
         {3, 6},
         {"", "", "20", "", "", " "},
         QStringLiteral("数値を入力してください。")},
        {"i-v mismatch",
         {2, 5},
         {"", "9.2", "", "", "1.0", ""},
         QStringLiteral("入力したエンタルピと比容積の値が正しいかどうかをチェックしてください。")},
        {"t'-v mismatch",
         {4, 5},
         {"", "", "", "10", "1.0", ""},
         QStringLiteral("入力した湿球温度と比容積の値が正しいかどうかをチェックしてください。")},
        {"no state",
         {2, 6},
         {"", "-20", "", "", "", "50"},
         QStringLiteral("入力した値では空気の状態が求まりません。")},
    };
    QSignalSpy changed(&dialog, &dialogs::PointDialog::entryRecorded);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        click("Command2");  // clear
        dialog.panel().ButtonOK();
        for (int k = 1; k <= 6; ++k) {
            dialog_driver::type(dialog.panel(), k, QString::fromUtf8(c.texts[k - 1]));
        }
        for (int k : c.checked) {
            dialog_driver::clickRow(dialog.panel(), k);
        }
        messages.clear();
        click("Command1");
        EXPECT_EQ(messages.texts(), QStringList{c.message});
        EXPECT_TRUE(picture.items().empty());
        EXPECT_EQ(dialog.pointCount(), 0.0F);
        // the panel keeps its marks and texts
        EXPECT_EQ(dialog.panel().checkedCount(), static_cast<int>(c.checked.size()));
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(dialog.panel().text(row(k)).toStdString(), c.texts[k - 1]);
        }
    }
    EXPECT_EQ(changed.count(), 0);

    // None of the refusals used up a number.
    click("Command2");
    plot(20, 50);
    const Marks m = marksOf(picture);
    ASSERT_EQ(m.texts.size(), 1u);
    EXPECT_EQ(m.texts[0].text, "1点");
}

TEST_F(PointDialogTest, JoinedPointsAcrossAClearAndARedrawnChart) {
    QTest::mouseClick(control<QCheckBox>("Check8"), Qt::LeftButton);
    plot(20, 50);
    plot(30, 40);
    plot(25, 60);
    Marks m = marksOf(picture);
    ASSERT_EQ(m.circles.size(), 3u);
    ASSERT_EQ(m.lines.size(), 2u);
    ASSERT_EQ(m.texts.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(m.texts[k].text, std::to_string(k + 1) + "点");
        EXPECT_EQ(m.texts[k].position.X, m.circles[k].centre.X);
    }
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(m.lines[k].colour, chart::kLightRed);
        EXPECT_EQ(m.lines[k].from.X, m.circles[k].centre.X);
        EXPECT_EQ(m.lines[k].from.Y, m.circles[k].centre.Y);
        EXPECT_EQ(m.lines[k].to.X, m.circles[k + 1].centre.X);
        EXPECT_EQ(m.lines[k].to.Y, m.circles[k + 1].centre.Y);
    }
    const chart::PointMm third = m.circles[2].centre;

    // "クリア" empties the panel and the join option but keeps the count and the last point.
    click("Command2");
    EXPECT_FALSE(control<QCheckBox>("Check8")->isChecked());
    for (int k = 1; k <= 6; ++k) {
        EXPECT_TRUE(dialog.panel().text(row(k)).isEmpty());
        EXPECT_FALSE(dialog.panel().textBox(row(k))->isEnabled());
    }
    EXPECT_EQ(picture.items().size(), 8u);  // the chart is not erased

    // Without the join option the next point stands alone.
    plot(15, 50);
    m = marksOf(picture);
    EXPECT_EQ(m.lines.size(), 2u);
    EXPECT_EQ(m.texts.back().text, "4点");

    // Drawing the chart again erases every mark; numbering and joining carry on from the
    // point plotted last, which is no longer on the picture.
    const chart::PointMm fourth = m.circles.back().centre;
    shown.wipe();
    QTest::mouseClick(control<QCheckBox>("Check8"), Qt::LeftButton);
    plot(22, 45);
    m = marksOf(picture);
    ASSERT_EQ(m.lines.size(), 1u);
    EXPECT_EQ(m.lines[0].from.X, fourth.X);
    EXPECT_EQ(m.lines[0].from.Y, fourth.Y);
    EXPECT_EQ(m.texts.back().text, "5点");
    EXPECT_NE(third.X, fourth.X);
}

TEST_F(PointDialogTest, ClosingKeepsEverythingForTheNextShowing) {
    QTest::mouseClick(control<QCheckBox>("Check8"), Qt::LeftButton);
    plot(20, 50);
    enter(3, QStringLiteral("30"), 6, QStringLiteral("40"));

    struct Way {
        const char* name;
        void (*close)(dialogs::PointDialog&);
    };
    const Way ways[] = {
        {"閉じる",
         [](dialogs::PointDialog& d) {
             QTest::mouseClick(d.findChild<QPushButton*>("Command3"), Qt::LeftButton);
         }},
        {"window frame", [](dialogs::PointDialog& d) { d.close(); }},
        {"Esc", [](dialogs::PointDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        dialog.showFromMenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        dialog_driver::clickRow(dialog.panel(), 3);
        way.close(dialog);
        EXPECT_FALSE(dialog.isVisible());
        // ButtonOK: boxes unchecked, texts kept
        EXPECT_EQ(dialog.panel().checkedCount(), 0);
        EXPECT_EQ(dialog.panel().text(row(3)), "30");
        EXPECT_TRUE(control<QCheckBox>("Check8")->isChecked());
    }

    // The menu shows it again with its texts, but disabled until a box is checked.
    dialog.showFromMenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_FALSE(dialog.panel().textBox(row(3))->isEnabled());
    EXPECT_EQ(dialog.panel().text(row(6)), "40");
    plot(30, 40);
    const Marks m = marksOf(picture);
    EXPECT_EQ(m.texts.back().text, "2点");
    EXPECT_EQ(m.lines.size(), 1u);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(PointDialogTest, LayoutInTwips) {
    EXPECT_EQ(dialog.objectName(), "Form2");
    EXPECT_EQ(dialog.windowTitle(), "点指定");
    EXPECT_EQ(dialog.size(), QSize(200, 232));  // 3000 × 3480 twips
    struct Place {
        const char* name;
        const char* caption;
        QRect rect;  // pixels, 15 twips each
    };
    const Place places[] = {
        {"Check8", "２つの点を直線でつなぐ", {8, 160, 153, 18}},
        {"Command1", "描画", {8, 200, 57, 25}},
        {"Command2", "クリア", {72, 200, 57, 25}},
        {"Command3", "閉じる", {136, 200, 57, 25}},
    };
    for (const Place& p : places) {
        auto* button = control<QAbstractButton>(p.name);
        EXPECT_EQ(button->geometry(), p.rect) << p.name;
        EXPECT_EQ(button->text(), QString::fromUtf8(p.caption));
    }
    EXPECT_EQ(control<QFrame>("Line1")->geometry().top(), 152);
    EXPECT_EQ(control<QFrame>("Line2")->geometry().top(), 184);
    EXPECT_EQ(control<QFrame>("Line1")->geometry().left(), 8);
    EXPECT_EQ(control<QFrame>("Line1")->geometry().width(), 184);
}

}  // namespace
