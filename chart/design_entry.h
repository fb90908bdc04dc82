#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "chart/marked_work.h"
#include "psychro/air_handling.h"

// An air-handling design (psychro/air_handling.h) as one entry of the marked work: its inputs,
// its states in a fixed order and its figures, drawn as one cycle on the chart.
//
// Inputs: xR, iR, xO, iO (room and outdoor, kg/kg(DA) and kcal/kg(DA)), qs, qL (kcal/h), k (%),
// dt (K); a reheat design BF; a heating design hum (0 steam, 1 water spray) and tHum (°C).
// States: room, outdoor, mixed, supply, then ADP (cooling), ADP and coil outlet (reheat) or
// heated air (heating). Results: SHF, G (kg(DA)/h), V (m³/h), Qoa (kcal/h), and BF, tADP (°C),
// Qcoil, Lw (kg/h), Qreheat for cooling, Qheater and Lh (kg/h) for heating.
namespace chart {

// What a design is made from.
struct DesignInputs {
    bool cooling;
    psychro::AirState room;
    psychro::AirState outdoor;
    psychro::DesignLoads loads;
    psychro::CoolingCoil coil;              // cooling
    psychro::HeatingHumidifier humidifier;  // heating
};

// Designs at the pressure and makes the entry, each state marked where statePoint puts it; the
// design's refusal, or BeyondChart when a state lies beyond kMarkReach.
[[nodiscard]] std::expected<Entry, psychro::DesignError> designEntry(
    const DesignInputs& inputs, psychro::PressureRatio pressure);

// The inputs an entry of a design kind carries, or nullopt when one is missing or out of its
// kind (hum neither 0 nor 1).
[[nodiscard]] std::optional<DesignInputs> designInputsOf(const Entry& entry);

// Whether the kind is one of the three design kinds.
[[nodiscard]] bool isDesign(EntryKind kind);

// The label of the design's state `index`: "R 室内", "O 外気", "M 混合", "S 吹出し",
// "ADP 装置露点", "C コイル出口", "H 加熱後".
[[nodiscard]] std::string designLabel(EntryKind kind, std::size_t index);

// The colour of the SHF line: cyan (palette 3), which no family of the chart is drawn in.
inline constexpr int kShfColour = 3;

// A rectangle of the picture, mm.
struct BoxMm {
    double left;
    double top;
    double right;
    double bottom;
};
[[nodiscard]] bool overlaps(const BoxMm& a, const BoxMm& b);

// The room a text in the picture's font (9 pt, em = 3.175 mm) takes with its top-left corner at
// `at`: half an em across for each half-width character (ASCII, half-width kana), a whole em
// for any other, and 1.15 em high (the cell with a little air). An estimate that does not
// depend on the fonts installed, so the placing below is the same on every machine.
[[nodiscard]] BoxMm labelBox(PointMm at, std::string_view text);

// Draws the cycle: the mixing line O–R, the SHF line from S through R (half as far again beyond
// R, in kShfColour), the coil line M → C with its dashed extension to the ADP and the reheat
// C → S (C = S without reheat), or heater M → H and humidifier H → S; then every state's mark
// and label. Each label takes the first place, in a fixed order of places around its state
// (below it first, as the other marks have theirs, then to the sides and above, then farther
// out with a short black leader line), where it overlaps no label placed before it and no
// state's mark, within the picture when its state is; with no such place it stays below. The
// entry must be whole.
void drawDesign(Picture& picture, const Entry& entry);

}  // namespace chart
