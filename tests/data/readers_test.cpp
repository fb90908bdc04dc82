#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/readers.h"

namespace {

using data::ReadFailure;
using data::RowFault;

// Expected humidities are worked by hand from the saturation pressures of the ASHRAE tables
// (ps(15) = 1.7057, ps(20) = 2.3392, ps(25) = 3.1699 kPa): x = 0.622·φ·ps / (P − φ·ps).
constexpr double kX20at50 = 0.007264;      // 20 °C, 50 %, 101.325 kPa
constexpr double kX25at60 = 0.011899;      // 25 °C, 60 %
constexpr double kXDew15 = 0.010650;       // dew point 15 °C
constexpr double kX20Tw15 = 0.008620;      // 20 °C, wet bulb 15 °C (psychrometer equation)
constexpr double kX20at50Site = 0.008725;  // 20 °C, 50 % at 1,500 m (84.556 kPa)

// A weather file of `hours` rows: 20 °C and 50 % at 84,556 Pa, hour by hour from January 1st,
// with `broken` rows (1-based among the data) replaced by the given text.
std::string epwYear(int hours, const std::vector<std::pair<int, std::string>>& broken) {
    std::string text = "LOCATION,Sapporo,HKD,JPN,SWEC,474120,43.05,141.33,9.0,1500.0\n";
    for (const char* line :
         {"DESIGN CONDITIONS,0", "TYPICAL/EXTREME PERIODS,0", "GROUND TEMPERATURES,0",
          "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0", "COMMENTS 1,generated", "COMMENTS 2,",
          "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31"}) {
        text += std::string(line) + "\r\n";
    }
    for (int h = 0; h < hours; ++h) {
        std::string row = "2001,1,1," + std::to_string(h % 24 + 1) +
                          ",60,?9?9?9?9E0?9?9?9,20.0,9.3,50,84556,0,0,0";
        for (const auto& [at, replacement] : broken) {
            row = at == h + 1 ? replacement : row;
        }
        text += row + "\r\n";
    }
    return text;
}

struct RefusedAt {
    std::size_t line;
    RowFault fault;
};

struct EpwCase {
    const char* what;
    std::string file;
    std::size_t rows;
    std::vector<RefusedAt> refused;  // the refusals expected, all of them
};

TEST(EpwReader, ReadsAYearAndCountsItsMissingRows) {
    const std::string base = "2001,1,1,5,60,x,";
    const std::vector<EpwCase> cases{
        {"a whole year", epwYear(8760, {}), 8760, {}},
        {"missing markers",
         epwYear(24, {{3, base + "99.9,9,50,84556"},
                      {5, base + "20,9,999,84556"},
                      {7, base + "20,9,50,999999"}}),
         21,
         {{11, RowFault::MissingMarker},
          {13, RowFault::MissingMarker},
          {15, RowFault::MissingMarker}}},
        {"broken rows",
         epwYear(10, {{1, "2001,1,1"},
                      {2, base + "abc,9,50,84556"},
                      {4, base + "20,9,150,84556"},
                      {6, base + "20,9,50,10000"}}),
         6,
         {{9, RowFault::TooFewFields},
          {10, RowFault::NotANumber},
          {12, RowFault::NoAirState},
          {14, RowFault::BadPressure}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = data::readEpw(c.file);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->set.name, "Sapporo");
        EXPECT_DOUBLE_EQ(read->set.elevation, 1500.0);
        EXPECT_EQ(read->report.rowsRead, c.rows);
        EXPECT_EQ(read->set.rows(), c.rows);
        EXPECT_DOUBLE_EQ(read->set.hoursOf(c.rows), static_cast<double>(c.rows));
        ASSERT_EQ(read->report.firstRefused.size(), c.refused.size());
        for (std::size_t k = 0; k < c.refused.size(); ++k) {
            EXPECT_EQ(read->report.firstRefused[k].line, c.refused[k].line);
            EXPECT_EQ(read->report.firstRefused[k].fault, c.refused[k].fault);
        }
        EXPECT_NEAR(read->set.measured(0, psychro::PressureRatio::standard()).x, kX20at50Site,
                    0.00004);
        EXPECT_FLOAT_EQ(read->set.readings.front().t, 20.0F);
    }
}

TEST(EpwReader, RefusesWhatIsNoWeatherFile) {
    const std::vector<std::pair<std::string, ReadFailure>> cases{
        {"Date,Temperature,RH\n2024-01-01,20,50\n", ReadFailure::NotWeatherFile},
        {epwYear(0, {}).substr(0, 120), ReadFailure::NotWeatherFile},  // header cut short
        {epwYear(2,
                 {{1, "2001,1,1,1,60,x,99.9,9,50,84556"}, {2, "2001,1,1,2,60,x,99.9,9,50,84556"}}),
         ReadFailure::NoUsableRow},
        {std::string("LOCATION,\0\1\2", 12), ReadFailure::NotText},
    };
    for (const auto& [file, failure] : cases) {
        const auto read = data::readEpw(file);
        ASSERT_FALSE(read.has_value());
        EXPECT_EQ(read.error().failure, failure);
    }
}

struct CsvCase {
    const char* what;
    std::string file;
    std::size_t rows;                // 0: refused as `failure`
    double firstX;                   // kg/kg(DA) of the first row read
    double hours;                    // what the rows read stand for
    std::vector<RefusedAt> refused;  // all refusals
    ReadFailure failure = ReadFailure::NoUsableRow;
    data::Encoding encoding = data::Encoding::Utf8;
};

const std::vector<CsvCase>& csvCases() {
    static const std::vector<CsvCase> cases{
        {"logger, UTF-8",
         "日時,温度(℃),湿度[%RH]\n2024/07/01 10:00,25.0,60\n2024/07/01 10:10,25.5,58\n"
         "2024/07/01 10:20,26,55\n",
         3,
         kX25at60,
         0.5,
         {}},
        {"logger, UTF-8 with BOM, CR LF",
         "\xEF\xBB\xBF日付,時刻,気温,相対湿度\r\n2024-01-05,09:00,20,50\r\n"
         "2024-01-05,10:00,21,48\r\n",
         2,
         kX20at50,
         2.0,
         {}},
        {"logger, Shift-JIS",
         "\x93\xFA\x8E\x9E,\x89\xB7\x93\x78(\x81\x8E),\x8E\xBC\x93\x78[%RH]\n"
         "2024/07/01 10:00,25.0,60\n",
         1,
         kX25at60,
         0.0,
         {},
         ReadFailure::NoUsableRow,
         data::Encoding::ShiftJis},
        {"a short Shift-JIS file",
         "\x89\xB7\x93\x78,RH\n25,60\n",
         1,
         kX25at60,
         0.0,
         {},
         ReadFailure::NoUsableRow,
         data::Encoding::ShiftJis},
        {"preamble, TSV, dew point",
         "Logger 7\nserial 123\nTime\tTemperature [°C]\tDew point [°C]\n"
         "12:00\t20\t15\n",
         1,
         kXDew15,
         0.0,
         {}},
        {"wet bulb, times of day only",
         "time,t,tw\n10:00,20,15\n10:10,20,15\n",
         2,
         kX20Tw15,
         0.0,
         {}},
        {"x in g/kg", "温度,絶対湿度(g/kg(DA))\n25,11.899\n", 1, kX25at60, 0.0, {}},
        {"Fahrenheit", "Temperature (°F),RH (%)\n77,60\n", 1, kX25at60, 0.0, {}},
        {"broken rows",
         "温度,湿度\n25,60\n\n,50\n25,abc\n30\n25,150\n\"25\",\"60\"\n",
         2,
         kX25at60,
         0.0,
         {{4, RowFault::MissingValue},
          {5, RowFault::NotANumber},
          {6, RowFault::TooFewFields},
          {7, RowFault::NoAirState}}},
        {"unrecognised columns", "A,B,C\n1,2,3\n", 0, 0, 0, {}, ReadFailure::ColumnsUnrecognised},
        {"only one state column",
         "温度,気圧\n25,1013\n",
         0,
         0,
         0,
         {},
         ReadFailure::ColumnsUnrecognised},
        {"no usable row", "温度,湿度\n25,150\n", 0, 0, 0, {{2, RowFault::NoAirState}}},
        // Japanese in Shift-JIS: the encoding is plain, the columns are what is missing.
        {"Shift-JIS that names nothing",
         "\x83\x41,\x83\x43\n1,2\n",
         0,
         0,
         0,
         {},
         ReadFailure::ColumnsUnrecognised},
        // Latin-1 "°C" read as Shift-JIS is a half-width katakana: a guess, not Japanese.
        {"a guessed Shift-JIS without Japanese",
         "Temp \xB0\x43,Feuchte\n1,2\n",
         0,
         0,
         0,
         {},
         ReadFailure::EncodingUndecided},
        {"neither encoding", "\xFF\xFE,t\n1,2\n", 0, 0, 0, {}, ReadFailure::EncodingUndecided},
        {"binary", std::string("PK\3\4\0\0t,phi\n", 12), 0, 0, 0, {}, ReadFailure::NotText},
    };
    return cases;
}

TEST(CsvReader, ReadsLoggerFilesAndReportsBrokenRows) {
    const data::CsvOptions options{psychro::PressureRatio::standard(), {}, {}};
    for (const auto& c : csvCases()) {
        SCOPED_TRACE(c.what);
        const auto read = data::readCsv(c.file, options);
        if (c.rows == 0) {
            ASSERT_FALSE(read.has_value());
            EXPECT_EQ(read.error().failure, c.failure);
            ASSERT_EQ(read.error().report.firstRefused.size(), c.refused.size());
            continue;
        }
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->encoding, c.encoding);
        EXPECT_EQ(read->report.rowsRead, c.rows);
        EXPECT_NEAR(read->set.measured(0, psychro::PressureRatio::standard()).x, c.firstX,
                    c.firstX * 0.01);
        EXPECT_DOUBLE_EQ(read->set.hoursOf(c.rows), c.hours);
        ASSERT_EQ(read->report.firstRefused.size(), c.refused.size());
        for (std::size_t k = 0; k < c.refused.size(); ++k) {
            EXPECT_EQ(read->report.firstRefused[k].line, c.refused[k].line);
            EXPECT_EQ(read->report.firstRefused[k].fault, c.refused[k].fault);
        }
    }
}

TEST(CsvReader, TimesOfDayAloneGiveNoDates) {
    const auto read =
        data::readCsv("time,t,tw\n10:00,20,15\n", {psychro::PressureRatio::standard(), {}, {}});
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->set.times.empty());
}

TEST(CsvReader, TakesTheColumnsAndEncodingTheUserChose) {
    data::ColumnChoice columns;
    columns.t = 2;
    columns.phi = 1;
    const data::CsvOptions chosen{psychro::PressureRatio::standard(), data::Encoding::ShiftJis,
                                  columns};
    const auto read = data::readCsv("\x83\x41,\x83\x43,\x83\x45\n1,60,25\n", chosen);
    ASSERT_TRUE(read.has_value());
    EXPECT_NEAR(read->set.measured(0, psychro::PressureRatio::standard()).x, kX25at60,
                kX25at60 * 0.01);
    EXPECT_EQ(read->set.rows(), 1U);
    columns.headerLine = 0;  // no header: every line a row, tab-separated
    const auto rows =
        data::readCsv("1\t60\t25\n2\t60\t25\n", {psychro::PressureRatio::standard(), {}, columns});
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->set.rows(), 2U);
}

// With MILTEN_DATA_CORPUS set to a folder, the files of the tables become the fuzz targets'
// seed corpus there.
TEST(CsvReader, WritesTheSeedCorpusWhenAsked) {
    const char* folder = std::getenv("MILTEN_DATA_CORPUS");
    if (folder == nullptr) {
        GTEST_SKIP() << "MILTEN_DATA_CORPUS not set";
    }
    const std::filesystem::path root(folder);
    std::filesystem::create_directories(root / "fuzz_csv_reader");
    std::filesystem::create_directories(root / "fuzz_epw_reader");
    int k = 0;
    for (const auto& c : csvCases()) {
        std::ofstream(root / "fuzz_csv_reader" / ("case" + std::to_string(++k)), std::ios::binary)
            << c.file;
    }
    std::ofstream(root / "fuzz_epw_reader" / "day", std::ios::binary) << epwYear(24, {});
    std::ofstream(root / "fuzz_epw_reader" / "broken", std::ios::binary)
        << epwYear(4, {{1, "2001,1,1,1,60,x,99.9,9,50,84556"}, {2, "2001,1"}});
    EXPECT_TRUE(std::filesystem::exists(root / "fuzz_epw_reader" / "day"));
}

}  // namespace

// The progress hook hears of every 4,096th row and of the end, and stops the read when it says.
TEST(Readers, TellProgressAndStopWhenAsked) {
    std::string csv = "t,phi\n";
    for (int k = 0; k < 10000; ++k) {
        csv += "20,50\n";
    }
    const std::string epw = epwYear(8760, {});  // 8 header lines and 8,760 rows
    struct Case {
        const char* what;
        bool weather;
        int answersYes;     // calls answered true before the first false
        std::size_t calls;  // calls heard
        bool read;          // the read succeeds
    };
    const std::vector<Case> cases{
        {"csv whole: rows 4,096 and 8,192, then the end", false, 99, 3, true},
        {"csv stopped at once", false, 0, 1, false},
        {"csv stopped at the end", false, 2, 3, false},
        {"epw whole: lines 4,096 and 8,192, then the end", true, 99, 3, true},
        {"epw stopped at the second", true, 1, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<std::size_t, std::size_t>> heard;
        const data::ReadProgress progress = [&](std::size_t done, std::size_t total) {
            heard.emplace_back(done, total);
            return static_cast<int>(heard.size()) <= c.answersYes;
        };
        const bool read =
            c.weather ? data::readEpw(epw, progress).has_value()
                      : data::readCsv(csv, {psychro::PressureRatio::standard(), {}, {}, progress})
                            .has_value();
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(heard.size(), c.calls);
        const std::size_t size = c.weather ? epw.size() : csv.size();
        for (std::size_t k = 0; k < heard.size(); ++k) {
            EXPECT_EQ(heard[k].second, size);
            EXPECT_LE(heard[k].first, size);
        }
        if (c.read) {
            EXPECT_EQ(heard.back().first, size);
        }
    }
    const auto stopped = data::readEpw(epw, [](std::size_t, std::size_t) { return false; });
    ASSERT_FALSE(stopped.has_value());
    EXPECT_EQ(stopped.error().failure, ReadFailure::Cancelled);
    EXPECT_EQ(data::failureText(ReadFailure::Cancelled), "読み込みを取り消しました。");
}
