#pragma once

// Geometry of the oblique-axis i-x chart on the picture surface. Everything is in picture
// millimetres, origin at the top left, X to the right and Y downward. Absolute humidity runs
// vertically (x = 0 on the bottom line Y = 160), lines of constant enthalpy fall to the right
// at 26.4°, and the enthalpy scale runs along a line rising at 45.12° through (138, 0).
namespace chart {

// π as the chart was laid out with it; every angle goes through DegToRad built from it.
inline constexpr double kPi = 3.1415926;
inline constexpr double kScaleLineAngle = 45.12;         // degrees, the enthalpy scale line
inline constexpr double kIsenthalpAngle = 26.4;          // degrees, lines of constant enthalpy
inline constexpr double kTempUnit = 208.3 / 60.0;        // nominal mm per °C
inline constexpr double kZeroPointX = 10.0 * kTempUnit;  // t = 0 °C, x = 0
inline constexpr double kBottomY = 160.0;                // x = 0
inline constexpr double kRightEdge = 208.3;              // right border of the frame
inline constexpr double kScaleLineTopX = 138.0;          // the scale line crosses Y = 0 here
inline constexpr double kFrameTopSpan = 70.3;  // X span from the scale line's top to the edge
inline constexpr double kTopHumidity = 53.0;   // g/kg(DA) at the frame top
inline constexpr double kTopEnthalpy = 45.0;   // kcal/kg(DA) at the frame's top-right corner

// The six values through which every air state is mapped to the picture.
struct ChartFrame {
    double OriginX;  // enthalpy-scale origin (i = 0 on the scale line), mm
    double OriginY;
    double EnthalpyAxisLength;  // origin to the frame's top-right corner, mm
    double EnthalpyUnit;        // mm along the scale line per kcal/kg(DA)
    double HumidityUnit;        // mm vertically per g/kg(DA)
    double DegToRad;
};

// The frame, computed once from the constants. It never changes and is never zero, so dialogs
// may map states before the chart has been drawn.
[[nodiscard]] const ChartFrame& chartFrame();

// Sines, cosines and tangents of the two chart angles, taken through DegToRad.
struct FrameAngles {
    double tanScale;      // tan 45.12°
    double cosScale;      // cos 45.12°
    double sinScale;      // sin 45.12°
    double tanIsenthalp;  // tan 26.4°
};
[[nodiscard]] const FrameAngles& frameAngles();

struct PointMm {
    double X;
    double Y;
};

// Point of enthalpy i on the enthalpy scale line.
[[nodiscard]] PointMm scalePoint(double i);

// Picture point of the air state with enthalpy i (kcal/kg(DA)) and humidity xg (g/kg(DA)):
// Y = 160 − xg·HumidityUnit; X lies on the isenthalp through the scale point of i.
[[nodiscard]] PointMm statePoint(double i, double xg);

// How far off the picture a state may lie and still be marked: 10 m in either direction, about
// fifty picture widths (x up to about 2.3 kg/kg(DA), |i| up to about 700 kcal/kg(DA)). States
// beyond it are no air this chart is drawn for: their numbers could be neither written rounded
// nor drawn sensibly, so the dialogs refuse them.
inline constexpr double kMarkReach = 1.0e4;  // mm

// Whether a point is finite and within kMarkReach of the picture's origin in X and Y.
[[nodiscard]] bool withinReach(PointMm p);

// Enthalpy of air at t °C holding xg g/kg(DA): i = 0.24·t + xg·(597.3 + 0.441·t)/1000.
[[nodiscard]] double enthalpyAt(double t, double xg);

struct ChartState {
    double i;   // kcal/kg(DA)
    double xg;  // g/kg(DA)
};

// Inverse of statePoint: the state at picture point (X, Y).
[[nodiscard]] ChartState pictureState(double X, double Y);

}  // namespace chart
