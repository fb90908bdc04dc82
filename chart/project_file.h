#pragma once

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

#include "chart/marked_work.h"

// The project file (.milten): the marked work as a small JSON document, versioned, readable by
// people (nlohmann/json, indented by two; numbers in the shortest form that reads back to the
// same double, whole numbers without a point). Writing and reading are pure functions of the
// work and of the bytes.
//
//   {"format": "milten-project", "version": 1, "chartDrawn": true,
//    "settings": {"units": "engineering", "pressureUnit": "mmHg", "pressure": "760"},
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

inline constexpr int kProjectVersion = 1;
inline constexpr std::string_view kProjectFormat = "milten-project";
// Bounds on what a reader accepts, so a hostile file costs little. The marked work is read from
// at most kProjectMaxValues values, kProjectMaxBytes' worth (a value and its comma take two
// bytes at least, so every file within that size reads as it did before data was kept beside
// the work). A file that holds the rows of its data sets, the members "data" and "zones" which
// this reader passes over without keeping, may be as large as kProjectWithDataMaxBytes; one
// without them stays within kProjectMaxBytes.
inline constexpr std::size_t kProjectMaxBytes = 16u << 20;
inline constexpr std::size_t kProjectMaxValues = kProjectMaxBytes / 2;
inline constexpr std::size_t kProjectWithDataMaxBytes = 256u << 20;
inline constexpr std::size_t kProjectMaxEntries = 100000;

[[nodiscard]] std::string writeProject(const MarkedWork& work);

enum class ProjectError {
    NotJson,          // not a JSON document (or truncated)
    NotProject,       // JSON, but not a project file
    NewerVersion,     // written by a newer version of the program
    MissingField,     // a field is missing or of the wrong type
    ImpossibleValue,  // a number that is not finite, a kind unknown, a state that is no air
    BeyondReach,      // a mark beyond the chart's reach
    TooLarge,
};

struct ProjectFailure {
    ProjectError error;
    std::string where;  // the field, as "entries[2].states[0].x"; may be empty
};

// The work in `bytes`, whole, or why there is none; never a part of it. The work read always
// has its settings (see above). Besides the shape of the file, the reader refuses what the
// dialogs refuse: an air quantity not above 0 (a heating's not below 0) or beyond a float, a
// load too large to write rounded.
[[nodiscard]] std::expected<MarkedWork, ProjectFailure> readProject(std::string_view bytes);

}  // namespace chart
