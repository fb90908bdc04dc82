#include "app/project_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <string>

#include "chart/project_file.h"
#include "dialogs/messages.h"
#include "words/messages.h"

namespace app {
namespace {

QString reason(const chart::ProjectFailure& failure) {
    const QString where = QString::fromStdString(failure.where);
    switch (failure.error) {
        case chart::ProjectError::NotJson:
            return dialogs::message(words::kProjectNotJson);
        case chart::ProjectError::NotProject:
            return dialogs::message(words::kProjectNotProject);
        case chart::ProjectError::NewerVersion:
            return dialogs::message(words::kProjectNewer);
        case chart::ProjectError::MissingField:
            return dialogs::message(words::kProjectMissing).arg(where);
        case chart::ProjectError::ImpossibleValue:
            return dialogs::message(words::kProjectImpossible).arg(where);
        case chart::ProjectError::BeyondReach:
            return dialogs::message(words::kProjectBeyondReach).arg(where);
        case chart::ProjectError::TooLarge:
            break;
    }
    return dialogs::message(words::kProjectTooLarge);
}

}  // namespace

std::expected<chart::MarkedWork, QString> loadProject(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto refused = [&](const QString& why) {
        return std::unexpected(dialogs::message(words::kOpenFailed).arg(name, why));
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(dialogs::message(words::kFileUnreadable));
    }
    if (file.size() > static_cast<qint64>(chart::kProjectMaxBytes)) {
        return refused(dialogs::message(words::kProjectTooLarge));
    }
    const QByteArray bytes = file.readAll();
    auto work = chart::readProject(std::string_view(bytes.constData(), bytes.size()));
    if (!work) {
        return refused(reason(work.error()));
    }
    return std::move(*work);
}

std::expected<void, QString> saveProject(const QString& path, const chart::MarkedWork& work) {
    const std::string text = chart::writeProject(work);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.commit();
    if (!written) {
        return std::unexpected(dialogs::message(words::kSaveFailed)
                                   .arg(QFileInfo(path).fileName(), file.errorString()));
    }
    return {};
}

QString recoveryPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/recovery.milten");
}

}  // namespace app
