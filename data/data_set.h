#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/design_conditions.h"
#include "psychro/atmosphere.h"

// A set of measured or weather readings, as read from a file and shown on the chart. Each row
// keeps the two quantities as the file gave them (the dry bulb and the humidity in the kind the
// file measured it), in single precision (8 bytes); where the file has dates, the minute of each
// row (4 bytes); where the file gives the air's pressure, that too (4 bytes a row, or one for
// the set when all rows share it). A million rows hold 12 to 16 MB. The chart's points are
// placed from the readings at whatever pressure the chart is drawn for, and the zones decide by
// the humidity as measured, so neither depends on the pressure in use when the file was read.
namespace data {

// One row's air on the chart: t in °C, x in kg/kg(DA). Where it lies does not depend on the
// pressure (i follows from t and x alone).
struct DataState {
    float t;
    float x;
};

// The kind of humidity a set's rows hold.
enum class Humidity : std::uint8_t {
    Phi,  // relative humidity, %
    X,    // absolute humidity, kg/kg(DA)
    Dew,  // dew-point temperature, °C
};

// One row as read: the dry bulb in °C and the humidity in its set's kind.
struct Reading {
    float t;
    float humidity;
};

// A row's humidity as measured, in both forms the zones need: φ in % and x in kg/kg(DA), each
// taken at the row's own pressure where the file gives one (else at the pressure asked for).
struct Measured {
    double t;
    double phi;
    double x;
};

// Minutes since 1900-01-01 00:00; kNoTime where a row's time could not be read.
inline constexpr std::uint32_t kNoTime = 0xFFFFFFFFU;

struct CalendarTime {
    int year;
    int month;   // 1 … 12
    int day;     // 1 … 31
    int hour;    // 0 … 23
    int minute;  // 0 … 59
};

// Minutes since 1900-01-01 of a proleptic Gregorian date and time; kNoTime for years outside
// 1900 … 9999 or fields out of range (February 30 included).
[[nodiscard]] std::uint32_t minutesOf(const CalendarTime& time);
// The inverse for any value other than kNoTime.
[[nodiscard]] CalendarTime calendarOf(std::uint32_t minutes);

// Why a row was refused.
enum class RowFault {
    TooFewFields,   // the row ends before a column that gives the state
    MissingValue,   // an empty field where a value belongs
    NotANumber,     // a field that is no number
    MissingMarker,  // a weather file's "missing" value (99.9, 999, 999999)
    NoAirState,     // the values give no air (φ outside 0 … 100 %, x < 0, beyond the chart)
    BadPressure,    // a weather file's station pressure outside −500 … 5,000 m's
};

struct RefusedRow {
    std::size_t line;  // 1-based line number in the file
    RowFault fault;
};

// How many rows were taken and refused, and the first kKeptRefusals refused with their lines.
inline constexpr std::size_t kKeptRefusals = 20;
struct ReadReport {
    std::size_t rowsRead = 0;
    std::size_t rowsRefused = 0;
    std::vector<RefusedRow> firstRefused;

    void refuse(std::size_t line, RowFault fault);
};

struct DataSet {
    std::string name;  // the weather file's site, or the file's name as the caller gives it
    Humidity humidity = Humidity::X;
    std::vector<Reading> readings;
    // The rows' pressures as ratios to 760 mmHg: one per row, one for every row, or none where
    // the file gives none.
    std::vector<float> pressures;
    std::vector<std::uint32_t> times;  // one per row, or empty when the file has no dates
    bool hourly = false;               // every row stands for one hour (weather files)
    double elevation = 0.0;            // m, weather files only
    bool hasElevation = false;
    // The site's climatic design conditions, from a weather file that gives them; else empty.
    std::vector<DesignCondition> designConditions{};

    [[nodiscard]] std::size_t rows() const { return readings.size(); }

    // Hours a number of rows stands for: one each in an hourly set; in a dated set the rows
    // times the most common step between successive dated rows (a logger's interval); 0 where
    // neither says (see hasHours).
    [[nodiscard]] double hoursOf(std::size_t rows) const;
    // Whether the rows stand for hours at all (hourly, or dated with a step).
    [[nodiscard]] bool hasHours() const { return hoursOf(1) > 0.0; }

    // The pressure of row k: its own, the set's, or `otherwise` where the file gave none.
    [[nodiscard]] psychro::PressureRatio pressureOf(std::size_t k,
                                                    psychro::PressureRatio otherwise) const;
    // Row k's humidity as measured (φ and x at the row's own pressure, or at `otherwise`).
    [[nodiscard]] Measured measured(std::size_t k, psychro::PressureRatio otherwise) const;
    // Row k on the chart drawn at `chart`: x from φ or the dew point at that pressure, or x as
    // read.
    [[nodiscard]] DataState placed(std::size_t k, psychro::PressureRatio chart) const;

    // Keeps the rows' pressures as one for the set where they are all the same.
    void sharePressures();
};

// Every row placed on the chart drawn at `chart`.
[[nodiscard]] std::vector<DataState> placedStates(const DataSet& set, psychro::PressureRatio chart);

// Which months and hours of the day to keep: bit m−1 of `months` for month m (1 … 12), bit h of
// `hours` for the hour h:00 … h:59 (0 … 23). All set keeps everything.
struct TimeFilter {
    std::uint16_t months = 0x0FFF;
    std::uint32_t hours = 0x00FFFFFF;

    [[nodiscard]] bool keepsAll() const { return months == 0x0FFF && hours == 0x00FFFFFF; }
    bool operator==(const TimeFilter&) const = default;
};

// The bits from `first` to `last` inclusive, wrapping past the end (12..2 is December to
// February; 22..5 the night); `count` is 12 for months (numbered from 1) or 24 for hours (from
// 0). nullopt outside those numbers.
[[nodiscard]] std::optional<std::uint32_t> bitRange(int first, int last, int count);

// The first and last dated rows: in calendar order, or, in a typical year (rows whose years
// differ, each month taken from a year of its own), by month, day and time alone.
struct Period {
    CalendarTime first;
    CalendarTime last;
    bool typicalYear = false;
};
[[nodiscard]] std::optional<Period> periodOf(const DataSet& set);
// "2026/07/01 – 2026/07/31", or "1/1 – 12/31 (標準年)" for a typical year; "—" without dates.
[[nodiscard]] std::string periodText(const DataSet& set);
// The months and hours a filter keeps, as a legend and the counts' copy name them: runs of
// months then of hours, e.g. "12～2月 9～17時" (hours 9:00 to 17:59) or "6・8月"; a part that
// keeps all is left out, and a filter that keeps all gives "". UTF-8.
[[nodiscard]] std::string filterText(const TimeFilter& filter);

// The rows of a dated set whose time the filter keeps, with their times (a set without dates,
// or a filter that keeps all, is returned whole; rows without a readable time are left out by a
// filter that keeps less).
[[nodiscard]] DataSet filtered(const DataSet& set, const TimeFilter& filter);

}  // namespace data
