#include "app/settings_store.h"

#include <QSettings>
#include <QString>

namespace app {
namespace {

const QString kUnitsKey = QStringLiteral("display/units");
const QString kPressureUnitKey = QStringLiteral("pressure/unit");
const QString kPressureKey = QStringLiteral("pressure/value");

std::string stored(const QSettings& store, const QString& key) {
    return store.value(key).toString().toStdString();
}

}  // namespace

chart::Settings loadSettings(const QSettings& store) {
    return chart::settingsFromStored(stored(store, kUnitsKey), stored(store, kPressureUnitKey),
                                     stored(store, kPressureKey));
}

void saveSettings(QSettings& store, const chart::Settings& settings) {
    const chart::StoredSettings strings = chart::storedSettings(settings);
    store.setValue(kUnitsKey, QString::fromStdString(strings.units));
    store.setValue(kPressureUnitKey, QString::fromStdString(strings.pressureUnit));
    store.setValue(kPressureKey, QString::fromStdString(strings.pressure));
    store.sync();
}

}  // namespace app
