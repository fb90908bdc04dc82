#include <QApplication>

#include "app/japanese.h"
#include "app/main_window.h"
#include "dialogs/messages.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::installJapanese(application);
    dialogs::MessageBoxes messages;
    app::MainWindow window(messages);
    window.show();
    return QApplication::exec();
}
