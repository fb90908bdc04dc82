#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/main_window.h"
#include "dialogs/messages.h"

namespace {

class ComfortMenus : public testing::Test {
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

TEST_F(ComfortMenus, PmvCommandShowsFormFiveAndEnablesItsConditions) {
    EXPECT_TRUE(window.findChildren<QDialog*>().isEmpty());
    trigger("mnuCalPMV");
    QDialog* form5 = dialog("Form5");
    ASSERT_NE(form5, nullptr);
    EXPECT_TRUE(form5->isVisible());
    EXPECT_FALSE(form5->isModal());
    EXPECT_EQ(form5->windowTitle(), "PMV");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form5));

    // The room is marked on the main window's picture.
    const char* room[] = {"20", "50", "0.15", "20", "1.0", "1.0"};
    for (int k = 1; k <= 6; ++k) {
        QTest::keyClicks(text(form5, k), room[k - 1]);
    }
    QTest::mouseClick(form5->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(text(form5, 9)->text(), "-1.03");
    EXPECT_EQ(window.picture().items().size(), 1u);
    EXPECT_TRUE(messages.texts().isEmpty());

    // Shown again: the same dialog with its texts, the six conditions enabled again.
    form5->findChild<QPushButton*>("Command3")->click();
    EXPECT_FALSE(form5->isVisible());
    for (int k = 1; k <= 6; ++k) {
        text(form5, k)->setEnabled(false);
    }
    trigger("mnuCalPMV");
    EXPECT_EQ(dialog("Form5"), form5);
    EXPECT_TRUE(form5->isVisible());
    for (int k = 1; k <= 6; ++k) {
        EXPECT_TRUE(text(form5, k)->isEnabled()) << k;
    }
    EXPECT_EQ(text(form5, 1)->text(), "20");
    EXPECT_EQ(text(form5, 7)->text(), "27.31");
}

TEST_F(ComfortMenus, DiscomfortCommandShowsFormSixAndEnablesItsBoxes) {
    trigger("mnuCalDI");
    QDialog* form6 = dialog("Form6");
    ASSERT_NE(form6, nullptr);
    EXPECT_TRUE(form6->isVisible());
    EXPECT_FALSE(form6->isModal());
    EXPECT_EQ(form6->windowTitle(), "不快指数");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form6));

    QTest::keyClicks(text(form6, 1), "28");
    QTest::keyClicks(text(form6, 2), "22");
    QTest::keyClick(text(form6, 2), Qt::Key_Return);
    EXPECT_EQ(text(form6, 9)->text(), "76.6");
    EXPECT_EQ(text(form6, 7)->text(), "50");
    EXPECT_EQ(window.picture().items().size(), 1u);

    for (int k : {1, 2, 7, 9}) {
        text(form6, k)->setEnabled(false);
    }
    trigger("mnuCalPMV");  // modeless: both stay open
    trigger("mnuCalDI");
    EXPECT_EQ(dialog("Form6"), form6);
    EXPECT_TRUE(dialog("Form5")->isVisible());
    for (int k : {1, 2, 7, 9}) {
        EXPECT_TRUE(text(form6, k)->isEnabled()) << k;
    }
    EXPECT_EQ(text(form6, 1)->text(), "28");
}

}  // namespace
