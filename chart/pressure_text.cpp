#include "chart/pressure_text.h"

#include <cmath>

#include "chart/number_text.h"

namespace chart {
namespace {

// Decimals of the pressure in each unit, and of an altitude.
constexpr int kMmHgDecimals = 1;
constexpr int kKPaDecimals = 3;
constexpr int kMetreDecimals = 1;
// The range message writes kPa to 2 decimals: 54.02 … 107.47 reads better than 54.02 … 107.477.
constexpr int kKPaRangeDecimals = 2;

std::string rounded(double v, int decimals) {
    return generalText(roundHalfEven(v, decimals));
}

// v rounded towards the inside of a range: up for its lower end, down for its upper end.
std::string inward(double v, int decimals, bool lowerEnd) {
    const double scale = std::pow(10.0, decimals);
    return generalText((lowerEnd ? std::ceil(v * scale) : std::floor(v * scale)) / scale);
}

}  // namespace

std::string pressureLine(const psychro::Atmosphere& atmosphere, Units units) {
    using psychro::PressureUnit;
    std::string text = "大気圧 = ";
    if (units == Units::SI) {
        const bool givenInKPa = atmosphere.unit == PressureUnit::KPa;
        text += rounded(givenInKPa ? atmosphere.given : atmosphere.kPa(), kKPaDecimals) + " kPa";
    } else if (atmosphere.unit == PressureUnit::KPa) {
        text += rounded(atmosphere.given, kKPaDecimals) + " kPa";
    } else {
        const bool givenInMmHg = atmosphere.unit == PressureUnit::MmHg;
        text +=
            rounded(givenInMmHg ? atmosphere.given : atmosphere.mmHg(), kMmHgDecimals) + " mmHg";
    }
    if (atmosphere.unit == PressureUnit::Altitude) {
        text += " (標高 " + rounded(atmosphere.given, kMetreDecimals) + " m)";
    }
    return text;
}

std::string pressureRangeMessage(psychro::PressureUnit unit) {
    using namespace psychro;
    const double low = lowestPressureRatio().value();
    const double high = highestPressureRatio().value();
    std::string range;
    switch (unit) {
        case PressureUnit::KPa:
            range = "大気圧は" + inward(kStandardKPa * low, kKPaRangeDecimals, true) + "～" +
                    inward(kStandardKPa * high, kKPaRangeDecimals, false) + " kPa";
            break;
        case PressureUnit::Altitude:
            range = "標高は" + generalText(kLowestAltitude) + "～" + generalText(kHighestAltitude) +
                    " m";
            break;
        case PressureUnit::MmHg:
            range = "大気圧は" + inward(kStandardMmHg * low, kMmHgDecimals, true) + "～" +
                    inward(kStandardMmHg * high, kMmHgDecimals, false) + " mmHg";
            break;
    }
    return range + "の範囲で入力してください。";
}

}  // namespace chart
