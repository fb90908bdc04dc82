#include "dialogs/process_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "chart/picture.h"
#include "dialogs/messages.h"
#include "dialogs/state_input_panel.h"
#include "panel_driver.h"

namespace {

using panel_driver::row;

struct Place {
    const char* name;
    const char* parent;
    const char* text;  // caption, label text or initial text
    QRect rect;        // pixels, 15 twips each
};

template <typename Dialog>
void expectLayout(Dialog& dialog, QSize client, const std::vector<Place>& places) {
    EXPECT_EQ(dialog.size(), client);
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        auto* widget = dialog.template findChild<QWidget*>(QString::fromLatin1(p.name),
                                                           Qt::FindChildrenRecursively);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(p.parent));
        EXPECT_EQ(widget->geometry(), p.rect);
        QString text;
        if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            text = frame->title();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            text = box->text();
        }
        EXPECT_EQ(text, QString::fromUtf8(p.text));
    }
}

class ProcessDialogs : public testing::Test {
  protected:
    chart::Picture picture;
    dialogs::RecordedMessages messages;
};

TEST_F(ProcessDialogs, MixingCoolingLayout) {
    dialogs::MixingCoolingDialog form3(picture, messages);
    EXPECT_EQ(form3.objectName(), "Form3");
    expectLayout(form3, {205, 260},
                 {
                     {"Frame1", "Form3", "空気状態", {0, 0, 201, 169}},
                     {"Check1", "Frame1", "絶対湿度", {8, 24, 73, 18}},
                     {"Text6", "Frame1", "", {80, 144, 57, 18}},
                     {"Frame4", "Form3", "冷却量", {8, 56, 185, 57}},
                     {"Text9", "Frame4", "0", {8, 16, 121, 26}},
                     {"Label9", "Frame4", "kcal/h", {136, 24, 41, 16}},
                     {"Frame2", "Form3", "空気量", {8, 176, 113, 41}},
                     {"Text7", "Frame2", "0", {8, 16, 57, 18}},
                     {"Label7", "Frame2", "kg/h", {72, 16, 33, 16}},
                     {"Command2", "Form3", "クリア", {136, 184, 57, 25}},
                     {"Command1", "Form3", "点1確定", {8, 232, 57, 25}},
                     {"Command4", "Form3", "点2確定", {72, 232, 57, 25}},
                     {"Command3", "Form3", "閉じる", {136, 232, 57, 25}},
                 });
    EXPECT_EQ(form3.findChild<QWidget*>("Line1")->geometry().topLeft(), QPoint(8, 224));
    // The load lies over the panel and only shows in place of it.
    EXPECT_TRUE(form3.findChild<QWidget*>("Frame4")->isHidden());
    auto* load = form3.findChild<QLineEdit*>("Text9");
    EXPECT_EQ(load->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_TRUE(load->font().bold());
}

TEST_F(ProcessDialogs, HeatingLayout) {
    dialogs::HeatingDialog form4(picture, messages);
    EXPECT_EQ(form4.objectName(), "Form4");
    EXPECT_EQ(form4.windowTitle(), "加熱");
    expectLayout(form4, {203, 260},
                 {
                     {"Frame1", "Form4", "空気状態点1", {0, 0, 201, 169}},
                     {"Check6", "Frame1", "相対湿度", {8, 144, 73, 18}},
                     {"Frame4", "Form4", "加熱量", {8, 72, 185, 57}},
                     {"Text9", "Frame4", "0", {8, 16, 121, 26}},
                     {"Label9", "Frame4", "kcal/h", {136, 24, 41, 16}},
                     {"Frame2", "Form4", "空気量", {0, 176, 97, 41}},
                     {"Text7", "Frame2", "0", {8, 16, 57, 18}},
                     {"Label7", "Frame2", "kg/h", {72, 16, 25, 16}},
                     {"Frame3", "Form4", "点2", {104, 176, 97, 41}},
                     {"Text8", "Frame3", "0", {8, 16, 57, 18}},
                     {"Label8", "Frame3", "℃", {72, 16, 17, 16}},
                     {"Command1", "Form4", "計算", {8, 232, 57, 25}},
                     {"Command2", "Form4", "クリア", {72, 232, 57, 25}},
                     {"Command3", "Form4", "閉じる", {136, 232, 57, 25}},
                 });
    EXPECT_TRUE(form4.findChild<QWidget*>("Frame4")->isHidden());
}

// The mixing copy of the panel opens `Text7` when a pair is chosen; its opening shuts it again.
TEST_F(ProcessDialogs, MixingOpeningAndTheAirQuantityBox) {
    dialogs::MixingCoolingDialog form3(picture, messages);
    form3.showForMixing();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form3));
    auto* text7 = form3.findChild<QLineEdit*>("Text7");
    EXPECT_EQ(form3.windowTitle(), "混合");
    EXPECT_FALSE(text7->isEnabled());
    EXPECT_FALSE(form3.findChild<QPushButton*>("Command4")->isEnabled());
    for (int k = 1; k <= 6; ++k) {
        EXPECT_FALSE(form3.panel().textBox(row(k))->isEnabled());
    }

    panel_driver::clickRow(form3.panel(), 3);
    EXPECT_FALSE(text7->isEnabled());  // one box is not enough
    panel_driver::clickRow(form3.panel(), 6);
    EXPECT_TRUE(text7->isEnabled());
    panel_driver::type(form3.panel(), 3, QStringLiteral("20"));
    panel_driver::type(form3.panel(), 6, QStringLiteral("50"));
    form3.panel().ButtonClear();  // the process copy keeps the texts
    EXPECT_TRUE(text7->isEnabled());

    form3.showForCooling();
    EXPECT_EQ(form3.windowTitle(), "冷却");
    EXPECT_FALSE(text7->isEnabled());
    EXPECT_EQ(form3.panel().text(row(3)), "20");
    const auto solved = [&] {
        panel_driver::clickRow(form3.panel(), 3);
        panel_driver::clickRow(form3.panel(), 6);
        return form3.ih();
    }();
    ASSERT_TRUE(solved.has_value());
    EXPECT_NEAR(solved->XP, 101.5503, 1e-4);
    EXPECT_NEAR(solved->YP, 128.4272, 1e-4);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ProcessDialogs, HeatingOpeningKeepsTheQuantityAndTemperatureUsable) {
    dialogs::HeatingDialog form4(picture, messages);
    form4.showForHeating();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form4));
    for (int k = 1; k <= 6; ++k) {
        EXPECT_FALSE(form4.panel().textBox(row(k))->isEnabled());
    }
    EXPECT_TRUE(form4.findChild<QLineEdit*>("Text7")->isEnabled());
    EXPECT_TRUE(form4.findChild<QLineEdit*>("Text8")->isEnabled());
    EXPECT_TRUE(form4.findChild<QWidget*>("Frame4")->isHidden());
    EXPECT_FALSE(form4.findChild<QWidget*>("Frame1")->isHidden());
}

}  // namespace
