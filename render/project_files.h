#pragma once

#include <QString>
#include <expected>

#include "chart/marked_work.h"
#include "data/data_part.h"

// Project files on disk, for the window and milten-cli alike: read whole or refused with a
// Japanese message that names the file and the reason; written whole or not at all.
namespace render {

// What a project file holds: the marked work and the data laid under it (empty in a file
// without data).
struct ProjectContents {
    chart::MarkedWork work;
    data::DataPart data;
};

// The work and data in the file at `path`, or the message that says why it cannot be opened:
// "「work.milten」を開けません。ありえない値があります（entries[3].inputs.G1）。" A file whose
// data cannot be read is refused whole, as one whose work cannot.
[[nodiscard]] std::expected<ProjectContents, QString> readProjectFile(const QString& path);

// Writes `work` and `data` to `path` through render::writeWhole, so that a failed write leaves
// the old file whole: "「work.milten」に保存できません。" and the system's reason.
[[nodiscard]] std::expected<void, QString> writeProjectFile(const QString& path,
                                                            const chart::MarkedWork& work,
                                                            const data::DataPart& data);

}  // namespace render
