#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include "app/document.h"
#include "app/scene.h"
#include "chart/picture.h"
#include "chart/settings.h"
#include "dialogs/chart_dialog.h"

// The document and the scene a window holds, for dialogs driven without the window: what a
// press records becomes a step of the document, and the scene draws it, as on the screen.
struct ShownWork {
    QTemporaryDir folder;
    app::Document document{chart::Settings::standard(),
                           folder.filePath(QStringLiteral("r.milten"))};
    app::Scene scene{document};

    [[nodiscard]] const chart::Picture& picture() const { return scene.picture(); }
    void follow(dialogs::ChartDialog& dialog) {
        QObject::connect(&dialog, &dialogs::ChartDialog::entryRecorded, &document,
                         &app::Document::addEntry);
    }
    // A new, empty work: every mark leaves the picture (the dialogs count on by themselves).
    void wipe() { document.open({}, {}, QString()); }
};

// A fixture's member that makes the presses of `dialog` steps of `shown`.
struct Following {
    Following(ShownWork& shown, dialogs::ChartDialog& dialog) { shown.follow(dialog); }
};
