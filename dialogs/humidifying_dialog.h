#pragma once

#include <QString>
#include <array>

#include "dialogs/process_parts.h"
#include "psychro/humidifying.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace chart {
class Picture;
}

namespace dialogs {

class Messenger;

// `Form7`: humidifying with steam ("蒸気加湿") or a water spray ("水噴霧加湿"), one dialog for both
// as `Form3` serves mixing and cooling. State 1 in the panel of `Frame1`, the air quantity
// `Text7`, the steam or water temperature `Text8` and the relative humidity to reach `Text10`;
// "計算" sizes the humidifier and shows, in `Frame4` in place of the panel, the water it adds
// (`Text9`, kg/h) and the state after it (`Label11` t, `Label12` x, `Label13` φ).
class HumidifyingDialog : public ProcessDialog {
    Q_OBJECT
  public:
    HumidifyingDialog(Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's two humidifying commands do.
    void showForSteam();
    void showForWaterSpray();

  private:
    void prepare(psychro::Humidifier kind);
    void calculate();  // Command1

    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text10 = nullptr;

    psychro::Humidifier kind_ = psychro::Humidifier::Steam;
    // Each kind keeps its own temperature text while the other is shown.
    std::array<QString, 2> temperatureTexts_;
};

}  // namespace dialogs
