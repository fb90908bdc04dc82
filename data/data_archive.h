#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/marked_work.h"
#include "data/data_part.h"

// A work's data kept in its project file (.milten), so that it opens with its data even when the
// files the data came from have moved: two members of the file's top-level object beside the
// marked work, which the work's own reader passes over.
//
//   "data": [{"path": "D:/logs/room.csv", "name": "room.csv", "style": "points",
//             "colour": "#1f77b4", "shown": true, "months": 4095, "hours": 16777215,
//             "hourly": false, "elevation": 35 (weather files only), "rows": 2,
//             "humidity": "phi" (or "x" in kg/kg(DA), "dew" in °C: what the readings hold),
//             "readings": "<base64 of the rows' t and humidity as little-endian float32 pairs>",
//             "pressures": "<base64 of float32 ratios to 760 mmHg, one or one a row>" (where
//             the file gave the air's pressure),
//             "times": "<base64 of the rows' minutes as little-endian uint32>" (dated sets)}],
//   "zones": [{"kind": "range", "name": "…", "t": [17, 28], "phi": [40, 70]} (or "x"),
//             {"kind": "pmv", "name": "…", "met": 1.1, "clo": 0.5, "vel": 0.1, "tr": 25 (when
//              given), "limit": 0.5}]
//
// The rows are kept bit for bit (a float's four bytes), the numbers of the zones in the shortest
// text that reads back to the same double. A file written before the readings were kept has
// "states" (t and x as float32 pairs) in their place: its rows open as readings of x.
namespace data {

// Bounds on what the reader accepts. The rows make a file far larger than the marked work does.
inline constexpr std::size_t kArchiveMaxLayers = 64;
inline constexpr std::size_t kArchiveMaxZones = 64;
inline constexpr std::size_t kArchiveMaxRows = 5000000;

// The members "data" and "zones" as lines of the top-level object (indented by two, joined by a
// comma, without a comma before or after); empty for an empty part, so a file without data is
// the work's file as it always was.
[[nodiscard]] std::string dataMembers(const DataPart& part);

// The whole project file: chart::writeProject's text with the part's members after the work's.
[[nodiscard]] std::string writeProjectWithData(const chart::MarkedWork& work, const DataPart& part);

enum class DataArchiveError {
    NotJson,          // not a JSON document, nested too deep, or a name given twice
    NotProject,       // the document is not an object
    MissingField,     // a field is missing or of the wrong type
    ImpossibleValue,  // a style, colour, filter, state or zone that cannot be
    BadRows,          // base64 that is not, or a length that does not match the rows
    TooLarge,         // beyond the bounds above
};

struct DataArchiveFailure {
    DataArchiveError error;
    std::string where;  // the field, as "data[1].states"; may be empty
};

// The part held by a whole project file (`fileBytes`, at most chart::kProjectWithDataMaxBytes),
// read without building the rest of the document; an empty part where the file has neither
// member. Rows are finite with t in −100 … 200 °C and φ in 0 … 100 %, x in 0 … 1 kg/kg(DA)
// or a dew point in −100 … 200 °C, pressures within −500 … 5,000 m's; zones pass
// zoneValid. Whole or refused, never a part of it.
[[nodiscard]] std::expected<DataPart, DataArchiveFailure> readDataPart(std::string_view fileBytes);

// Whether two parts hold the same data: the layers' sets compared by their rows, not by which
// copy they share.
[[nodiscard]] bool sameData(const DataPart& a, const DataPart& b);

// Base64 (RFC 4648, with padding, no line breaks). The decoder is strict: a length that is a
// multiple of four, padding only at the end, unused bits zero; nullopt otherwise.
[[nodiscard]] std::string base64Encode(std::span<const std::uint8_t> bytes);
[[nodiscard]] std::optional<std::vector<std::uint8_t>> base64Decode(std::string_view text);

}  // namespace data
