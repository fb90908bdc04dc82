#include "app/data_import.h"

#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSettings>
#include <QStringList>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "data/column_memory.h"
#include "dialogs/data_dialogs.h"
#include "dialogs/messages.h"

namespace app {
namespace {

// The dialog's bar counts in thousandths of the text.
constexpr int kProgressSteps = 1000;
// How often the bar follows the worker.
constexpr int kTickMs = 100;
// The head of a file the column dialog previews and takes its header from.
constexpr std::size_t kHeadBytes = 64 * 1024;
// The user's confirmed columns, as data::rememberedText writes them, newest last.
const QString kMemoryKey = QStringLiteral("data/columnChoices");
// Said of a set whose date column held no date that could be read: it has no hours.
const QString kDatesUnread = QStringLiteral("日時を読めませんでした。");

std::vector<std::string> storedChoices(const QSettings& store) {
    std::vector<std::string> texts;
    const QStringList stored = store.value(kMemoryKey).toStringList();
    // Only the newest are ever looked at; a store grown by hand is not walked whole.
    for (qsizetype k = std::max<qsizetype>(0, stored.size() - data::kRememberedHeaders);
         k < stored.size(); ++k) {
        texts.push_back(stored[k].toStdString());
    }
    return texts;
}

}  // namespace

DataImport::DataImport(dialogs::Messenger& messages, QWidget* window, QObject* parent)
    : QObject(parent),
      messages_(messages),
      window_(window),
      columns_(new dialogs::ColumnDialog(messages, window)),
      ticker_(new QTimer(this)) {
    connect(columns_.data(), &dialogs::ColumnDialog::chosen, this, &DataImport::columnsChosen);
    connect(columns_.data(), &dialogs::ColumnDialog::rejected, this, [this] {
        if (askingColumns_) {
            end();
            emit cancelled();
        }
    });
    connect(ticker_, &QTimer::timeout, this, [this] {
        const std::size_t total = shared_ ? shared_->total.load() : 0;
        if (progress_ && total > 0) {
            const double share =
                static_cast<double>(shared_->done.load()) / static_cast<double>(total);
            progress_->setValue(static_cast<int>(share * kProgressSteps));
        }
    });
}

DataImport::~DataImport() {
    // A worker still reading is stopped and waited for: it holds nothing of this object but
    // what it shares, yet its end would be reported to a watcher that is going.
    if (watcher_ != nullptr) {
        shared_->stop = true;
        watcher_->disconnect(this);
        watcher_->waitForFinished();
    }
    delete progress_.data();
    delete columns_.data();
}

dialogs::ColumnDialog* DataImport::columnDialog() const {
    return columns_.data();
}

QProgressDialog* DataImport::progressDialog() const {
    return progress_.data();
}

QString DataImport::reportText(const data::ReadReport& report) {
    QStringList lines{QStringLiteral("読み込んだ行: %1").arg(report.rowsRead),
                      QStringLiteral("読み込めなかった行: %1").arg(report.rowsRefused)};
    for (const data::RefusedRow& row : report.firstRefused) {
        lines << QStringLiteral("行 %1: %2")
                     .arg(row.line)
                     .arg(QString::fromStdString(data::faultText(row.fault)));
    }
    return lines.join(QLatin1Char('\n'));
}

QString DataImport::datesUnreadText() {
    return kDatesUnread;
}

bool DataImport::open(const QString& path, const chart::Settings& settings) {
    busy_ = true;
    path_ = path;
    settings_ = settings;
    fromMemory_ = false;
    chosen_.reset();
    replaces_.reset();
    weather_ = QFileInfo(path).suffix().compare(QStringLiteral("epw"), Qt::CaseInsensitive) == 0;
    auto bytes = data::fileBytes(QFile::encodeName(path).toStdString());
    if (!bytes) {
        refuse(QString::fromStdString(data::failureText(bytes.error())));
        return false;
    }
    lines_ = static_cast<std::size_t>(std::ranges::count(*bytes, '\n'));
    bytes_ = std::make_shared<const std::string>(std::move(*bytes));
    return true;
}

bool DataImport::start(const QString& path, const chart::Settings& settings) {
    if (busy_) {
        return false;
    }
    if (!open(path, settings)) {
        return true;
    }
    if (!weather_ && memory_ != nullptr) {
        if (const auto remembered = data::rememberedFor(*bytes_, storedChoices(*memory_))) {
            fromMemory_ = true;
            read({settings_.atmosphere.ratio,
                  remembered->encoding,
                  remembered->columns,
                  {},
                  remembered->dateOrder},
                 true);
            return true;
        }
    }
    read({settings_.atmosphere.ratio, {}, {}}, false);
    return true;
}

bool DataImport::startAgain(const QString& path, const chart::Settings& settings,
                            const std::optional<data::CsvChoice>& readWith,
                            std::shared_ptr<const data::DataSet> replaces) {
    if (busy_) {
        return false;
    }
    if (!open(path, settings)) {
        return true;
    }
    replaces_ = std::move(replaces);
    askColumns(readWith ? readWith : foundInFile());
    return true;
}

// What the reader makes of the file's head on its own (the date order aside), to start the
// dialog from: the columns are found in the first lines, and a large file is not read whole.
std::optional<data::CsvChoice> DataImport::foundInFile() const {
    std::string_view head(*bytes_);
    if (head.size() > kHeadBytes) {
        const std::size_t end = head.substr(0, kHeadBytes).rfind('\n');
        head = head.substr(0, end == std::string_view::npos ? kHeadBytes : end + 1);
    }
    const auto found =
        data::readCsv(head, {settings_.atmosphere.ratio, {}, {}, {}, data::DateOrder::Ymd});
    if (!found) {
        return std::nullopt;
    }
    return data::CsvChoice{found->encoding, found->columns, std::nullopt};
}

void DataImport::read(const data::CsvOptions& options, bool userChose) {
    const auto run = [weather = weather_](const std::string& bytes,
                                          const data::CsvOptions& given) -> Outcome {
        if (weather) {
            auto epw = data::readEpw(bytes, given.progress);
            if (!epw) {
                return std::unexpected(std::move(epw.error()));
            }
            return Got{std::move(epw->set), std::move(epw->report), std::nullopt, false};
        }
        auto csv = data::readCsv(bytes, given);
        if (!csv) {
            return std::unexpected(std::move(csv.error()));
        }
        const bool dated = csv->columns.dateTime || csv->columns.date;
        data::CsvChoice choice{csv->encoding, csv->columns,
                               dated ? std::optional(csv->dateOrder) : std::nullopt};
        return Got{std::move(csv->set), std::move(csv->report), std::move(choice),
                   csv->datesUnread};
    };
    if (lines_ <= kBackgroundLines) {
        take(run(*bytes_, options), userChose);
        return;
    }

    shared_ = std::make_shared<Shared>();
    progress_ = new QProgressDialog(QStringLiteral("データを読み込んでいます…"),
                                    QStringLiteral("キャンセル"), 0, kProgressSteps, window_);
    progress_->setObjectName(QStringLiteral("FormProgress"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    connect(progress_.data(), &QProgressDialog::canceled, this,
            [shared = shared_] { shared->stop = true; });
    progress_->setValue(0);
    progress_->show();
    ticker_->start(kTickMs);

    watcher_ = new QFutureWatcher<Outcome>(this);
    connect(watcher_, &QFutureWatcher<Outcome>::finished, this, [this, userChose] {
        Outcome outcome = watcher_->future().takeResult();
        watcher_->deleteLater();
        watcher_ = nullptr;
        ticker_->stop();
        if (progress_) {
            progress_->hide();
            progress_->deleteLater();
        }
        // A read that ended after the press of "キャンセル" is dropped all the same.
        if (shared_->stop) {
            end();
            emit cancelled();
            return;
        }
        take(std::move(outcome), userChose);
    });
    data::CsvOptions worker = options;
    worker.progress = [shared = shared_](std::size_t done, std::size_t total) {
        shared->done = done;
        shared->total = total;
        return !shared->stop.load();
    };
    watcher_->setFuture(
        QtConcurrent::run([run, bytes = bytes_, worker] { return run(*bytes, worker); }));
}

void DataImport::take(Outcome outcome, bool userChose) {
    if (outcome) {
        ImportResult result;
        Got& got = *outcome;
        if (replaces_) {
            got.set.name = replaces_->name;
        } else if (!weather_ || got.set.name.empty()) {
            got.set.name = QFileInfo(path_).completeBaseName().toStdString();
        }
        result.layer.set = std::make_shared<const data::DataSet>(std::move(got.set));
        result.layer.path = path_.toStdString();
        result.layer.readWith = got.choice;
        result.layer.datesUnread = got.datesUnread;
        result.report = std::move(got.report);
        result.replaces = std::move(replaces_);
        result.remembered = fromMemory_;
        if (chosen_) {
            remember(*chosen_);
        }
        end();
        QStringList said;
        if (result.report.rowsRefused > 0) {
            said << reportText(result.report);
        }
        if (result.layer.datesUnread) {
            said << kDatesUnread;
        }
        if (!said.isEmpty()) {
            messages_.show(said.join(QLatin1Char('\n')));
        }
        emit finished(result);
        return;
    }
    const data::ReadError& error = outcome.error();
    if (fromMemory_ && error.failure != data::ReadFailure::Cancelled) {
        // A remembered choice the file does not bear out is dropped: the reader's own look.
        fromMemory_ = false;
        read({settings_.atmosphere.ratio, {}, {}}, false);
        return;
    }
    switch (error.failure) {
        case data::ReadFailure::Cancelled:
            end();
            emit cancelled();
            return;
        case data::ReadFailure::ColumnsUnrecognised:
        case data::ReadFailure::EncodingUndecided:
            if (!weather_ && !userChose) {
                askColumns(std::nullopt);
                return;
            }
            break;
        case data::ReadFailure::DateOrderUndecided:
            // Said, then asked: the dialog's order of dates decides it.
            if (!weather_) {
                messages_.show(QString::fromStdString(data::failureText(error.failure)));
                askColumns(chosen_ ? chosen_ : foundInFile());
                return;
            }
            break;
        case data::ReadFailure::NoUsableRow: {
            QString text = QString::fromStdString(data::failureText(error.failure));
            const QString rows = reportText(error.report);
            refuse(text + QLatin1Char('\n') + rows);
            return;
        }
        default:
            break;
    }
    refuse(QString::fromStdString(data::failureText(error.failure)));
}

void DataImport::askColumns(const std::optional<data::CsvChoice>& preset) {
    askingColumns_ = true;
    if (preset) {
        columns_->showChoice(bytes_->substr(0, kHeadBytes), *preset);
    } else {
        columns_->showFor(bytes_->substr(0, kHeadBytes), std::nullopt);
    }
}

void DataImport::columnsChosen(const data::CsvChoice& choice) {
    if (!askingColumns_) {
        return;
    }
    askingColumns_ = false;
    chosen_ = choice;
    read({settings_.atmosphere.ratio, choice.encoding, choice.columns, {}, choice.dateOrder}, true);
}

// Kept where the read went through: a choice that reads nothing is not worth remembering.
void DataImport::remember(const data::CsvChoice& choice) {
    if (memory_ == nullptr || !bytes_) {
        return;
    }
    const std::vector<std::string> kept =
        data::remembering(storedChoices(*memory_), *bytes_, choice);
    QStringList texts;
    for (const std::string& text : kept) {
        texts << QString::fromStdString(text);
    }
    memory_->setValue(kMemoryKey, texts);
}

void DataImport::refuse(const QString& why) {
    const QString name = QFileInfo(path_).fileName();
    end();
    messages_.show(QStringLiteral("「%1」を読み込めません。").arg(name) + why);
    emit failed();
}

void DataImport::end() {
    busy_ = false;
    askingColumns_ = false;
    fromMemory_ = false;
    chosen_.reset();
    replaces_.reset();
    bytes_.reset();
}

}  // namespace app
