#include "dialogs/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace dialogs {

void MessageBoxes::present(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool MessageBoxes::question(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QStringList RecordedMessages::texts() const {
    QStringList list;
    for (const Message& m : messages_) {
        list << m.text;
    }
    return list;
}

void RecordedMessages::present(const QString& title, const QString& text) {
    messages_.push_back({title, text});
}

bool RecordedMessages::question(const QString& title, const QString& text) {
    messages_.push_back({title, text});
    return answer_;
}

}  // namespace dialogs
