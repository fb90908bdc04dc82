#include "files/project_files.h"

#include <QFileInfo>
#include <QIODevice>
#include <cstddef>
#include <string_view>

#include "files/whole_file.h"
#include "words/messages.h"

namespace files {
namespace {

QString text(const char16_t* words) {
    return QString::fromUtf16(words);
}

}  // namespace

QString failureText(const chart::ProjectFailure& failure) {
    const QString where = QString::fromStdString(failure.where);
    switch (failure.kind) {
        case chart::ProjectError::NotJson:
            return text(words::kProjectNotJson);
        case chart::ProjectError::NotProject:
            return text(words::kProjectNotProject);
        case chart::ProjectError::NewerVersion:
            return text(words::kProjectNewer);
        case chart::ProjectError::MissingField:
            return text(words::kProjectMissing).arg(where);
        case chart::ProjectError::ImpossibleValue:
            return text(words::kProjectImpossible).arg(where);
        case chart::ProjectError::BeyondReach:
            return text(words::kProjectBeyondReach).arg(where);
        case chart::ProjectError::BadRows:
            return text(words::kProjectDataRows).arg(where);
        case chart::ProjectError::TooLarge:
            break;
    }
    // The data part names what is too large in it; the work's part, the file.
    const bool ofData =
        where.startsWith(QLatin1String("data")) || where.startsWith(QLatin1String("zones"));
    return ofData ? text(words::kProjectDataTooLarge).arg(where) : text(words::kProjectTooLarge);
}

std::expected<ProjectContents, QString> readProjectFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto refused = [&](const QString& why) {
        return std::unexpected(text(words::kOpenFailed).arg(name, why));
    };
    const auto bytes = readWhole(path, static_cast<qint64>(chart::kProjectWithDataMaxBytes));
    if (!bytes) {
        return refused(text(words::kFileUnreadable));
    }
    auto read =
        readProject(std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
    if (!read) {
        return refused(failureText(read.error()));
    }
    return std::move(*read);
}

std::expected<void, QString> writeProjectFile(const QString& path, const chart::MarkedWork& work,
                                              const data::DataPart& data) {
    const auto written = writeWhole(path, [&](QIODevice& device) {
        return writeProject(work, data, [&device](std::string_view piece) {
            const auto size = static_cast<qint64>(piece.size());
            return device.write(piece.data(), size) == size;
        });
    });
    if (!written) {
        return std::unexpected(
            text(words::kSaveFailed).arg(QFileInfo(path).fileName(), written.error()));
    }
    return {};
}

}  // namespace files
