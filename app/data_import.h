#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstddef>
#include <expected>
#include <memory>
#include <string>
#include <utility>

#include "chart/settings.h"
#include "data/data_part.h"
#include "data/readers.h"

class QProgressDialog;
class QTimer;
class QWidget;

namespace dialogs {
class ColumnDialog;
class Messenger;
}  // namespace dialogs

namespace app {

// A data set read from a file, ready to be laid under the chart, with the report of its rows.
struct ImportResult {
    data::DataLayer layer;
    data::ReadReport report;
};

// Lines above which a file is read in the background with a progress dialog that can cancel.
inline constexpr std::size_t kBackgroundLines = 100'000;

// Reads a file the user picked into a data set: an .epw file (any case) as EPW weather, any
// other as a logger's CSV/TSV. A large file is read in a worker thread behind a window-modal
// progress dialog whose "キャンセル" stops the read and leaves nothing behind; a CSV whose
// columns or encoding cannot be told is shown in the column dialog and read again as the user
// says. Every refusal is explained through the message seam. One read at a time.
class DataImport : public QObject {
    Q_OBJECT
  public:
    // `window`: the parent of the dialogs (may be null).
    DataImport(dialogs::Messenger& messages, QWidget* window, QObject* parent = nullptr);
    ~DataImport() override;

    // Starts reading `path` at the settings' pressure; false (and nothing done) while another
    // read is under way.
    bool start(const QString& path, const chart::Settings& settings);
    [[nodiscard]] bool busy() const { return busy_; }

    // The dialogs, for the window to place and for tests to drive; the progress dialog exists
    // only while a background read runs.
    [[nodiscard]] dialogs::ColumnDialog* columnDialog() const;
    [[nodiscard]] QProgressDialog* progressDialog() const;

    // The message shown after a read that refused rows: the counts, then up to kKeptRefusals
    // lines "行 L: why".
    [[nodiscard]] static QString reportText(const data::ReadReport& report);

  signals:
    void finished(const app::ImportResult& result);
    void failed();     // refused, with a message shown
    void cancelled();  // the user stopped the read or closed the column dialog

  private:
    // What a reader gave: the set and report, or why it failed.
    using Outcome = std::expected<std::pair<data::DataSet, data::ReadReport>, data::ReadError>;

    struct Shared {
        std::atomic<std::size_t> done{0};
        std::atomic<std::size_t> total{0};
        std::atomic<bool> stop{false};
    };

    void read(const data::CsvOptions& options, bool userChose);
    void take(Outcome outcome, bool userChose);
    void askColumns();
    void columnsChosen(const data::ColumnChoice& columns, data::Encoding encoding);
    void refuse(const QString& why);
    void end();

    dialogs::Messenger& messages_;
    QWidget* window_;
    QPointer<dialogs::ColumnDialog> columns_;
    QPointer<QProgressDialog> progress_;
    QTimer* ticker_;
    QFutureWatcher<Outcome>* watcher_ = nullptr;

    bool busy_ = false;
    QString path_;
    chart::Settings settings_ = chart::Settings::standard();
    bool weather_ = false;
    std::shared_ptr<const std::string> bytes_;
    std::size_t lines_ = 0;
    std::shared_ptr<Shared> shared_;
    bool askingColumns_ = false;
};

}  // namespace app
