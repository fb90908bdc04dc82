// main() of the widget tests: one QApplication for the whole program, offscreen unless the
// caller chose a platform (test discovery runs the program without CTest's environment).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // The recovery file and anything else kept for the user go to a test folder instead, one
    // per test process, since CTest runs tests side by side.
    QStandardPaths::setTestModeEnabled(true);
    const QString own = QCoreApplication::applicationName() +
                        QStringLiteral("-%1").arg(QCoreApplication::applicationPid());
    QCoreApplication::setApplicationName(own);
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.endsWith(QLatin1Char('/') + own)) {  // this process's folder and nothing else
        QDir(folder).removeRecursively();
    }
    return status;
}
