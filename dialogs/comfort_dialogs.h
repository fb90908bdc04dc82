#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace chart {
class Picture;
}

namespace dialogs {

class Messenger;

// `Form5`, "PMV": the predicted mean vote and percentage dissatisfied of a room from six
// conditions; the room air (temperature and relative humidity) is marked on the chart.
class PmvDialog : public QDialog {
    Q_OBJECT
  public:
    PmvDialog(chart::Picture& picture, Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's PMV command does: show the dialog, bring it forward and enable the
    // six input boxes.
    void showFromMenu();

  signals:
    // A mark was added to the picture; the view should repaint.
    void pictureChanged();

  public slots:
    // Closing by the window frame or Esc does what "閉じる" does.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void calculate();  // Command1
    void clear();      // Command2
    [[nodiscard]] std::array<QLineEdit*, 6> inputs() const;

    chart::Picture& picture_;
    Messenger& messages_;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;  // air temperature ta, °C
    QLineEdit* Text2 = nullptr;  // relative humidity rh, %
    QLineEdit* Text3 = nullptr;  // air velocity vel, m/s
    QLineEdit* Text4 = nullptr;  // mean radiant temperature tr, °C
    QLineEdit* Text5 = nullptr;  // clothing clo
    QLineEdit* Text6 = nullptr;  // metabolic rate act, met
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text9 = nullptr;  // PMV
    QGroupBox* Frame3 = nullptr;
    QLineEdit* Text7 = nullptr;  // PPD
    QLabel* Label13 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

// `Form6`, "不快指数": the discomfort index of air from its dry-bulb and wet-bulb temperatures,
// the share of people who feel discomfort, and the air marked on the chart.
class DiscomfortDialog : public QDialog {
    Q_OBJECT
  public:
    DiscomfortDialog(chart::Picture& picture, Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's discomfort command does: show the dialog, bring it forward and enable
    // `Text1`, `Text2`, `Text9` and `Text7`.
    void showFromMenu();

  signals:
    void pictureChanged();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void calculate();  // Command1
    void clear();      // Command2

    chart::Picture& picture_;
    Messenger& messages_;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;  // dry bulb t
    QLineEdit* Text2 = nullptr;  // wet bulb t′
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text9 = nullptr;  // index
    QGroupBox* Frame3 = nullptr;
    QLineEdit* Text7 = nullptr;  // share, %
    QLabel* Label13 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

}  // namespace dialogs
