#include "dialogs/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace dialogs {

void MessageBoxes::present(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
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

}  // namespace dialogs
