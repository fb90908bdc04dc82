#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/settings.h"
#include "chart/title_block.h"
#include "chart/units.h"

// What the dialogs have marked on the chart, as data: one entry per press that drew marks, with
// its states, the inputs that made them and the results. An entry draws itself through
// chart_marks, so the list, a saved file and the picture are one thing seen three ways.
namespace chart {

class Picture;

// Exact equality of two picture points, as the entries compare them.
[[nodiscard]] inline bool operator==(PointMm a, PointMm b) {
    return a.X == b.X && a.Y == b.Y;
}

// What made an entry; the names are also the entry's "kind" in a project file.
enum class EntryKind {
    Point,         // the point dialog: one numbered point, joined to the last one or not
    ProcessStart,  // mixing or cooling: point 1 accepted, marked "点１" alone
    Mixing,        // point 2, its line from point 1 and the mixing point
    Cooling,       // point 2 and its line from point 1; the cooling load
    Heating,       // points 1 and 2 and the line between them; the heating load
    SteamHumidifying,
    WaterSprayHumidifying,
    Pmv,         // the room air of a PMV calculation
    Discomfort,  // the air of a discomfort index
    // An air-handling design (chart/design_entry.h): room, outdoor, mixed and supply air and
    // the ADP; with reheat also the coil outlet; heating: the four and the heated air.
    CoolingDesign,
    ReheatDesign,
    HeatingDesign,
};
inline constexpr std::size_t kEntryKinds = 12;

[[nodiscard]] std::string_view kindName(EntryKind kind);
[[nodiscard]] std::optional<EntryKind> kindFromName(std::string_view name);

// A marked air state: where its circle is drawn (exactly, as the dialog kept it) and the state
// itself, x kg/kg(DA) and i kcal/kg(DA). The label is the one drawn beside it ("" for none).
struct MarkedState {
    std::string label;
    PointMm at;
    double x;
    double i;

    bool operator==(const MarkedState&) const = default;
};

// The six properties and the dew point of a marked state at the pressure `pressureRatio`
// (a ratio to the standard atmosphere):
// x and i as kept, t, t′, v and φ by psychro::stateProperties, the dew point by
// psychro::DewPointTemperature (nullopt where x gives none).
struct StateFigures {
    double x;
    double i;
    double t;
    double tw;
    double v;
    double phi;
    std::optional<double> dewPoint;
};
[[nodiscard]] StateFigures stateFigures(const MarkedState& state,
                                        psychro::PressureRatio pressureRatio);

// A named number: an input the user gave or a result the program computed. Names are short
// ASCII keys ("G", "t2", "Q", "PMV" …), the same in the list and in a file.
struct NamedValue {
    std::string name;
    double value;

    bool operator==(const NamedValue&) const = default;
};

struct Entry {
    EntryKind kind = EntryKind::Point;
    // The states in drawing order: Point, ProcessStart, Pmv and Discomfort one; Mixing
    // point 2 and the mixing point; Cooling point 2; Heating and humidifying points 1 and 2.
    std::vector<MarkedState> states;
    // Where the process line starts for Point (when joined), Mixing and Cooling: point 1 as
    // it was kept (or the last numbered point).
    std::optional<PointMm> lineFrom;
    std::vector<NamedValue> inputs;
    std::vector<NamedValue> results;

    bool operator==(const Entry&) const = default;
};

// The states an entry of `kind` holds, and whether it needs `lineFrom`.
[[nodiscard]] std::size_t stateCount(EntryKind kind);
[[nodiscard]] bool needsLine(EntryKind kind);

// A named value of the entry's inputs or results, when present.
[[nodiscard]] std::optional<double> valueOf(const std::vector<NamedValue>& values,
                                            std::string_view name);

// Draws the entry's marks into `picture` exactly as the dialog that made it drew them. The
// entry must be whole (its stateCount states, lineFrom where needed).
void drawEntry(Picture& picture, const Entry& entry);

// The work on the chart: whether the chart itself is drawn, and the entries marked since (or,
// before the first drawing, on the empty surface).
struct MarkedWork {
    bool chartDrawn = false;
    std::vector<Entry> entries;
    // The units and pressure the work was saved under; a project file carries them, the work on
    // screen leaves them to the window's settings.
    std::optional<Settings> settings;
    // The calculation report's title block (empty unless the user set one).
    TitleBlock title{};

    bool operator==(const MarkedWork&) const = default;
};

}  // namespace chart
