#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/main_window.h"
#include "dialogs/messages.h"

namespace {

class DialogMenus : public testing::Test {
  protected:
    void trigger(const char* item) { window.findChild<QAction*>(item)->trigger(); }

    QDialog* dialog(const char* name) {
        const auto found = window.findChildren<QDialog*>(QString::fromLatin1(name));
        EXPECT_EQ(found.size(), 1) << name;  // one instance, however often it was opened
        return found.isEmpty() ? nullptr : found.front();
    }

    static QLineEdit* text(QDialog* d, int k) {
        return d->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k));
    }

    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
};

TEST_F(DialogMenus, NoDialogExistsBeforeItsCommand) {
    EXPECT_TRUE(window.findChildren<QDialog*>().isEmpty());
}

TEST_F(DialogMenus, PointCommandShowsFormTwoWithItsTextsShut) {
    trigger("mnuDrawPoint");
    QDialog* form2 = dialog("Form2");
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_FALSE(form2->isModal());
    EXPECT_EQ(form2->windowTitle(), "点指定");
    for (int k = 1; k <= 6; ++k) {
        EXPECT_FALSE(text(form2, k)->isEnabled());
        EXPECT_TRUE(form2->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(k))->isEnabled());
    }

    // A point drawn in the dialog lands on the main window's picture.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form2));
    for (int k : {3, 6}) {
        QTest::mouseClick(form2->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(k)),
                          Qt::LeftButton);
    }
    QTest::keyClicks(text(form2, 3), "20");
    QTest::keyClicks(text(form2, 6), "50");
    QTest::mouseClick(form2->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(window.picture().items().size(), 2u);  // circle and label
    EXPECT_TRUE(messages.texts().isEmpty());

    // Shown again: the same dialog, its texts kept but shut.
    form2->findChild<QPushButton*>("Command3")->click();
    EXPECT_FALSE(form2->isVisible());
    trigger("mnuDrawPoint");
    EXPECT_EQ(dialog("Form2"), form2);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(text(form2, 1)->text(), "0.00726");
    EXPECT_FALSE(text(form2, 1)->isEnabled());
}

TEST_F(DialogMenus, CalcCommandsShowTheirDialogs) {
    trigger("mnuCalCh");
    QDialog* form3 = dialog("Form3");
    ASSERT_NE(form3, nullptr);
    EXPECT_TRUE(form3->isVisible());
    EXPECT_EQ(form3->windowTitle(), "冷却");

    trigger("mnuCalMix");
    EXPECT_EQ(dialog("Form3"), form3);
    EXPECT_EQ(form3->windowTitle(), "混合");
    for (int k = 1; k <= 7; ++k) {
        EXPECT_FALSE(text(form3, k)->isEnabled()) << k;
    }

    trigger("mnuCalHeat");
    QDialog* form4 = dialog("Form4");
    ASSERT_NE(form4, nullptr);
    EXPECT_TRUE(form4->isVisible());
    EXPECT_EQ(form4->windowTitle(), "加熱");
    for (int k = 1; k <= 6; ++k) {
        EXPECT_FALSE(text(form4, k)->isEnabled()) << k;
    }
    EXPECT_TRUE(text(form4, 7)->isEnabled());
    EXPECT_TRUE(form3->isVisible());  // modeless: both stay open

    // Typed values survive another opening; the command clears no text.
    text(form3, 3)->setText(QStringLiteral("20"));
    trigger("mnuCalCh");
    EXPECT_EQ(text(form3, 3)->text(), "20");
}

// Both humidifying items open the one `Form7`, each in its own kind.
TEST_F(DialogMenus, HumidifyingItemsShareFormSeven) {
    trigger("mnuCalWV");
    QDialog* form7 = dialog("Form7");
    ASSERT_NE(form7, nullptr);
    EXPECT_TRUE(form7->isVisible());
    EXPECT_FALSE(form7->isModal());
    EXPECT_EQ(form7->windowTitle(), "蒸気加湿");
    EXPECT_EQ(text(form7, 8)->text(), "100");

    trigger("mnuCalWW");
    EXPECT_EQ(dialog("Form7"), form7);
    EXPECT_EQ(form7->windowTitle(), "水噴霧加湿");
    EXPECT_EQ(text(form7, 8)->text(), "15");
}

}  // namespace
