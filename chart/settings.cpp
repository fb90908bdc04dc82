#include "chart/settings.h"

#include <array>
#include <charconv>
#include <optional>

namespace chart {
namespace {

constexpr std::string_view kEngineering = "engineering";
constexpr std::string_view kSI = "si";
constexpr std::string_view kMmHg = "mmHg";
constexpr std::string_view kKPa = "kPa";
constexpr std::string_view kMetres = "m";

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<double> storedNumber(std::string_view text) {
    text = trimmed(text);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<psychro::PressureUnit> storedUnit(std::string_view text) {
    text = trimmed(text);
    if (text == kMmHg) {
        return psychro::PressureUnit::MmHg;
    }
    if (text == kKPa) {
        return psychro::PressureUnit::KPa;
    }
    if (text == kMetres) {
        return psychro::PressureUnit::Altitude;
    }
    return std::nullopt;
}

}  // namespace

StoredSettings storedSettings(const Settings& settings) {
    StoredSettings stored;
    stored.units = std::string(settings.units == Units::SI ? kSI : kEngineering);
    switch (settings.atmosphere.unit) {
        case psychro::PressureUnit::KPa:
            stored.pressureUnit = std::string(kKPa);
            break;
        case psychro::PressureUnit::Altitude:
            stored.pressureUnit = std::string(kMetres);
            break;
        case psychro::PressureUnit::MmHg:
            stored.pressureUnit = std::string(kMmHg);
            break;
    }
    // The shortest text that reads back to the same double.
    std::array<char, 32> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), settings.atmosphere.given);
    stored.pressure.assign(buffer.data(), result.ptr);
    return stored;
}

Settings settingsFromStored(std::string_view units, std::string_view pressureUnit,
                            std::string_view pressure) {
    Settings settings = Settings::standard();
    if (trimmed(units) == kSI) {
        settings.units = Units::SI;
    }
    const auto unit = storedUnit(pressureUnit);
    const auto value = storedNumber(pressure);
    if (unit && value) {
        if (const auto atmosphere = psychro::atmosphereFrom(*unit, *value)) {
            settings.atmosphere = *atmosphere;
        }
    }
    return settings;
}

std::optional<Settings> settingsFromStoredExactly(std::string_view units,
                                                  std::string_view pressureUnit,
                                                  std::string_view pressure) {
    Settings settings = Settings::standard();
    if (trimmed(units) == kSI) {
        settings.units = Units::SI;
    } else if (trimmed(units) != kEngineering) {
        return std::nullopt;
    }
    const auto unit = storedUnit(pressureUnit);
    const auto value = storedNumber(pressure);
    const auto atmosphere = unit && value
                                ? psychro::atmosphereFrom(*unit, *value)
                                : std::expected<psychro::Atmosphere, psychro::PressureError>(
                                      std::unexpected(psychro::PressureError::NotFinite));
    if (!atmosphere) {
        return std::nullopt;
    }
    settings.atmosphere = *atmosphere;
    return settings;
}

}  // namespace chart
