#include "dialogs/design_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/messages.h"
#include "dialogs/state_input_panel.h"
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
         words::kNotANumber, "", ""},
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
        QSignalSpy recorded(&form, &dialogs::DesignDialog::entryRecorded);
        for (auto [panel, text] :
             {std::pair{&form.roomPanel(), c.room}, {&form.outdoorPanel(), c.outdoor}}) {
            const QStringList tPhi = QString::fromUtf8(text).split(u' ');
            clickRow(*panel, 3);
            type(*panel, 3, tPhi[0]);
            clickRow(*panel, 6);
            type(*panel, 6, tPhi[1]);
        }
        click(form, c.heat ? "OptionHeat" : "OptionCool");
        if (c.reheat) {
            click(form, "OptionReheat");
        }
        type(form, "TextQs", QString::fromUtf8(c.qs));
        type(form, "TextQl", QString::fromUtf8(c.qL));
        type(form, "TextDt", QString::fromUtf8(c.dt));
        auto* dt = child<QLineEdit>(form, "TextDt");
        dt->setFocus();
        QTest::keyClick(dt, Qt::Key_Return);  // Enter: 計算
        if (c.message != nullptr) {
            EXPECT_EQ(messages.texts(), QStringList{QString::fromUtf16(c.message)});
            EXPECT_EQ(recorded.count(), 0);
            EXPECT_TRUE(picture.items().empty());
            continue;
        }
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u' ').toStdString();
        ASSERT_EQ(recorded.count(), 1);
        EXPECT_EQ(figure(form, QString::fromUtf8(c.caption)), QString::fromUtf8(c.value));
        EXPECT_FALSE(picture.items().empty());
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

}  // namespace
