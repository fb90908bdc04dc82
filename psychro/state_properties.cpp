#include "psychro/state_properties.h"

#include "psychro/relations.h"
#include "psychro/saturation.h"
#include "psychro/wet_bulb.h"

namespace psychro {

StateProperties stateProperties(double x, double i, PressureRatio pressureRatio) {
    const double t = temperatureFromEnthalpy(i, x);
    const double ps = SaturationPressure(t);
    const double phi = relativeHumidityPercent(x, ps, pressureRatio);
    const double v = specificVolume(x, t, pressureRatio);
    return {t, wbt(x, i, pressureRatio), v, phi};
}

}  // namespace psychro
