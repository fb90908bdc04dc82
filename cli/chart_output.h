#pragma once

#include <QString>
#include <expected>
#include <functional>
#include <optional>
#include <vector>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "chart/settings.h"
#include "render/picture_files.h"

// `milten-cli chart`: the chart with marked states, rendered by the program's own painter.
namespace cli {

using render::ImageKind;
using render::imageKindOf;

// What lies over the chart and under the marks (a data set's zones).
using OverChart = std::function<void(chart::Picture&)>;

// The chart as "ミルテン描画" draws it for the pressure and units of `settings`, then
// `overChart`, and the points
// marked in order as the point dialog marks them: a red circle, the line from the previous point
// when `join` is set, and the label "1点", "2点", … 2 mm below. Points are kept and drawn in
// single precision, as the dialog keeps them.
[[nodiscard]] chart::Picture chartWithPoints(const std::vector<chart::PointMm>& points, bool join,
                                             const chart::Settings& settings,
                                             const OverChart& overChart = {});

// The chart as above with the marks of a project file's work drawn on it, entry by entry.
[[nodiscard]] chart::Picture chartWithWork(const chart::MarkedWork& work,
                                           const chart::Settings& settings,
                                           const OverChart& overChart = {});

// Writes the sheet of the picture drawn at `settings` (the line "大気圧 = 760 mmHg" at the top
// left, as the printout has it) to `path` (PDF on an A4 landscape page, 1 mm of picture on 1 mm
// of paper; SVG of 267 × 189 mm; PNG at `dotsPerInch` on white), with `underlay` (a data set's
// layer) under the chart. The file appears complete or not at all. On failure, the one-line
// reason.
[[nodiscard]] std::expected<void, QString> writeChart(const chart::Picture& picture,
                                                      const chart::Settings& settings,
                                                      const QString& path, ImageKind kind,
                                                      double dotsPerInch,
                                                      const render::Underlay& underlay = {});

// Whether `path` can be written: checked before anything is drawn, so that a wrong path is a
// usage error. On failure, the reason.
[[nodiscard]] std::expected<void, QString> checkWritable(const QString& path);

}  // namespace cli
