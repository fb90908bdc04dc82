#pragma once

#include <QDialog>
#include <cstdint>
#include <expected>

#include "chart/chart_frame.h"
#include "dialogs/calc_mode.h"
#include "dialogs/ih.h"
#include "words/messages.h"

class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace chart {
class Picture;
}

namespace dialogs {

class Messenger;
class StateInputPanel;

// A load as its text box shows it: floor(Q + 0.5) as a plain whole number, a minus sign for a
// negative load, never "-0".
[[nodiscard]] QString loadText(double kcalPerHour);

// `Form3`: mixing (`CalcMode` 3, "混合") and cooling (`CalcMode` 5, "冷却") of air streams.
// The state panel sits in `Frame1`, the air quantity `Text7` in `Frame2`; `Frame4` with the
// cooling load `Text9` takes `Frame1`'s place while a load is shown. The buttons act in the
// process of the dialog's last opening: another Calc command changing `CalcMode` meanwhile
// (heating) neither stops them nor switches the process under a half-given point 1.
class MixingCoolingDialog : public QDialog {
    Q_OBJECT
  public:
    MixingCoolingDialog(chart::Picture& picture, Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's mixing and cooling commands do after setting `CalcMode`.
    void showForMixing();
    void showForCooling();

    // The air-state solver in its process form.
    [[nodiscard]] std::expected<ProcessIh, IhFailure> ih() const;

    [[nodiscard]] StateInputPanel& panel() { return *panel_; }

  signals:
    // Marks were added to the picture; the view should repaint.
    void pictureChanged();

  public slots:
    // Closing by the window frame or Esc does what "閉じる" does.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void prepare(std::int16_t mode, const QString& caption);
    void acceptPoint1();  // Command1
    void acceptPoint2();  // Command4
    void mix(const ProcessIh& point2, chart::PointMm at);
    void cool(const ProcessIh& point2, chart::PointMm at);
    void clear();        // Command2
    void closeDialog();  // Command3

    chart::Picture& picture_;
    Messenger& messages_;
    StateInputPanel* panel_ = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label9 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* Command2 = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;

    std::int16_t mode_ = kCalcMix;  // kCalcMix or kCalcCool, set by the openings

    // Point 1, kept in single precision from its acceptance until the next one.
    float XPB = 0.0F;  // picture mm
    float YPB = 0.0F;
    float i11 = 0.0F;  // kcal/kg(DA)
    float h11 = 0.0F;  // kg/kg(DA)
    float G1 = 0.0F;   // kg/h
    QString G1Text_;   // `Text7` as it read when G1 was accepted
};

// `Form4`, "加熱": sensible heating of one air stream to the temperature of point 2. The state
// panel sits in `Frame1`, the air quantity `Text7` in `Frame2`, the temperature `Text8` in
// `Frame3`; `Frame4` with the heating load `Text9` takes `Frame1`'s place while a load is shown.
class HeatingDialog : public QDialog {
    Q_OBJECT
  public:
    HeatingDialog(chart::Picture& picture, Messenger& messages, QWidget* parent = nullptr);

    // What the Calc menu's heating command does after setting `CalcMode`.
    void showForHeating();

    [[nodiscard]] std::expected<ProcessIh, IhFailure> ih() const;

    [[nodiscard]] StateInputPanel& panel() { return *panel_; }

  signals:
    void pictureChanged();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void calculate();    // Command1
    void clear();        // Command2
    void closeDialog();  // Command3

    chart::Picture& picture_;
    Messenger& messages_;
    StateInputPanel* panel_ = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label9 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLabel* Label7 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    float XPB = 0.0F;  // point 1 of the last calculation, picture mm
    float YPB = 0.0F;
};

}  // namespace dialogs
