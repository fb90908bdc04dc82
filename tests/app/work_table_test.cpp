// The state list reads its figures at the pressure and in the units in use.
#include <gtest/gtest.h>

#include <cmath>

#include "app/work_table.h"
#include "chart/marked_work.h"
#include "chart/settings.h"
#include "psychro/atmosphere.h"
#include "psychro/saturation.h"

namespace {

TEST(WorkTable, FiguresAtTheSitePressureInSi) {
    // 20 °C, 50 % at 700 mmHg: x = 0.622·φ·ps / (P − φ·ps), i = 0.24·t + x·(597.3 + 0.441·t).
    const double P = 1.03323 * 700.0 / 760.0;
    const double ps = psychro::SaturationPressure(20.0);
    const double x = 0.622 * 0.5 * ps / (P - 0.5 * ps);
    const double i = 0.24 * 20.0 + x * (597.3 + 0.441 * 20.0);
    chart::MarkedWork work;
    work.entries.push_back({.kind = chart::EntryKind::Point,
                            .states = {{"1点", {100.0, 100.0}, x, i}},
                            .lineFrom = std::nullopt,
                            .inputs = {},
                            .results = {}});
    chart::Settings settings = chart::Settings::standard();
    settings.units = chart::Units::SI;
    settings.atmosphere = *psychro::atmosphereFromMmHg(700.0);

    const auto rows = app::stateRows(work, settings);
    ASSERT_EQ(rows.size(), 1U);
    const auto& cells = rows.front().cells;
    EXPECT_EQ(cells[4], "20");  // t
    EXPECT_EQ(cells[7], "50");  // φ at 700 mmHg (at 760 mmHg the same air has 54.29 %)
    EXPECT_NEAR(cells[3].toDouble(), 4.1868 * i, 0.005);  // i in kJ/kg(DA)
    EXPECT_TRUE(app::stateHeaders(settings)[3].contains(QStringLiteral("kJ")));
}

}  // namespace
