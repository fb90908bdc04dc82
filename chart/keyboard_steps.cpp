#include "chart/keyboard_steps.h"

#include <algorithm>
#include <cmath>

#include "psychro/relations.h"

namespace chart {
namespace {

KeyboardState bounded(long temperatureSteps, long humiditySteps) {
    return {static_cast<int>(std::clamp<long>(temperatureSteps, kLowestTemperatureSteps,
                                              kHighestTemperatureSteps)),
            static_cast<int>(std::clamp<long>(humiditySteps, 0, kHighestHumiditySteps))};
}

// Rounds to whole steps; anything beyond the bounds (infinities included) lands on them.
long steps(double value, double step) {
    const double n = std::round(value / step);
    return n > 1e6 ? 1000000L : n < -1e6 ? -1000000L : static_cast<long>(n);
}

}  // namespace

KeyboardState keyboardStateAt(PointMm p) {
    const ChartState s = pictureState(p.X, p.Y);
    const double x = std::max(s.xg, 0.0) / 1000.0;
    const double t = psychro::temperatureFromEnthalpy(s.i, x);
    return bounded(steps(t, kTemperatureStep), steps(x, kHumidityStep));
}

KeyboardState keyboardStep(KeyboardState state, int temperatureSteps, int humiditySteps) {
    return bounded(static_cast<long>(state.temperatureSteps) + temperatureSteps,
                   static_cast<long>(state.humiditySteps) + humiditySteps);
}

PointMm keyboardPoint(KeyboardState state) {
    const double t = state.temperatureSteps * kTemperatureStep;
    const double x = state.humiditySteps * kHumidityStep;
    return statePoint(psychro::enthalpy(t, x), x * 1000.0);
}

}  // namespace chart
