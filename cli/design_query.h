#pragma once

#include <QString>
#include <array>
#include <expected>
#include <optional>

#include "chart/settings.h"
#include "cli/output_format.h"
#include "cli/state_query.h"
#include "psychro/air_handling.h"

// `milten-cli design cool|heat`: the air-handling design of a room (psychro/air_handling.h)
// from the command line. The room and outdoor states are read and completed with the units and
// pressure in use (solveState); loads are typed in the units in use (kW in SI) and computed in
// kcal/h.
namespace cli {

enum class Season { Cooling, Heating };

// The texts of the command line's design options, as typed.
struct DesignTexts {
    QString room;                       // --room=NAME=VALUE,NAME=VALUE
    QString outdoor;                    // --outdoor=…, or epw:FILE:KIND[,NAME=VALUE]
    QString sensible;                   // --sensible=QS
    QString latent;                     // --latent=QL
    QString outdoorRatio;               // --outdoor-ratio=PERCENT
    QString supplyDifference;           // --dt=DT
    std::optional<QString> bypass;      // --bypass=BF (cooling with reheat)
    std::optional<QString> humidifier;  // --humidifier=steam[:TEMP]|spray[:TEMP] (heating)
};

// A design as the command line asks for it, every number in engineering units.
struct DesignRequest {
    Season season;
    std::array<Given, 2> room;
    std::array<Given, 2> outdoor;
    psychro::DesignLoads loads;  // kcal/h, %, K
    psychro::CoolingCoil coil;
    psychro::HeatingHumidifier humidifier;
};

// Reads the texts into a request, or the one-line usage message why they are none: a pair
// that is no pair, a number the text boxes would refuse, a humidifier that is neither steam
// nor spray, --bypass with heating or --humidifier with cooling, or a load, ratio, Δt, BF or
// humidifier temperature the design refuses whatever the states (in the design's Japanese
// words). Without --humidifier a heating design takes steam at
// psychro::defaultSteamTemperature; spray without a temperature is at 15 °C.
[[nodiscard]] std::expected<DesignRequest, QString> readDesign(Season season,
                                                               const DesignTexts& texts,
                                                               const chart::Settings& settings);

// The design with every state completed for output.
struct DesignFigures {
    psychro::AirHandlingDesign design;
    // room, outdoor, mixed, supply, adp, coil, heated; nullopt where the design has none.
    std::array<std::optional<FullState>, 7> states;
};

// The names of the seven states, in the order of DesignFigures::states, as JSON names them.
inline constexpr std::array<const char*, 7> kDesignStateNames{"room", "outdoor", "mixed", "supply",
                                                              "adp",  "coil",    "heated"};

// Completes the two states and designs, or the Japanese message why there is no design: a
// state's own message, the design's refusal, or "cannot compute" for a state beyond the
// chart's reach.
[[nodiscard]] std::expected<DesignFigures, QString> designFigures(const DesignRequest& request,
                                                                  const chart::Settings& settings);

// The design written out. Text: the states' table with the program's rounding, then one line
// for each figure with its unit. CSV: name,x,i,t,tw,v,phi,value,unit with a row per state and
// per figure, numbers in full. JSON: {"states": {…}, "shf", "airQuantity", "supplyVolume",
// "bypassFactor", "loads": {…}}, absent figures left out, numbers in full. Enthalpies and loads
// in `units`.
[[nodiscard]] QString designOutput(const DesignFigures& figures, Format format, chart::Units units);

}  // namespace cli
