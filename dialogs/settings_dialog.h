#pragma once

#include <QDialog>

#include "chart/settings.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace dialogs {

class Messenger;

// `FormSettings`, "設定": the units figures are shown in and the pressure the chart is drawn for,
// given in mmHg, in kPa or as an altitude. "OK" checks the pressure and hands the new settings
// on (a refused one is explained and nothing changes), "キャンセル" drops the edits, "標準に戻す"
// puts the defaults into the controls for "OK" to take. Choosing another pressure unit converts
// the number shown into it; Enter presses "OK" from any control but another button.
class SettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SettingsDialog(Messenger& messages, QWidget* parent = nullptr);

    // Shows the dialog with its controls set to `settings`, and brings it forward.
    void showFor(const chart::Settings& settings);

  signals:
    // "OK" with settings that passed every check.
    void settingsChosen(const chart::Settings& settings);

  private:
    void fill(const chart::Settings& settings);
    [[nodiscard]] psychro::PressureUnit pressureUnit() const;
    // Labels the unit chosen and shows the pressure last typed or filled in it.
    void showPressureUnit();
    void accept() override;
    void keyPressEvent(QKeyEvent* event) override;

    // The pressure as the user last gave it; every unit shown is converted from it, so that
    // switching back and forth changes nothing.
    struct Given {
        psychro::PressureUnit unit;
        QString text;
    };
    Given given_{psychro::PressureUnit::MmHg, QString()};
    psychro::PressureUnit shownUnit_ = psychro::PressureUnit::MmHg;
    QString written_;  // what the dialog itself last wrote into `Text1`

    Messenger& messages_;
    QRadioButton* Option1 = nullptr;  // 工学単位（kcal）
    QRadioButton* Option2 = nullptr;  // SI単位（kJ）
    QRadioButton* Option3 = nullptr;  // mmHg
    QRadioButton* Option4 = nullptr;  // kPa
    QRadioButton* Option5 = nullptr;  // 標高
    QLineEdit* Text1 = nullptr;       // the pressure or altitude
    QLabel* Label1 = nullptr;         // its unit
};

}  // namespace dialogs
