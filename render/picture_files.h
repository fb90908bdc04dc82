#pragma once

#include <QString>
#include <expected>
#include <optional>

#include "chart/sheet.h"
#include "render/picture_painter.h"

class QIODevice;

// The sheet (the chart and its pressure line) written to a file by the painter: PDF, SVG or PNG.
// milten-cli, the window's export and its copy write the same files.
namespace render {

enum class ImageKind { Pdf, Svg, Png };

// By the file's extension, in any case: .pdf, .svg, .png.
[[nodiscard]] std::optional<ImageKind> imageKindOf(const QString& path);

// Writes the sheet as a file of `kind` to an open device; false when it cannot be drawn.
// `underlay` is painted under the chart (a data set's layer; none by default).
[[nodiscard]] bool writeSheetTo(const chart::Sheet& sheet, QIODevice& device, ImageKind kind,
                                double dotsPerInch, const Underlay& underlay = {});

}  // namespace render
