#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "chart/marked_work.h"
#include "dialogs/chart_dialog.h"

class QGroupBox;
class QLineEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace dialogs {

class Messenger;
class StateInputPanel;

// One figure of a design as the dialog and the state list show it.
struct DesignFigure {
    QString caption;  // "送風量"
    QString value;    // rounded as the program shows it
    QString unit;     // "kg(DA)/h"; empty for SHF and BF
};

// The figures of a design entry (chart/design_entry.h) in `units`: SHF, air quantity, supply
// volume, then ADP temperature, BF, coil load, dehumidified water and reheat load (cooling) or
// heater load and humidifier water (heating), and the outdoor-air load.
[[nodiscard]] std::vector<DesignFigure> designFigures(const chart::Entry& entry,
                                                      chart::Units units);

// `FormDesign`: "空調設計". The room state (`FrameRoom`) and the outdoor state (`FrameOutdoor`)
// each in a two-of-six panel; the loads `TextQs`, `TextQl` in the units in use, the outdoor-air
// ratio `TextK` (%), the supply temperature difference `TextDt` (K); 冷房/暖房
// (`OptionCool`, `OptionHeat`); for cooling the coil without reheat or with a bypass factor
// (`OptionNoReheat`, `OptionReheat`, `TextBf`), for heating steam or water spray with its
// temperature (`OptionSteam`, `OptionSpray`, `TextHum`). "計算" (`Command1`) designs, shows
// every figure in `ResultTable` and marks the cycle as one entry; "閉じる" (`Command3`) hides.
class DesignDialog : public ChartDialog {
    Q_OBJECT
  public:
    DesignDialog(Messenger& messages, QWidget* parent = nullptr);

    void showFromMenu();

    [[nodiscard]] StateInputPanel& roomPanel() { return *roomPanel_; }
    [[nodiscard]] StateInputPanel& outdoorPanel() { return *outdoorPanel_; }

  private:
    void calculate();  // Command1
    void seasonChanged();
    void settingsChanged(const chart::Settings& before) override;
    void showEntry(const chart::Entry& entry);

    StateInputPanel* roomPanel_ = nullptr;
    StateInputPanel* outdoorPanel_ = nullptr;
    QRadioButton* OptionCool = nullptr;
    QRadioButton* OptionHeat = nullptr;
    QLineEdit* TextQs = nullptr;
    QLineEdit* TextQl = nullptr;
    QLineEdit* TextK = nullptr;
    QLineEdit* TextDt = nullptr;
    QLabel* LabelQsUnit = nullptr;
    QLabel* LabelQlUnit = nullptr;
    QGroupBox* FrameCoil = nullptr;
    QRadioButton* OptionNoReheat = nullptr;
    QRadioButton* OptionReheat = nullptr;
    QLineEdit* TextBf = nullptr;
    QGroupBox* FrameHumidifier = nullptr;
    QRadioButton* OptionSteam = nullptr;
    QRadioButton* OptionSpray = nullptr;
    QLineEdit* TextHum = nullptr;
    QTableWidget* ResultTable = nullptr;
    QPushButton* Command1 = nullptr;

    // The last design shown, shown again in new units.
    std::optional<chart::Entry> shown_;
};

}  // namespace dialogs
