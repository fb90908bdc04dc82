#pragma once

#include <vector>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "chart/settings.h"
#include "data/zones.h"

// The one drawing of a whole piece of work, for the window, milten-cli, the printout, the
// exports and the tests alike: what the user sees is what leaves the program.
namespace data {

// Builds the picture of `work` from nothing: cleared; the chart at the pressure and in the units
// of `settings` when it is drawn; the zones over the chart's lines; then every entry's marks in
// order, as the dialog that made each drew them. Returns where each entry's marks begin (one
// mark per entry), so that a viewer can cut entries off the end again without drawing the rest.
std::vector<chart::PictureMark> drawWork(chart::Picture& picture, const chart::MarkedWork& work,
                                         const std::vector<Zone>& zones,
                                         const chart::Settings& settings);

}  // namespace data
