// The dialogs under other settings: a site's pressure in the point dialog, SI figures typed and
// shown, loads in kW, and the settings dialog's refusals.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <vector>

#include "chart/pressure_text.h"
#include "dialog_driver.h"
#include "dialogs/messages.h"
#include "dialogs/point_dialog.h"
#include "dialogs/process_dialogs.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/state_input_panel.h"
#include "picture_items.h"
#include "psychro/saturation.h"
#include "shown_work.h"

namespace {

using dialog_driver::child;
using dialog_driver::click;

const chart::Settings kSI{chart::Units::SI, psychro::Atmosphere::standard()};

class SettingsInDialogs : public testing::Test {
  protected:
    // Checks rows `a` and `b` of the point dialog, types their texts and presses "描画".
    void drawPoint(int a, const QString& va, int b, const QString& vb) {
        form2.showFromMenu();
        dialog_driver::clickRow(form2.panel(), a);
        dialog_driver::clickRow(form2.panel(), b);
        dialog_driver::type(form2.panel(), a, va);
        dialog_driver::type(form2.panel(), b, vb);
        click(form2, "Command1");
    }
    chart::CircleItem lastMark() const { return itemsOf<chart::CircleItem>(picture).back(); }

    ShownWork shown;
    const chart::Picture& picture = shown.picture();
    dialogs::RecordedMessages messages;
    dialogs::PointDialog form2{messages};
    Following following_{shown, form2};
};

// At 700 mmHg: x = 0.622·φ·ps / (P − φ·ps), P = 1.03323·700/760 kgf/cm².
TEST_F(SettingsInDialogs, PointDialogSolvesAtTheSitesPressure) {
    form2.setSettings({chart::Units::Engineering, *psychro::atmosphereFromMmHg(700.0)});
    drawPoint(3, QStringLiteral("20"), 6, QStringLiteral("50"));
    const double ps = psychro::SaturationPressure(20.0);
    const double P = 1.03323 * 700.0 / 760.0;
    const double x = 0.622 * 0.5 * ps / (P - 0.5 * ps);
    EXPECT_NEAR(form2.panel().text(psychro::Property::x).toDouble(), x, 0.5e-5);
    EXPECT_TRUE(messages.texts().isEmpty());
}

// An enthalpy typed in kJ/kg(DA) marks the state its kcal figure marks; the i written back for
// t and φ is in kJ: 9.1984257 kcal/kg(DA) · 4.1868 = 38.5119687 kJ/kg(DA).
TEST_F(SettingsInDialogs, SiEnthalpyTypedAndWrittenBack) {
    drawPoint(1, QStringLiteral("0.00726"), 2, QStringLiteral("9.1984257"));
    const chart::CircleItem engineering = lastMark();
    form2.setSettings(kSI);
    EXPECT_EQ(child<QLabel>(form2, "Label1")->text(), "kJ/kg(DA)");
    drawPoint(1, QStringLiteral("0.00726"), 2, QStringLiteral("38.5119687"));
    EXPECT_NEAR(lastMark().centre.X, engineering.centre.X, 1e-5);
    EXPECT_NEAR(lastMark().centre.Y, engineering.centre.Y, 1e-5);

    form2.panel().ButtonClear();
    drawPoint(3, QStringLiteral("20"), 6, QStringLiteral("50"));
    EXPECT_EQ(form2.panel().text(psychro::Property::i), "38.51");
    form2.setSettings(chart::Settings::standard());
    EXPECT_EQ(child<QLabel>(form2, "Label1")->text(), "kcal/kg(DA)");
    // The written-back figure keeps its meaning: 38.51 / 4.1868 = 9.19795 kcal/kg(DA).
    EXPECT_EQ(form2.panel().text(psychro::Property::i), "9.2");
}

// A settings change converts the enthalpy typed, to 2 decimals: 38.51 kcal × 4.1868 = 161.2337
// kJ; 50.2416 kJ / 4.1868 = 12.0000 kcal; what is no number stays as typed.
TEST_F(SettingsInDialogs, TypedEnthalpyKeepsItsMeaning) {
    const chart::Settings kEngineering = chart::Settings::standard();
    struct Case {
        chart::Settings from;
        const char* typed;
        chart::Settings to;
        const char* shown;
    };
    const Case cases[] = {
        {kEngineering, "38.51", kSI, "161.23"}, {kSI, "50.2416", kEngineering, "12"},
        {kEngineering, "abc", kSI, "abc"},      {kSI, "", kEngineering, ""},
        {kSI, "9.1984257", kSI, "9.1984257"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        form2.setSettings(c.from);
        form2.panel().setText(psychro::Property::i, QString::fromLatin1(c.typed));
        form2.setSettings(c.to);
        EXPECT_EQ(form2.panel().text(psychro::Property::i), c.shown);
    }
}

// Cooling 12 → 7 kcal/kg(DA) at 250 kg/h is 1250 kcal/h = 1.45375 kW, written to 3 decimals;
// Label9 follows the units.
TEST_F(SettingsInDialogs, CoolingLoadInKilowatts) {
    dialogs::MixingCoolingDialog form3(messages);
    shown.follow(form3);
    form3.setSettings(kSI);
    form3.showForCooling();
    EXPECT_EQ(child<QLabel>(form3, "Label9")->text(), "kW");
    const auto point = [&](const char* button, const char* x, double kcal) {
        dialog_driver::clickRow(form3.panel(), 1);
        dialog_driver::clickRow(form3.panel(), 2);
        dialog_driver::type(form3.panel(), 1, QString::fromLatin1(x));
        dialog_driver::type(form3.panel(), 2, QString::number(kcal * 4.1868, 'g', 17));
        dialog_driver::setText(form3, "Text7", QStringLiteral("250"));
        click(form3, button);
    };
    point("Command1", "0.008", 12.0);
    point("Command4", "0.007", 7.0);
    EXPECT_EQ(child<QLineEdit>(form3, "Text9")->text(), "1.454");
    form3.setSettings(chart::Settings::standard());
    EXPECT_EQ(child<QLabel>(form3, "Label9")->text(), "kcal/h");
    // The load and the typed enthalpy keep their meaning: 1250 kcal/h; 7 kcal/kg(DA).
    EXPECT_EQ(child<QLineEdit>(form3, "Text9")->text(), "1250");
    EXPECT_EQ(form3.panel().text(psychro::Property::i), "7");
}

// Point 1 was marked on the chart of the old settings, which a change redraws: it is dropped,
// and the dialog asks for point 1 again.
TEST_F(SettingsInDialogs, ChangeDropsAMixingsPoint1) {
    dialogs::MixingCoolingDialog form3(messages);
    shown.follow(form3);
    form3.showForMixing();
    dialog_driver::clickRow(form3.panel(), 3);
    dialog_driver::clickRow(form3.panel(), 6);
    dialog_driver::type(form3.panel(), 3, QStringLiteral("20"));
    dialog_driver::type(form3.panel(), 6, QStringLiteral("50"));
    dialog_driver::setText(form3, "Text7", QStringLiteral("1000"));
    click(form3, "Command1");
    ASSERT_TRUE(child<QPushButton>(form3, "Command4")->isEnabled());
    form3.setSettings({chart::Units::Engineering, *psychro::atmosphereFromAltitude(1500.0)});
    EXPECT_FALSE(child<QPushButton>(form3, "Command4")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(form3, "Command1")->isEnabled());
}

// What "OK" refuses: each with its message, nothing handed on.
TEST_F(SettingsInDialogs, SettingsDialogRefusals) {
    dialogs::SettingsDialog dialog(messages);
    std::vector<chart::Settings> chosen;
    QObject::connect(&dialog, &dialogs::SettingsDialog::settingsChosen,
                     [&chosen](const chart::Settings& s) { chosen.push_back(s); });
    const QString altitudeRange = QStringLiteral("標高は-500～5000 mの範囲で入力してください。");
    const QString mmHgRange = QStringLiteral("大気圧は405.2～806.1 mmHgの範囲で入力してください。");
    struct Case {
        const char* option;
        const char* text;
        QString message;
    };
    const Case cases[] = {
        {"Option5", "6000", altitudeRange},
        {"Option5", "-1000", altitudeRange},
        {"Option3", "0", mmHgRange},
        {"Option3", "abc", QStringLiteral("大気圧は数値で入力してください。")},
        {"Option5", "", QStringLiteral("標高は数値で入力してください。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dialog.showFor(chart::Settings::standard());
        click(dialog, c.option);
        dialog_driver::setText(dialog, "Text1", QString::fromUtf8(c.text));
        click(dialog, "Command1");
        EXPECT_EQ(messages.texts(), QStringList{c.message});
        EXPECT_TRUE(chosen.empty());
        EXPECT_TRUE(dialog.isVisible());
        messages.clear();
    }

    // Accepted: SI at 93.3 kPa; "標準に戻す" puts the defaults back into the controls.
    click(dialog, "Option2");
    click(dialog, "Option4");
    dialog_driver::setText(dialog, "Text1", QStringLiteral("93.3"));
    click(dialog, "Command1");
    ASSERT_EQ(chosen.size(), 1u);
    const chart::Settings settings = chosen.front();
    EXPECT_EQ(settings.units, chart::Units::SI);
    EXPECT_EQ(settings.atmosphere.unit, psychro::PressureUnit::KPa);
    EXPECT_EQ(settings.atmosphere.given, 93.3);
    EXPECT_FALSE(dialog.isVisible());
    dialog.showFor(settings);
    click(dialog, "Command3");
    EXPECT_TRUE(child<QRadioButton>(dialog, "Option1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(dialog, "Option3")->isChecked());
    EXPECT_EQ(child<QLineEdit>(dialog, "Text1")->text(), "760");
}

// Choosing another pressure unit converts the number shown, from what was given last (so that
// going back restores it); a text that names no pressure stays. Standard atmosphere: 760 mmHg =
// 101.325 kPa = 0 m; 1,500 m = 84.556 kPa = 634.2 mmHg (ASHRAE Fundamentals, ch. 1, table 1).
TEST_F(SettingsInDialogs, PressureUnitSwitchConvertsTheNumber) {
    dialogs::SettingsDialog dialog(messages);
    const auto shown = [&] { return child<QLineEdit>(dialog, "Text1")->text(); };
    const char* cases[][4] = {
        // typed under, text, shown under, as
        {"Option3", "760", "Option5", "0"},       {"Option3", "760", "Option4", "101.325"},
        {"Option5", "1500", "Option4", "84.556"}, {"Option5", "1500", "Option3", "634.2"},
        {"Option4", "84.556", "Option5", "1500"}, {"Option3", "abc", "Option5", "abc"},
        {"Option3", "-5", "Option4", "-5"},
    };
    for (const auto& [from, typed, to, as] : cases) {
        SCOPED_TRACE(typed);
        dialog.showFor(chart::Settings::standard());
        click(dialog, from);
        dialog_driver::type(dialog, "Text1", QString::fromLatin1(typed));
        click(dialog, to);
        EXPECT_EQ(shown(), as);
        click(dialog, from);
        EXPECT_EQ(shown(), typed);
    }
    // Enter presses "OK" from a radio button as from the text box.
    std::vector<chart::Settings> chosen;
    QObject::connect(&dialog, &dialogs::SettingsDialog::settingsChosen,
                     [&chosen](const chart::Settings& s) { chosen.push_back(s); });
    dialog_driver::type(dialog, "Text1", QStringLiteral("700"));
    QTest::keyClick(child<QRadioButton>(dialog, "Option4"), Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen.front().atmosphere.given, 700.0);
}

}  // namespace
