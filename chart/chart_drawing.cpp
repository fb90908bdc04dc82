#include "chart/chart_drawing.h"

#include <cmath>
#include <string>

#include "chart/number_text.h"
#include "chart/picture.h"
#include "psychro/atmosphere.h"
#include "psychro/constants.h"
#include "psychro/saturation.h"

namespace chart {
namespace {

using psychro::kMolarMassRatio;
using psychro::totalPressure;

// Lines that carry a round value are drawn in 2 pixels, all others in 1.
constexpr int kThinPx = 1;
constexpr int kBoldPx = 2;

constexpr double kDryBulbTop = 48.0;  // °C, the warmest isotherm of the chart
constexpr double kLabelGapBelowBottom = 0.7;
constexpr double kBottomLabelShift = 2.5;

// Rotated labels: cell heights in screen pixels and the slant of the enthalpy scale, rounded to
// a whole degree as the font rotation takes it.
constexpr double kSmallLabelPx = 10.0;
constexpr double kLargeLabelPx = 13.0;
const int kScaleSlantDeg = static_cast<int>(std::nearbyint(kScaleLineAngle));

// Whole degrees, halves to the even neighbour.
int wholeDegrees(double deg) {
    return static_cast<int>(std::nearbyint(deg));
}

PointMm pointOf(double t, double xg) {
    return statePoint(enthalpyAt(t, xg), xg);
}

void lineInWidth(Picture& picture, PointMm from, PointMm to, int colour, int widthPx) {
    picture.setLineWidth(widthPx);
    picture.line(from, to, colour);
    picture.setLineWidth(kThinPx);
}

void printAt(Picture& picture, PointMm at, std::string text) {
    picture.setTextPosition(at);
    picture.print(std::move(text));
}

void printRotatedAt(Picture& picture, PointMm at, std::string text, double heightPx, int angleDeg) {
    picture.setTextPosition(at);
    picture.printRotated(std::move(text), heightPx, angleDeg);
}

// The zero-enthalpy line from the zero point down-left to the scale origin, and the scale line.
void drawFrameLines(Picture& picture) {
    const ChartFrame& f = chartFrame();
    picture.line({kZeroPointX, kBottomY}, {f.OriginX, f.OriginY}, kLightRed);
    picture.line({kScaleLineTopX, 0.0}, {0.0, kScaleLineTopX * frameAngles().tanScale}, kBlack);
}

void drawHumidityLines(Picture& picture, psychro::PressureRatio r) {
    for (int xg = 1; xg <= 53; ++xg) {
        if (const std::optional<HumidityLine> line = humidityLine(xg, r)) {
            const bool round = xg == 10 || xg == 20 || xg == 30;
            lineInWidth(picture, line->edge, line->saturation, kGrey, round ? kBoldPx : kThinPx);
        }
    }
}

// The enthalpies of the enthalpy lines and scale labels, in the unit shown: every `step` from
// `first` to `last`.
struct EnthalpyScale {
    int first;
    int last;
    int step;
};

// Every 5 kJ/kg(DA) is 1.19 kcal/kg(DA): about the spacing of the whole kcal.
constexpr int kSIEnthalpyStep = 5;

// As many steps below zero as the scale line has room for above the bottom line, and up to the
// frame's top-right corner, 45 kcal/kg(DA) (188.4 kJ/kg(DA)).
EnthalpyScale enthalpyScale(Units units) {
    const ChartFrame& f = chartFrame();
    const FrameAngles& a = frameAngles();
    const double room = ((kBottomY - f.OriginY) / a.sinScale) / f.EnthalpyUnit;  // kcal/kg(DA)
    if (units == Units::SI) {
        const int below = static_cast<int>(kilojoulesFromKilocalories(room)) / kSIEnthalpyStep;
        const int above =
            static_cast<int>(kilojoulesFromKilocalories(kTopEnthalpy)) / kSIEnthalpyStep;
        return {-below * kSIEnthalpyStep, above * kSIEnthalpyStep, kSIEnthalpyStep};
    }
    return {-static_cast<int>(room), static_cast<int>(kTopEnthalpy), 1};
}

void drawEnthalpyLines(Picture& picture, Units units) {
    const FrameAngles& a = frameAngles();
    const EnthalpyScale scale = enthalpyScale(units);
    for (int shown = scale.first; shown <= scale.last; shown += scale.step) {
        const PointMm start = scalePoint(enthalpyFromShown(shown, units));
        PointMm end{kRightEdge, start.Y + (kRightEdge - start.X) * a.tanIsenthalp};
        if (end.Y > kBottomY) {
            end = {start.X + (kBottomY - start.Y) / a.tanIsenthalp, kBottomY};
        }
        picture.line(start, end, kLightRed);
    }
}

// Where the 48 °C isotherm stands: its bottom point and its Y change per unit X.
struct Isotherm {
    PointMm bottom;
    double slope;
};

Isotherm drawDryBulbLine(Picture& picture, int t, bool labelled, psychro::PressureRatio r) {
    const PointMm bottom = pointOf(t, 0.0);
    const PointMm top = pointOf(t, saturationHumidityG(t, r));
    const bool round = t >= 0 && t <= 40 && t % 10 == 0;
    lineInWidth(picture, bottom, top, kGrey, round ? kBoldPx : kThinPx);
    if (labelled) {
        printAt(picture, {bottom.X - kBottomLabelShift, kBottomY + kLabelGapBelowBottom},
                printedNumber(t));
    }
    return {bottom, (top.Y - bottom.Y) / (top.X - bottom.X)};
}

Isotherm drawDryBulbLines(Picture& picture, psychro::PressureRatio r) {
    Isotherm warmest{};
    for (int t = 0; t <= static_cast<int>(kDryBulbTop); ++t) {
        warmest = drawDryBulbLine(picture, t, t % 2 == 0, r);
    }
    for (int t = -1; t >= -10; --t) {
        drawDryBulbLine(picture, t, t % 2 == 0 && t >= -8, r);
    }
    return warmest;
}

// The values of the volume lines, m³/kg(DA): from `first` by `step` while not above `limit`,
// labelled while not above `labelLimit`.
struct VolumeValues {
    double first;
    double step;
    double limit;
    double labelLimit;
};

// The hundredths the standard chart draws, 0.75 … 1.04, labelled up to 0.90, and below which
// ratio the lines take every second hundredth.
constexpr double kFirstVolume = 75.0;
constexpr double kLastVolume = 104.0;
constexpr double kLastLabelledVolume = 90.0;
constexpr double kWideVolumeStepBelow = 0.8;
// Keeps a quotient that should be whole from rounding to the next hundredth.
constexpr double kWholeSlack = 1e-9;

// At the ratio r the same stretch of the chart holds the volumes of the standard chart divided
// by r, so the lines are the round values in that stretch. The loop accumulates its value by
// repeated addition; its limits lie half a step past the last value, so that the rounding of
// the sums cannot decide whether a line is drawn or labelled. At r = 1 this is 0.75, 0.01 and
// the same thirty lines and sixteen labels as ever.
VolumeValues volumeValues(psychro::PressureRatio pressureRatio) {
    const double r = pressureRatio.value();
    const double step = r < kWideVolumeStepBelow ? 2.0 : 1.0;  // hundredths
    const double first = std::ceil(kFirstVolume / r / step - kWholeSlack) * step;
    const double last = std::floor(kLastVolume / r / step + kWholeSlack) * step;
    const double labelled = std::floor(kLastLabelledVolume / r / step + kWholeSlack) * step;
    return {first / 100.0, step / 100.0, (last + step / 2.0) / 100.0,
            (labelled + step / 2.0) / 100.0};
}

// Lines of constant specific volume, traced upward from x = 0 in small humidity steps until they
// meet the saturation curve.
void drawVolumeLines(Picture& picture, psychro::PressureRatio r) {
    const std::string title = "比容積 v [m3/kg(DA)]";
    const VolumeValues values = volumeValues(r);
    for (double v = values.first; v <= values.limit; v += values.step) {
        const PointMm base = pointOf(temperatureAtVolume(v, 0.0, r), 0.0);
        PointMm previous = base;
        PointMm last = base;
        bool first = true;
        for (double xg = -2.5; xg <= 53.0; xg += 0.03) {
            const double t = temperatureAtVolume(v, xg, r);
            const double saturated = saturationHumidityG(t, r);
            const PointMm p = pointOf(t, xg);
            last = p;
            // A negative saturation humidity: t lies above the boiling point of the pressure
            // (only below the standard pressure), where no humidity saturates the air.
            if (xg > saturated && saturated >= 0.0) {
                break;
            }
            if (xg >= 0.0) {
                if (t <= kDryBulbTop) {
                    picture.line(previous, p, kLightGreen);
                }
                previous = p;
            }
            if (first && v <= values.labelLimit) {
                // On the line's extension below the bottom line.
                printAt(picture, {p.X - 3.0, p.Y}, printedNumber(v));
            }
            first = false;
        }
        // A tick continuing the line below the bottom line, down to Y = 170.
        const double slope = std::fabs(base.Y - last.Y) / std::fabs(last.X - base.X);
        const double x170 = base.X + (170.0 - kBottomY) / slope;
        if (x170 < kRightEdge) {
            picture.line(base, {x170, 170.0}, kLightGreen);
        }
        printAt(picture, {104.15, 175.0}, title);
    }
}

// Wet-bulb lines from the saturation point at t′ down to the 48 °C isotherm, or to the bottom
// line where they reach it first. Along a wet-bulb line the enthalpy falls by the heat of the
// water evaporated at t′.
void drawWetBulbLines(Picture& picture, const Isotherm& warmest, psychro::PressureRatio r) {
    for (int tw = 0; tw <= 37; ++tw) {
        const double xs = saturationHumidityG(tw, r);
        const PointMm s = pointOf(tw, xs);
        if (tw <= 9) {
            printRotatedAt(picture, {s.X - 4.0, s.Y - 0.8}, printedNumber(tw), kSmallLabelPx,
                           kScaleSlantDeg);
        } else {
            printRotatedAt(picture, {s.X - 5.1, s.Y}, printedNumber(tw), kSmallLabelPx,
                           kScaleSlantDeg);
        }
        const double i0 = enthalpyAt(tw, xs) - xs * tw / 1000.0;
        const PointMm b = statePoint(i0, 0.0);
        const double mw = (kBottomY - s.Y) / (b.X - s.X);

        const double m48 = warmest.slope;
        const double x48 = warmest.bottom.X;
        PointMm end;
        end.X = (m48 * x48 - mw * s.X + s.Y - kBottomY) / (m48 - mw);
        end.Y = (end.X - x48) * m48 + kBottomY;
        if (end.Y > kBottomY) {
            end = {s.X + (kBottomY - s.Y) / mw, kBottomY};
        }
        picture.line(s, end, kLightBlue);
    }
}

// Ice-bulb lines: below freezing the evaporated water is ice, which also gives up its heat of
// fusion and its sensible heat down from 0 °C.
void drawIceBulbLines(Picture& picture, psychro::PressureRatio r) {
    using psychro::kFusionHeat;
    using psychro::kIceHeat;
    for (int tw = 0; tw >= -13; --tw) {
        const double xs = saturationHumidityG(tw, r);
        const PointMm s = pointOf(tw, xs);
        if (tw == -2 || tw == -4 || tw == -6 || tw == -8) {
            printRotatedAt(picture, {s.X - 4.0, s.Y - 1.0}, printedNumber(tw), kSmallLabelPx,
                           kScaleSlantDeg);
        }
        const double i0 = enthalpyAt(tw, xs) + xs * (kFusionHeat - kIceHeat * tw) / 1000.0;
        picture.line(s, statePoint(i0, 0.0), kLightBlue);
    }
}

// Curves of constant relative humidity above freezing, 100 % (the saturation curve) down to 5 %
// as the accumulated fraction falls; the one that would be 0 % is never reached because the
// accumulated sum ends just below zero.
void drawRelativeHumidityCurves(Picture& picture, psychro::PressureRatio r) {
    for (double phi = 1.0; phi >= 0.0; phi -= 0.05) {
        PointMm previous = pointOf(0.0, humidityAtRelative(phi, 0.0, r));
        const std::string label = printedNumber(std::floor(100.0 * phi + 0.1));
        for (int t = 1; t <= static_cast<int>(kDryBulbTop); ++t) {
            const PointMm p = pointOf(t, humidityAtRelative(phi, t, r));
            picture.line(previous, p, kBlack);
            previous = p;
            if (t == 43 && phi < 1.0) {
                printRotatedAt(picture, {p.X - 0.7, p.Y - 4.5}, label, kLargeLabelPx,
                               wholeDegrees(135.0 * phi));
            }
            if (t == 34 && phi >= 0.6 && phi <= 0.95) {
                printRotatedAt(picture, {p.X - 0.7, p.Y - 6.0}, label, kLargeLabelPx,
                               wholeDegrees(phi * 90.0 * 0.88));
            }
        }
    }
    // Below freezing in tenths; the eleventh sum is about 1.4e-16 and lies on the bottom line.
    for (double phi = 1.0; phi >= 0.0; phi -= 0.1) {
        PointMm previous = pointOf(0.0, humidityAtRelative(phi, 0.0, r));
        for (int t = -1; t >= -10; --t) {
            const PointMm p = pointOf(t, humidityAtRelative(phi, t, r));
            picture.line(previous, p, kBlack);
            previous = p;
        }
    }
}

void drawBorder(Picture& picture) {
    picture.line({kRightEdge, 0.0}, {kRightEdge, kBottomY}, kBlack);
    picture.line({kRightEdge, kBottomY}, {0.0, kBottomY}, kBlack);
}

void drawScalesAndTitles(Picture& picture, Units units) {
    const ChartFrame& f = chartFrame();
    printAt(picture, {104.15, 165.0}, "温度 t [℃]");
    for (int xg = 0; xg <= 53; ++xg) {
        printAt(picture, {kRightEdge, kBottomY - xg * f.HumidityUnit - 1.5},
                printedNumber(xg / 1000.0));
    }
    printRotatedAt(picture, {219.3, 85.0}, "絶対湿度 x [kg/kg(DA)]", kLargeLabelPx, 90);
    const EnthalpyScale scale = enthalpyScale(units);
    for (int shown = 0; shown <= scale.last; shown += scale.step) {
        const PointMm e = scalePoint(enthalpyFromShown(shown, units));
        printRotatedAt(picture, {e.X - 5.0, e.Y - 1.0}, printedNumber(shown), kLargeLabelPx,
                       kScaleSlantDeg);
    }
    const double halfScale = kScaleLineTopX * frameAngles().tanScale / 2.0;
    printRotatedAt(picture, {59.0, halfScale - 3.0},
                   units == Units::SI ? kEnthalpyCaptionSI : kEnthalpyCaption, kLargeLabelPx,
                   kScaleSlantDeg);
    printRotatedAt(picture, {179.0, halfScale + 22.0}, "相対湿度 φ[％]", kLargeLabelPx,
                   kScaleSlantDeg);
}

}  // namespace

double saturationHumidityG(double t, psychro::PressureRatio pressureRatio) {
    const double ps = psychro::SaturationPressure(t);
    return 1000.0 * kMolarMassRatio * ps / (totalPressure(pressureRatio) - ps);
}

double humidityAtRelative(double phi, double t, psychro::PressureRatio pressureRatio) {
    const double ps = psychro::SaturationPressure(t);
    return 1000.0 * kMolarMassRatio * phi * ps / (totalPressure(pressureRatio) - phi * ps);
}

double temperatureAtVolume(double v, double xg, psychro::PressureRatio pressureRatio) {
    using psychro::kCelsiusOffset;
    using psychro::kVolumeFactor;
    return 100.0 * v * pressureRatio.value() / (kVolumeFactor * (kMolarMassRatio + xg / 1000.0)) -
           kCelsiusOffset;
}

std::optional<HumidityLine> humidityLine(double xg, psychro::PressureRatio pressureRatio) {
    const std::optional<double> dewPoint = psychro::DewPointTemperature(xg, pressureRatio);
    if (!dewPoint) {
        return std::nullopt;
    }
    const double y = kBottomY - xg * chartFrame().HumidityUnit;
    return HumidityLine{{kRightEdge, y}, statePoint(enthalpyAt(*dewPoint, xg), xg)};
}

void drawChart(Picture& picture, psychro::PressureRatio pressureRatio, Units units) {
    picture.clear();
    drawFrameLines(picture);
    drawHumidityLines(picture, pressureRatio);
    drawEnthalpyLines(picture, units);
    const Isotherm warmest = drawDryBulbLines(picture, pressureRatio);
    drawVolumeLines(picture, pressureRatio);
    drawWetBulbLines(picture, warmest, pressureRatio);
    drawIceBulbLines(picture, pressureRatio);
    drawRelativeHumidityCurves(picture, pressureRatio);
    drawBorder(picture);
    drawScalesAndTitles(picture, units);
}

}  // namespace chart
