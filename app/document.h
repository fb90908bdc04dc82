#pragma once

#include <QFuture>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUndoStack>
#include <expected>
#include <optional>

#include "chart/marked_work.h"
#include "chart/settings.h"
#include "data/data_part.h"

// The work the user is doing: the marked work, the settings it is shown at, its history of
// steps, the file it belongs to and the recovery file that keeps it while unsaved. The main
// window shows a document; the dialogs' presses become its entries.
namespace app {

// The file that keeps unsaved work between sessions, in the user's data folder.
[[nodiscard]] QString recoveryPath();

// What the dialogs carry from one press to the next: the number of the last numbered point and
// where it stands (the next one is joined to it), and point 1 of a mixing or cooling still
// waiting for its point 2 (the entry that marked it). All come from the entries, so that undo
// and open move them; a chart drawing keeps them, as the dialogs always have.
struct DialogMemory {
    float pointCount = 0.0F;
    std::optional<chart::PointMm> lastPoint;
    std::optional<chart::Entry> pointOne;

    bool operator==(const DialogMemory&) const = default;
};

// Everything one step of the history restores.
struct DocumentState {
    chart::MarkedWork work;  // its own `settings` unused: the document's are below
    chart::Settings settings;
    DialogMemory carried;  // the memory from before the last chart drawing
    data::DataPart data;   // its sets' rows shared, never copied, by every step

    bool operator==(const DocumentState&) const = default;
};

class Document : public QObject {
    Q_OBJECT
  public:
    static constexpr int kUndoSteps = 200;
    // How long the recovery file waits after the first unsaved change before it is written.
    static constexpr int kRecoveryPauseMs = 1000;

    // An empty document at `settings`, kept while unsaved in `recoveryFile` (none when empty).
    Document(const chart::Settings& settings, QString recoveryFile, QObject* parent = nullptr);
    // Writes the recovery file of unsaved work that is still waiting for its pause.
    ~Document() override;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    [[nodiscard]] const chart::MarkedWork& work() const { return state_.work; }
    [[nodiscard]] const chart::Settings& settings() const { return state_.settings; }
    [[nodiscard]] const data::DataPart& data() const { return state_.data; }
    // The memory the dialogs continue from: of the last entries that give it, else carried.
    [[nodiscard]] DialogMemory dialogMemory() const;
    [[nodiscard]] QUndoStack& history() { return history_; }
    [[nodiscard]] const QString& filePath() const { return filePath_; }
    // Nothing changed since the last save or open (or since the start).
    [[nodiscard]] bool isClean() const { return history_.isClean(); }

    // The steps, each undone as one: a dialog's press ("点の記入"), a chart drawing, which
    // removes the entries, and a settings change, which removes them too and draws the chart
    // again if it was drawn.
    void addEntry(const chart::Entry& entry);
    void drawChart();
    void changeSettings(const chart::Settings& settings);
    // The work of a file (or of the recovery file) with the settings it was saved under, when
    // it has them; the dialog memory starts from its entries.
    void open(chart::MarkedWork work, data::DataPart data, const QString& path);
    void recover(chart::MarkedWork work, data::DataPart data);
    // The data sets and zones become `data`, one step named `text` ("データを重ねる" …); the
    // marks stay. Nothing when `data` is what the document has.
    void changeData(data::DataPart data, const char16_t* text);

    // The work as a file holds it: stamped with the document's settings.
    [[nodiscard]] chart::MarkedWork savedWork() const;
    // Writes the work to `path` and makes it the document's file; the document is clean.
    [[nodiscard]] std::expected<void, QString> saveTo(const QString& path);

    // Brings the recovery file up to date now and waits for it: written when there is unsaved
    // work with entries, removed otherwise.
    void keepRecoveryNow();
    [[nodiscard]] const QString& recoveryFile() const { return recoveryFile_; }

  signals:
    // `entry` was appended (a press, or a redo of one).
    void entryAdded(const chart::Entry& entry);
    // The last entry was taken back.
    void lastEntryRemoved();
    // The whole state changed: drawn, opened, settings changed, or such a step undone.
    void stateReplaced();
    // The data sets or zones changed (by a data step, or with the whole state).
    void dataChanged();
    void settingsChanged(const chart::Settings& settings);
    void cleanChanged(bool clean);
    void filePathChanged(const QString& path);
    // After every change of the work or settings, once the signals above are out.
    void changed();

  private:
    friend class AppendStep;
    friend class ReplaceStep;
    friend class DataStep;

    void append(const chart::Entry& entry);
    void removeLast();
    void replace(const DocumentState& state);
    void replaceData(const data::DataPart& data);
    // Whether there is anything a recovery file would bring back.
    [[nodiscard]] bool hasWork() const;
    // `path`: the file the step moves the document to (opening), if any.
    void pushReplacement(DocumentState next, const char16_t* text,
                         std::optional<QString> path = std::nullopt);
    void setFilePath(const QString& path);
    void afterChange();

    void scheduleRecovery();
    void writeRecovery();
    void waitForWriter();

    DocumentState state_;
    QUndoStack history_;
    QString filePath_;
    QString recoveryFile_;
    QTimer recoveryTimer_;
    QFuture<void> writer_;
};

}  // namespace app
