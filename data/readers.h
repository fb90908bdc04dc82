#pragma once

#include <cstddef>
#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_set.h"
#include "psychro/atmosphere.h"

// Readers of the files measured and weather data come in: a logger's or a spreadsheet's
// CSV/TSV and an EnergyPlus weather file (EPW). Both take the file's bytes, refuse what is no
// text or too large, and give the states with a report of the rows read and refused.
namespace data {

// Files above this size are refused before anything is read.
inline constexpr std::size_t kMaxFileBytes = 200U * 1024U * 1024U;

enum class Encoding { Utf8, ShiftJis };

enum class ReadFailure {
    CannotOpen,           // the file cannot be opened or read
    TooLarge,             // over kMaxFileBytes
    NotText,              // NUL bytes or control characters: a binary file
    EncodingUndecided,    // neither UTF-8 nor Shift-JIS shows recognised columns: ask
    ColumnsUnrecognised,  // no header row names two of t, φ, x, t′ and the dew point: ask
    DateOrderUndecided,   // day and month could stand either way round in the dates: ask
    NotWeatherFile,       // an .epw file without its LOCATION line and eight header lines
    NoUsableRow,          // every row was refused
    Cancelled,            // the progress hook asked to stop
};

struct ReadError {
    ReadFailure failure;
    std::vector<std::string> header;  // ColumnsUnrecognised: the first line's fields, UTF-8
    ReadReport report;                // NoUsableRow: the refusals
};

// The columns of a CSV file, by their 0-based index, as recognised or as the user chose them.
struct ColumnChoice {
    std::optional<std::size_t> t, phi, x, tw, dew;  // °C, %, kg/kg(DA) or g/kg(DA), °C, °C
    std::optional<std::size_t> dateTime, date, time;
    std::optional<std::size_t> pressure;  // the air's pressure at the row, taken as the row's
    double pressureKPa = 0.0;             // kPa per unit of the pressure column; 0: by its size
    bool xInGrams = false;                // the x column holds g/kg(DA)
    bool fahrenheit = false;              // the temperature columns hold °F
    std::size_t headerLine = 1;  // 1-based line of the header, data following; 0: no header
    bool operator==(const ColumnChoice&) const = default;
};

// The order of year, month and day in a date whose year is not written first.
enum class DateOrder { Ymd, Mdy, Dmy };

// Told how far a read has come: `done` of `total` bytes of the text (after decoding); at most
// every kProgressRows rows and once at the end. Returning false stops the read, which then
// fails with ReadFailure::Cancelled. May be empty.
using ReadProgress = std::function<bool(std::size_t done, std::size_t total)>;
inline constexpr std::size_t kProgressRows = 4096;

struct CsvOptions {
    psychro::PressureRatio pressure;          // the site's, for φ, t′ and the dew point
    std::optional<Encoding> encoding;         // as the user chose it; detected when absent
    std::optional<ColumnChoice> columns;      // as the user chose them; recognised when absent
    ReadProgress progress = {};               // told of the rows read; may cancel
    std::optional<DateOrder> dateOrder = {};  // as the user chose it; else from the rows
};

// What a CSV file was read with, to read it again the same way: its encoding, its columns and,
// for a dated set, the order its dates were read in (none: decided from the rows).
struct CsvChoice {
    Encoding encoding = Encoding::Utf8;
    ColumnChoice columns;
    std::optional<DateOrder> dateOrder;
    bool operator==(const CsvChoice&) const = default;
};

struct CsvRead {
    DataSet set;
    ReadReport report;
    Encoding encoding;
    ColumnChoice columns;
    std::vector<std::string> names;  // the header's fields (the names above a row of units)
    DateOrder dateOrder = DateOrder::Ymd;
    bool datesUnread = false;  // a date column was taken but none of its fields is a date
};

// A CSV or TSV file: UTF-8 with or without a byte-order mark, or Shift-JIS (Windows code page
// 932). The header is the first of the first 20 lines whose fields name two state columns (a
// name may carry its unit: 温度(℃), 湿度[%RH], "Temp, °C (LGR S/N: 1234)"), or a row of units
// (℃, %, g/kg) under unnamed channels; the lines above it and those between it and the first
// row whose state fields hold a number are header lines. Of a name given twice the first column
// is taken. The delimiter is a tab where the header has one, else a semicolon where it has one,
// else a comma; fields may be quoted; with a tab or a semicolon, numbers may have a decimal
// comma. Any two of t, φ, x, t′ and the dew point give each row; a row is refused where they
// give no air at the row's pressure (its pressure column, or the site's). The set keeps the dry
// bulb and the humidity as measured: φ, the dew point or x (g/kg read as kg/kg(DA)); other
// pairs give x at that pressure. A date/time column (or a date and a time column) is read when
// present: YYYY-MM-DD, YYYY/MM/DD, or with the year last (MM/DD/YY, DD.MM.YYYY) in the order
// the header names (MM/DD/YYYY), the caller gives, or that alone gives the first rows a steady
// step; then h:mm[:ss] (24:00 the end of the day, AM/PM) after a blank or a T.
[[nodiscard]] std::expected<CsvRead, ReadError> readCsv(std::string_view bytes,
                                                        const CsvOptions& options);

struct EpwRead {
    DataSet set;
    ReadReport report;
};

// An EPW file: the LOCATION line (site name, 2nd field; elevation in m, 10th), the DESIGN
// CONDITIONS line (data/design_conditions.h), six more header lines, then one row an hour: dry bulb
// (7th field, °C), relative humidity (9th, %), station pressure (10th, Pa). A row with a
// missing-value marker (dry bulb 99.9, φ 999, pressure 999999) is refused as such, and so is one
// whose t and φ give no air at its own pressure; the set keeps t, φ and the row's pressure.
[[nodiscard]] std::expected<EpwRead, ReadError> readEpw(std::string_view bytes,
                                                        const ReadProgress& progress = {});

// The whole file at `path`, at most kMaxFileBytes.
[[nodiscard]] std::expected<std::string, ReadFailure> fileBytes(const std::string& path);

// The text of a failure and of a row's fault, in Japanese, for messages and reports.
[[nodiscard]] std::string failureText(ReadFailure failure);
[[nodiscard]] std::string faultText(RowFault fault);

}  // namespace data
