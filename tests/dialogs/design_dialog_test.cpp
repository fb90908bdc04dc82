#include "dialogs/design_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/messages.h"
#include "dialogs/state_input_panel.h"
#include "psychro/atmosphere.h"
#include "shown_work.h"
#include "words/messages.h"

namespace {

using namespace dialog_driver;

// The value beside `caption` in the result table, or "" when there is no such row.
QString figure(const dialogs::DesignDialog& form, const QString& caption) {
    const auto* table = child<QTableWidget>(form, "ResultTable");
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->item(r, 0)->text() == caption) {
            return table->item(r, 1)->text();
        }
    }
    return {};
}

// The two panels given by t and φ ("26 50"), the loads and Δt, as a user types them.
void fill(dialogs::DesignDialog& form, const char* room, const char* outdoor, const char* qs,
          const char* qL, const char* dt) {
    for (auto [panel, text] :
         {std::pair{&form.roomPanel(), room}, {&form.outdoorPanel(), outdoor}}) {
        const QStringList tPhi = QString::fromUtf8(text).split(u' ');
        clickRow(*panel, 3);
        type(*panel, 3, tPhi[0]);
        clickRow(*panel, 6);
        type(*panel, 6, tPhi[1]);
    }
    type(form, "TextQs", QString::fromUtf8(qs));
    type(form, "TextQl", QString::fromUtf8(qL));
    type(form, "TextDt", QString::fromUtf8(dt));
}

// Presses through the dialog as a user would; figures worked by hand (see the core's worked
// designs; SI: 19,760 kcal/h = 22.981 kW).
TEST(DesignDialog, PressesAndRefusals) {
    struct Case {
        const char* name;
        bool si, heat, reheat;
        const char *room, *outdoor, *qs, *qL, *dt;
        const char16_t* message;  // nullptr: a design is marked
        const char* caption;
        const char* value;
    };
    const Case cases[] = {
        {"cooling", false, false, false, "26 50", "33 63", "10000", "2000", "10", nullptr,
         "コイル負荷", "19760"},
        {"with reheat", false, false, true, "26 50", "33 63", "10000", "2000", "10", nullptr,
         "再熱負荷", "1507"},
        {"heating", false, true, false, "22 40", "0 50", "8000", "1000", "10", nullptr, "加熱負荷",
         "12170"},
        {"cooling in SI", true, false, false, "26 50", "33 63", "11.63", "2.326", "10", nullptr,
         "コイル負荷", "22.981"},
        {"supply in the fog", false, false, false, "26 50", "33 63", "10000", "2000", "20",
         words::kDesignSupplyImpossible, "", ""},
        {"load not a number", false, false, false, "26 50", "33 63", "many", "2000", "10",
         u"顕熱負荷に数値を入力してください。", "", ""},
        {"outdoor not air", false, false, false, "26 50", "200 50", "10000", "2000", "10",
         words::kNoAirState, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShownWork shown;
        const chart::Picture& picture = shown.picture();
        dialogs::RecordedMessages messages;
        dialogs::DesignDialog form(messages);
        shown.follow(form);
        chart::Settings settings = chart::Settings::standard();
        settings.units = c.si ? chart::Units::SI : chart::Units::Engineering;
        form.setSettings(settings);
        form.showFromMenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        std::optional<chart::Entry> preview;  // what the dialog hands over for the chart
        std::vector<chart::Entry> recorded;
        QObject::connect(&form, &dialogs::DesignDialog::previewChanged, &form,
                         [&preview](const std::optional<chart::Entry>& p) { preview = p; });
        QObject::connect(&form, &dialogs::DesignDialog::entryRecorded, &form,
                         [&recorded](const chart::Entry& e) { recorded.push_back(e); });
        click(form, c.heat ? "OptionHeat" : "OptionCool");
        if (c.reheat) {
            click(form, "OptionReheat");
        }
        fill(form, c.room, c.outdoor, c.qs, c.qL, c.dt);
        auto* dt = child<QLineEdit>(form, "TextDt");
        dt->setFocus();
        QTest::keyClick(dt, Qt::Key_Return);  // Enter: 計算, a preview only
        EXPECT_TRUE(recorded.empty());
        EXPECT_TRUE(picture.items().empty());
        if (c.message != nullptr) {
            EXPECT_EQ(messages.texts().value(0), QString::fromUtf16(c.message));
            EXPECT_FALSE(preview.has_value());
            continue;
        }
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u' ').toStdString();
        ASSERT_TRUE(preview.has_value());
        EXPECT_EQ(figure(form, QString::fromUtf8(c.caption)), QString::fromUtf8(c.value));
        const chart::Entry previewed = *preview;
        click(form, "CommandDraw");  // 描画: the same design as one entry, the preview gone
        ASSERT_EQ(recorded.size(), 1U);
        EXPECT_EQ(recorded[0], previewed);
        EXPECT_FALSE(preview.has_value());
        EXPECT_FALSE(picture.items().empty());
        click(form, "Command1");
        click(form, "Command3");  // closing drops the preview
        EXPECT_FALSE(preview.has_value());
    }
}

// A load typed in kcal/h keeps its meaning when the units change: 10,000 kcal/h is 11.63 kW.
TEST(DesignDialog, LoadsKeepTheirMeaningUnderNewUnits) {
    dialogs::RecordedMessages messages;
    dialogs::DesignDialog form(messages);
    setText(form, "TextQs", QStringLiteral("10000"));
    chart::Settings si = chart::Settings::standard();
    si.units = chart::Units::SI;
    form.setSettings(si);
    EXPECT_EQ(child<QLineEdit>(form, "TextQs")->text(), QStringLiteral("11.63"));
    form.setSettings(chart::Settings::standard());
    EXPECT_EQ(child<QLineEdit>(form, "TextQs")->text(), QStringLiteral("10000"));
}

// A refusal names its box and puts the focus there, and the figures of the design before are
// gone. The boiling point at 1,500 m is 95.0 ℃ (84.556 kPa).
TEST(DesignDialog, RefusalNamesTheBoxAndClears) {
    const struct {
        const char *box, *text;
        const char16_t* message;
    } cases[] = {
        {"TextQl", "", u"潜熱負荷に数値を入力してください。"},
        {"TextK", "150", words::designErrorText(psychro::DesignError::OutdoorRatio)},
        {"TextHum", "90", u"蒸気温度は95℃以上を入力してください。"},
    };
    dialogs::RecordedMessages messages;
    dialogs::DesignDialog form(messages);
    chart::Settings site = chart::Settings::standard();
    site.atmosphere = *psychro::atmosphereFromAltitude(1500);
    form.setSettings(site);
    form.showFromMenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    click(form, "OptionHeat");
    fill(form, "22 40", "0 50", "8000", "1000", "10");
    for (const auto& c : cases) {
        const QString good = child<QLineEdit>(form, c.box)->text();
        click(form, "Command1");
        ASSERT_FALSE(figure(form, QStringLiteral("加熱負荷")).isEmpty());
        setText(form, c.box, QString::fromUtf8(c.text));
        messages.clear();
        click(form, "Command1");
        EXPECT_EQ(messages.texts(), QStringList{QString::fromUtf16(c.message)});
        EXPECT_EQ(child<QTableWidget>(form, "ResultTable")->rowCount(), 0);
        EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(form, c.box));
        setText(form, c.box, good);
    }
}

// New settings design the boxes again: at 1,500 m in SI the room's 22 ℃ 40 % holds 0.00787
// kg/kg(DA), and the water-spray heater takes 18.674 kW.
TEST(DesignDialog, SettingsDesignAgain) {
    dialogs::RecordedMessages messages;
    dialogs::DesignDialog form(messages);
    click(form, "OptionHeat");
    click(form, "OptionSpray");
    fill(form, "22 40", "0 50", "8000", "1000", "10");
    click(form, "Command1");
    chart::Settings site = chart::Settings::standard();
    site.units = chart::Units::SI;
    site.atmosphere = *psychro::atmosphereFromAltitude(1500);
    form.setSettings(site);
    EXPECT_EQ(figure(form, QStringLiteral("R 室内 絶対湿度")), QStringLiteral("0.00787"));
    EXPECT_EQ(figure(form, QStringLiteral("加熱負荷")), QStringLiteral("18.674"));
}

// The weather data's design conditions fill the outdoor panel: a cooling one by its dry and
// wet bulb, a heating one by its dry bulb beside the φ already typed. Tab runs through each
// panel, then the loads.
TEST(DesignDialog, DesignConditionsAndTabs) {
    dialogs::RecordedMessages messages;
    dialogs::DesignDialog form(messages);
    auto* combo = child<QComboBox>(form, "ComboConditions");
    using K = data::DesignConditionKind;
    form.setDesignConditions({{QStringLiteral("Site"), {K::Cooling04, 34.3, 25.3}},
                              {QStringLiteral("Site"), {K::Heating996, -2.1, std::nullopt}}});
    auto& outdoor = form.outdoorPanel();
    emit combo->activated(1);
    EXPECT_EQ(outdoor.checkedRows(), (std::vector{psychro::Property::t, psychro::Property::tw}));
    EXPECT_EQ(outdoor.text(psychro::Property::tw), QStringLiteral("25.3"));
    outdoor.setText(psychro::Property::phi, QStringLiteral("60"));
    emit combo->activated(2);
    EXPECT_EQ(outdoor.checkedRows(), (std::vector{psychro::Property::t, psychro::Property::phi}));
    EXPECT_EQ(outdoor.text(psychro::Property::t) + outdoor.text(psychro::Property::phi), "-2.160");

    QStringList order;  // Tab from the room panel's first box
    for (QWidget* w = form.roomPanel().check(psychro::Property::x); order.size() < 28;
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus && !w->objectName().isEmpty()) {
            order << w->parentWidget()->objectName() + u'/' + w->objectName();
        }
    }
    EXPECT_EQ(order.mid(11, 3).join(u' ') + u' ' + order.mid(23, 3).join(u' '),
              "FrameRoom/Text6 FrameOutdoor/Check1 FrameOutdoor/Text1 FrameOutdoor/Text6 "
              "FrameLoads/TextQs FrameLoads/TextQl");
}

}  // namespace
