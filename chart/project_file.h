#pragma once

#include <cstddef>
#include <expected>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

#include "chart/marked_work.h"

// The marked work's part of the project file (.milten): a small JSON document, versioned,
// readable by people (indented by two; numbers in the shortest form that reads back to the same
// double, whole numbers without a point). The document is parsed once and written once
// elsewhere (files/); this part makes the work's members and takes the work from them.
//
//   {"format": "milten-project", "version": 1, "chartDrawn": true,
//    "settings": {"units": "engineering", "pressureUnit": "mmHg", "pressure": "760"},
//    "title": {"subject": "…", "designer": "…", "date": "…"} (when the work has one),
//    "entries": [{"kind": "heating",
//                 "states": [{"label": "点１", "X": …, "Y": …, "x": …, "i": …,
//                             "t": …, "tw": …, "v": …, "phi": …, "dewPoint": …}, …],
//                 "inputs": {"t": 20, "phi": 50, "G": 1000, "t2": 30},
//                 "results": {"Q": 2432}}]}
//
// A file states what it was made at: one without settings (written before they were kept, or
// from work without them) means the standard atmosphere in engineering units, and reads so. X
// and Y are where the mark is drawn (picture mm); x and i the state. t, tw, v, phi and
// dewPoint are written for the reader's eyes and recomputed on reading; labels likewise follow
// from the kind (and the point's number).
namespace chart {

// The parsed document. Objects keep the order their members were written in, so that inputs
// and results come back in the order the dialog gave them.
using ProjectJson = nlohmann::ordered_json;

inline constexpr int kProjectVersion = 1;
inline constexpr std::string_view kProjectFormat = "milten-project";
// Bounds on what a reader accepts, so a hostile file costs little. A document keeps at most
// kProjectMaxValues values and kProjectMaxBytes' worth (a value and its comma take two bytes at
// least); only the rows of data sets make a file larger, up to kProjectWithDataMaxBytes.
inline constexpr std::size_t kProjectMaxBytes = 16u << 20;
inline constexpr std::size_t kProjectMaxValues = kProjectMaxBytes / 2;
inline constexpr std::size_t kProjectWithDataMaxBytes = 256u << 20;
inline constexpr std::size_t kProjectMaxEntries = 100000;

// Why a project file is refused, for every part of it.
enum class ProjectError {
    NotJson,       // not a JSON document, truncated, too deep, a name twice, a number overflowing
    NotProject,    // JSON, but not a project file
    NewerVersion,  // written by a newer version of the program
    MissingField,  // a field is missing or of the wrong type
    ImpossibleValue,  // a number that is not finite, a kind unknown, a state that is no air
    BeyondReach,      // a mark beyond the chart's reach
    BadRows,          // a data set's rows that are not base64 or not as many as it says
    TooLarge,
};

struct ProjectFailure {
    ProjectError kind;
    std::string where;  // the field, as "entries[2].states[0].x"; may be empty

    bool operator==(const ProjectFailure&) const = default;
};

// The work's members of the top-level object, in the order they are written: format, version,
// chartDrawn, settings (when the work has them), title (when not empty), entries.
[[nodiscard]] ProjectJson workMembers(const MarkedWork& work);

// The work in a parsed document, whole, or why there is none; never a part of it. The work read
// always has its settings (see above). Besides the shape of the file, it refuses what the
// dialogs refuse: an air quantity not above 0 (a heating's not below 0) or beyond a float, a
// load too large to write rounded, a title text longer than kTitleBlockMaxChars.
[[nodiscard]] std::expected<MarkedWork, ProjectFailure> workFromDocument(
    const ProjectJson& document);

}  // namespace chart
