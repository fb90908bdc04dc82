#include "dialogs/process_dialogs.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "chart/picture.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/state_input_panel.h"

namespace dialogs {
namespace {

void setDialogDefaults(QDialog* dialog, const char* name, double width, double height) {
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    dialog->setModal(false);
    dialog->setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

// The load box: large red figures.
QLineEdit* makeLoadBox(QGroupBox* frame) {
    QLineEdit* box =
        makeTextBox(frame, "Text9", QStringLiteral("0"), twipsRect(120, 240, 1815, 390));
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setBold(true);
    box->setFont(font);
    QPalette palette = box->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, QColor(255, 0, 0));
    }
    box->setPalette(palette);
    return box;
}

void bringForward(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace

MixingCoolingDialog::MixingCoolingDialog(chart::Picture& picture, Messenger& messages,
                                         QWidget* parent)
    : QDialog(parent), picture_(picture), messages_(messages) {
    setDialogDefaults(this, "Form3", 3075, 3900);

    Frame1 = makeFrame(this, "Frame1", QStringLiteral("空気状態"), twipsRect(0, 0, 3015, 2535));
    Frame4 = makeFrame(this, "Frame4", QStringLiteral("冷却量"), twipsRect(120, 840, 2775, 855));
    Text9 = makeLoadBox(Frame4);
    Label9 = makeLabel(Frame4, "Label9", QStringLiteral("kcal/h"), twipsRect(2040, 360, 615, 240));
    Frame4->hide();

    Frame2 = makeFrame(this, "Frame2", QStringLiteral("空気量"), twipsRect(120, 2640, 1695, 615));
    Text7 = makeTextBox(Frame2, "Text7", QStringLiteral("0"), twipsRect(120, 240, 855, 270));
    Label7 = makeLabel(Frame2, "Label7", QStringLiteral("kg/h"), twipsRect(1080, 240, 495, 240));

    panel_ = new StateInputPanel(Frame1, PanelHost::ProcessDialog, Text7);

    Command2 =
        makeButton(this, "Command2", QStringLiteral("クリア"), twipsRect(2040, 2760, 855, 375));
    Line1 = makeSeparator(this, "Line1", 120, 3000, 3360);
    QPalette white = Line1->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Line1->setPalette(white);
    Command1 =
        makeButton(this, "Command1", QStringLiteral("点1確定"), twipsRect(120, 3480, 855, 375));
    Command4 =
        makeButton(this, "Command4", QStringLiteral("点2確定"), twipsRect(1080, 3480, 855, 375));
    Command3 =
        makeButton(this, "Command3", QStringLiteral("閉じる"), twipsRect(2040, 3480, 855, 375));
}

void MixingCoolingDialog::showForMixing() {
    prepare(QStringLiteral("混合"));
}

void MixingCoolingDialog::showForCooling() {
    prepare(QStringLiteral("冷却"));
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command3->setEnabled(true);
}

// The steps both openings share. Neither touches the check boxes, the texts or `Frame2`; the
// mixing opening leaves `Command1` as it was.
void MixingCoolingDialog::prepare(const QString& caption) {
    bringForward(this);
    setWindowTitle(caption);
    panel_->disableTexts();
    Text7->setEnabled(false);
    Command4->setEnabled(false);
    Frame1->show();
    Frame4->hide();
}

std::expected<ProcessIh, IhFailure> MixingCoolingDialog::ih() const {
    return ihProcessForm(*panel_, messages_);
}

HeatingDialog::HeatingDialog(chart::Picture& picture, Messenger& messages, QWidget* parent)
    : QDialog(parent), picture_(picture), messages_(messages) {
    setDialogDefaults(this, "Form4", 3045, 3900);
    setWindowTitle(QStringLiteral("加熱"));

    Frame1 = makeFrame(this, "Frame1", QStringLiteral("空気状態点1"), twipsRect(0, 0, 3015, 2535));
    Frame4 = makeFrame(this, "Frame4", QStringLiteral("加熱量"), twipsRect(120, 1080, 2775, 855));
    Text9 = makeLoadBox(Frame4);
    Label9 = makeLabel(Frame4, "Label9", QStringLiteral("kcal/h"), twipsRect(2040, 360, 615, 240));
    Frame4->hide();

    Frame2 = makeFrame(this, "Frame2", QStringLiteral("空気量"), twipsRect(0, 2640, 1455, 615));
    Text7 = makeTextBox(Frame2, "Text7", QStringLiteral("0"), twipsRect(120, 240, 855, 270));
    Label7 = makeLabel(Frame2, "Label7", QStringLiteral("kg/h"), twipsRect(1080, 240, 375, 240));
    Frame3 = makeFrame(this, "Frame3", QStringLiteral("点2"), twipsRect(1560, 2640, 1455, 615));
    Text8 = makeTextBox(Frame3, "Text8", QStringLiteral("0"), twipsRect(120, 240, 855, 270));
    Label8 = makeLabel(Frame3, "Label8", QStringLiteral("℃"), twipsRect(1080, 240, 255, 240));

    panel_ = new StateInputPanel(Frame1, PanelHost::ProcessDialog, Text7);

    Command1 = makeButton(this, "Command1", QStringLiteral("計算"), twipsRect(120, 3480, 855, 375));
    Command2 =
        makeButton(this, "Command2", QStringLiteral("クリア"), twipsRect(1080, 3480, 855, 375));
    Command3 =
        makeButton(this, "Command3", QStringLiteral("閉じる"), twipsRect(2040, 3480, 855, 375));
}

void HeatingDialog::showForHeating() {
    bringForward(this);
    panel_->disableTexts();
    Frame4->hide();
}

std::expected<ProcessIh, IhFailure> HeatingDialog::ih() const {
    return ihProcessForm(*panel_, messages_);
}

}  // namespace dialogs
