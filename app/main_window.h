#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/document.h"
#include "app/work_files.h"
#include "chart/marked_work.h"
#include "chart/picture.h"
#include "chart/settings.h"
#include "data/data_part.h"
#include "render/data_underlay.h"

class QLabel;
class QSettings;

namespace dialogs {
class DiscomfortDialog;
class HeatingDialog;
class DesignDialog;
class HumidifyingDialog;
class Messenger;
class MixingCoolingDialog;
class PmvDialog;
class PointDialog;
class SettingsDialog;
}  // namespace dialogs

namespace app {

class DataDock;
class PictureView;
class ReadoutPanel;
class Scene;
class StateList;

// `Form1`: the chart surface with its readout frame and pressure label, and the menu bar from
// which every command and dialog is reached. It wires them: the work is the document's, files and
// printing are WorkFiles', the readout is ReadoutPanel's.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The settings are read from `store` and written back to it when they change; without a
    // store the window starts at the defaults and keeps its settings to itself.
    explicit MainWindow(dialogs::Messenger& messages, QWidget* parent = nullptr,
                        QSettings* store = nullptr);

    [[nodiscard]] const chart::Picture& picture() const;
    // The picture's one writer: the work, its zones and data underlay, a design's preview.
    [[nodiscard]] Scene& scene() const { return *scene_; }
    // The document shown: its work, settings, history and file.
    [[nodiscard]] Document& document() const { return *document_; }
    // What has been marked since the chart was last drawn, entry by entry; the picture is
    // always drawWork of it.
    [[nodiscard]] const chart::MarkedWork& work() const { return document_->work(); }
    [[nodiscard]] PictureView* pictureView() const { return pictureView_; }
    [[nodiscard]] StateList* stateList() const { return stateList_; }
    [[nodiscard]] DataDock* dataDock() const { return dataDock_; }

    // The document's settings.
    [[nodiscard]] const chart::Settings& settings() const { return document_->settings(); }
    // What "OK" in the settings dialog does: keeps the settings as the user's preference (the
    // starting settings of the next run) and changes the document's, a step that relabels the
    // window and the dialogs and redraws the chart if it is drawn (marks made under the old
    // settings go).
    void applySettings(const chart::Settings& settings);

    // Opening, saving, exporting, printing and copying the work.
    [[nodiscard]] WorkFiles& files() const { return *files_; }
    // Replaces the print dialog step (tests print to a PDF file through it).
    void setPrintDialog(PrintDialogStep dialog) { files_->setPrintDialog(std::move(dialog)); }
    using FileAction = WorkFiles::FileAction;
    using FileChooser = WorkFiles::FileChooser;
    // Tests replace the file dialogs by `chooser`.
    void setFileChooser(FileChooser chooser) { files_->setFileChooser(std::move(chooser)); }
    bool openProject(const QString& path) { return files_->openProject(path); }
    bool save() { return files_->save(); }
    bool saveAs() { return files_->saveAs(); }
    [[nodiscard]] const QString& projectPath() const { return document_->filePath(); }
    bool exportTo(const QString& path) { return files_->exportTo(path); }
    // "計算書を出力": the title block asked for, then the report written to a file chosen.
    void startReport() { files_->startReport(); }
    bool writeReportTo(const QString& path) { return files_->writeReportTo(path); }
    void copyChart() { files_->copyChart(); }
    void copyList() { files_->copyList(); }
    void offerRecovery() { files_->offerRecovery(); }

    // The underlay the view, the printout and the exports paint under the chart.
    [[nodiscard]] render::Underlay dataUnderlay() const;

    // One step back or forward over the marked work; nothing when there is none.
    void undo() { document_->history().undo(); }
    void redo() { document_->history().redo(); }
    [[nodiscard]] bool canUndo() const { return document_->history().canUndo(); }
    [[nodiscard]] bool canRedo() const { return document_->history().canRedo(); }

  signals:
    // The work changed: an entry was marked, the chart drawn, a file opened, a step undone.
    void workChanged();

  protected:
    // Closing the window by its frame ends the program as Exit does: no dialog may keep the
    // program running without its main window.
    void closeEvent(QCloseEvent* event) override;
    // The arrow keys walk the readout's cross-hair (ReadoutPanel::walk).
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The menu tree, from one table of its rows.
    void buildMenus();
    void showVersion();

    // The dialogs of the Calc and Draw menus, each created on first use and kept.
    template <typename Dialog>
    Dialog* kept(Dialog*& form);

    void showSettings();
    // The pressure label and the readout for the settings in use.
    void showSettingsInLabels();

    // The document's changes on screen (the picture is the scene's to follow).
    void followDocument();
    void adoptSettings(const chart::Settings& settings);
    // The dialogs continue from the document's point counter and point 1.
    void showDialogMemory();
    // "湿りミルテン" alone, or the file's name (or 無題) with the modified mark.
    void showTitle();

    dialogs::Messenger& messages_;
    QSettings* store_ = nullptr;
    Document* document_ = nullptr;
    Scene* scene_ = nullptr;
    PictureView* pictureView_ = nullptr;  // `Picture1`
    WorkFiles* files_ = nullptr;
    StateList* stateList_ = nullptr;
    DataDock* dataDock_ = nullptr;
    ReadoutPanel* readout_ = nullptr;  // `Frame1`
    QLabel* pressureLabel_ = nullptr;  // `Label20`
    // The dialogs: the design's Form2 … Form7, the air-handler design and the settings.
    dialogs::PointDialog* pointDialog_ = nullptr;
    dialogs::MixingCoolingDialog* mixingCoolingDialog_ = nullptr;
    dialogs::HeatingDialog* heatingDialog_ = nullptr;
    dialogs::PmvDialog* pmvDialog_ = nullptr;
    dialogs::DiscomfortDialog* discomfortDialog_ = nullptr;
    dialogs::HumidifyingDialog* humidifyingDialog_ = nullptr;
    dialogs::DesignDialog* designDialog_ = nullptr;
    dialogs::SettingsDialog* settingsDialog_ = nullptr;
};

}  // namespace app
