#include "chart/cursor_readout.h"

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "psychro/state_properties.h"

namespace chart {
namespace {

Readout allSix(const char* text) {
    return {text, text, text, text, text, text};
}

std::string labelText(double v, int decimals) {
    return roundedText(v, decimals, Rounding::HalfEven);
}

}  // namespace

Readout cursorReadout(float X, float Y, psychro::PressureRatio pressureRatio, Units units) {
    using namespace psychro;
    const ChartFrame& f = chartFrame();
    const FrameAngles& a = frameAngles();
    const double px = X;
    const double py = Y;

    const double xg = (kBottomY - py) / f.HumidityUnit;
    // The isenthalp through the pointer meets the scale line at (u, Yu); i is the distance
    // from the scale origin to there, in enthalpy units.
    const double u =
        (px * a.tanIsenthalp + kScaleLineTopX * a.tanScale - py) / (a.tanIsenthalp + a.tanScale);
    const double yu = (kScaleLineTopX - u) * a.tanScale;
    const double i = kTopEnthalpy * (f.OriginY - yu) / (f.EnthalpyAxisLength * a.sinScale);

    const bool inside = X >= 0.0f && X <= static_cast<float>(kRightEdge) && Y >= 0.0f &&
                        Y <= static_cast<float>(kBottomY);
    if (!inside) {
        return allSix(kOutsideText);  // before the wet-bulb search, which would be wasted
    }
    const double x = xg / 1000.0;
    const auto [t, tw, v, phi] = stateProperties(x, i, pressureRatio);
    if (!(phi <= 100.0)) {  // NaN included
        return allSix(kFogText);
    }
    return {labelText(x, 5), labelText(shownEnthalpy(i, units), enthalpyDecimals(2, units)),
            labelText(t, 2), labelText(tw, 2),
            labelText(v, 3), labelText(phi, 2)};
}

}  // namespace chart
