// The document alone, without a window: its steps, undo and redo, the clean state and file it
// names, the recovery file that keeps unsaved work, and the data steps beside the marks.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "app/document.h"
#include "chart/chart_frame.h"
#include "files/project_files.h"
#include "psychro/atmosphere.h"
#include "words/messages.h"

namespace {

chart::Entry point(float number) {
    return {.kind = chart::EntryKind::Point,
            // 20 °C, 50 %: x 0.0072566913 kg/kg(DA), i 9.1984257 kcal/kg(DA)
            .states = {{std::to_string(static_cast<int>(number)) + "点",
                        chart::statePoint(9.1984257, 7.2566913), 0.0072566913, 9.1984257}},
            .lineFrom = std::nullopt,
            .inputs = {},
            .results = {{"number", number}}};
}

TEST(Document, StepsCleanStateFileAndRecovery) {
    struct Row {
        const char* steps;  // p mark, d draw the chart, s 1,500 m, z a zone, o open b, R recover,
                            // S save as a, u undo, r redo
        std::size_t entries;
        bool drawn;
        bool clean;
        const char* file;  // its name; "" none
        bool recovery;     // the recovery file is there, holding the work
        std::size_t zones;
        float pointCount;  // what the point dialog continues from
        bool titled;       // the work keeps the title block of the file opened or recovered
    };
    const Row rows[] = {
        {"", 0, false, true, "", false, 0, 0.0F, false},
        {"p", 1, false, false, "", true, 0, 1.0F, false},
        {"pu", 0, false, true, "", false, 0, 0.0F, false},
        {"pur", 1, false, false, "", true, 0, 1.0F, false},
        // a drawing takes the marks; the count carries on; nothing to recover
        {"pd", 0, true, false, "", false, 0, 1.0F, false},
        {"pdu", 1, false, false, "", true, 0, 1.0F, false},
        {"ppS", 2, false, true, "a.milten", false, 0, 2.0F, false},
        {"ppSu", 1, false, false, "a.milten", true, 0, 1.0F, false},
        {"ppSur", 2, false, true, "a.milten", false, 0, 2.0F, false},
        // opening is a clean step; undone, the document is back at no file
        {"po", 3, true, true, "b.milten", false, 0, 3.0F, true},
        {"pou", 1, false, false, "", true, 0, 1.0F, false},
        {"od", 0, true, false, "b.milten", false, 0, 3.0F, true},
        {"ps", 0, false, false, "", false, 0, 1.0F, false},
        {"psu", 1, false, false, "", true, 0, 1.0F, false},
        // data steps leave the marks alone
        {"z", 0, false, false, "", true, 1, 0.0F, false},
        {"pzu", 1, false, false, "", true, 0, 1.0F, false},
        {"pzuu", 0, false, true, "", false, 0, 0.0F, false},
        {"R", 3, true, false, "", true, 0, 3.0F, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps);
        QTemporaryDir folder;
        app::Document document(chart::Settings::standard(), folder.filePath("recovery.milten"));
        chart::MarkedWork opened{.chartDrawn = true,
                                 .entries = {point(1.0F), point(2.0F), point(3.0F)},
                                 .settings = std::nullopt,
                                 .title = {.subject = "件名", .designer = {}, .date = {}}};
        const std::map<char, std::function<void()>> act{
            {'p', [&] { document.addEntry(point(document.dialogMemory().pointCount + 1.0F)); }},
            {'d', [&] { document.drawChart(); }},
            {'s',
             [&] {
                 document.changeSettings(
                     {chart::Units::Engineering, *psychro::atmosphereFromAltitude(1500.0)});
             }},
            {'z',
             [&] {
                 document.changeData({{}, {data::buildingHygieneZone()}}, words::kStepAddData);
             }},
            {'o', [&] { document.open(opened, {}, folder.filePath("b.milten")); }},
            {'R', [&] { document.recover(opened, {}); }},
            {'S', [&] { ASSERT_TRUE(document.saveTo(folder.filePath("a.milten")).has_value()); }},
            {'u', [&] { document.history().undo(); }},
            {'r', [&] { document.history().redo(); }},
        };
        for (const char* step = row.steps; *step != 0; ++step) {
            act.at (*step)();
        }
        document.keepRecoveryNow();
        EXPECT_EQ(document.work().entries.size(), row.entries);
        EXPECT_EQ(document.work().chartDrawn, row.drawn);
        EXPECT_EQ(document.isClean(), row.clean);
        EXPECT_EQ(QFileInfo(document.filePath()).fileName(), QString::fromLatin1(row.file));
        EXPECT_EQ(document.data().zones.size(), row.zones);
        EXPECT_EQ(document.dialogMemory().pointCount, row.pointCount);
        // the settings go with their step; the title block stays with the work it came with
        EXPECT_EQ(document.settings() == chart::Settings::standard(),
                  !std::string_view(row.steps).ends_with('s'));
        EXPECT_EQ(!document.work().title.empty(), row.titled);
        ASSERT_EQ(QFile::exists(document.recoveryFile()), row.recovery);
        if (row.recovery) {
            const auto kept = files::readProjectFile(document.recoveryFile());
            ASSERT_TRUE(kept.has_value()) << kept.error().toStdString();
            EXPECT_EQ(kept->work.entries, document.work().entries);
            EXPECT_EQ(kept->data.zones.size(), row.zones);
        }
    }
}

}  // namespace
