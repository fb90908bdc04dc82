#pragma once

#include <QString>
#include <expected>

#include "chart/marked_work.h"

// Project files on disk, for the window and milten-cli alike: read whole or refused with a
// Japanese message that names the file and the reason; written whole or not at all.
namespace render {

// The work in the file at `path`, or the message that says why it cannot be opened:
// "「work.milten」を開けません。ありえない値があります（entries[3].inputs.G1）。"
[[nodiscard]] std::expected<chart::MarkedWork, QString> readProjectFile(const QString& path);

// Writes `work` to `path` through render::writeWhole, so that a failed write leaves the old file
// whole: "「work.milten」に保存できません。" and the system's reason.
[[nodiscard]] std::expected<void, QString> writeProjectFile(const QString& path,
                                                            const chart::MarkedWork& work);

}  // namespace render
