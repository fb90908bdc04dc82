#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A set of measured or weather states, as read from a file and shown on the chart. The states
// are held compactly: a dry-bulb temperature and an absolute humidity in single precision per
// row (8 bytes), and where the file has dates, the minute of each row (4 bytes). A million rows
// hold 12 MB.
namespace data {

// One row's air: t in °C, x in kg/kg(DA). Where it lies on the chart does not depend on the
// pressure (i follows from t and x alone).
struct DataState {
    float t;
    float x;
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
    std::vector<DataState> states;
    std::vector<std::uint32_t> times;  // one per state, or empty when the file has no dates
    bool hourly = false;               // every row stands for one hour (weather files)
    double elevation = 0.0;            // m, weather files only
    bool hasElevation = false;

    // Hours a number of rows stands for: one each in an hourly set; in a dated set the rows
    // times the most common step between successive dated rows (a logger's interval); 0 where
    // neither says.
    [[nodiscard]] double hoursOf(std::size_t rows) const;
};

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

// The months and hours a filter keeps, as a legend and the counts' copy name them: runs of
// months then of hours, e.g. "12～2月 9～17時" (hours 9:00 to 17:59) or "6・8月"; a part that
// keeps all is left out, and a filter that keeps all gives "". UTF-8.
[[nodiscard]] std::string filterText(const TimeFilter& filter);

// The rows of a dated set whose time the filter keeps, with their times (a set without dates,
// or a filter that keeps all, is returned whole; rows without a readable time are left out by a
// filter that keeps less).
[[nodiscard]] DataSet filtered(const DataSet& set, const TimeFilter& filter);

}  // namespace data
