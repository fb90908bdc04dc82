#include "chart/sheet.h"

#include "chart/pressure_text.h"

namespace chart {

Sheet sheetOf(const Picture& chart, const Settings& settings) {
    Sheet sheet{chart, {}};
    sheet.pressure.setTextPosition({0.0, 0.0});
    sheet.pressure.print(pressureLine(settings.atmosphere, settings.units));
    return sheet;
}

}  // namespace chart
