#pragma once

#include <QString>
#include <expected>

#include "chart/marked_work.h"
#include "data/data_part.h"
#include "render/project_files.h"

// Project files on disk: read whole or refused with a Japanese reason, written atomically.
namespace app {

// The work and the data in the file at `path`, or the message that says why it cannot be
// opened.
[[nodiscard]] std::expected<render::ProjectContents, QString> loadProject(const QString& path);

// Writes `work` with its data sets and zones to `path` through a temporary file renamed over it, so
// that a failed write leaves the old file whole; the message says why it failed.
[[nodiscard]] std::expected<void, QString> saveProject(const QString& path,
                                                       const chart::MarkedWork& work,
                                                       const data::DataPart& data);

// The file that keeps unsaved work between sessions, in the user's data folder.
[[nodiscard]] QString recoveryPath();

}  // namespace app
