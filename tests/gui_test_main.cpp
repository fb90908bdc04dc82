// main() of the tests that paint without widgets (render, report): a GUI application as
// milten-cli has it, offscreen unless the caller chose a platform, with the fonts the program
// installs.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "render/japanese.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    render::installJapanese(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
