#pragma once

#include <QString>
#include <optional>
#include <string>

#include "chart/units.h"
#include "cli/state_query.h"

// The rows that `milten-cli state`, `humidify`, `mix`, `cool` and `heat` write: one per state (or
// pair of states) asked for, in text, CSV or JSON.
namespace cli {

enum class Format { Text, Csv, Json };

// "text", "csv" or "json".
[[nodiscard]] std::optional<Format> formatNamed(const QString& name);

// One row: the completed state, or the Japanese message why there is none. A humidify row also
// carries the water the humidifier adds, a heat or cool row the load; a cool row has no state.
struct Row {
    std::optional<FullState> state;
    QString error;                               // empty in a good row
    std::optional<double> water = std::nullopt;  // L, kg/h
    std::optional<double> load = std::nullopt;   // Q, kcal/h
};

// The rows of `state` and `mix`; those of `humidify` with the column L (kg/h) in front; those of
// `heat` with the load Q (kcal/h) in front; those of `cool`, the load Q alone.
enum class Table { State, Humidify, Heat, Cool };

// A double in its shortest form that reads back to the same value ("0.0072566913", "20",
// "1e-05"), as std::to_chars writes it.
[[nodiscard]] std::string shortestText(double v);

// Writes rows to standard output as they come. Text is an aligned table with a header of names
// and units, numbers rounded as the program shows them (x half up to 5 decimals and i to 2 as
// the point dialog writes them; t, t′ and φ half to even to 2, v to 3 as the cursor readout;
// X and Y to 2); a failed row leaves the numbers blank and ends with its message. CSV has the
// header x,i,t,tw,v,phi,X,Y,error and numbers in their shortest form. JSON is one object, or,
// for a batch, an array of objects, with the same fields; a failed row has null numbers, a good
// one a null error. A humidify table puts L first, in text half up to 1 decimal as the
// humidifying dialog writes it; a heat or cool table puts Q first, in text in whole kcal/h as
// the dialogs write a load (chart::loadText).
class RowWriter {
  public:
    // Enthalpies and loads are written in `units` (kJ/kg(DA) and kW in SI) in every format; the
    // text table's unit row names them.
    RowWriter(Format format, bool batch, Table table, chart::Units units);
    void begin();
    void write(const Row& row);
    void end();
    // False once standard output reported an error (a full disk, a closed pipe).
    [[nodiscard]] bool ok();

  private:
    void put(const QString& text);

    Format format_;
    bool batch_;
    Table table_;
    chart::Units units_;
    int rows_ = 0;
};

}  // namespace cli
