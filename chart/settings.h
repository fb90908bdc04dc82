#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chart/units.h"
#include "psychro/atmosphere.h"

// The user's settings: the units figures are shown in and the pressure the chart is drawn for.
// One small value, owned by the main window and handed to whatever draws or computes; kept
// between runs as three strings (see StoredSettings).
namespace chart {

// No default: the standard settings are spelled out as Settings::standard().
struct Settings {
    Units units;
    psychro::Atmosphere atmosphere;

    // Engineering units at the standard atmosphere, 760 mmHg: the settings of a first run.
    [[nodiscard]] static constexpr Settings standard() {
        return {Units::Engineering, psychro::Atmosphere::standard()};
    }

    // The same units and the same pressure given the same way.
    [[nodiscard]] bool operator==(const Settings& other) const {
        return units == other.units && atmosphere.ratio == other.atmosphere.ratio &&
               atmosphere.unit == other.atmosphere.unit &&
               atmosphere.given == other.atmosphere.given;
    }
};

// The settings as they are stored: units "engineering" or "si"; the pressure's unit "mmHg",
// "kPa" or "m" (an altitude) and the number as given, written so that it reads back to the
// same double.
struct StoredSettings {
    std::string units;
    std::string pressureUnit;
    std::string pressure;
};

[[nodiscard]] StoredSettings storedSettings(const Settings& settings);

// The settings from stored strings. Each part falls back to its default on its own: units that
// are missing or unknown give engineering units; a pressure whose unit or number is missing,
// unreadable, not finite or outside −500 … 5,000 m (or the pressures of those altitudes) gives
// the standard atmosphere. So whatever the strings hold, the result is a setting the chart can
// be drawn for. Numbers are read in the C locale: an optional minus sign, digits, a point and
// an exponent, surrounding blanks ignored.
[[nodiscard]] Settings settingsFromStored(std::string_view units, std::string_view pressureUnit,
                                          std::string_view pressure);

// The same reading without the fallbacks, for a file that must say what it means: nullopt
// unless the units are known and the pressure's unit and number give a pressure in range.
[[nodiscard]] std::optional<Settings> settingsFromStoredExactly(std::string_view units,
                                                                std::string_view pressureUnit,
                                                                std::string_view pressure);

}  // namespace chart
