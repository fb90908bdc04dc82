#pragma once

#include <QMainWindow>
#include <QString>
#include <optional>
#include <vector>

#include "app/printing.h"
#include "chart/keyboard_steps.h"
#include "chart/picture.h"
#include "chart/settings.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QSettings;

namespace dialogs {
class DiscomfortDialog;
class HeatingDialog;
class HumidifyingDialog;
class Messenger;
class MixingCoolingDialog;
class PmvDialog;
class PointDialog;
class SettingsDialog;
}  // namespace dialogs

namespace app {

class PictureView;

// `Form1`: the chart surface with its readout frame and pressure label, and the menu bar from
// which every command and dialog is reached.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The settings are read from `store` and written back to it when they change; without a
    // store the window starts at the defaults and keeps its settings to itself.
    explicit MainWindow(dialogs::Messenger& messages, QWidget* parent = nullptr,
                        QSettings* store = nullptr);

    [[nodiscard]] chart::Picture& picture() { return picture_; }
    [[nodiscard]] PictureView* pictureView() const { return Picture1; }

    [[nodiscard]] const chart::Settings& settings() const { return settings_; }
    // What "OK" in the settings dialog does: keeps the settings, relabels the window and the
    // dialogs, and redraws the chart if it is drawn (marks made under the old settings go).
    void applySettings(const chart::Settings& settings);

    // Replaces the print dialog step (tests print to a PDF file through it).
    void setPrintDialog(PrintDialogStep dialog) { printDialog_ = std::move(dialog); }

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

    QMenu* addMenu(const char* name, const QString& caption);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
    void addSeparator(QMenu* menu, const char* name);

    dialogs::Messenger& messages_;
    QSettings* store_ = nullptr;
    chart::Settings settings_;
    bool chartDrawn_ = false;
    chart::Picture picture_;
    PrintDialogStep printDialog_;
    PictureView* Picture1 = nullptr;
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
    chart::KeyboardState keyboard_ = chart::kKeyboardStart;
    dialogs::PointDialog* Form2 = nullptr;
    dialogs::MixingCoolingDialog* Form3 = nullptr;
    dialogs::HeatingDialog* Form4 = nullptr;
    dialogs::PmvDialog* Form5 = nullptr;
    dialogs::DiscomfortDialog* Form6 = nullptr;
    dialogs::HumidifyingDialog* Form7 = nullptr;
    dialogs::SettingsDialog* FormSettings = nullptr;
};

}  // namespace app
