#pragma once

// Lengths on the screen, on paper and in the display list. The picture is laid out in
// millimetres; widths and heights in the display list are screen pixels at 96 per logical inch,
// fonts are sized in points, and forms place their controls in twips.
namespace chart {

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kPixelsPerInch = 96.0;   // logical screen pixels
inline constexpr double kPointsPerInch = 72.0;   // font points
inline constexpr double kTwipsPerInch = 1440.0;  // twentieths of a point

inline constexpr double kMmPerPixel = kMmPerInch / kPixelsPerInch;
inline constexpr double kMmPerPoint = kMmPerInch / kPointsPerInch;
inline constexpr double kPixelsPerMm = kPixelsPerInch / kMmPerInch;
inline constexpr double kTwipsPerMm = kTwipsPerInch / kMmPerInch;

}  // namespace chart
