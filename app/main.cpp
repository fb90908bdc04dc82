#include <QApplication>
#include <QSettings>

#include "app/main_window.h"
#include "dialogs/messages.h"
#include "render/japanese.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    render::installJapanese(application);
    dialogs::MessageBoxes messages;
    // The user's settings in the conventional place (~/.config/milten/milten.conf on Linux).
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("milten"),
                    QStringLiteral("milten"));
    app::MainWindow window(messages, nullptr, &store);
    window.show();
    return QApplication::exec();
}
