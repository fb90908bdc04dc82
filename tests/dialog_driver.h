#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTest>
#include <string>
#include <vector>

#include "dialogs/state_input_panel.h"

// Drives dialogs the way a user does (mouse clicks on buttons and check boxes, keystrokes into
// text boxes) and checks their layouts. Free of GoogleTest, so that the guide's picture tool
// drives the dialogs with the same steps: each step says whether its control was there.
namespace dialog_driver {

// The descendant of `parent` named `name`, or nullptr.
template <typename Widget>
[[nodiscard]] Widget* child(const QObject& parent, const char* name) {
    return parent.findChild<Widget*>(QString::fromLatin1(name));
}

// A mouse click on the button or check box `name`.
inline bool click(const QObject& parent, const char* name) {
    auto* button = child<QAbstractButton>(parent, name);
    if (button != nullptr) {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    return button != nullptr;
}

// Replaces the text of the box `name` by typing: select all, delete, type.
inline bool type(const QObject& parent, const char* name, const QString& text) {
    auto* box = child<QLineEdit>(parent, name);
    if (box != nullptr) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    return box != nullptr;
}

// Sets the text of the box `name` at once, as a paste does.
inline bool setText(const QObject& parent, const char* name, const QString& text) {
    auto* box = child<QLineEdit>(parent, name);
    if (box != nullptr) {
        box->setText(text);
    }
    return box != nullptr;
}

// The state panel's row k, counted from 1 as the design numbers `Check1` … `Check6`.
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

// A control where the design puts it: its parent, its rectangle and its caption or text.
struct Place {
    const char* name;
    const char* parent;
    const char* text;  // caption, label text or initial text
    QRect rect;        // pixels, 15 twips each
};

// What differs from the design's places, "; " between faults; empty when all is in place.
inline std::string placeFaults(const QWidget& dialog, QSize client,
                               const std::vector<Place>& places) {
    QStringList faults;
    if (dialog.size() != client) {
        faults << QStringLiteral("client size");
    }
    for (const Place& p : places) {
        const QString name = QString::fromLatin1(p.name);
        const auto* widget = child<QWidget>(dialog, p.name);
        if (widget == nullptr) {
            faults << name + QStringLiteral(": missing");
            continue;
        }
        if (widget->parentWidget()->objectName() != QString::fromLatin1(p.parent)) {
            faults << name + QStringLiteral(": parent");
        }
        if (widget->geometry() != p.rect) {
            faults << name + QStringLiteral(": rectangle");
        }
        QString text;
        if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
            text = frame->title();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text();
        } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text();
        } else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
            text = box->text();
        }
        if (text != QString::fromUtf8(p.text)) {
            faults << name + QStringLiteral(": text ") + text;
        }
    }
    return faults.join(QStringLiteral("; ")).toStdString();
}

// What any sound dialog keeps, whoever chose its geometry: every named control inside its
// parent, no two shown named siblings overlapping by more than the one pixel that rounding
// twips to pixels may give (a check box's box ends where its text box begins), every object
// name given once. (A control's
// own parts, such as a frame's title or a box's buttons, have no name and are passed over.)
inline std::string layoutFaults(const QWidget& dialog) {
    QStringList faults;
    QSet<QString> names;
    const auto named = [](const QObject* object) {
        const auto* widget = qobject_cast<const QWidget*>(object);
        return widget != nullptr && !widget->objectName().isEmpty() ? widget : nullptr;
    };
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (named(widget) == nullptr || widget->isWindow()) {
            continue;
        }
        const QString name = widget->objectName();
        if (names.contains(name)) {
            faults << name + QStringLiteral(": name twice");
        }
        names.insert(name);
        if (widget->isHidden()) {
            continue;
        }
        const QWidget* parent = widget->parentWidget();
        if (!parent->rect().contains(widget->geometry())) {
            faults << name + QStringLiteral(": outside ") + parent->objectName();
        }
        const QObjectList& siblings = parent->children();
        for (qsizetype k = siblings.indexOf(widget) + 1; k < siblings.size(); ++k) {
            const QWidget* other = named(siblings[k]);
            const QRect common = other != nullptr && !other->isHidden()
                                     ? other->geometry().intersected(widget->geometry())
                                     : QRect();
            if (common.width() > 1 && common.height() > 1) {
                faults << name + QStringLiteral(" overlaps ") + other->objectName();
            }
        }
    }
    return faults.join(QStringLiteral("; ")).toStdString();
}

}  // namespace dialog_driver
