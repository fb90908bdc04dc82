#include "dialogs/state_input_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/controls.h"
#include "dialogs/number_input.h"

namespace dialogs {
namespace {

struct RowDesign {
    const char* check;
    const char* caption;
    const char* text;
    const char* unitLabel;
    const char* unit;
    bool dryAirUnit;  // the "(DA)" units are set in Times New Roman
};

constexpr std::array<RowDesign, StateInputPanel::kRows> kRowDesign{{
    {"Check1", "絶対湿度", "Text1", "Label2", "kg/kg(DA)", true},
    {"Check2", "エンタルピ", "Text2", "Label1", "kcal/kg(DA)", true},
    {"Check3", "温度", "Text3", "Label3", "℃", false},
    {"Check4", "湿球温度", "Text4", "Label6", "℃", false},
    {"Check5", "比容積", "Text5", "Label5", "m3/kg(DA)", true},
    {"Check6", "相対湿度", "Text6", "Label4", "％", false},
}};

// Twips, relative to the container.
constexpr double kCheckLeft = 120;
constexpr double kCheckWidth = 1095;
constexpr double kTextLeft = 1200;
constexpr double kTextWidth = 855;
constexpr double kUnitLeft = 2160;
constexpr double kUnitWidth = 840;  // to the right edge of the dialog
constexpr double kRowHeight = 270;
constexpr double kUnitHeight = 240;
constexpr double kRowPitch = 360;

double rowTop(PanelHost host, int row) {
    // The point dialog's rows start at 120; inside a frame they start one pitch down, below
    // the frame's caption.
    return host == PanelHost::PointDialog ? 120 + kRowPitch * row : kRowPitch * (row + 1);
}

int index(psychro::Property row) {
    return static_cast<int>(row);
}

}  // namespace

StateInputPanel::StateInputPanel(QWidget* container, PanelHost host, QLineEdit* text7)
    : QObject(container), host_(host), text7_(text7) {
    const QFont gothic(QStringLiteral("ＭＳ Ｐゴシック"), 9);
    QFont times(QStringLiteral("Times New Roman"));
    times.setPointSizeF(8.25);

    for (int k = 0; k < kRows; ++k) {
        const RowDesign& design = kRowDesign[static_cast<std::size_t>(k)];
        const double top = rowTop(host, k);
        const auto slot = static_cast<std::size_t>(k);

        auto* check = new QCheckBox(QString::fromUtf8(design.caption), container);
        check->setObjectName(QString::fromLatin1(design.check));
        check->setGeometry(twipsRect(kCheckLeft, top, kCheckWidth, kRowHeight));

        QLineEdit* text = makeTextBox(container, design.text, QString(),
                                      twipsRect(kTextLeft, top, kTextWidth, kRowHeight));
        QLabel* unit = makeLabel(container, design.unitLabel, QString::fromUtf8(design.unit),
                                 twipsRect(kUnitLeft, top, kUnitWidth, kUnitHeight));

        if (design.dryAirUnit) {
            unit->setFont(times);
        } else if (host == PanelHost::PointDialog) {
            unit->setFont(gothic);
        }
        if (host == PanelHost::PointDialog) {
            check->setFont(gothic);
            text->setFont(gothic);
        }

        checks_[slot] = check;
        texts_[slot] = text;
        units_[slot] = unit;
        connect(check, &QCheckBox::toggled, this, [this, k] { clickRule(k); });
    }
    if (host == PanelHost::PointDialog) {
        for (int k = 0; k < kRows; ++k) {
            setBackground(k, QPalette::Base);
        }
    }
}

// Runs on every change of row k's box, checked or unchecked, by the user or by code. It never
// enables another row, so after a pair has been chosen only a reset opens the other rows again.
void StateInputPanel::clickRule(int row) {
    QLineEdit* own = texts_[static_cast<std::size_t>(row)];
    own->setEnabled(true);
    // What is typed right after a click goes into the row just chosen.
    if (!resetting_) {
        own->setFocus();
    }
    if (checkedCount() != 2) {
        return;
    }
    if (host_ == PanelHost::ProcessDialog && text7_ != nullptr) {
        text7_->setEnabled(true);
    }
    for (int k = 0; k < kRows; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        if (k == row || checks_[slot]->isChecked()) {
            continue;
        }
        checks_[slot]->setEnabled(false);
        texts_[slot]->setEnabled(false);
        if (host_ == PanelHost::PointDialog) {
            setBackground(k, QPalette::Button);
        }
    }
}

void StateInputPanel::ButtonOK() {
    resetting_ = true;
    for (int k = 0; k < kRows; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        checks_[slot]->setChecked(false);
        checks_[slot]->setEnabled(true);
        texts_[slot]->setEnabled(true);
    }
    resetting_ = false;
}

void StateInputPanel::ButtonClear() {
    const bool hadFocus = textHasFocus();
    resetting_ = true;
    for (int k = 0; k < kRows; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        checks_[slot]->setChecked(false);
        checks_[slot]->setEnabled(true);
        texts_[slot]->setEnabled(false);
        if (host_ == PanelHost::PointDialog) {
            texts_[slot]->clear();
        }
    }
    if (host_ == PanelHost::PointDialog) {
        for (int k = 0; k < kRows; ++k) {
            setBackground(k, QPalette::Base);
        }
    }
    resetting_ = false;
    if (hadFocus) {
        focusFirstCheckBox();
    }
}

void StateInputPanel::disableTexts() {
    const bool hadFocus = textHasFocus();
    for (QLineEdit* text : texts_) {
        text->setEnabled(false);
    }
    if (hadFocus) {
        focusFirstCheckBox();
    }
}

int StateInputPanel::checkedCount() const {
    int n = 0;
    for (const QCheckBox* check : checks_) {
        n += check->isChecked() ? 1 : 0;
    }
    return n;
}

std::vector<psychro::Property> StateInputPanel::checkedRows() const {
    std::vector<psychro::Property> rows;
    for (int k = 0; k < kRows; ++k) {
        if (checks_[static_cast<std::size_t>(k)]->isChecked()) {
            rows.push_back(static_cast<psychro::Property>(k));
        }
    }
    return rows;
}

QCheckBox* StateInputPanel::check(psychro::Property row) const {
    return checks_.at(static_cast<std::size_t>(index(row)));
}

QLineEdit* StateInputPanel::textBox(psychro::Property row) const {
    return texts_.at(static_cast<std::size_t>(index(row)));
}

QString StateInputPanel::text(psychro::Property row) const {
    return textBox(row)->text();
}

void StateInputPanel::setText(psychro::Property row, const QString& text) {
    textBox(row)->setText(text);
}

void StateInputPanel::showEnthalpyIn(chart::Units from, chart::Units to) {
    const auto row = static_cast<std::size_t>(index(psychro::Property::i));
    units_[row]->setText(QString::fromLatin1(chart::enthalpyUnitText(to)));
    const std::optional<double> shown = readNumber(texts_[row]->text());
    if (from != to && shown) {
        const double kcal = chart::enthalpyFromShown(*shown, from);
        texts_[row]->setText(numberText(chart::shownEnthalpy(kcal, to),
                                        chart::enthalpyDecimals(2, to), chart::Rounding::HalfUp));
    }
}

// The point dialog shows the rows that a chosen pair shut in button face, the others in the
// window background; the colour holds whether the box is enabled or not.
void StateInputPanel::setBackground(int row, QPalette::ColorRole role) {
    QLineEdit* text = texts_[static_cast<std::size_t>(row)];
    const QColor colour = QApplication::palette().color(QPalette::Active, role);
    QPalette palette = text->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colour);
    }
    text->setPalette(palette);
}

bool StateInputPanel::textHasFocus() const {
    // The window's focus widget, which is the one that gets the focus when the dialog is
    // activated again, also while another window is active.
    for (const QLineEdit* text : texts_) {
        if (text->window()->focusWidget() == text) {
            return true;
        }
    }
    return false;
}

// When the panel disables the text box that has the keyboard focus, the focus goes to the
// first usable check box: choosing the properties is the next thing to do. Left alone, Qt
// would pass it along the tab chain, through the boxes that are being disabled, to wherever
// the chain happens to end.
void StateInputPanel::focusFirstCheckBox() {
    for (QCheckBox* check : checks_) {
        if (check->isEnabled()) {
            check->setFocus();
            return;
        }
    }
}

}  // namespace dialogs
