#pragma once

#include <array>

#include "dialogs/chart_dialog.h"

class QLineEdit;

namespace chart {
class Picture;
}

namespace dialogs {

class Messenger;

// `Form5`, "PMV": the predicted mean vote and percentage dissatisfied of a room from six
// conditions; the room air (temperature and relative humidity) is marked on the chart.
class PmvDialog : public ChartDialog {
    Q_OBJECT
  public:
    PmvDialog(Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's PMV command does: show the dialog, bring it forward and enable the
    // six input boxes.
    void showFromMenu();

  private:
    void calculate();       // Command1
    void clear() override;  // Command2
    [[nodiscard]] std::array<QLineEdit*, 6> inputs() const;

    QLineEdit* Text1 = nullptr;  // air temperature ta, °C
    QLineEdit* Text2 = nullptr;  // relative humidity rh, %
    QLineEdit* Text3 = nullptr;  // air velocity vel, m/s
    QLineEdit* Text4 = nullptr;  // mean radiant temperature tr, °C
    QLineEdit* Text5 = nullptr;  // clothing clo
    QLineEdit* Text6 = nullptr;  // metabolic rate act, met
    QLineEdit* Text9 = nullptr;  // PMV
    QLineEdit* Text7 = nullptr;  // PPD
};

// `Form6`, "不快指数": the discomfort index of air from its dry-bulb and wet-bulb temperatures,
// the share of people who feel discomfort, and the air marked on the chart.
class DiscomfortDialog : public ChartDialog {
    Q_OBJECT
  public:
    DiscomfortDialog(Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's discomfort command does: show the dialog, bring it forward and enable
    // `Text1`, `Text2`, `Text9` and `Text7`.
    void showFromMenu();

  private:
    void calculate();       // Command1
    void clear() override;  // Command2

    QLineEdit* Text1 = nullptr;  // dry bulb t
    QLineEdit* Text2 = nullptr;  // wet bulb t′
    QLineEdit* Text9 = nullptr;  // index
    QLineEdit* Text7 = nullptr;  // share, %
};

}  // namespace dialogs
