#pragma once

#include <QString>
#include <expected>
#include <optional>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "chart/settings.h"
#include "chart/sheet.h"
#include "data/zones.h"
#include "render/picture_painter.h"
#include "report/report_model.h"

class QIODevice;

// The calculation report written out: a PDF of A4 landscape pages, the chart as printed on the
// first, then the tables, each page headed by the title block and numbered "n / N"; or an HTML
// page with the chart as a picture and the same tables, for pasting into other documents.
namespace report {

enum class ReportFormat { Pdf, Html };

// The chart of a work as the window shows and prints it: the chart at the settings' pressure and
// in its units, the zones over its lines, then every entry's marks.
[[nodiscard]] chart::Picture workChart(const chart::MarkedWork& work,
                                       const chart::Settings& settings,
                                       const std::vector<data::Zone>& zones);

// By the file's extension, in any case: .pdf, .html or .htm.
[[nodiscard]] std::optional<ReportFormat> reportFormatOf(const QString& path);

// The PDF onto an open device: `sheet` (the chart with its pressure line) with `underlay` under
// it on page 1. False when it cannot be drawn. Needs a QGuiApplication (the fonts).
[[nodiscard]] bool writeReportPdf(const Report& report, const chart::Sheet& sheet,
                                  const render::Underlay& underlay, QIODevice& device);

// The HTML page, UTF-8: every text escaped, the chart as an embedded PNG.
[[nodiscard]] QByteArray reportHtml(const Report& report, const chart::Sheet& sheet,
                                    const render::Underlay& underlay);

// How many pages the PDF has (the chart's and the tables').
[[nodiscard]] int reportPageCount(const Report& report);

// Writes the report to `path` whole or not at all (files::writeWhole). On failure, the Japanese
// message: "計算書「a.pdf」を書き込めません。" with the system's reason.
[[nodiscard]] std::expected<void, QString> writeReport(const Report& report,
                                                       const chart::Sheet& sheet,
                                                       const render::Underlay& underlay,
                                                       const QString& path, ReportFormat format);

}  // namespace report
