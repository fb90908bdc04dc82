#pragma once

#include "chart/settings.h"

class QSettings;

// The settings kept between runs, in a QSettings store (the program's is the user's
// conventional place, ~/.config/milten/milten.conf on Linux). Three string keys; whatever a key
// holds, reading gives a usable setting (chart::settingsFromStored).
namespace app {

[[nodiscard]] chart::Settings loadSettings(const QSettings& store);
void saveSettings(QSettings& store, const chart::Settings& settings);

}  // namespace app
