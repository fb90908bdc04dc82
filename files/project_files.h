#pragma once

#include <QString>
#include <expected>

#include "chart/marked_work.h"
#include "chart/project_file.h"
#include "data/data_part.h"
#include "files/project_document.h"

// Project files on disk, for the window and milten-cli alike: read whole or refused with a
// Japanese message that names the file and the reason; written whole or not at all.
namespace files {

// The work and data in the file at `path`, or the message that says why it cannot be opened:
// "「work.milten」を開けません。ありえない値があります（entries[3].inputs.G1）。"
[[nodiscard]] std::expected<ProjectContents, QString> readProjectFile(const QString& path);

// Writes `work` and `data` to `path` through writeWhole, the rows of data a piece at a time, so
// that a failed write leaves the old file whole: "「work.milten」に保存できません。" and the
// system's reason.
[[nodiscard]] std::expected<void, QString> writeProjectFile(const QString& path,
                                                            const chart::MarkedWork& work,
                                                            const data::DataPart& data);

// The reason a project file is refused, in Japanese, with the field it names.
[[nodiscard]] QString failureText(const chart::ProjectFailure& failure);

}  // namespace files
