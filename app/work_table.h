#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <optional>

#include "chart/chart_frame.h"
#include "chart/marked_work.h"
#include "chart/settings.h"

// The marked work as a table: one row per marked state in the readout's number forms, and one
// line per process result. The state list, the CSV export and "一覧をコピー" all read it.
namespace app {

inline constexpr int kStateColumns = 9;  // label, kind, x, i, t, t′, v, φ, dew point

struct StateRow {
    std::size_t entry;  // index of the entry in the work
    chart::PointMm at;  // where its mark is drawn
    std::array<QString, kStateColumns> cells;
};

// The figures are those at the pressure of `settings`, in its units.
[[nodiscard]] QStringList stateHeaders(const chart::Settings& settings);
[[nodiscard]] std::vector<StateRow> stateRows(const chart::MarkedWork& work,
                                              const chart::Settings& settings);
[[nodiscard]] QStringList resultLines(const chart::MarkedWork& work,
                                      const chart::Settings& settings);

// The rows of one entry, the `index`th of its work, and its result line (none for a point).
[[nodiscard]] std::vector<StateRow> entryRows(const chart::Entry& entry, std::size_t index,
                                              const chart::Settings& settings);
[[nodiscard]] std::optional<QString> resultLine(const chart::Entry& entry,
                                                const chart::Settings& settings);

// The headers, the rows and then the result lines (one cell each, as the state list shows
// them) joined by `separator` and ended by line feeds; a cell holding the separator, a quote or
// a line break is quoted as CSV does (chart::tableCell). The separator is ',' or '\t'.
[[nodiscard]] QString tableText(const chart::MarkedWork& work, QChar separator,
                                const chart::Settings& settings);

}  // namespace app
