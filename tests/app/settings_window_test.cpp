// The settings in the window: the menu item, what a change does to the chart, the labels and an
// open dialog, and the settings kept between runs in a store of the test's own.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/main_window.h"
#include "app/settings_store.h"
#include "chart/chart_drawing.h"
#include "dialogs/messages.h"
#include "dialogs/point_dialog.h"
#include "dialogs/state_input_panel.h"
#include "picture_items.h"

namespace {

QString labelText(const QWidget& window, const char* name) {
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Chooses the settings through the dialog as a user does: unit, pressure unit, text, OK.
void choose(app::MainWindow& window, const char* units, const char* pressureUnit,
            const QString& text) {
    window.findChild<QAction*>("mnuToolSettings")->trigger();
    auto* dialog = window.findChild<QDialog*>("FormSettings");
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->findChild<QRadioButton*>(units), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QRadioButton*>(pressureUnit), Qt::LeftButton);
    dialog->findChild<QLineEdit*>("Text1")->setText(text);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
}

// A change redraws the drawn chart for the new settings, which erases the marks, relabels the
// open point dialog and the readout, and says so; a refused one changes nothing.
TEST(SettingsWindow, ChangeRedrawsErasesMarksAndRelabels) {
    dialogs::RecordedMessages messages;
    app::MainWindow window(messages);
    window.findChild<QAction*>("mnuDrawW")->trigger();
    window.findChild<QAction*>("mnuDrawPoint")->trigger();
    auto* form2 = window.findChild<dialogs::PointDialog*>("Form2");
    ASSERT_NE(form2, nullptr);
    form2->panel().check(psychro::Property::t)->click();
    form2->panel().check(psychro::Property::phi)->click();
    form2->panel().setText(psychro::Property::t, QStringLiteral("20"));
    form2->panel().setText(psychro::Property::phi, QStringLiteral("50"));
    form2->findChild<QPushButton*>("Command1")->click();
    ASSERT_EQ(itemsOf<chart::CircleItem>(window.picture()).size(), 1u);

    choose(window, "Option1", "Option5", QStringLiteral("6000"));
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("標高は-500～5000 mの範囲で入力してください。")});
    EXPECT_EQ(window.settings(), chart::Settings::standard());
    EXPECT_EQ(itemsOf<chart::CircleItem>(window.picture()).size(), 1u);

    choose(window, "Option2", "Option5", QStringLiteral("1500"));
    chart::Picture fresh;
    chart::drawChart(fresh, psychro::pressureRatioAtAltitude(1500.0), chart::Units::SI);
    EXPECT_TRUE(sameItems(window.picture(), fresh));
    EXPECT_EQ(labelText(window, "Label20"), "大気圧 = 84.556 kPa (標高 1500 m)");
    EXPECT_EQ(labelText(window, "Label9"), "kJ/kg(DA)");
    EXPECT_EQ(labelText(*form2, "Label1"), "kJ/kg(DA)");
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("設定を変更しました。チャートを描き直しました。"));
}

// The settings survive a restart: written by one window, read by a second store on the same
// file and shown by a second window; a broken store gives the defaults.
TEST(SettingsWindow, KeptBetweenRuns) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("milten.conf"));
    dialogs::RecordedMessages messages;
    {
        QSettings store(path, QSettings::IniFormat);
        app::MainWindow window(messages, nullptr, &store);
        EXPECT_EQ(labelText(window, "Label20"), "大気圧 = 760 mmHg");
        choose(window, "Option1", "Option3", QStringLiteral("700"));
    }
    QSettings again(path, QSettings::IniFormat);
    const chart::Settings read = app::loadSettings(again);
    EXPECT_EQ(read.units, chart::Units::Engineering);
    EXPECT_EQ(read.atmosphere.unit, psychro::PressureUnit::MmHg);
    EXPECT_EQ(read.atmosphere.given, 700.0);
    app::MainWindow second(messages, nullptr, &again);
    EXPECT_EQ(labelText(second, "Label20"), "大気圧 = 700 mmHg");

    again.setValue(QStringLiteral("pressure/value"), QStringLiteral("-1e400"));
    again.setValue(QStringLiteral("display/units"), QStringLiteral("si"));
    app::MainWindow third(messages, nullptr, &again);
    EXPECT_EQ(labelText(third, "Label20"), "大気圧 = 101.325 kPa");
    EXPECT_TRUE(messages.texts().isEmpty());
}

}  // namespace
