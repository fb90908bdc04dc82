#pragma once

#include <QByteArray>
#include <QString>
#include <expected>
#include <functional>
#include <optional>

class QIODevice;

// Files read whole within a bound, and written whole or not at all, for the window and
// milten-cli alike: the project, the recovery file, the exported chart and list, the chart of
// milten-cli.
namespace files {

// The bytes of the file at `path`, at most `most` + 1 of them: one byte more than the bound
// tells a file too large from one just within it, even where the size is not known beforehand
// (a pipe). nullopt when the file cannot be opened.
[[nodiscard]] std::optional<QByteArray> readWhole(const QString& path, qint64 most);

// Writes the file at `path` through QSaveFile: `write` fills a temporary file in the same
// folder, which replaces `path` only when `write` answered true and every byte reached the disk,
// so a failed write leaves the old file whole. On failure, the system's reason (a full disk, a
// folder without write permission …), or an empty text when `write` itself answered false.
[[nodiscard]] std::expected<void, QString> writeWhole(const QString& path,
                                                      const std::function<bool(QIODevice&)>& write);
[[nodiscard]] std::expected<void, QString> writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace files
