#pragma once

#include <QString>
#include <QStringList>
#include <expected>
#include <optional>
#include <vector>

#include "chart/settings.h"
#include "cli/output_format.h"
#include "data/data_part.h"
#include "data/readers.h"
#include "data/zones.h"
#include "render/picture_files.h"

// `milten-cli data` and the data layer of `milten-cli chart --data`: a logger's CSV or a weather
// file read, counted in zones, and drawn under the chart.
namespace cli {

// A zone as the command line gives it: "range:t=17..28,phi=40..70" (or x=LOW..HIGH in
// kg/kg(DA) for φ) or "pmv:met=1.1,clo=0.5,vel=0.1[,tr=T][,limit=0.5]". Its name is the text.
[[nodiscard]] std::expected<data::Zone, QString> zoneOption(const QString& text);

// How a CSV file is to be read where its names or its encoding say too little: "utf-8" or
// "shift-jis"; "t=2,phi=3[,x=N][,tw=N][,dew=N][,date=N][,time=N][,header=LINE]" with 1-based
// column numbers.
[[nodiscard]] std::expected<data::Encoding, QString> encodingOption(const QString& text);
[[nodiscard]] std::expected<data::ColumnChoice, QString> columnsOption(const QString& text);

struct DataRequest {
    QString path;
    std::optional<data::Encoding> encoding;
    std::optional<data::ColumnChoice> columns;
    data::TimeFilter filter;  // --months and --hours
};

// --months=FIRST..LAST (1 … 12) or --hours=FIRST..LAST (0 … 23), inclusive, wrapping past the
// end: the bits of data::TimeFilter; `count` is 12 or 24.
[[nodiscard]] std::optional<std::uint32_t> timeRangeOption(const QString& text, int count);

struct LoadedData {
    data::DataSet set;
    data::ReadReport report;
};

// The file read at the settings' pressure: an .epw file (by its extension, in any case) as a
// weather file, anything else as CSV/TSV; then the rows of the months and hours asked for (a
// filter on a file without dates is refused). On failure, the message naming the file.
[[nodiscard]] std::expected<LoadedData, QString> loadData(const DataRequest& request,
                                                          const chart::Settings& settings);

// Writes rows read, rows refused (the first 20 with their lines) and each zone's count, share
// and hours; false when standard output could not be written.
[[nodiscard]] bool writeDataReport(const LoadedData& loaded, const std::vector<data::Zone>& zones,
                                   Format format, const chart::Settings& settings);

// The data set of --data as a layer of its own, points or hours, shown.
[[nodiscard]] data::DataLayer dataLayer(const LoadedData& loaded, bool hours);

// The shown layers of a work's data for cli::writeChart, each in its style and colour with
// the months and hours its filter keeps (none where no layer is shown).
[[nodiscard]] render::Underlay partUnderlay(const data::DataPart& part);

}  // namespace cli
