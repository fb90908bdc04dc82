#include "app/project_io.h"

#include <QDir>
#include <QStandardPaths>

#include "render/project_files.h"

namespace app {

std::expected<render::ProjectContents, QString> loadProject(const QString& path) {
    return render::readProjectFile(path);
}

std::expected<void, QString> saveProject(const QString& path, const chart::MarkedWork& work,
                                         const data::DataPart& data) {
    return render::writeProjectFile(path, work, data);
}

QString recoveryPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/recovery.milten");
}

}  // namespace app
