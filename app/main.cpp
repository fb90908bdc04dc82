#include <QApplication>

#include "app/main_window.h"
#include "dialogs/messages.h"
#include "render/japanese.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    render::installJapanese(application);
    dialogs::MessageBoxes messages;
    app::MainWindow window(messages);
    window.show();
    return QApplication::exec();
}
