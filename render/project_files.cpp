#include "render/project_files.h"

#include <QFile>
#include <QFileInfo>
#include <cstddef>
#include <string>
#include <string_view>

#include "chart/project_file.h"
#include "data/data_archive.h"
#include "render/whole_file.h"
#include "words/messages.h"

namespace render {
namespace {

QString text(const char16_t* words) {
    return QString::fromUtf16(words);
}

QString reason(const chart::ProjectFailure& failure) {
    const QString where = QString::fromStdString(failure.where);
    switch (failure.error) {
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
        case chart::ProjectError::TooLarge:
            break;
    }
    return text(words::kProjectTooLarge);
}

QString reason(const data::DataArchiveFailure& failure) {
    const QString where = QString::fromStdString(failure.where);
    switch (failure.error) {
        case data::DataArchiveError::NotJson:
            return text(words::kProjectNotJson);
        case data::DataArchiveError::NotProject:
            return text(words::kProjectNotProject);
        case data::DataArchiveError::MissingField:
            return text(words::kProjectMissing).arg(where);
        case data::DataArchiveError::ImpossibleValue:
            return text(words::kProjectImpossible).arg(where);
        case data::DataArchiveError::BadRows:
            return text(words::kProjectDataRows).arg(where);
        case data::DataArchiveError::TooLarge:
            break;
    }
    return where.isEmpty() ? text(words::kProjectTooLarge)
                           : text(words::kProjectDataTooLarge).arg(where);
}

}  // namespace

std::expected<ProjectContents, QString> readProjectFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto refused = [&](const QString& why) {
        return std::unexpected(text(words::kOpenFailed).arg(name, why));
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(text(words::kFileUnreadable));
    }
    // One byte more than the bound tells a file too large from one just within it, even where
    // the size is not known beforehand (a pipe).
    const QByteArray bytes = file.read(static_cast<qint64>(chart::kProjectWithDataMaxBytes) + 1);
    const std::string_view whole(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    auto work = chart::readProject(whole);
    if (!work) {
        return refused(reason(work.error()));
    }
    auto part = data::readDataPart(whole);
    if (!part) {
        return refused(reason(part.error()));
    }
    return ProjectContents{std::move(*work), std::move(*part)};
}

std::expected<void, QString> writeProjectFile(const QString& path, const chart::MarkedWork& work,
                                              const data::DataPart& data) {
    const std::string bytes = data::writeProjectWithData(work, data);
    const auto written = writeWhole(
        path, QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!written) {
        return std::unexpected(
            text(words::kSaveFailed).arg(QFileInfo(path).fileName(), written.error()));
    }
    return {};
}

}  // namespace render
