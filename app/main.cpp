#include <QApplication>
#include <QSettings>
#include <QStringList>

#include "app/data_dock.h"
#include "app/main_window.h"
#include "dialogs/messages.h"
#include "render/japanese.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("milten"));
    render::installJapanese(application);
    dialogs::MessageBoxes messages;
    // The user's settings in the conventional place (~/.config/milten/milten.conf on Linux).
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("milten"),
                    QStringLiteral("milten"));
    app::MainWindow window(messages, nullptr, &store);
    // Columns the user confirms are remembered beside the settings.
    window.dataDock()->setColumnMemory(&store);
    window.show();
    window.offerRecovery();
    // `milten FILE.milten` opens the file at start.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        (void)window.openProject(arguments.at(1));
    }
    return QApplication::exec();
}
