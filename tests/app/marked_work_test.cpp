#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "chart/marked_work.h"
#include "data/work_drawing.h"
#include "dialogs/messages.h"
#include "work_scenarios.h"

namespace {

using chart::EntryKind;

struct Expected {
    const char* scenario;
    std::vector<EntryKind> kinds;
    std::vector<std::string> labels;  // of every state, entry after entry
    const char* result;               // a result of the last entry, hand-computed
    double value;
    double tolerance;
};

// 20 °C 50 %: x = 0.622·0.5·2.3388/(101.325 − 1.1694) = 0.00726, i = 4.8 + 0.00726·606.12 =
// 9.200. 30 °C 60 %: x = 0.01604, i = 16.99. Equal streams mix to their mean; cooling takes
// (16.99 − 9.20)·1000; heating to 30 °C (0.24 + 0.441·0.00726)·10·1000; steam of 100 °C
// (597.3 + 44.1 kcal/kg) to 70 % adds 3.259 kg/h (bisection on Δx with ps by Wexler–Hyland,
// ending at 20.47 °C); DI = 0.72·(30 + 25) + 40.6.
const std::vector<Expected> kExpected{
    {"point", {EntryKind::Point}, {"1点"}, "number", 1.0, 0.0},
    {"mixing",
     {EntryKind::ProcessStart, EntryKind::Mixing},
     {"点１", "点２", "混合点"},
     "x3",
     0.01165,
     1e-4},
    {"cooling", {EntryKind::ProcessStart, EntryKind::Cooling}, {"点１", "点２"}, "Q", 7790.0, 40.0},
    {"heating", {EntryKind::Heating}, {"点１", "点２"}, "Q", 2432.0, 2.0},
    {"steam", {EntryKind::SteamHumidifying}, {"点１", "点２"}, "L", 3.259, 0.01},
    {"pmv", {EntryKind::Pmv}, {""}, nullptr, 0.0, 0.0},
    {"discomfort", {EntryKind::Discomfort}, {""}, "DI", 80.2, 1e-9},
};

class MarkedWorkTest : public testing::Test {
  protected:
    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
};

// Every press is recorded, and the picture is exactly the work replayed, with and without the
// chart beneath.
TEST_F(MarkedWorkTest, EveryPressIsAnEntryAndTheEntriesAreThePicture) {
    const auto all = work_scenarios::scenarios();
    for (std::size_t k = 0; k < all.size(); ++k) {
        SCOPED_TRACE(all[k].name);
        const Expected& e = kExpected.at(k);
        ASSERT_STREQ(e.scenario, all[k].name);
        for (bool chartFirst : {false, true}) {
            if (chartFirst) {
                work_scenarios::trigger(window, "mnuDrawW");
                EXPECT_TRUE(window.work().chartDrawn);
                EXPECT_TRUE(window.work().entries.empty());
            }
            const std::size_t before = window.work().entries.size();
            all[k].run(window);
            EXPECT_TRUE(messages.texts().filter(QStringLiteral("でき")).isEmpty());
            const auto& entries = window.work().entries;
            ASSERT_EQ(entries.size() - before, e.kinds.size());
            std::vector<std::string> labels;
            for (std::size_t j = 0; j < e.kinds.size(); ++j) {
                const chart::Entry& entry = entries[before + j];
                EXPECT_EQ(entry.kind, e.kinds[j]);
                for (const chart::MarkedState& s : entry.states) {
                    labels.push_back(s.label);
                }
            }
            // The point dialog counts on: its second point is "2点"; the rest are the same.
            if (!chartFirst) {
                EXPECT_EQ(labels, e.labels);
            }
            if (e.result != nullptr && !chartFirst) {
                const auto value = chart::valueOf(entries.back().results, e.result);
                ASSERT_TRUE(value.has_value());
                EXPECT_NEAR(*value, e.value, e.tolerance);
            }
            chart::Picture replayed;
            (void)data::drawWork(replayed, window.work(), {}, chart::Settings::standard());
            EXPECT_TRUE(work_scenarios::identical(replayed, window.picture()));
        }
        work_scenarios::trigger(window, "mnuDrawW");
    }
}

// The six properties and the dew point of a recorded state; 20 °C 50 %: t′ 13.7 °C,
// v = 0.455·(0.00726 + 0.622)·293.15/100 = 0.8393, dew point 9.3 °C.
TEST_F(MarkedWorkTest, AStateCarriesItsSixPropertiesAndDewPoint) {
    work_scenarios::scenarios().front().run(window);
    ASSERT_EQ(window.work().entries.size(), 1u);
    const chart::StateFigures f =
        chart::stateFigures(window.work().entries[0].states[0], psychro::PressureRatio::standard());
    EXPECT_NEAR(f.x, 0.00726, 5e-6);
    EXPECT_NEAR(f.i, 9.200, 0.01);
    EXPECT_NEAR(f.t, 20.0, 1e-3);
    EXPECT_NEAR(f.tw, 13.7, 0.1);
    EXPECT_NEAR(f.v, 0.8393, 5e-4);
    EXPECT_NEAR(f.phi, 50.0, 0.01);
    ASSERT_TRUE(f.dewPoint.has_value());
    EXPECT_NEAR(*f.dewPoint, 9.3, 0.1);
    const auto& inputs = window.work().entries[0].inputs;
    EXPECT_EQ(chart::valueOf(inputs, "t"), 20.0);
    EXPECT_EQ(chart::valueOf(inputs, "phi"), 50.0);
}

}  // namespace
