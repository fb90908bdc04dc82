// The scene alone on a document: its picture is always the whole work as data::drawWork draws
// it, with the preview over it, however the steps came; marks come and go by cuts, not by
// drawing everything anew; the preview is never part of the document.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <map>

#include "app/document.h"
#include "app/scene.h"
#include "chart/design_entry.h"
#include "data/work_drawing.h"
#include "psychro/atmosphere.h"
#include "words/messages.h"
#include "work_scenarios.h"

namespace {

TEST(Scene, TheWholeWorkWithThePreviewOver) {
    struct Row {
        const char* steps;  // p mark, P preview a design, n no preview, u undo, r redo,
                            // d draw the chart, s 1,500 m, z a zone
        int redrawn;        // pictures drawn anew
        bool previewed;
    };
    const Row rows[] = {
        {"pppuur", 0, false}, {"pPpuu", 0, true}, {"pPPn", 0, false}, {"dpPpuur", 1, true},
        {"pPs", 1, false},    {"zpPuu", 2, true}, {"Ppu", 0, true},
    };
    const auto design = chart::designEntry(
        {true, {0.0104883, 12.624925}, {0.0200816, 20.207014}, {10000, 2000, 25, 10}, {}, {}},
        psychro::PressureRatio::standard());
    ASSERT_TRUE(design.has_value());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps);
        QTemporaryDir folder;
        app::Document document(chart::Settings::standard(), folder.filePath("r.milten"));
        app::Scene scene(document);
        QSignalSpy redrawn(&scene, &app::Scene::redrawn);
        float x = 30.0F;
        const std::map<char, std::function<void()>> act{
            {'p',
             [&] {
                 x += 7.0F;
                 document.addEntry({.kind = chart::EntryKind::ProcessStart,
                                    .states = {{"点１", {x, 120.0}, 0.01, 10.0}},
                                    .lineFrom = std::nullopt,
                                    .inputs = {},
                                    .results = {}});
             }},
            {'P', [&] { scene.setPreview(*design); }},
            {'n', [&] { scene.setPreview(std::nullopt); }},
            {'u', [&] { document.history().undo(); }},
            {'r', [&] { document.history().redo(); }},
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
        };
        for (const char* step = row.steps; *step != 0; ++step) {
            act.at (*step)();
        }
        chart::Picture work;
        (void)data::drawWork(work, document.work(), document.data().zones, document.settings());
        EXPECT_TRUE(work_scenarios::identical(scene.workPicture(), work));
        chart::Picture shown = work;
        if (row.previewed) {
            chart::drawEntry(shown, *design);
        }
        EXPECT_TRUE(work_scenarios::identical(scene.picture(), shown));
        EXPECT_EQ(scene.preview().has_value(), row.previewed);
        EXPECT_EQ(redrawn.count(), row.redrawn);
        for (const chart::Entry& entry : document.work().entries) {
            EXPECT_NE(entry.kind, chart::EntryKind::CoolingDesign);  // the preview is no step
        }
    }
}

}  // namespace
