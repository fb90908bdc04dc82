#pragma once

#include <string>
#include <vector>

#include "chart/marked_work.h"
#include "chart/units.h"

// The figures of an air-handling design as the program writes them: the design dialog's table,
// the state list's result line and the calculation report read the same captions, roundings
// and units from here.
namespace chart {

struct DesignFigureText {
    std::string caption;  // "送風量"
    std::string value;    // rounded as the program shows it
    std::string unit;     // "kg(DA)/h"; empty for SHF and BF
};

// The figures of a design entry (chart/design_entry.h) in `units`, those it has, in this order:
// SHF (2 decimals), air quantity G and supply volume V (whole), ADP temperature (2, half to
// even), BF (3), coil load, dehumidified water (1), reheat load (cooling) or heater load and
// humidifier water (1) (heating), and the outdoor-air load; loads as loadText writes them, the
// others rounded half up.
[[nodiscard]] std::vector<DesignFigureText> designFigureTexts(const Entry& entry, Units units);

}  // namespace chart
