#include "app/guide.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "dialogs/messages.h"
#include "words/messages.h"

namespace app {
namespace {

// The guide installed with the program (its folder's parent is the installation's prefix),
// else the one made in the build tree; empty when there is neither.
QString guidePath() {
    const QString installed = QString::fromUtf8(MILTEN_GUIDE_INSTALLED);
    const QString candidates[] = {QFileInfo(installed).isAbsolute()
                                      ? installed
                                      : QDir(QApplication::applicationDirPath())
                                            .absoluteFilePath(QStringLiteral("../") + installed),
                                  QString::fromUtf8(MILTEN_GUIDE_BUILT)};
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) {
            return QDir::cleanPath(path);
        }
    }
    return {};
}

}  // namespace

void openGuide(dialogs::Messenger& messages) {
    const QString path = guidePath();
    if (path.isEmpty()) {
        messages.show(
            dialogs::message(words::kGuideMissing).arg(QString::fromUtf8(MILTEN_GUIDE_INSTALLED)));
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        messages.show(dialogs::message(words::kGuideNotOpened).arg(path));
    }
}

}  // namespace app
