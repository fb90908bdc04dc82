#include "files/whole_file.h"

#include <QFile>
#include <QSaveFile>

namespace files {

std::optional<QByteArray> readWhole(const QString& path, qint64 most) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.read(most + 1);
}

std::expected<void, QString> writeWhole(const QString& path,
                                        const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return std::unexpected(file.errorString());
    }
    if (!write(file)) {
        // A failed write leaves its reason on the file; a refusal of `write` leaves none.
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : QString();
        file.cancelWriting();
        return std::unexpected(reason);
    }
    if (!file.commit()) {
        return std::unexpected(file.errorString());
    }
    return {};
}

std::expected<void, QString> writeWhole(const QString& path, const QByteArray& bytes) {
    return writeWhole(path,
                      [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
}

}  // namespace files
