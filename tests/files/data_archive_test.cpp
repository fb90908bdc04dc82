#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/project_file.h"
#include "data/data_archive.h"
#include "files/project_document.h"

namespace {

using chart::ProjectError;

// A work's file as written without data, a weather file's layer and a logger's in it by hand:
// the rows (20 °C, 0) and (−5.5 °C, 0.0125f = 0x3C4CCCCD) as little-endian float32, the times
// 0 (1900-01-01 00:00) and none (0xFFFFFFFF); the weather file's design conditions as its
// DESIGN CONDITIONS line gave them.
std::string handWritten() {
    std::string text = files::projectText({});
    text.resize(text.size() - 3);  // "\n}\n"
    return text + R"(,
  "data": [{"path": "C:/w/tokyo.epw", "name": "Tokyo", "style": "hours", "colour": "#FF8000",
            "shown": false, "months": 7, "hours": 255, "hourly": true, "elevation": 35.5,
            "designConditions": [{"kind": "cooling-1", "t": 33, "tw": 25},
                                 {"kind": "heating-99.6", "t": -2.1}],
            "rows": 2, "states": "AACgQQAAAAAAALDAzcxMPA=="},
           {"path": "room.csv", "name": "room", "style": "points", "colour": "#1f77b4",
            "shown": true, "months": 4095, "hours": 16777215, "hourly": false,
            "columns": "1;u;1;1;2;-;-;-;0;-;-;-;0;0;0;dmy", "datesUnread": true, "rows": 2,
            "states": "AACgQQAAAAAAALDAzcxMPA==", "times": "AAAAAP////8="}],
  "zones": [{"kind": "range", "name": "衛生法", "t": [17, 28], "phi": [40, 70]},
            {"kind": "range", "name": "夏", "t": [24, 28], "x": [0, 0.012]},
            {"kind": "pmv", "name": "PMV", "met": 1.2, "clo": 0.5, "vel": 0.1, "tr": 25.5,
             "limit": 0.5},
            {"kind": "pmv", "name": "PMV2", "met": 1, "clo": 1, "vel": 0, "limit": 1}]
}
)";
}

data::DataPart expectedPart() {
    const std::vector<data::Reading> rows{{20.0F, 0.0F}, {-5.5F, 0.0125F}};
    // t in the second column, φ in the third, the date and time in the first, day first
    data::CsvChoice readWith;
    readWith.columns.t = 1;
    readWith.columns.phi = 2;
    readWith.columns.dateTime = 0;
    readWith.dateOrder = data::DateOrder::Dmy;
    auto weather = std::make_shared<data::DataSet>(
        data::DataSet{"Tokyo",
                      data::Humidity::X,
                      rows,
                      {},
                      {},
                      true,
                      35.5,
                      true,
                      {{data::DesignConditionKind::Cooling1, 33.0, 25.0},
                       {data::DesignConditionKind::Heating996, -2.1, std::nullopt}}});
    auto logger = std::make_shared<data::DataSet>(
        data::DataSet{"room", data::Humidity::X, rows, {}, {0U, data::kNoTime}, false, 0.0, false});
    return {{{weather, "C:/w/tokyo.epw", data::LayerStyle::Hours, 0xFF8000, false, {7, 255}},
             {logger, "room.csv", data::LayerStyle::Points, 0x1F77B4, true, {}, readWith, true}},
            {data::RangeZone{"衛生法", 17, 28, false, 40, 70},
             data::RangeZone{"夏", 24, 28, true, 0, 0.012},
             data::PmvZone{"PMV", 1.2, 0.5, 0.1, 25.5, 0.5},
             data::PmvZone{"PMV2", 1, 1, 0, std::nullopt, 1}}};
}

TEST(DataArchive, AHandWrittenFileReadsAsWritten) {
    const auto read = files::readProject(handWritten());
    ASSERT_TRUE(read.has_value()) << read.error().where;
    EXPECT_TRUE(data::sameData(read->data, expectedPart()));
}

// Written and read back, a part is itself and the work beside it is the work written without
// data; a file without data is the work's file byte for byte.
TEST(DataArchive, WrittenAndReadBackIsItself) {
    chart::MarkedWork work;
    work.chartDrawn = true;
    // A year of minutes and more: a file beyond the work's own 16 MB.
    auto minutes = std::make_shared<data::DataSet>();
    for (std::uint32_t k = 0; k < 1200000; ++k) {
        minutes->readings.push_back(
            {static_cast<float>(k % 60) - 9.75F, 1e-6F * static_cast<float>(k % 20000)});
        minutes->times.push_back(k);
    }
    const data::DataPart large{{{minutes, "", data::LayerStyle::Points, 0, true, {}}}, {}};
    // Readings of φ with each row's pressure, and of the dew point with one for the set.
    auto weather = std::make_shared<data::DataSet>(data::DataSet{"site",
                                                                 data::Humidity::Phi,
                                                                 {{20.0F, 50.0F}, {25.5F, 100.0F}},
                                                                 {0.83F, 0.84F},
                                                                 {},
                                                                 true,
                                                                 0,
                                                                 false});
    auto dew = std::make_shared<data::DataSet>(
        data::DataSet{"dew", data::Humidity::Dew, {{20.0F, -40.5F}}, {0.9F}, {}, false, 0, false});
    const data::DataPart measured{{{weather, "", data::LayerStyle::Hours, 0, true, {}},
                                   {dew, "", data::LayerStyle::Points, 0, true, {}}},
                                  {}};
    for (const data::DataPart& part : {data::DataPart{}, expectedPart(), large, measured}) {
        const std::string text = files::projectText(work, part);
        const auto read = files::readProject(text);
        ASSERT_TRUE(read.has_value()) << read.error().where;
        EXPECT_TRUE(data::sameData(read->data, part));
        EXPECT_EQ(read->work, files::readProject(files::projectText(work))->work);
    }
}

// The vectors of RFC 4648, section 10, and texts that stand for no bytes.
TEST(DataArchive, Base64AsPublished) {
    const std::vector<std::pair<std::string, std::string>> vectors{{"", ""},
                                                                   {"f", "Zg=="},
                                                                   {"fo", "Zm8="},
                                                                   {"foo", "Zm9v"},
                                                                   {"foob", "Zm9vYg=="},
                                                                   {"fooba", "Zm9vYmE="},
                                                                   {"foobar", "Zm9vYmFy"}};
    for (const auto& [plain, coded] : vectors) {
        const std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
        EXPECT_EQ(data::base64Encode(bytes), coded);
        EXPECT_EQ(data::base64Decode(coded), bytes) << coded;
    }
    for (const char* bad : {"Zg=", "Zh==", "Z===", "Zm9v\n", "Zg==Zm9v", "Zm9*", "===="}) {
        EXPECT_FALSE(data::base64Decode(bad).has_value()) << bad;
    }
}

struct Refusal {
    const char* what;
    std::string from;  // in the hand-written file; empty: the whole file
    std::string to;
    ProjectError error;
    const char* where;
};

TEST(DataArchive, BrokenDataIsRefusedWithItsField) {
    const std::string good = handWritten();
    std::string layers;
    for (int k = 0; k < 65; ++k) {
        layers += R"({"path": "", "name": "", "style": "hours", "colour": "#000000", )"
                  R"("shown": true, "months": 1, "hours": 1, "hourly": true, "rows": 0, )"
                  R"("states": ""},)";
    }
    const std::vector<Refusal> table{
        {"bad base64", "zcxMPA==\"}", "zcxMP*==\"}", ProjectError::BadRows, "data[0].states"},
        {"more rows than states", "\"rows\": 2, \"states\"", "\"rows\": 3, \"states\"",
         ProjectError::BadRows, "data[0].states"},
        {"times of one row", "AAAAAP////8=", "AAAAAA==", ProjectError::BadRows, "data[1].times"},
        {"NaN state", "\"AACgQQAAAAAAALDAzcxMPA==\"}", "\"AADAfwAAAAAAALDAzcxMPA==\"}",
         ProjectError::ImpossibleValue, "data[0].states[0]"},
        {"bad colour", "#FF8000", "#FF80G0", ProjectError::ImpossibleValue, "data[0].colour"},
        {"colour without #", "\"#1f77b4\"", "\"1f77b4\"", ProjectError::ImpossibleValue,
         "data[1].colour"},
        {"unknown style", "\"points\"", "\"dots\"", ProjectError::ImpossibleValue, "data[1].style"},
        {"columns past the header search", ";u;1;1;2;", ";u;21;1;2;", ProjectError::ImpossibleValue,
         "data[1].columns"},
        {"unread dates not a flag", "\"datesUnread\": true", "\"datesUnread\": 1",
         ProjectError::ImpossibleValue, "data[1].datesUnread"},
        {"a thirteenth month", "\"months\": 7", "\"months\": 4096", ProjectError::ImpossibleValue,
         "data[0].months"},
        {"shown missing", "\"shown\": false, ", "", ProjectError::MissingField, "data[0].shown"},
        {"unknown design condition", "\"cooling-1\"", "\"cooling-5\"",
         ProjectError::ImpossibleValue, "data[0].designConditions[0].kind"},
        {"design conditions out of order", "\"heating-99.6\"", "\"cooling-0.4\", \"tw\": -3",
         ProjectError::ImpossibleValue, "data[0].designConditions[1].kind"},
        {"wet bulb above dry bulb", "\"tw\": 25", "\"tw\": 33.5", ProjectError::ImpossibleValue,
         "data[0].designConditions[0].tw"},
        {"cooling without wet bulb", ", \"tw\": 25", "", ProjectError::MissingField,
         "data[0].designConditions[0].tw"},
        {"heating with a wet bulb", "\"t\": -2.1", "\"t\": -2.1, \"tw\": -3",
         ProjectError::ImpossibleValue, "data[0].designConditions[1].tw"},
        {"design dry bulb beyond the weather file's", "\"t\": -2.1", "\"t\": -71",
         ProjectError::ImpossibleValue, "data[0].designConditions[1].t"},
        {"more design conditions than kinds", "\"designConditions\": [",
         "\"designConditions\": [{}, {}, {}, {}, ", ProjectError::TooLarge,
         "data[0].designConditions"},
        {"design conditions not a list", "\"designConditions\": [",
         "\"designConditions\": 1, \"dc\": [", ProjectError::MissingField,
         "data[0].designConditions"},
        {"rows beyond the bound", "\"rows\": 2, \"states\"", "\"rows\": 5000001, \"states\"",
         ProjectError::TooLarge, "data[0].rows"},
        {"invalid zone", "[40, 70]", "[70, 40]", ProjectError::ImpossibleValue, "zones[0]"},
        {"pmv without met", "\"met\": 1.2, ", "", ProjectError::MissingField, "zones[2].met"},
        {"unknown zone kind", "\"kind\": \"range\"", "\"kind\": \"box\"",
         ProjectError::ImpossibleValue, "zones[0].kind"},
        {"too many layers", "\"data\": [", "\"data\": [" + layers, ProjectError::TooLarge, "data"},
        {"data twice", "\"zones\": [", "\"data\": [], \"zones\": [", ProjectError::NotJson, ""},
        {"data nested too deep", "\"zones\": [",
         "\"m\": " + std::string(20, '[') + std::string(20, ']') + ", \"zones\": [",
         ProjectError::NotJson, ""},
        {"zones not a list", "\"zones\": [", "\"zones\": 5, \"z\": [", ProjectError::MissingField,
         "zones"},
        {"not an object", "", "[1, 2]", ProjectError::NotProject, ""},
    };
    for (const Refusal& r : table) {
        SCOPED_TRACE(r.what);
        std::string bytes = r.from.empty() ? r.to : good;
        if (!r.from.empty()) {
            const std::size_t at = bytes.find(r.from);
            ASSERT_NE(at, std::string::npos);
            bytes.replace(at, r.from.size(), r.to);
        }
        const auto read = files::readProject(bytes);
        ASSERT_FALSE(read.has_value());
        EXPECT_EQ(read.error().kind, r.error);
        EXPECT_EQ(read.error().where, r.where);
    }
}

}  // namespace
