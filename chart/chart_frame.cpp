#include "chart/chart_frame.h"

#include <cmath>

#include "psychro/constants.h"
#include "psychro/relations.h"

namespace chart {
namespace {

ChartFrame computeFrame() {
    ChartFrame f{};
    f.DegToRad = kPi / 180.0;
    const double tanScale = std::tan(kScaleLineAngle * f.DegToRad);
    const double tanIsenthalp = std::tan(kIsenthalpAngle * f.DegToRad);
    // The zero-enthalpy line through (kZeroPointX, 160) meets the scale line
    // Y = tan 45.12°·(138 − X) at the origin of the enthalpy scale.
    f.OriginX = (tanIsenthalp * kZeroPointX + kScaleLineTopX * tanScale - kBottomY) /
                (tanScale + tanIsenthalp);
    f.OriginY = (f.OriginX - kZeroPointX) * tanIsenthalp + kBottomY;
    const double frameTop = kFrameTopSpan * tanScale;  // the frame top lies at Y = −frameTop
    f.EnthalpyAxisLength = std::sqrt((kRightEdge - f.OriginX) * (kRightEdge - f.OriginX) +
                                     (f.OriginY + frameTop) * (f.OriginY + frameTop));
    f.EnthalpyUnit = f.EnthalpyAxisLength / kTopEnthalpy;
    f.HumidityUnit = (frameTop + kBottomY) / kTopHumidity;
    return f;
}

FrameAngles computeAngles() {
    const double rad = chartFrame().DegToRad;
    return {std::tan(kScaleLineAngle * rad), std::cos(kScaleLineAngle * rad),
            std::sin(kScaleLineAngle * rad), std::tan(kIsenthalpAngle * rad)};
}

}  // namespace

const ChartFrame& chartFrame() {
    static const ChartFrame frame = computeFrame();
    return frame;
}

const FrameAngles& frameAngles() {
    static const FrameAngles angles = computeAngles();
    return angles;
}

PointMm scalePoint(double i) {
    const ChartFrame& f = chartFrame();
    const FrameAngles& a = frameAngles();
    // For negative i this is bit for bit the same as OriginX − |i|·EnthalpyUnit·cos 45.12°
    // (and OriginY + … for Y): negating an operand is exact.
    return {f.OriginX + i * f.EnthalpyUnit * a.cosScale,
            f.OriginY - i * f.EnthalpyUnit * a.sinScale};
}

bool withinReach(PointMm p) {
    // Written so that NaN fails.
    return std::fabs(p.X) <= kMarkReach && std::fabs(p.Y) <= kMarkReach;
}

PointMm statePoint(double i, double xg) {
    const double y = kBottomY - xg * chartFrame().HumidityUnit;
    const PointMm e = scalePoint(i);
    return {e.X + (y - e.Y) / frameAngles().tanIsenthalp, y};
}

double enthalpyAt(double t, double xg) {
    using namespace psychro;
    return kDryAirHeat * t + xg * vapourEnthalpy(t) / 1000.0;
}

ChartState pictureState(double X, double Y) {
    const ChartFrame& f = chartFrame();
    const FrameAngles& a = frameAngles();
    const double xg = (kBottomY - Y) / f.HumidityUnit;
    const double i = (X - f.OriginX - (Y - f.OriginY) / a.tanIsenthalp) /
                     (f.EnthalpyUnit * (a.cosScale + a.sinScale / a.tanIsenthalp));
    return {i, xg};
}

}  // namespace chart
