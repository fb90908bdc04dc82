#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "chart/marked_work.h"
#include "data/data_part.h"
#include "data/design_conditions.h"
#include "dialogs/chart_dialog.h"

class QComboBox;
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
// temperature (`OptionSteam`, `OptionSpray`, `TextHum`); "気象データの設計条件"
// (`ComboConditions`), the design conditions of the weather data in the work, which fill the
// outdoor panel. "計算" (`Command1`) designs and shows every figure in `ResultTable` and the cycle
// as a preview (previewChanged), marking nothing; "描画(&W)" (`CommandDraw`) designs from the
// boxes as they are and marks the cycle as one entry; "閉じる" (`Command3`) drops the preview and
// hides. A refusal clears the figures and the preview; new settings design again from the boxes.
class DesignDialog : public ChartDialog {
    Q_OBJECT
  public:
    DesignDialog(Messenger& messages, QWidget* parent = nullptr);

    void showFromMenu();

    [[nodiscard]] StateInputPanel& roomPanel() { return *roomPanel_; }
    [[nodiscard]] StateInputPanel& outdoorPanel() { return *outdoorPanel_; }

    // The design conditions offered for the outdoor state, each with the name of the site that
    // gives it; none leaves the choice empty and off.
    struct OfferedCondition {
        QString site;
        data::DesignCondition condition;
    };
    void setDesignConditions(const std::vector<OfferedCondition>& conditions);
    // Offers the design conditions of every weather file among `data`'s sets.
    void offerDesignConditions(const data::DataPart& data);

  signals:
    // The design 計算 shows, to be drawn over the chart without being part of the work; nullopt
    // when there is none (refused, marked by 描画, closed).
    void previewChanged(const std::optional<chart::Entry>& preview);

  protected:
    void closeDialog() override;

  private:
    // Reads every box and designs; on a refusal, when `speak`, says which box and why and puts
    // the focus there. Nothing is shown or marked here.
    std::optional<chart::Entry> design(bool speak);
    void calculate();   // Command1
    void drawDesign();  // CommandDraw
    void clearResults();
    void setPreview(std::optional<chart::Entry> preview);
    void conditionChosen(int index);
    void orderTabsByPanels();
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
    QComboBox* ComboConditions = nullptr;
    QTableWidget* ResultTable = nullptr;
    QPushButton* Command1 = nullptr;

    std::vector<OfferedCondition> conditions_;
    // The design the table shows, shown again in new units; whether it is the preview.
    std::optional<chart::Entry> shown_;
    bool previewing_ = false;
};

}  // namespace dialogs
