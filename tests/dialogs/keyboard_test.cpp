// The dialogs from the keyboard alone: Tab in reading order, Enter as the main button of the
// step, Alt keys on the buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <variant>

#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/messages.h"
#include "dialogs/point_dialog.h"
#include "dialogs/process_dialogs.h"
#include "shown_work.h"

namespace {

// The names of the controls Tab visits from the one with the focus, `count` of them.
QStringList tabWalk(int count) {
    QStringList visited;
    for (int k = 0; k < count; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    return visited;
}

class Keyboard : public testing::Test {
  protected:
    ShownWork shown;
    const chart::Picture& picture = shown.picture();
    dialogs::RecordedMessages messages;
};

TEST_F(Keyboard, TabFollowsTheRowsOfTheDialog) {
    dialogs::HeatingDialog form4(messages);
    shown.follow(form4);
    form4.showForHeating();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form4));
    dialog_driver::child<QWidget>(form4, "Check1")->setFocus();
    // The panel's text boxes are off until their rows are checked; the air quantity and the
    // temperature below the panel come before the buttons at the bottom.
    EXPECT_EQ(tabWalk(11), (QStringList{"Check2", "Check3", "Check4", "Check5", "Check6", "Text7",
                                        "Text8", "Command1", "Command2", "Command3", "Check1"}));

    dialogs::MixingCoolingDialog form3(messages);

    shown.follow(form3);
    form3.showForMixing();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form3));
    dialog_driver::child<QWidget>(form3, "Check6")->setFocus();
    // "クリア" stands beside the air quantity, above the row of 点1確定 … 閉じる; 点2確定 is off.
    EXPECT_EQ(tabWalk(4), (QStringList{"Command2", "Command1", "Command3", "Check1"}));
}

TEST_F(Keyboard, EnterPressesTheButtonOfTheStep) {
    dialogs::MixingCoolingDialog form3(messages);
    shown.follow(form3);
    form3.showForMixing();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form3));
    const auto enterState = [&](const char* i, const char* x, const char* quantity) {
        dialog_driver::clickRow(form3.panel(), 1);
        dialog_driver::type(form3.panel(), 1, QString::fromLatin1(x));
        dialog_driver::clickRow(form3.panel(), 2);
        dialog_driver::type(form3.panel(), 2, QString::fromLatin1(i));
        dialog_driver::type(form3, "Text7", QString::fromLatin1(quantity));
        QLineEdit* box = form3.panel().textBox(dialog_driver::row(2));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
    };
    enterState("12", "0.008", "1000");  // Enter: 点1確定
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("次を入力してください。")});
    enterState("8", "0.006", "3000");  // Enter again: 点2確定, point 1 being in
    EXPECT_EQ(messages.texts().size(), 1);
    // 点１, point 2 with its line, and the mixing point
    EXPECT_EQ(std::ranges::count_if(picture.items(),
                                    [](const chart::PictureItem& item) {
                                        return std::holds_alternative<chart::CircleItem>(item);
                                    }),
              3);
}

TEST_F(Keyboard, AltKeysPressTheButtons) {
    dialogs::PointDialog form2(messages);
    shown.follow(form2);
    form2.showFromMenu();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form2));
    QTest::keyClick(form2.windowHandle(), Qt::Key_D,
                    Qt::AltModifier);  // 描画 with no state: told so
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("空気の状態量を二つ入力してください。")});
    EXPECT_EQ(dialog_driver::child<QPushButton>(form2, "Command1")->accessibleDescription(),
              QStringLiteral("Alt+D"));
    QTest::keyClick(form2.windowHandle(), Qt::Key_X, Qt::AltModifier);  // 閉じる
    EXPECT_TRUE(form2.isHidden());
}

}  // namespace
