#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include "dialogs/state_input_panel.h"

// Drives a panel the way a user does: mouse clicks on check boxes, keystrokes into text boxes.
namespace panel_driver {

inline psychro::Property row(int oneBased) {
    return static_cast<psychro::Property>(oneBased - 1);
}

inline void clickRow(dialogs::StateInputPanel& panel, int oneBased) {
    QTest::mouseClick(panel.check(row(oneBased)), Qt::LeftButton);
}

inline void type(dialogs::StateInputPanel& panel, int oneBased, const QString& text) {
    QLineEdit* box = panel.textBox(row(oneBased));
    box->clear();
    QTest::keyClicks(box, text);
}

}  // namespace panel_driver
