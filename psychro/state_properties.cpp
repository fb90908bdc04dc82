#include "psychro/state_properties.h"

#include "psychro/constants.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"
#include "psychro/wet_bulb.h"

namespace psychro {

StateProperties stateProperties(double x, double i) {
    const double t = temperatureFromEnthalpy(i, x);
    const double ps = SaturationPressure(t);
    const double phi = relativeHumidityPercent(x, ps);
    const double v = kVolumeFactor * (x + kMolarMassRatio) * (kCelsiusOffset + t) / 100.0;
    return {t, wbt(x, i), v, phi};
}

}  // namespace psychro
