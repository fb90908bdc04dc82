#pragma once

#include <QString>
#include <expected>

#include "chart/marked_work.h"

// Project files on disk: read whole or refused with a Japanese reason, written atomically.
namespace app {

// The work in the file at `path`, or the message that says why it cannot be opened.
[[nodiscard]] std::expected<chart::MarkedWork, QString> loadProject(const QString& path);

// Writes `work` to `path` through a temporary file renamed over it, so that a failed write
// leaves the old file whole; the message says why it failed.
[[nodiscard]] std::expected<void, QString> saveProject(const QString& path,
                                                       const chart::MarkedWork& work);

// The file that keeps unsaved work between sessions, in the user's data folder.
[[nodiscard]] QString recoveryPath();

}  // namespace app
