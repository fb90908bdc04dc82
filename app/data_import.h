#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstddef>
#include <expected>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "chart/settings.h"
#include "data/data_part.h"
#include "data/readers.h"

class QProgressDialog;
class QSettings;
class QTimer;
class QWidget;

namespace dialogs {
class ColumnDialog;
class Messenger;
}  // namespace dialogs

namespace app {

// A data set read from a file, ready to be laid under the chart, with the report of its rows;
// read again for the set `replaces` (which it then takes the name of), or new where that is null.
struct ImportResult {
    data::DataLayer layer;
    data::ReadReport report;
    std::shared_ptr<const data::DataSet> replaces{};
    bool remembered = false;  // read with the columns confirmed for a file of the same header
};

// Lines above which a file is read in the background with a progress dialog that can cancel.
inline constexpr std::size_t kBackgroundLines = 100'000;

// Reads a file the user picked into a data set: an .epw file (any case) as EPW weather, any
// other as a logger's CSV/TSV. A large file is read in a worker thread behind a window-modal
// progress dialog whose "キャンセル" stops the read and leaves nothing behind; a CSV whose
// columns, encoding or order of dates cannot be told is shown in the column dialog and read
// again as the user says. Columns the user confirmed are remembered by the file's header (in
// the store given, if any) and taken for the next file with that header. Every refusal is
// explained through the message seam. One read at a time.
class DataImport : public QObject {
    Q_OBJECT
  public:
    // `window`: the parent of the dialogs (may be null).
    DataImport(dialogs::Messenger& messages, QWidget* window, QObject* parent = nullptr);
    ~DataImport() override;

    // Starts reading `path` at the settings' pressure; false (and nothing done) while another
    // read is under way.
    bool start(const QString& path, const chart::Settings& settings);
    // Shows the column dialog for the CSV/TSV file `path` that the set `replaces` was read from,
    // set to `readWith` (without it, to what the reader finds in the file), and reads the file
    // again as the dialog says; a file that no longer reads is refused with a message. False
    // (and nothing done) while another read is under way.
    bool startAgain(const QString& path, const chart::Settings& settings,
                    const std::optional<data::CsvChoice>& readWith,
                    std::shared_ptr<const data::DataSet> replaces);
    // Where confirmed columns are remembered (may be null: nothing remembered or used).
    void setMemory(QSettings* store) { memory_ = store; }
    [[nodiscard]] bool busy() const { return busy_; }

    // The dialogs, for the window to place and for tests to drive; the progress dialog exists
    // only while a background read runs.
    [[nodiscard]] dialogs::ColumnDialog* columnDialog() const;
    [[nodiscard]] QProgressDialog* progressDialog() const;

    // The message shown after a read that refused rows: the counts, then up to kKeptRefusals
    // lines "行 L: why".
    [[nodiscard]] static QString reportText(const data::ReadReport& report);
    // What the window says of a set whose date column held no date it could read.
    [[nodiscard]] static QString datesUnreadText();

  signals:
    void finished(const app::ImportResult& result);
    void failed();     // refused, with a message shown
    void cancelled();  // the user stopped the read or closed the column dialog

  private:
    // What a reader gave: the set and report (and for a CSV file what it was read with), or
    // why it failed.
    struct Got {
        data::DataSet set;
        data::ReadReport report;
        std::optional<data::CsvChoice> choice;
        bool datesUnread = false;
    };
    using Outcome = std::expected<Got, data::ReadError>;

    struct Shared {
        std::atomic<std::size_t> done{0};
        std::atomic<std::size_t> total{0};
        std::atomic<bool> stop{false};
    };

    void read(const data::CsvOptions& options, bool userChose);
    void take(Outcome outcome, bool userChose);
    bool open(const QString& path, const chart::Settings& settings);
    void askColumns(const std::optional<data::CsvChoice>& preset);
    [[nodiscard]] std::optional<data::CsvChoice> foundInFile() const;
    void columnsChosen(const data::CsvChoice& choice);
    void remember(const data::CsvChoice& choice);
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
    QSettings* memory_ = nullptr;
    bool fromMemory_ = false;                // the read takes a remembered choice
    std::optional<data::CsvChoice> chosen_;  // the user's, for the read under way
    std::shared_ptr<const data::DataSet> replaces_;
};

}  // namespace app
