#include "app/document.h"

#include <QFile>
#include <QUndoCommand>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

#include "app/project_io.h"
#include "dialogs/messages.h"
#include "words/messages.h"

namespace app {

// A press: redone by appending its entry, undone by taking it back, so that a step costs what
// the entry costs, however long the work is.
class AppendStep : public QUndoCommand {
  public:
    AppendStep(Document& document, chart::Entry entry)
        : QUndoCommand(dialogs::message(words::kStepMark)),
          document_(document),
          entry_(std::move(entry)) {}
    void redo() override { document_.append(entry_); }
    void undo() override { document_.removeLast(); }

  private:
    Document& document_;
    chart::Entry entry_;
};

// A step that replaces the whole state: both sides are kept whole. Opening a file also moves
// the document to that file, and its undo back to the file before it, so that a save after the
// undo cannot write the earlier work over the file that was opened.
class ReplaceStep : public QUndoCommand {
  public:
    struct FilePaths {
        QString before;
        QString after;
    };
    ReplaceStep(Document& document, DocumentState before, DocumentState after, const char16_t* text,
                std::optional<FilePaths> paths)
        : QUndoCommand(dialogs::message(text)),
          document_(document),
          before_(std::move(before)),
          after_(std::move(after)),
          paths_(std::move(paths)) {}
    void redo() override {
        document_.replace(after_);
        if (paths_) {
            document_.setFilePath(paths_->after);
        }
    }
    void undo() override {
        document_.replace(before_);
        if (paths_) {
            document_.setFilePath(paths_->before);
        }
    }

  private:
    Document& document_;
    DocumentState before_;
    DocumentState after_;
    std::optional<FilePaths> paths_;
};

// A change of the data sets or zones alone: only the data part is kept on each side, and its
// sets' rows are shared with the document, not copied.
class DataStep : public QUndoCommand {
  public:
    DataStep(Document& document, data::DataPart before, data::DataPart after, const char16_t* text)
        : QUndoCommand(dialogs::message(text)),
          document_(document),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void redo() override { document_.replaceData(after_); }
    void undo() override { document_.replaceData(before_); }

  private:
    Document& document_;
    data::DataPart before_;
    data::DataPart after_;
};

Document::Document(const chart::Settings& settings, QString recoveryFile, QObject* parent)
    : QObject(parent),
      state_{.work = {}, .settings = settings, .carried = {}, .data = {}},
      recoveryFile_(std::move(recoveryFile)) {
    history_.setUndoLimit(kUndoSteps);
    recoveryTimer_.setSingleShot(true);
    recoveryTimer_.setInterval(kRecoveryPauseMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &Document::writeRecovery);
    connect(&history_, &QUndoStack::indexChanged, this, &Document::afterChange);
    connect(&history_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        emit cleanChanged(clean);
        scheduleRecovery();
    });
}

Document::~Document() {
    // The history empties itself when it goes, which is no change to keep.
    disconnect(&history_, nullptr, this, nullptr);
    if (recoveryTimer_.isActive()) {
        recoveryTimer_.stop();
        waitForWriter();
        writeRecovery();
    }
    waitForWriter();
}

DialogMemory Document::dialogMemory() const {
    DialogMemory memory = state_.carried;
    bool point = false;
    bool pointOne = false;
    const std::vector<chart::Entry>& entries = state_.work.entries;
    for (auto e = entries.rbegin(); e != entries.rend() && !(point && pointOne); ++e) {
        if (e->states.empty()) {
            continue;
        }
        if (!point && e->kind == chart::EntryKind::Point) {
            memory.pointCount =
                static_cast<float>(chart::valueOf(e->results, "number").value_or(0.0));
            memory.lastPoint = e->states[0].at;
            point = true;
        } else if (!pointOne && e->kind == chart::EntryKind::ProcessStart) {
            memory.pointOne = *e;
            pointOne = true;
        }
    }
    return memory;
}

void Document::addEntry(const chart::Entry& entry) {
    history_.push(new AppendStep(*this, entry));
}

void Document::drawChart() {
    DocumentState next{
        .work = {.chartDrawn = true, .entries = {}, .settings = std::nullopt, .title = {}},
        .settings = state_.settings,
        .carried = dialogMemory(),
        .data = state_.data};
    pushReplacement(std::move(next), words::kStepDrawChart);
}

void Document::changeSettings(const chart::Settings& settings) {
    if (settings == state_.settings) {
        return;
    }
    // Marks stand where the old pressure put them: they go with the old chart, and so does a
    // point 1 waiting for its point 2.
    const DialogMemory memory = dialogMemory();
    DocumentState next{.work = {.chartDrawn = state_.work.chartDrawn,
                                .entries = {},
                                .settings = std::nullopt,
                                .title = {}},
                       .settings = settings,
                       .carried = {.pointCount = memory.pointCount,
                                   .lastPoint = memory.lastPoint,
                                   .pointOne = std::nullopt},
                       .data = state_.data};
    pushReplacement(std::move(next), words::kStepSettings);
}

void Document::open(chart::MarkedWork work, data::DataPart data, const QString& path) {
    const chart::Settings settings = work.settings.value_or(state_.settings);
    work.settings.reset();
    pushReplacement(
        {.work = std::move(work), .settings = settings, .carried = {}, .data = std::move(data)},
        words::kStepOpen, path);
    history_.setClean();
}

void Document::recover(chart::MarkedWork work, data::DataPart data) {
    const chart::Settings settings = work.settings.value_or(state_.settings);
    work.settings.reset();
    pushReplacement(
        {.work = std::move(work), .settings = settings, .carried = {}, .data = std::move(data)},
        words::kStepRecover);
}

void Document::changeData(data::DataPart data, const char16_t* text) {
    if (data == state_.data) {
        return;
    }
    history_.push(new DataStep(*this, state_.data, std::move(data), text));
}

void Document::pushReplacement(DocumentState next, const char16_t* text,
                               std::optional<QString> path) {
    // The state on screen moves into the step rather than being copied.
    DocumentState before = std::move(state_);
    state_ = {
        .work = {.chartDrawn = before.work.chartDrawn, .entries = {}, .settings = {}, .title = {}},
        .settings = before.settings,  // until the step's redo replaces it
        .carried = {},
        .data = before.data};
    std::optional<ReplaceStep::FilePaths> paths;
    if (path) {
        paths = ReplaceStep::FilePaths{.before = filePath_, .after = *path};
    }
    auto* step = new ReplaceStep(*this, std::move(before), std::move(next), text, std::move(paths));
    history_.push(step);
}

chart::MarkedWork Document::savedWork() const {
    chart::MarkedWork saved = state_.work;
    saved.settings = state_.settings;
    return saved;
}

std::expected<void, QString> Document::saveTo(const QString& path) {
    if (auto saved = saveProject(path, savedWork(), state_.data); !saved) {
        return saved;
    }
    setFilePath(path);
    history_.setClean();
    scheduleRecovery();
    return {};
}

void Document::setFilePath(const QString& path) {
    if (path != filePath_) {
        filePath_ = path;
        emit filePathChanged(filePath_);
    }
}

void Document::append(const chart::Entry& entry) {
    state_.work.entries.push_back(entry);
    emit entryAdded(state_.work.entries.back());
}

void Document::removeLast() {
    if (state_.work.entries.empty()) {
        return;
    }
    state_.work.entries.pop_back();
    emit lastEntryRemoved();
}

void Document::replace(const DocumentState& state) {
    const bool newSettings = !(state.settings == state_.settings);
    const bool newData = !(state.data == state_.data);
    state_ = state;
    if (newSettings) {
        emit settingsChanged(state_.settings);
    }
    emit stateReplaced();
    // After the picture is made anew, which draws the zones with it.
    if (newData) {
        emit dataChanged();
    }
}

void Document::replaceData(const data::DataPart& data) {
    state_.data = data;
    emit dataChanged();
}

bool Document::hasWork() const {
    return !state_.work.entries.empty() || !state_.data.empty();
}

void Document::afterChange() {
    emit changed();
    scheduleRecovery();
}

// Unsaved work with entries is kept on disk a short pause after it changed, by a writer of its
// own, so that a step never waits for the disk; anything else is nothing to recover.
void Document::scheduleRecovery() {
    if (isClean() || !hasWork()) {
        recoveryTimer_.stop();
        waitForWriter();
        QFile::remove(recoveryFile_);
        return;
    }
    if (!recoveryTimer_.isActive()) {
        recoveryTimer_.start();
    }
}

void Document::writeRecovery() {
    if (writer_.isRunning()) {
        recoveryTimer_.start();  // the last write is still going: try again after a pause
        return;
    }
    // The writer gets its own copy: the work on screen may change while it writes.
    // The data sets' rows are shared, never changed, so the writer may read them as they are.
    writer_ = QtConcurrent::run([path = recoveryFile_, work = savedWork(), data = state_.data] {
        (void)saveProject(path, work, data);  // best effort: the work on screen is not at stake
    });
}

void Document::waitForWriter() {
    writer_.waitForFinished();
}

void Document::keepRecoveryNow() {
    const bool waiting = recoveryTimer_.isActive();
    recoveryTimer_.stop();
    waitForWriter();
    if (isClean() || !hasWork()) {
        QFile::remove(recoveryFile_);
        return;
    }
    if (waiting || !QFile::exists(recoveryFile_)) {
        writeRecovery();
        waitForWriter();
    }
}

}  // namespace app
