#pragma once

#include <QString>
#include <expected>
#include <memory>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "chart/settings.h"
#include "render/picture_painter.h"

class QMimeData;

// What leaves the window besides the project file: エクスポート (the sheet as PDF, SVG or PNG, or
// the list as CSV) and 線図をコピー. The chart goes out as the sheet (chart::sheetOf), so it
// states the pressure and units it was drawn for, as the printout does.
namespace app {

// Writes to `path` by its extension, in any case: .pdf, .svg, .png the sheet of `picture` at
// `settings` (PNG at 300 dpi) over `underlay` (the data sets); .csv the state list of `work` with
// its results (tableText), with a byte-order mark so that spreadsheet programs read the Japanese as
// UTF-8. The file appears whole or not at all. On failure, the message for the user.
[[nodiscard]] std::expected<void, QString> exportWork(const QString& path,
                                                      const chart::Picture& picture,
                                                      const chart::MarkedWork& work,
                                                      const chart::Settings& settings,
                                                      const render::Underlay& underlay);

// The clipboard's content for 線図をコピー: the sheet as an image at 150 dpi and as SVG.
[[nodiscard]] std::unique_ptr<QMimeData> sheetMimeData(const chart::Picture& picture,
                                                       const chart::Settings& settings,
                                                       const render::Underlay& underlay);

// The name given in the export dialog, with the extension of the filter the user chose when
// the name has none ("chart" under "PNG (*.png)" gives "chart.png"); a name with an extension
// stays as it is.
[[nodiscard]] QString withFilterExtension(const QString& path, const QString& filter);

}  // namespace app
