#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/project_file.h"
#include "data/data_part.h"

// A work's data kept in its project file (.milten), so that it opens with its data even when the
// files the data came from have moved: two members of the file's top-level object after the
// marked work's.
//
//   "data": [{"path": "D:/logs/room.csv", "name": "room.csv", "style": "points",
//             "colour": "#1f77b4", "shown": true, "months": 4095, "hours": 16777215,
//             "hourly": false, "elevation": 35 (weather files only),
//             "designConditions": [{"kind": "cooling-0.4", "t": 34.3, "tw": 25.3},
//                                  {"kind": "heating-99.6", "t": -2.1}] (weather files that
//             give them: the kinds as designConditionName spells them, in their order),
//             "columns": "<choiceText of what a CSV set was read with>" (where known),
//             "datesUnread": true (a CSV set whose date column held no readable date),
//             "rows": 2,
//             "states": "<base64 of the rows (rowBytes)>" where the rows are readings of x
//             without pressures (as every file before the readings were kept), else
//             "humidity": "phi" (or "x" in kg/kg(DA), "dew" in °C: what the readings hold),
//             "readings": "<base64 of the rows (rowBytes)>",
//             "pressures": "<base64 of float32 ratios to 760 mmHg, one or one a row>" (where
//             the file the set came from gave the air's pressure),
//             "times": "<base64 of the rows' minutes as little-endian uint32>" (dated sets)}],
//   "zones": [{"kind": "range", "name": "…", "t": [17, 28], "phi": [40, 70]} (or "x"),
//             {"kind": "pmv", "name": "…", "met": 1.1, "clo": 0.5, "vel": 0.1, "tr": 25 (when
//              given), "limit": 0.5}]
//
// The rows are kept bit for bit, the numbers of the zones in the shortest text that reads back
// to the same double.
namespace data {

// Bounds on what the reader accepts. The rows make a file far larger than the marked work does.
inline constexpr std::size_t kArchiveMaxLayers = 64;
inline constexpr std::size_t kArchiveMaxZones = 64;
inline constexpr std::size_t kArchiveMaxRows = 5000000;

// The rows of a set as the file keeps them, and back: each row's t (°C) and humidity (φ in %,
// x in kg/kg(DA) or the dew point in °C, as the set's kind says) as little-endian float32,
// kRowBytes a row. Read back, a row must be air of the chart's world: finite, t in −100 … 200
// °C and φ in 0 … 100, x in 0 … 1 or the dew point in −100 … 200; otherwise the index of the
// first that is not.
inline constexpr std::size_t kRowBytes = 8;
[[nodiscard]] std::vector<std::uint8_t> rowBytes(std::span<const Reading> rows);
[[nodiscard]] std::expected<std::vector<Reading>, std::size_t> rowsFromBytes(
    std::span<const std::uint8_t> bytes, Humidity humidity);

// The members "data" and "zones" as lines of the top-level object (indented by two, joined by a
// comma, without a comma before or after), given to `put` a piece at a time so that the rows
// never stand as one text; nothing for an empty part. False as soon as `put` answers false.
[[nodiscard]] bool writeDataMembers(const DataPart& part,
                                    const std::function<bool(std::string_view)>& put);

// The part held by a parsed project document; an empty part where it has neither member. Zones
// pass zoneValid. Whole or refused, never a part of it.
[[nodiscard]] std::expected<DataPart, chart::ProjectFailure> dataPartFromDocument(
    const chart::ProjectJson& document);

// Whether two parts hold the same data: the layers' sets compared by their rows, not by which
// copy they share.
[[nodiscard]] bool sameData(const DataPart& a, const DataPart& b);

// Base64 (RFC 4648, with padding, no line breaks). The decoder is strict: a length that is a
// multiple of four, padding only at the end, unused bits zero; nullopt otherwise.
[[nodiscard]] std::string base64Encode(std::span<const std::uint8_t> bytes);
[[nodiscard]] std::optional<std::vector<std::uint8_t>> base64Decode(std::string_view text);

}  // namespace data
