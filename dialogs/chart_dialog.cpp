#include "dialogs/chart_dialog.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <utility>

#include <vector>
#include "chart/marked_work.h"

#include "dialogs/controls.h"

namespace dialogs {

ChartDialog::ChartDialog(Messenger& messages, QWidget* parent, const char* name, double widthTwips,
                         double heightTwips)
    : QDialog(parent), messages_(messages) {
    setDialogDefaults(this, name, widthTwips, heightTwips);
}

void ChartDialog::setSettings(const chart::Settings& settings) {
    const chart::Settings before = std::exchange(settings_, settings);
    settingsChanged(before);
}

void ChartDialog::reject() {
    closeDialog();
}

void ChartDialog::closeEvent(QCloseEvent* event) {
    closeDialog();
    event->accept();
}

void ChartDialog::closeDialog() {
    hide();
}

void ChartDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QLineEdit*>(focusWidget()) != nullptr) {
        if (QPushButton* button = mainButton(); button != nullptr && button->isEnabled()) {
            button->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

QPushButton* ChartDialog::mainButton() const {
    return findChild<QPushButton*>(QStringLiteral("Command1"));
}

std::vector<QPushButton*> ChartDialog::finishWithButtons(std::initializer_list<Button> buttons) {
    std::vector<QPushButton*> made;
    for (const Button& b : buttons) {
        made.push_back(makeButton(this, b.name, QString::fromUtf16(b.caption), b.rect));
        connect(made.back(), &QPushButton::clicked, this, b.press);
    }
    orderTabsVisually();
    giveButtonKeys();
    return made;
}

QPushButton* ChartDialog::finishWithButtonRow(double left, double top, const char16_t* caption,
                                              std::function<void()> press) {
    constexpr double kWidth = 855;
    constexpr double kHeight = 375;
    constexpr double kPitch = 960;
    return finishWithButtons(
               {
                   {"Command1", caption, twipsRect(left, top, kWidth, kHeight), std::move(press)},
                   {"Command2", u"クリア", twipsRect(left + kPitch, top, kWidth, kHeight),
                    [this] { clear(); }},
                   {"Command3", u"閉じる", twipsRect(left + 2 * kPitch, top, kWidth, kHeight),
                    [this] { closeDialog(); }},
               })
        .front();
}

void ChartDialog::giveButtonKeys() {
    static const std::pair<const char16_t*, Qt::Key> kKeys[] = {
        {u"描画", Qt::Key_D},    {u"計算", Qt::Key_C},   {u"点1確定", Qt::Key_1},
        {u"点2確定", Qt::Key_2}, {u"クリア", Qt::Key_L}, {u"閉じる", Qt::Key_X},
    };
    for (QPushButton* button : findChildren<QPushButton*>()) {
        for (const auto& [caption, key] : kKeys) {
            if (button->text() == QString::fromUtf16(caption)) {
                // A shortcut of its own presses the button at once; a button's own shortcut
                // would only start its 100 ms press animation.
                const QKeySequence sequence(Qt::ALT | key);
                auto* shortcut = new QShortcut(sequence, this);
                connect(shortcut, &QShortcut::activated, button, [button] {
                    if (button->isEnabled() && button->isVisible()) {
                        button->click();
                    }
                });
                button->setAccessibleDescription(sequence.toString(QKeySequence::NativeText));
            }
        }
    }
}

void ChartDialog::orderTabsVisually() {
    struct Control {
        QWidget* widget;
        QRect place;  // in the dialog's coordinates
    };
    std::vector<Control> controls;
    for (QWidget* widget : findChildren<QWidget*>()) {
        const bool takesTab = qobject_cast<QLineEdit*>(widget) != nullptr ||
                              qobject_cast<QAbstractButton*>(widget) != nullptr;
        if (takesTab && !widget->objectName().isEmpty()) {
            controls.push_back({widget, QRect(widget->mapTo(this, QPoint(0, 0)), widget->size())});
        }
    }
    std::ranges::stable_sort(controls, {}, [](const Control& c) { return c.place.top(); });
    // A row is every control whose top lies above the middle of the row's first control.
    std::vector<Control> ordered;
    for (std::size_t first = 0; first < controls.size();) {
        std::size_t end = first + 1;
        while (end < controls.size() &&
               controls[end].place.top() < controls[first].place.center().y()) {
            ++end;
        }
        const auto from = controls.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = controls.begin() + static_cast<std::ptrdiff_t>(end);
        std::stable_sort(from, to, [](const Control& a, const Control& b) {
            return a.place.left() < b.place.left();
        });
        ordered.insert(ordered.end(), from, to);
        first = end;
    }
    for (std::size_t k = 1; k < ordered.size(); ++k) {
        setTabOrder(ordered[k - 1].widget, ordered[k].widget);
    }
}

void ChartDialog::record(const chart::Entry& entry) {
    emit entryRecorded(entry);
}

}  // namespace dialogs
