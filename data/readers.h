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
    bool xInGrams = false;       // the x column holds g/kg(DA)
    bool fahrenheit = false;     // the temperature columns hold °F
    std::size_t headerLine = 1;  // 1-based line of the header, data following; 0: no header
};

// Told how far a read has come: `done` of `total` bytes of the text (after decoding); at most
// every kProgressRows rows and once at the end. Returning false stops the read, which then
// fails with ReadFailure::Cancelled. May be empty.
using ReadProgress = std::function<bool(std::size_t done, std::size_t total)>;
inline constexpr std::size_t kProgressRows = 4096;

struct CsvOptions {
    psychro::PressureRatio pressure;      // the site's, for φ, t′ and the dew point
    std::optional<Encoding> encoding;     // as the user chose it; detected when absent
    std::optional<ColumnChoice> columns;  // as the user chose them; recognised when absent
    ReadProgress progress = {};           // told of the rows read; may cancel
};

struct CsvRead {
    DataSet set;
    ReadReport report;
    Encoding encoding;
    ColumnChoice columns;
};

// A CSV or TSV file: UTF-8 with or without a byte-order mark, or Shift-JIS (Windows code page
// 932). The header is the first of the first 20 lines whose fields name two state columns (a
// name may carry its unit: 温度(℃), 湿度[%RH]); the delimiter is a tab where the header has
// one, else a comma; fields may be quoted. Any two of t, φ, x, t′ and the dew point fix each
// row's state at the site's pressure, through the air-state solver's pairs; the dew point gives
// x = 0.622·ps(td) / (P − ps(td)). A date/time column (or a date and a time column) is read
// when present: YYYY-MM-DD or YYYY/MM/DD, then hh:mm[:ss] after a blank or a T.
[[nodiscard]] std::expected<CsvRead, ReadError> readCsv(std::string_view bytes,
                                                        const CsvOptions& options);

struct EpwRead {
    DataSet set;
    ReadReport report;
};

// An EPW file: the LOCATION line (site name, 2nd field; elevation in m, 10th), the DESIGN
// CONDITIONS line (data/design_conditions.h), six more header lines, then one row an hour: dry bulb
// (7th field, °C), relative humidity (9th, %), station pressure (10th, Pa). A row with a
// missing-value marker (dry bulb 99.9, φ 999, pressure 999999) is refused as such; each state is
// fixed by t and φ at the row's own pressure.
[[nodiscard]] std::expected<EpwRead, ReadError> readEpw(std::string_view bytes,
                                                        const ReadProgress& progress = {});

// The whole file at `path`, at most kMaxFileBytes.
[[nodiscard]] std::expected<std::string, ReadFailure> fileBytes(const std::string& path);

// The text of a failure and of a row's fault, in Japanese, for messages and reports.
[[nodiscard]] std::string failureText(ReadFailure failure);
[[nodiscard]] std::string faultText(RowFault fault);

}  // namespace data
