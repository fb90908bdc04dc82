#include "dialogs/controls.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dialogs {

QFrame* makeSeparator(QWidget* parent, const char* name, double x1, double x2, double y) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setGeometry(twipsToPixels(x1), twipsToPixels(y), twipsToPixels(x2 - x1), 1);
    return line;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setGeometry(rect);
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(rect);
    return frame;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    return label;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, const QString& text, QRect rect) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(rect);
    return box;
}

void setDialogDefaults(QDialog* dialog, const char* name, double width, double height) {
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    dialog->setModal(false);
    dialog->setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

void bringForward(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace dialogs
