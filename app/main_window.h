#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "app/printing.h"
#include "chart/keyboard_steps.h"
#include "chart/marked_work.h"
#include "chart/picture.h"
#include "chart/settings.h"
#include "data/data_part.h"
#include "render/picture_painter.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
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
class TitleDialog;
}  // namespace dialogs

namespace app {

class DataDock;
class Document;
class PictureView;
class Scene;
class StateList;

// `Form1`: the chart surface with its readout frame and pressure label, and the menu bar from
// which every command and dialog is reached.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The settings are read from `store` and written back to it when they change; without a
    // store the window starts at the defaults and keeps its settings to itself.
    explicit MainWindow(dialogs::Messenger& messages, QWidget* parent = nullptr,
                        QSettings* store = nullptr);

    // The document shown: its work, settings, history and file.
    [[nodiscard]] Document& document() const { return *document_; }
    // What the view shows of the document: its picture, underlay and preview.
    [[nodiscard]] Scene& scene() const { return *scene_; }
    // The scene's picture: always data::drawWork of the document, with the preview over it.
    [[nodiscard]] const chart::Picture& picture() const;
    // What has been marked since the chart was last drawn, entry by entry.
    [[nodiscard]] const chart::MarkedWork& work() const;
    [[nodiscard]] PictureView* pictureView() const { return Picture1; }
    [[nodiscard]] StateList* stateList() const { return stateList_; }
    [[nodiscard]] DataDock* dataDock() const { return dataDock_; }

    // The document's settings.
    [[nodiscard]] const chart::Settings& settings() const;
    // What "OK" in the settings dialog does: keeps the settings as the user's preference (the
    // starting settings of the next run) and changes the document's, a step that relabels the
    // window and the dialogs and redraws the chart if it is drawn (marks made under the old
    // settings go).
    void applySettings(const chart::Settings& settings);

    // Replaces the print dialog step (tests print to a PDF file through it).
    void setPrintDialog(PrintDialogStep dialog) { printDialog_ = std::move(dialog); }

    // The step that asks for a file name: a project to open, to save under, or a file to export
    // to, starting from `suggested`; an empty name cancels. Tests replace the file dialog by it.
    enum class FileAction { Open, Save, Export, Data, Report };
    using FileChooser = std::function<QString(FileAction action, const QString& suggested)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Opens the project file at `path`: the chart and its entries replace the work on screen,
    // which stays as it was when the file is refused (a message says why). True when opened.
    bool openProject(const QString& path);
    // "上書き保存" and "名前を付けて保存": true when the work was written.
    bool save();
    bool saveAs();
    [[nodiscard]] const QString& projectPath() const;

    // "エクスポート": the chart as PDF, SVG or PNG (by the painter milten-cli uses) or the list
    // as CSV, by the file's extension; true when written.
    bool exportTo(const QString& path);
    // "計算書を出力": the title block dialog first; its OK keeps the title (a step when it
    // changed) and asks for the file, written by writeReportTo.
    void startReport();
    // The calculation report of the work on screen, the chart as printed on its first page, as
    // PDF or HTML by the file's extension; true when written, else a message says why.
    bool writeReportTo(const QString& path);
    // "線図をコピー" (an image, and SVG) and "一覧をコピー" (tab-separated text).
    void copyChart();
    void copyList();

    // The underlay the view, the printout and the exports paint under the chart.
    [[nodiscard]] render::Underlay dataUnderlay() const;

    // One step back or forward over the marked work; nothing when there is none.
    void undo();
    void redo();
    [[nodiscard]] bool canUndo() const;
    [[nodiscard]] bool canRedo() const;

    // At start: a recovery file left by a session that ended with unsaved work is offered
    // back through the messenger's question; declined, it is removed.
    void offerRecovery();

  signals:
    // The work changed: an entry was marked, the chart drawn, a file opened, a step undone.
    void workChanged();

  protected:
    // Closing the window by its frame ends the program as Exit does: no dialog may keep the
    // program running without its main window.
    void closeEvent(QCloseEvent* event) override;
    // The arrow keys walk a cross-hair over the chart by 0.1 °C (left, right) and 0.0001
    // kg/kg(DA) (up, down), ten times that with Shift; the readout follows it.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildMenus();
    void buildReadoutFrame();
    void showVersion();
    // Writes the air state at picture point (X, Y) mm into the six value labels and their
    // accessible names.
    void showReadout(float X, float Y);
    void pointerOverPicture(float X, float Y);

    // The dialogs of the Calc and Draw menus, each created on first use and kept.
    void connectDialogMenus();
    template <typename Dialog>
    Dialog* kept(Dialog*& form);

    void drawChart();
    void printChart();
    void showSettings();
    // Label20 and the readout's enthalpy unit for the settings in use.
    void showSettingsInLabels();
    void chooseAndOpen();
    bool saveTo(const QString& path);

    // The document's changes in the menus, labels, title and dialogs (the scene draws them).
    void followDocument();
    void adoptSettings(const chart::Settings& settings);
    // The dialogs continue from the document's point counter and point 1.
    void showDialogMemory();
    // "湿りミルテン" alone, or the file's name (or 無題) with the modified mark.
    void showTitle();

    QMenu* addMenu(const char* name, const QString& caption);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
    void addSeparator(QMenu* menu, const char* name);

    dialogs::Messenger& messages_;
    QSettings* store_ = nullptr;
    Document* document_ = nullptr;
    Scene* scene_ = nullptr;
    QAction* undoItem_ = nullptr;
    QAction* redoItem_ = nullptr;
    PrintDialogStep printDialog_;
    FileChooser chooseFile_;
    PictureView* Picture1 = nullptr;
    StateList* stateList_ = nullptr;
    DataDock* dataDock_ = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label20 = nullptr;
    // Value labels of the readout, as the design numbers them.
    QLabel* Label3 = nullptr;  // dry-bulb temperature
    QLabel* Label4 = nullptr;  // enthalpy
    QLabel* Label5 = nullptr;  // absolute humidity
    QLabel* Label6 = nullptr;  // relative humidity
    QLabel* Label7 = nullptr;  // specific volume
    QLabel* Label8 = nullptr;  // wet-bulb temperature
    QLabel* Label9 = nullptr;  // the enthalpy's unit
    struct Readout {
        QLabel* label;
        QString caption;
        QLabel* unit;  // its text follows the units in use
    };
    std::vector<Readout> readouts_;
    std::optional<chart::PointMm> lastPointer_;  // where the pointer last was on the picture
    std::optional<chart::PointMm> readoutAt_;    // the point the readout shows
    chart::KeyboardState keyboard_ = chart::kKeyboardStart;
    dialogs::PointDialog* Form2 = nullptr;
    dialogs::MixingCoolingDialog* Form3 = nullptr;
    dialogs::HeatingDialog* Form4 = nullptr;
    dialogs::PmvDialog* Form5 = nullptr;
    dialogs::DiscomfortDialog* Form6 = nullptr;
    dialogs::HumidifyingDialog* Form7 = nullptr;
    dialogs::DesignDialog* FormDesign = nullptr;
    dialogs::SettingsDialog* FormSettings = nullptr;
    dialogs::TitleDialog* FormTitle = nullptr;
};

}  // namespace app
