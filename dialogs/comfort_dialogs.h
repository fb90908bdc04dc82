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

// The messages of the two comfort dialogs.
inline constexpr char16_t kSixConditionsEmpty[] = u"六つの計算条件を全部入力しましたか。";
inline constexpr char16_t kTwoConditionsEmpty[] = u"二つの計算条件を全部入力しましたか。";
inline constexpr char16_t kNegativeAirVelocity[] = u"空気流速には0以上の値を入力してください。";
inline constexpr char16_t kNegativeClothing[] = u"着衣量には0以上の値を入力してください。";
inline constexpr char16_t kNonPositiveMetabolicRate[] =
    u"代謝量には0より大きい値を入力してください。";
inline constexpr char16_t kHumidityOutOfRange[] =
    u"相対湿度には0から100までの値を入力してください。";
inline constexpr char16_t kAirBelowAbsoluteZero[] = u"温度には-273℃より高い値を入力してください。";
inline constexpr char16_t kRadiantBelowAbsoluteZero[] =
    u"放射温度には-273℃より高い値を入力してください。";
inline constexpr char16_t kPmvNoConvergence[] =
    u"着衣の表面温度が求まりませんでした。計算条件を確かめてください。";
inline constexpr char16_t kPmvNoResult[] = u"この計算条件ではPMVが求まりません。";
inline constexpr char16_t kRoomAirNoState[] = u"この温度と相対湿度では空気の状態が求まりません。";
// Shown after the results when the conditions or the vote leave ISO 7730's ranges; %1 lists
// them.
inline constexpr char16_t kOutsideIsoRanges[] =
    u"次の値がISO 7730の適用範囲の外にあります：%1。表示したPMVとPPDは範囲外への外挿による"
    u"参考値です。";
inline constexpr char16_t kWetBulbAboveDryBulb[] = u"湿球温度には温度以下の値を入力してください。";
inline constexpr char16_t kWetBulbAtBoiling[] = u"湿球温度には100℃未満の値を入力してください。";
inline constexpr char16_t kNegativeHumidity[] =
    u"この温度と湿球温度では絶対湿度が負になります。湿球温度を確かめてください。";
inline constexpr char16_t kDiscomfortNoState[] =
    u"この温度と湿球温度では空気の状態が求まりません。";

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
