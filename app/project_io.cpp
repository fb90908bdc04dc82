#include "app/project_io.h"

#include <QDir>
#include <QStandardPaths>

#include "render/project_files.h"

namespace app {

std::expected<chart::MarkedWork, QString> loadProject(const QString& path) {
    auto contents = render::readProjectFile(path);
    if (!contents) {
        return std::unexpected(contents.error());
    }
    return std::move(contents->work);
}

std::expected<void, QString> saveProject(const QString& path, const chart::MarkedWork& work) {
    return render::writeProjectFile(path, work, data::DataPart{});
}

QString recoveryPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/recovery.milten");
}

}  // namespace app
