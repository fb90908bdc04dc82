#pragma once

#include <expected>
#include <functional>
#include <string>
#include <string_view>

#include "chart/marked_work.h"
#include "chart/project_file.h"
#include "data/data_part.h"

// The project file (.milten) as one document: parsed once, within bounds, into one value from
// which the marked work (chart/project_file.h) and the data part (data/data_archive.h) each take
// their members; written by one writer, the work's members first and the data's after them.
// Plain C++: the files on disk are project_files.h's.
namespace files {

// What a project file holds: the marked work and the data laid under it (empty in a file
// without data).
struct ProjectContents {
    chart::MarkedWork work;
    data::DataPart data;
};

// The work and data in `bytes`, whole, or why there are none; never a part of them. At most
// chart::kProjectWithDataMaxBytes, and chart::kProjectMaxBytes unless the file holds data sets;
// at most kProjectMaxValues values, kProjectMaxEntries items in an array, 64 members in an
// object and 16 levels deep; a name twice in an object or a number that overflows is no JSON.
[[nodiscard]] std::expected<ProjectContents, chart::ProjectFailure> readProject(
    std::string_view bytes);

// Gives the file's text to `put` a piece at a time (the rows of data sets in pieces of their
// own, never as one text); false as soon as `put` answers false. A work without data is written
// as it always was.
[[nodiscard]] bool writeProject(const chart::MarkedWork& work, const data::DataPart& data,
                                const std::function<bool(std::string_view)>& put);

// The file's text whole, for a small work (tests, the clipboard of a file's bytes).
[[nodiscard]] std::string projectText(const chart::MarkedWork& work,
                                      const data::DataPart& data = {});

}  // namespace files
