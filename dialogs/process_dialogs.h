#pragma once

#include <QDialog>
#include <expected>

#include "dialogs/ih.h"

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

// `Form3`: mixing (`CalcMode` 3, "混合") and cooling (`CalcMode` 5, "冷却") of air streams.
// The state panel sits in `Frame1`, the air quantity `Text7` in `Frame2`; `Frame4` with the
// cooling load `Text9` takes `Frame1`'s place while a load is shown.
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
    void pictureChanged();

  private:
    void prepare(const QString& caption);

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

  private:
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
};

}  // namespace dialogs
