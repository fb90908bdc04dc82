#pragma once

#include "chart/picture.h"
#include "chart/settings.h"

// The sheet: what leaves the program as a drawing, printed, exported, copied or drawn by
// milten-cli. The chart as drawn, and over it the line that states the pressure and units it is
// drawn for, so that a chart for 1,500 m never passes for the 760 mmHg one.
namespace chart {

struct Sheet {
    const Picture& chart;  // the chart with its marks, as on the screen
    Picture pressure;      // the pressure line alone, its top-left corner at (0, 0) mm
};

// The sheet of `chart` drawn at `settings`: the line is chart::pressureLine of them in the
// picture's font, "大気圧 = 760 mmHg" at the defaults. It stands at the top-left corner of the
// sheet: of the surface in a file, of the printable area on paper. `chart` must outlive it.
[[nodiscard]] Sheet sheetOf(const Picture& chart, const Settings& settings);

}  // namespace chart
