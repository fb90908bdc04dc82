#include <gtest/gtest.h>

#include <expected>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/design_entry.h"
#include "chart/project_file.h"
#include "chart/settings.h"
#include "files/project_document.h"
#include "psychro/atmosphere.h"

namespace {

using chart::EntryKind;
using chart::ProjectError;

// The work of a whole file, or why it is refused.
std::expected<chart::MarkedWork, chart::ProjectFailure> readWork(std::string_view bytes) {
    auto read = files::readProject(bytes);
    if (!read) {
        return std::unexpected(read.error());
    }
    return std::move(read->work);
}

// A state marked where the dialogs mark it: at its own chart point, in single precision.
chart::MarkedState state(std::string label, double x, double i) {
    const chart::PointMm p = chart::statePoint(i, 1000.0 * x);
    return {std::move(label), {static_cast<float>(p.X), static_cast<float>(p.Y)}, x, i};
}

// One entry of every kind, as the dialogs record them (20 °C 50 %: x 0.00726, i 9.2; 30 °C
// 60 %: x 0.01604, i 16.99).
chart::MarkedWork everyKind() {
    const chart::MarkedState one = state("点１", 0.01604, 16.99);
    chart::MarkedWork work{
        .chartDrawn = true, .entries = {}, .settings = std::nullopt, .title = {}};
    auto add = [&](EntryKind kind, std::vector<chart::MarkedState> states,
                   std::optional<chart::PointMm> from, std::vector<chart::NamedValue> results) {
        work.entries.push_back(
            {kind, std::move(states), from, {{"t", 20.0}, {"phi", 50.0}}, std::move(results)});
    };
    add(EntryKind::Point, {state("1点", 0.00726, 9.2)}, std::nullopt, {{"number", 1.0}});
    add(EntryKind::Point, {state("2点", 0.01604, 16.99)}, one.at, {{"number", 2.0}});
    add(EntryKind::ProcessStart, {one}, std::nullopt, {});
    add(EntryKind::Mixing, {state("点２", 0.00726, 9.2), state("混合点", 0.01165, 13.095)}, one.at,
        {{"x3", 0.01165}, {"i3", 13.095}});
    add(EntryKind::Cooling, {state("点２", 0.00726, 9.2)}, one.at, {{"Q", 7790.0}});
    add(EntryKind::Heating, {state("点１", 0.00726, 9.2), state("点２", 0.00726, 11.63)},
        std::nullopt, {{"Q", 2432.0}});
    add(EntryKind::SteamHumidifying, {state("点１", 0.00726, 9.2), state("点２", 0.0102, 11.0)},
        std::nullopt, {{"L", 2.95}});
    add(EntryKind::WaterSprayHumidifying, {state("点１", 0.00726, 9.2), state("点２", 0.0102, 9.2)},
        std::nullopt, {{"L", 2.95}});
    add(EntryKind::Pmv, {state("", 0.00988, 11.2)}, std::nullopt, {{"PMV", 0.1}, {"PPD", 5.2}});
    add(EntryKind::Discomfort, {state("", 0.018, 18.0)}, std::nullopt,
        {{"DI", 80.2}, {"share", 100.0}});
    work.entries[3].inputs.insert(work.entries[3].inputs.end(), {{"G1", 1000.0}, {"G2", 3000.0}});
    work.entries[5].inputs.push_back({"G", 1000.0});
    // A design each way (26 °C 50 %, 33 °C 63 %; 22 °C 40 %, 0 °C 50 %), as the dialog makes
    // them.
    for (const bool cooling : {true, false}) {
        const chart::DesignInputs in{cooling,
                                     cooling ? psychro::AirState{0.0104883, 12.624925}
                                             : psychro::AirState{0.0065574, 9.2603853},
                                     cooling ? psychro::AirState{0.0200816, 20.207014}
                                             : psychro::AirState{0.0018800, 1.1229198},
                                     {10000, 2000, 25, 10},
                                     {},
                                     {psychro::Humidifier::Steam, 100}};
        work.entries.push_back(*chart::designEntry(in, psychro::PressureRatio::standard()));
    }
    return work;
}

// Work without settings is written at, and read back as, 760 mmHg in engineering units.
TEST(ProjectFile, WrittenAndReadBackIsItself) {
    for (chart::MarkedWork work : {chart::MarkedWork{}, everyKind()}) {
        const auto back = readWork(files::projectText(work));
        ASSERT_TRUE(back.has_value());
        work.settings =
            chart::Settings{chart::Units::Engineering, *psychro::atmosphereFromMmHg(760.0)};
        EXPECT_EQ(*back, work);
    }
}

TEST(ProjectFile, ATextEditorCanReadIt) {
    const std::string text = files::projectText(everyKind());
    for (const char* part :
         {"\"format\": \"milten-project\"", "\"version\": 1", "\"kind\": \"mixing\"",
          "\"label\": \"混合点\"", "\"Q\": 7790", "\"dewPoint\": "}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}

// Each broken file is the good one with one thing changed.
struct Broken {
    const char* what;
    std::string from;
    std::string to;
    ProjectError error;
    const char* where = nullptr;  // the field named, where the row checks it
};

TEST(ProjectFile, BrokenFilesAreRefusedWhole) {
    const std::string good = files::projectText(everyKind());
    const std::vector<Broken> table{
        {"truncated", good, good.substr(0, good.size() / 2), ProjectError::NotJson},
        {"not JSON", good, "湿り空気線図", ProjectError::NotJson},
        {"NaN", "\"Q\": 7790", "\"Q\": NaN", ProjectError::NotJson},
        {"overflowing number", "\"Q\": 7790", "\"Q\": 1e999", ProjectError::NotJson},
        {"other JSON", good, "{\"entries\": []}", ProjectError::NotProject},
        {"newer version", "\"version\": 1", "\"version\": 2", ProjectError::NewerVersion},
        {"no version", "\"version\": 1", "\"versio\": 1", ProjectError::MissingField},
        {"missing result", "\"Q\": 7790", "\"q\": 7790", ProjectError::MissingField},
        {"missing state field", "\"x\": 0.01165", "\"y\": 0.01165", ProjectError::MissingField},
        {"unknown kind", "\"kind\": \"cooling\"", "\"kind\": \"freezing\"",
         ProjectError::ImpossibleValue},
        {"state off its mark", "\"x\": 0.01165", "\"x\": 0.02165", ProjectError::ImpossibleValue},
        {"point number zero", "\"number\": 1", "\"number\": 0", ProjectError::ImpossibleValue},
        {"string for a number", "\"Q\": 7790", "\"Q\": \"7790\"", ProjectError::MissingField},
        {"nested too deep", "\"Q\": 7790", "\"Q\": " + std::string(20, '[') + std::string(20, ']'),
         ProjectError::NotJson},
        {"a name twice", "\"version\": 1", "\"version\": 1, \"version\": 1", ProjectError::NotJson},
        {"air 1e308", "\"G2\": 3000", "\"G2\": 1e308", ProjectError::ImpossibleValue,
         "entries[3].inputs.G2"},
        {"air -5", "\"G\": 1000", "\"G\": -5", ProjectError::ImpossibleValue,
         "entries[5].inputs.G"},
        {"load beyond rounding", "\"Q\": 7790", "\"Q\": 1e300", ProjectError::ImpossibleValue,
         "entries[4].results.Q"},
        {"design that cannot be made", "\"dt\": 10", "\"dt\": 40", ProjectError::ImpossibleValue},
        {"design without its loads", "\"qs\": 10000", "\"qz\": 10000",
         ProjectError::ImpossibleValue},
        {"beyond 16 MB without data", "\"version\": 1",
         "\"version\": 1" + std::string(chart::kProjectMaxBytes, ' '), ProjectError::TooLarge},
    };
    for (const Broken& b : table) {
        SCOPED_TRACE(b.what);
        std::string bytes = b.from == good ? b.to : good;
        if (b.from != good) {
            const std::size_t at = bytes.find(b.from);
            ASSERT_NE(at, std::string::npos);
            bytes.replace(at, b.from.size(), b.to);
        }
        const auto read = readWork(bytes);
        ASSERT_FALSE(read.has_value());
        EXPECT_EQ(read.error().kind, b.error);
        if (b.where != nullptr) {
            EXPECT_EQ(read.error().where, b.where);
        }
    }
}

// A file carries the units and pressure it was saved under; settings that a reader cannot take
// exactly as written are refused, never replaced by the defaults.
TEST(ProjectFile, SettingsTravelWithTheWorkAndAreReadExactly) {
    chart::MarkedWork work = everyKind();
    work.settings = chart::Settings{chart::Units::SI, *psychro::atmosphereFromAltitude(1500.0)};
    for (chart::Entry& e : work.entries) {  // the designs as made at 1,500 m
        if (chart::isDesign(e.kind)) {
            e = *chart::designEntry(*chart::designInputsOf(e), work.settings->atmosphere.ratio);
        }
    }
    const std::string good = files::projectText(work);
    const auto back = readWork(good);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, work);
    const std::vector<Broken> table{
        {"unknown units", "\"units\": \"si\"", "\"units\": \"imperial\"",
         ProjectError::ImpossibleValue},
        {"altitude too high", "\"pressure\": \"1500\"", "\"pressure\": \"9000\"",
         ProjectError::ImpossibleValue},
        {"pressure in words", "\"pressure\": \"1500\"", "\"pressure\": \"high\"",
         ProjectError::ImpossibleValue},
        {"unknown unit", "\"pressureUnit\": \"m\"", "\"pressureUnit\": \"ft\"",
         ProjectError::ImpossibleValue},
        {"missing pressure", "\"pressure\": ", "\"pressur\": ", ProjectError::MissingField},
    };
    for (const Broken& b : table) {
        SCOPED_TRACE(b.what);
        std::string bytes = good;
        const std::size_t at = bytes.find(b.from);
        ASSERT_NE(at, std::string::npos);
        bytes.replace(at, b.from.size(), b.to);
        const auto read = readWork(bytes);
        ASSERT_FALSE(read.has_value());
        EXPECT_EQ(read.error().kind, b.error);
        EXPECT_EQ(read.error().where, "settings");
    }
}

// A mark 20 m off the picture, with its state placed to match it, is beyond the chart's reach.
TEST(ProjectFile, AMarkBeyondReachIsRefused) {
    chart::MarkedWork work;
    work.entries.push_back({EntryKind::Pmv,
                            {state("", 0.00988, 11.2)},
                            std::nullopt,
                            {},
                            {{"PMV", 0.0}, {"PPD", 5.0}}});
    work.entries[0].states[0].at.X = 2.0e4;
    const auto read = readWork(files::projectText(work));
    ASSERT_FALSE(read.has_value());
    EXPECT_EQ(read.error().kind, ProjectError::BeyondReach);
    EXPECT_EQ(read.error().where, "entries[0].states[0]");
}

// The title block rides with the work after its settings; each text is at most 200 characters,
// counted as characters, not bytes (「設」 is three bytes of UTF-8).
TEST(ProjectFile, TheTitleBlockTravelsWithTheWork) {
    chart::MarkedWork work = everyKind();
    work.settings = chart::Settings::standard();
    std::string longest;
    for (int k = 0; k < 200; ++k) {
        longest += "設";
    }
    work.title = {"〇〇ビル空調設備", longest, "2026年12月9日"};
    const std::string good = files::projectText(work);
    EXPECT_LT(good.find("\"settings\""), good.find("\"title\""));
    EXPECT_LT(good.find("\"title\""), good.find("\"entries\""));
    const auto back = readWork(good);
    ASSERT_TRUE(back.has_value()) << back.error().where;
    EXPECT_EQ(*back, work);
    const std::vector<Broken> table{
        {"a number for a text", "\"subject\": \"〇〇ビル空調設備\"", "\"subject\": 5",
         ProjectError::MissingField, "title.subject"},
        {"201 characters", "\"designer\": \"", "\"designer\": \"設", ProjectError::ImpossibleValue,
         "title.designer"},
        {"no date", "\"date\": ", "\"day\": ", ProjectError::MissingField, "title.date"},
        {"not an object", "\"title\": {", "\"title\": [], \"t\": {", ProjectError::MissingField,
         "title"},
    };
    for (const Broken& b : table) {
        SCOPED_TRACE(b.what);
        std::string bytes = good;
        const std::size_t at = bytes.find(b.from);
        ASSERT_NE(at, std::string::npos);
        bytes.replace(at, b.from.size(), b.to);
        const auto read = readWork(bytes);
        ASSERT_FALSE(read.has_value());
        EXPECT_EQ(read.error().kind, b.error);
        EXPECT_EQ(read.error().where, b.where);
    }
}

}  // namespace
