#pragma once

#include <expected>
#include <optional>

#include "psychro/air_state.h"
#include "psychro/atmosphere.h"
#include "psychro/humidifying.h"
#include "psychro/saturation.h"  // boilingPoint

// The design of an air handler from a room's loads: the supply state and air quantity on the
// room's SHF line, the mixing of outdoor and return air, and either the cooling coil (apparatus
// dew point, bypass factor, reheat) or the heater and humidifier. Engineering units at the
// site's pressure: x kg/kg(DA), i kcal/kg(DA), t °C, loads kcal/h, air kg(DA)/h, water kg/h.
namespace psychro {

// What the engineer gives, for either season.
struct DesignLoads {
    double sensible;          // qs, kcal/h: gained (cooling) or lost (heating) by the room, > 0
    double latent;            // qL, kcal/h: the moisture gained or lost as latent heat, ≥ 0
    double outdoorPercent;    // k, % of the supply's dry air that is outdoor air, 0 … 100
    double supplyDifference;  // Δt, K between room and supply air, at least 0.01
};

// The cooling coil: without reheat it brings the mixed air straight to the supply state;
// with a given bypass factor it leaves the coil at the supply's humidity and is reheated.
struct CoolingCoil {
    std::optional<double> bypassFactor;  // nullopt: no reheat; else 0 ≤ BF < 1
};

// The humidifier of a heating design and the temperature of its steam or water (°C).
struct HeatingHumidifier {
    Humidifier kind = Humidifier::Steam;
    double waterTemperature;
};

enum class DesignError {
    SensibleLoad,          // qs ≤ 0 or not finite
    LatentLoad,            // qL < 0 or not finite
    OutdoorRatio,          // k outside 0 … 100 % or not a number
    SupplyDifference,      // Δt below 0.01 K or not finite
    BypassFactor,          // BF outside 0 ≤ BF < 1
    SteamTemperature,      // steam below the site's boiling point (or not finite)
    WaterTemperature,      // spray water outside 0 … 100 °C
    NoRoomState,           // room or outdoor state not finite
    SupplyImpossible,      // supply x ≤ 0 or above saturation: this Δt cannot hold the room
    CoilCannotMake,        // cooling with i_S ≥ i_M or x_S > x_M
    NoSaturationCrossing,  // the coil line meets saturation nowhere within −50 … 100 °C
    CoilOutletTooWarm,     // the given BF leaves the coil warmer than the supply
    HumidifierCannotDry,   // heating with x_S < x_M
    HeaterCannotCool,      // heating with i_H < i_M
    BeyondChart,           // a state of the design lies beyond the chart's reach (its callers')
};

// The outcome of a design. The states absent from a season or mode are nullopt: the ADP and
// the bypass factor belong to cooling, the coil outlet to cooling with reheat, the heated state
// to heating; so do their loads.
struct AirHandlingDesign {
    AirState room;
    AirState outdoor;
    AirState mixed;
    AirState supply;
    std::optional<AirState> adp;     // apparatus dew point, on saturation
    std::optional<AirState> coil;    // coil outlet, with reheat
    std::optional<AirState> heated;  // after the heater, before the humidifier
    double shf;                      // qs / (qs + qL)
    double airQuantity;              // G, kg(DA)/h
    double supplyVolume;             // V = G·v_S, m³/h
    std::optional<double> bypassFactor;
    std::optional<double> coilLoad;           // G·(i_M − i_C), kcal/h (C = S without reheat)
    std::optional<double> reheatLoad;         // G·(i_S − i_C), kcal/h
    std::optional<double> dehumidifiedWater;  // G·(x_M − x_C), kg/h
    std::optional<double> heaterLoad;         // G·(i_H − i_M), kcal/h
    std::optional<double> humidifierWater;    // G·(x_S − x_M), kg/h
    double outdoorAirLoad;                    // G·k·(i_O − i_R), kcal/h
};

// The steam temperature a heating design takes unless told: 100 °C, or the site's boiling
// point where water boils above it (below sea level).
[[nodiscard]] double defaultSteamTemperature(PressureRatio pressure);

// The refusals that no room or outdoor state can mend: a load, ratio or Δt out of range, a BF
// outside 0 ≤ BF < 1; for heating, steam below the site's boiling point or spray water outside
// 0 … 100 °C. The designs check them first.
[[nodiscard]] std::optional<DesignError> coolingInputError(DesignLoads loads, CoolingCoil coil);
[[nodiscard]] std::optional<DesignError> heatingInputError(DesignLoads loads,
                                                           HeatingHumidifier humidifier,
                                                           PressureRatio pressure);

// Cooling. With a = 597.3 + 0.441·t_R:
//   SHF = qs/(qs + qL),  t_S = t_R − Δt,
//   x_S = (qs·a·x_R − 0.24·qL·Δt) / (qs·a + 0.441·qL·Δt),
//   G = qs / ((0.24 + 0.441·x_S)·Δt),  V = G·v_S,
//   x_M = (1 − k)·x_R + k·x_O,  i_M = (1 − k)·i_R + k·i_O.
// Without reheat the ADP is the first saturated point of the line M → S beyond S (steps of at
// most 0.5 K and 2 % of x_S, at most 1,000 of them, then bisection), BF = (i_S − i_ADP)/(i_M −
// i_ADP). With a given BF: x_C = x_S, x_ADP = (x_S − BF·x_M)/(1 − BF) saturated, i_C = BF·i_M +
// (1 − BF)·i_ADP. Then G·(i_R − i_S) = qs + qL. Room and outdoor states on the chart, pressure
// within the accepted range; the refusals are DesignError's.
[[nodiscard]] std::expected<AirHandlingDesign, DesignError> designCooling(
    AirState room, AirState outdoor, DesignLoads loads, CoolingCoil coil, PressureRatio pressure);

// Heating: qs the heat and qL the latent heat the room loses.
//   t_S = t_R + Δt,  x_S = (qs·a·x_R + 0.24·qL·Δt) / (qs·a − 0.441·qL·Δt),
//   G and V and M as for cooling; the heater brings M to H (x_H = x_M) and the humidifier adds
//   x_S − x_M at enthalpy u (steam 597.3 + 0.441·t_s, spray t_w): i_H = i_S − u·(x_S − x_M).
// Steam at or above the site's boiling point, spray water 0 … 100 °C.
[[nodiscard]] std::expected<AirHandlingDesign, DesignError> designHeating(
    AirState room, AirState outdoor, DesignLoads loads, HeatingHumidifier humidifier,
    PressureRatio pressure);

}  // namespace psychro
