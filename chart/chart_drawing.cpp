#include "chart/chart_drawing.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "chart/number_text.h"
#include "chart/picture.h"
#include "chart/units_of_length.h"
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

// How far a point lies up-left of the enthalpy scale line, measured in Y (mm):
// d = (138 − X)·tan 45.12° − Y. Positive beyond the line, where no family is drawn; zero on it.
double beyondScaleLine(PointMm p) {
    return (kScaleLineTopX - p.X) * frameAngles().tanScale - p.Y;
}

// A point counts as beyond the scale line only past this slack (mm), so that ends computed to lie
// on it stay as they are.
constexpr double kScaleLineSlack = 1e-6;

bool isBeyondScaleLine(PointMm p) {
    return beyondScaleLine(p) > kScaleLineSlack;
}

struct Segment {
    PointMm from;
    PointMm to;
};

// The part of the segment on the chart's side of the enthalpy scale line: unchanged when neither
// end lies beyond it, nullopt when both do, otherwise cut where d = 0 (linear in X and Y).
// Only the stretch of the line below the frame's top (Y ≥ 0) bounds the chart: above it the
// curves run on off the picture, as the saturation curve does beyond 40 °C at any pressure, and
// are left as they are.
std::optional<Segment> clippedToScaleLine(PointMm from, PointMm to) {
    const bool fromBeyond = isBeyondScaleLine(from);
    const bool toBeyond = isBeyondScaleLine(to);
    if (!fromBeyond && !toBeyond) {
        return Segment{from, to};
    }
    if (fromBeyond && toBeyond) {
        if (from.Y <= 0.0 && to.Y <= 0.0) {
            return Segment{from, to};
        }
        return std::nullopt;
    }
    const double dFrom = beyondScaleLine(from);
    const double s = dFrom / (dFrom - beyondScaleLine(to));  // 0 … 1, the ends differ in sign
    const PointMm cut{from.X + s * (to.X - from.X), from.Y + s * (to.Y - from.Y)};
    const PointMm beyond = fromBeyond ? from : to;
    if (cut.Y < 0.0 && beyond.Y <= 0.0) {
        return Segment{from, to};
    }
    return fromBeyond ? Segment{cut, to} : Segment{from, cut};
}

// A line of a family that ends at the enthalpy scale line, as every family does.
void chartLine(Picture& picture, PointMm from, PointMm to, int colour) {
    if (const std::optional<Segment> s = clippedToScaleLine(from, to)) {
        picture.line(s->from, s->to, colour);
    }
}

void lineInWidth(Picture& picture, PointMm from, PointMm to, int colour, int widthPx) {
    const std::optional<Segment> s = clippedToScaleLine(from, to);
    if (!s) {
        return;
    }
    picture.setLineWidth(widthPx);
    picture.line(s->from, s->to, colour);
    picture.setLineWidth(kThinPx);
}

// The box a rotated label covers: its top-left corner, the unit vectors along and down the text
// (counter-clockwise turn on the Y-down surface), and its width and height in mm. The font is a
// monospaced gothic: a one-byte character is half the cell height wide, any other a whole one.
struct LabelBox {
    PointMm corner;
    PointMm along;
    PointMm down;
    double width;
    double height;
};

LabelBox labelBox(PointMm at, const std::string& text, double heightPx, int angleDeg) {
    const double cell = heightPx * kMmPerPixel;
    // Leading blanks (the sign place of a positive number) carry no ink.
    double blanks = 0.0;
    double halves = 0.0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ' && halves == 0.0) {
            blanks += 1.0;
        } else if (byte < 0x80) {
            halves += 1.0;
        } else if (byte >= 0xC0) {
            halves += 2.0;  // the lead byte of a full-width character
        }
    }
    const double a = angleDeg * chartFrame().DegToRad;
    const PointMm along{std::cos(a), -std::sin(a)};
    const double skip = blanks * cell / 2.0;
    return {{at.X + skip * along.X, at.Y + skip * along.Y},
            along,
            {std::sin(a), std::cos(a)},
            halves * cell / 2.0,
            cell};
}

// Projection of box b onto the unit axis n: the smallest and largest value of p·n over it.
struct Span {
    double low;
    double high;
};

Span spanOn(const LabelBox& b, PointMm n) {
    const double o = b.corner.X * n.X + b.corner.Y * n.Y;
    const double w = b.width * (b.along.X * n.X + b.along.Y * n.Y);
    const double h = b.height * (b.down.X * n.X + b.down.Y * n.Y);
    return {o + std::fmin(0.0, w) + std::fmin(0.0, h), o + std::fmax(0.0, w) + std::fmax(0.0, h)};
}

// Whether two boxes share more than a touch: by the separating-axis test, no axis among the
// four edge directions parts them.
bool overlap(const LabelBox& p, const LabelBox& q) {
    for (const PointMm n : std::array{p.along, p.down, q.along, q.down}) {
        const Span a = spanOn(p, n);
        const Span b = spanOn(q, n);
        if (a.high <= b.low || b.high <= a.low) {
            return false;
        }
    }
    return true;
}

// The rotated labels placed so far. A label that would overlap one of them is left out; the
// chart has fewer than two hundred, so the check stays small.
class LabelPlaces {
  public:
    void reserve(const LabelBox& box) { boxes_.push_back(box); }
    [[nodiscard]] bool isFree(const LabelBox& box) const {
        for (const LabelBox& placed : boxes_) {
            if (overlap(placed, box)) {
                return false;
            }
        }
        return true;
    }

  private:
    std::vector<LabelBox> boxes_;
};

void printAt(Picture& picture, PointMm at, std::string text) {
    picture.setTextPosition(at);
    picture.print(std::move(text));
}

void printRotatedAt(Picture& picture, PointMm at, std::string text, double heightPx, int angleDeg) {
    picture.setTextPosition(at);
    picture.printRotated(std::move(text), heightPx, angleDeg);
}

// Prints a rotated label unless it would overlap one already placed.
void placeLabel(Picture& picture, LabelPlaces& places, PointMm at, std::string text,
                double heightPx, int angleDeg) {
    const LabelBox box = labelBox(at, text, heightPx, angleDeg);
    if (spanOn(box, {0.0, 1.0}).high < 0.0) {
        // Wholly above the picture, where it overlaps nothing that shows.
        printRotatedAt(picture, at, std::move(text), heightPx, angleDeg);
    } else if (places.isFree(box)) {
        places.reserve(box);
        printRotatedAt(picture, at, std::move(text), heightPx, angleDeg);
    }
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
                    chartLine(picture, previous, p, kLightGreen);
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
void drawWetBulbLines(Picture& picture, LabelPlaces& places, const Isotherm& warmest,
                      psychro::PressureRatio r) {
    for (int tw = 0; tw <= 37; ++tw) {
        const double xs = saturationHumidityG(tw, r);
        const PointMm s = pointOf(tw, xs);
        // A line that starts beyond the scale line has no end there to label.
        if (!isBeyondScaleLine(s)) {
            const PointMm at = tw <= 9 ? PointMm{s.X - 4.0, s.Y - 0.8} : PointMm{s.X - 5.1, s.Y};
            placeLabel(picture, places, at, printedNumber(tw), kSmallLabelPx, kScaleSlantDeg);
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
        chartLine(picture, s, end, kLightBlue);
    }
}

// Ice-bulb lines: below freezing the evaporated water is ice, which also gives up its heat of
// fusion and its sensible heat down from 0 °C.
void drawIceBulbLines(Picture& picture, LabelPlaces& places, psychro::PressureRatio r) {
    using psychro::kFusionHeat;
    using psychro::kIceHeat;
    for (int tw = 0; tw >= -13; --tw) {
        const double xs = saturationHumidityG(tw, r);
        const PointMm s = pointOf(tw, xs);
        if ((tw == -2 || tw == -4 || tw == -6 || tw == -8) && !isBeyondScaleLine(s)) {
            placeLabel(picture, places, {s.X - 4.0, s.Y - 1.0}, printedNumber(tw), kSmallLabelPx,
                       kScaleSlantDeg);
        }
        const double i0 = enthalpyAt(tw, xs) + xs * (kFusionHeat - kIceHeat * tw) / 1000.0;
        chartLine(picture, s, statePoint(i0, 0.0), kLightBlue);
    }
}

// Curves of constant relative humidity above freezing, 100 % (the saturation curve) down to 5 %
// as the accumulated fraction falls; the one that would be 0 % is never reached because the
// accumulated sum ends just below zero.
void drawRelativeHumidityCurves(Picture& picture, LabelPlaces& places, psychro::PressureRatio r) {
    for (double phi = 1.0; phi >= 0.0; phi -= 0.05) {
        PointMm previous = pointOf(0.0, humidityAtRelative(phi, 0.0, r));
        const std::string label = printedNumber(std::floor(100.0 * phi + 0.1));
        for (int t = 1; t <= static_cast<int>(kDryBulbTop); ++t) {
            const PointMm p = pointOf(t, humidityAtRelative(phi, t, r));
            chartLine(picture, previous, p, kBlack);
            previous = p;
            if (t == 43 && phi < 1.0) {
                placeLabel(picture, places, {p.X - 0.7, p.Y - 4.5}, label, kLargeLabelPx,
                           wholeDegrees(135.0 * phi));
            }
            if (t == 34 && phi >= 0.6 && phi <= 0.95) {
                placeLabel(picture, places, {p.X - 0.7, p.Y - 6.0}, label, kLargeLabelPx,
                           wholeDegrees(phi * 90.0 * 0.88));
            }
        }
    }
    // Below freezing in tenths; the eleventh sum is about 1.4e-16 and lies on the bottom line.
    for (double phi = 1.0; phi >= 0.0; phi -= 0.1) {
        PointMm previous = pointOf(0.0, humidityAtRelative(phi, 0.0, r));
        for (int t = -1; t >= -10; --t) {
            const PointMm p = pointOf(t, humidityAtRelative(phi, t, r));
            chartLine(picture, previous, p, kBlack);
            previous = p;
        }
    }
}

void drawBorder(Picture& picture) {
    picture.line({kRightEdge, 0.0}, {kRightEdge, kBottomY}, kBlack);
    picture.line({kRightEdge, kBottomY}, {0.0, kBottomY}, kBlack);
}

struct RotatedLabel {
    PointMm at;
    std::string text;
    double heightPx;
    int angleDeg;
};

// The rotated texts of the scales, in drawing order: the humidity caption, the enthalpy scale's
// labels and caption, and the caption of the relative-humidity curves. They stand whatever the
// pressure, so they are placed before any label of a line family.
std::vector<RotatedLabel> scaleLabels(Units units) {
    std::vector<RotatedLabel> labels{{{219.3, 85.0}, "絶対湿度 x [kg/kg(DA)]", kLargeLabelPx, 90}};
    const EnthalpyScale scale = enthalpyScale(units);
    for (int shown = 0; shown <= scale.last; shown += scale.step) {
        const PointMm e = scalePoint(enthalpyFromShown(shown, units));
        labels.push_back(
            {{e.X - 5.0, e.Y - 1.0}, printedNumber(shown), kLargeLabelPx, kScaleSlantDeg});
    }
    const double halfScale = kScaleLineTopX * frameAngles().tanScale / 2.0;
    labels.push_back({{59.0, halfScale - 3.0},
                      units == Units::SI ? kEnthalpyCaptionSI : kEnthalpyCaption,
                      kLargeLabelPx,
                      kScaleSlantDeg});
    labels.push_back({{179.0, halfScale + 22.0}, "相対湿度 φ[％]", kLargeLabelPx, kScaleSlantDeg});
    return labels;
}

void drawScalesAndTitles(Picture& picture, const std::vector<RotatedLabel>& labels) {
    const ChartFrame& f = chartFrame();
    printAt(picture, {104.15, 165.0}, "温度 t [℃]");
    for (int xg = 0; xg <= 53; ++xg) {
        printAt(picture, {kRightEdge, kBottomY - xg * f.HumidityUnit - 1.5},
                printedNumber(xg / 1000.0));
    }
    for (const RotatedLabel& label : labels) {
        printRotatedAt(picture, label.at, label.text, label.heightPx, label.angleDeg);
    }
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
    const std::vector<RotatedLabel> scales = scaleLabels(units);
    LabelPlaces places;
    for (const RotatedLabel& label : scales) {
        places.reserve(labelBox(label.at, label.text, label.heightPx, label.angleDeg));
    }
    drawFrameLines(picture);
    drawHumidityLines(picture, pressureRatio);
    drawEnthalpyLines(picture, units);
    const Isotherm warmest = drawDryBulbLines(picture, pressureRatio);
    drawVolumeLines(picture, pressureRatio);
    drawWetBulbLines(picture, places, warmest, pressureRatio);
    drawIceBulbLines(picture, places, pressureRatio);
    drawRelativeHumidityCurves(picture, places, pressureRatio);
    drawBorder(picture);
    drawScalesAndTitles(picture, scales);
}

}  // namespace chart
