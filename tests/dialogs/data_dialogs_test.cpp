#include "dialogs/data_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <vector>

#include "dialog_driver.h"
#include "dialogs/messages.h"

namespace {

using dialog_driver::child;

void pick(const QObject& dialog, int role, int item) {
    child<QComboBox>(dialog, QStringLiteral("ComboRole%1").arg(role).toLatin1())
        ->setCurrentIndex(item);
}

TEST(ColumnDialog, NeedsTwoStateColumnsEachOnce) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> picks;  // role (1: t, 2: φ, 6: date/time), item
        bool taken;
    };
    const std::vector<Case> cases{
        {"one state column", {{1, 2}}, false},
        {"one state column and a date", {{1, 2}, {6, 1}}, false},
        {"a column twice", {{1, 2}, {2, 2}}, false},
        {"t and φ", {{1, 2}, {2, 3}, {6, 1}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs::RecordedMessages messages;
        dialogs::ColumnDialog dialog(messages);
        QSignalSpy chosen(&dialog, &dialogs::ColumnDialog::chosen);
        dialog.showFor("when,A,B\n2024-07-01 10:00,20,50\n", std::nullopt);
        for (const auto& [role, item] : c.picks) {
            pick(dialog, role, item);
        }
        dialog_driver::click(dialog, "CommandOK");
        ASSERT_EQ(chosen.size(), c.taken ? 1 : 0);
        EXPECT_EQ(messages.messages().size(), c.taken ? 0U : 1U);
        EXPECT_EQ(dialog.isVisible(), !c.taken);
        if (c.taken) {
            const auto columns = chosen.front().at(0).value<data::CsvChoice>().columns;
            EXPECT_EQ(columns.t, 1U);
            EXPECT_EQ(columns.phi, 2U);
            EXPECT_EQ(columns.dateTime, 0U);
            EXPECT_EQ(columns.headerLine, 1U);
        }
    }
}

TEST(ColumnDialog, PreviewsShiftJisInItsOwnCharacters) {
    dialogs::RecordedMessages messages;
    dialogs::ColumnDialog dialog(messages);
    // 温度,湿度 in code page 932
    dialog.showFor("\x89\xB7\x93\x78,\x8E\xBC\x93\x78\n20,50\n", std::nullopt);
    const auto* preview = child<QPlainTextEdit>(dialog, "TextPreview");
    EXPECT_EQ(preview->toPlainText(), QStringLiteral("温度,湿度\n20,50"));
    EXPECT_EQ(child<QComboBox>(dialog, "ComboRole1")->itemText(1), QStringLiteral("温度"));

    child<QComboBox>(dialog, "ComboEncoding")->setCurrentIndex(0);  // UTF-8: not readable
    EXPECT_FALSE(preview->toPlainText().contains(QStringLiteral("温度")));
    pick(dialog, 1, 1);
    pick(dialog, 2, 2);
    dialog_driver::click(dialog, "CommandOK");
    EXPECT_EQ(messages.messages().size(), 1U);
}

TEST(ZoneDialog, PresetsFillAndBadNumbersAreRefused) {
    struct Case {
        const char* what;
        const char* press;                                   // a button, or nullptr
        std::vector<std::pair<const char*, QString>> typed;  // box, text
        QStringList shown;    // TextTLow, TextTHigh, TextHumidityLow, TextHumidityHigh after
        const char* refusal;  // a word the message holds; nullptr: accepted
    };
    const std::vector<Case> cases{
        // 建築物衛生法: 17–28 °C, 40–70 %; the summer range up to 12 g/kg(DA)
        {"hygiene law", "CommandHygiene", {}, {"17", "28", "40", "70"}, nullptr},
        {"summer range", "CommandAshrae", {}, {"24", "28", "0", "12"}, nullptr},
        {"reversed", nullptr, {{"TextTLow", "28"}, {"TextTHigh", "17"}}, {}, "下限"},
        {"not a number", nullptr, {{"TextHumidityHigh", "abc"}}, {}, "湿度の上限"},
        {"empty met", "OptionPmv", {{"TextMet", ""}}, {}, "代謝量"},
        {"limit above 3", "OptionPmv", {{"TextLimit", "3.5"}}, {}, "限度"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs::RecordedMessages messages;
        dialogs::ZoneDialog dialog(messages);
        dialog.showFor(data::RangeZone{"z", 20, 26, false, 40, 60});
        QSignalSpy accepted(&dialog, &dialogs::ZoneDialog::accepted);
        if (c.press != nullptr) {
            dialog_driver::click(dialog, c.press);
        }
        for (const auto& [box, text] : c.typed) {
            dialog_driver::setText(dialog, box, text);
        }
        QStringList shown;
        for (const char* box : {"TextTLow", "TextTHigh", "TextHumidityLow", "TextHumidityHigh"}) {
            shown << child<QLineEdit>(dialog, box)->text();
        }
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(shown, c.shown);
        }
        dialog_driver::click(dialog, "CommandOK");
        ASSERT_EQ(accepted.size(), c.refusal == nullptr ? 1 : 0);
        if (c.refusal != nullptr) {
            ASSERT_EQ(messages.messages().size(), 1U);
            EXPECT_TRUE(messages.texts().front().contains(QString::fromUtf8(c.refusal)))
                << messages.texts().front().toStdString();
        }
    }
}

TEST(ZoneDialog, HandsOnTheSummerRangeInKilograms) {
    dialogs::RecordedMessages messages;
    dialogs::ZoneDialog dialog(messages);
    QSignalSpy accepted(&dialog, &dialogs::ZoneDialog::accepted);
    dialog.showFor(data::RangeZone{"z", 20, 26, false, 40, 60});
    dialog_driver::click(dialog, "CommandAshrae");
    dialog_driver::click(dialog, "CommandOK");
    ASSERT_EQ(accepted.size(), 1);
    const auto zone = std::get<data::RangeZone>(accepted.front().at(0).value<data::Zone>());
    EXPECT_TRUE(zone.absolute);
    EXPECT_DOUBLE_EQ(zone.humidityHigh, 0.012);
}

}  // namespace
