#include "dialogs/settings_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <optional>

#include "chart/number_text.h"
#include "chart/pressure_text.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/number_input.h"

namespace dialogs {
namespace {

QRadioButton* makeOption(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(QString::fromLatin1(name));
    option->setGeometry(rect);
    return option;
}

QString unitText(psychro::PressureUnit unit) {
    switch (unit) {
        case psychro::PressureUnit::KPa:
            return QStringLiteral("kPa");
        case psychro::PressureUnit::Altitude:
            return QStringLiteral("m");
        case psychro::PressureUnit::MmHg:
            break;
    }
    return QStringLiteral("mmHg");
}

// The ratio P / 760 mmHg of `value` given in `unit`; nullopt where it names no pressure.
std::optional<double> ratioOf(psychro::PressureUnit unit, double value) {
    double ratio = value / psychro::kStandardMmHg;
    if (unit == psychro::PressureUnit::KPa) {
        ratio = value / psychro::kStandardKPa;
    } else if (unit == psychro::PressureUnit::Altitude) {
        ratio = psychro::pressureRatioAtAltitude(value).value();
    }
    return std::isfinite(ratio) && ratio > 0.0 ? std::optional(ratio) : std::nullopt;
}

// The pressure `given` as `unit` shows it: mmHg and metres to 1 decimal, kPa to 3 (the places
// the pressure line writes). A text that names no pressure stays as typed.
QString convertedText(const QString& text, psychro::PressureUnit from, psychro::PressureUnit to) {
    const std::optional<double> value = readNumber(text);
    const std::optional<double> ratio = value ? ratioOf(from, *value) : std::nullopt;
    if (from == to || !ratio) {
        return text;
    }
    std::optional<double> shown = psychro::kStandardMmHg * *ratio;
    int decimals = 1;
    if (to == psychro::PressureUnit::KPa) {
        shown = psychro::kStandardKPa * *ratio;
        decimals = 3;
    } else if (to == psychro::PressureUnit::Altitude) {
        shown = psychro::altitudeAtPressureRatio(psychro::PressureRatio(*ratio));
    }
    if (!shown || !std::isfinite(*shown)) {
        return text;
    }
    // + 0.0 writes a rounded −0 as 0
    return QString::fromStdString(
        chart::generalText(chart::rounded(*shown, decimals, chart::Rounding::HalfEven) + 0.0));
}

}  // namespace

SettingsDialog::SettingsDialog(Messenger& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setDialogDefaults(this, "FormSettings", 3600, 3120);
    setWindowTitle(QStringLiteral("設定"));

    QGroupBox* Frame1 =
        makeFrame(this, "Frame1", QStringLiteral("単位系"), twipsRect(120, 120, 3360, 735));
    Option1 = makeOption(Frame1, "Option1", QStringLiteral("工学単位（kcal）"),
                         twipsRect(240, 330, 1560, 270));
    Option2 = makeOption(Frame1, "Option2", QStringLiteral("SI単位（kJ）"),
                         twipsRect(1920, 330, 1320, 270));
    auto* units = new QButtonGroup(this);
    units->addButton(Option1);
    units->addButton(Option2);

    QGroupBox* Frame2 =
        makeFrame(this, "Frame2", QStringLiteral("大気圧"), twipsRect(120, 960, 3360, 1335));
    Option3 = makeOption(Frame2, "Option3", QStringLiteral("mmHg"), twipsRect(240, 330, 960, 270));
    Option4 = makeOption(Frame2, "Option4", QStringLiteral("kPa"), twipsRect(1260, 330, 840, 270));
    Option5 =
        makeOption(Frame2, "Option5", QStringLiteral("標高"), twipsRect(2160, 330, 1080, 270));
    auto* pressureUnits = new QButtonGroup(this);
    for (QRadioButton* option : {Option3, Option4, Option5}) {
        pressureUnits->addButton(option);
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                showPressureUnit();
            }
        });
    }
    Text1 = makeTextBox(Frame2, "Text1", QString(), twipsRect(240, 780, 1335, 270));
    Label1 = makeLabel(Frame2, "Label1", QString(), twipsRect(1680, 810, 1200, 240));

    QPushButton* Command1 =
        makeButton(this, "Command1", QStringLiteral("OK"), twipsRect(120, 2520, 1080, 375));
    QPushButton* Command2 = makeButton(this, "Command2", QStringLiteral("キャンセル"),
                                       twipsRect(1260, 2520, 1080, 375));
    QPushButton* Command3 = makeButton(this, "Command3", QStringLiteral("標準に戻す"),
                                       twipsRect(2400, 2520, 1080, 375));
    connect(Command1, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(Command2, &QPushButton::clicked, this, &SettingsDialog::hide);
    connect(Command3, &QPushButton::clicked, this, [this] { fill(chart::Settings::standard()); });

    fill(chart::Settings::standard());
}

void SettingsDialog::showFor(const chart::Settings& settings) {
    fill(settings);
    bringForward(this);
}

void SettingsDialog::fill(const chart::Settings& settings) {
    (settings.units == chart::Units::SI ? Option2 : Option1)->setChecked(true);
    given_ = {settings.atmosphere.unit,
              QString::fromStdString(chart::generalText(settings.atmosphere.given))};
    shownUnit_ = given_.unit;
    written_ = given_.text;
    Text1->setText(written_);
    switch (settings.atmosphere.unit) {
        case psychro::PressureUnit::KPa:
            Option4->setChecked(true);
            break;
        case psychro::PressureUnit::Altitude:
            Option5->setChecked(true);
            break;
        case psychro::PressureUnit::MmHg:
            Option3->setChecked(true);
            break;
    }
    showPressureUnit();
}

psychro::PressureUnit SettingsDialog::pressureUnit() const {
    if (Option4->isChecked()) {
        return psychro::PressureUnit::KPa;
    }
    return Option5->isChecked() ? psychro::PressureUnit::Altitude : psychro::PressureUnit::MmHg;
}

void SettingsDialog::showPressureUnit() {
    const psychro::PressureUnit unit = pressureUnit();
    if (Text1->text() != written_) {
        given_ = {shownUnit_, Text1->text()};  // typed since the dialog last wrote it
    }
    written_ = convertedText(given_.text, given_.unit, unit);
    Text1->setText(written_);
    shownUnit_ = unit;
    Label1->setText(unitText(unit));
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // A button with the focus is pressed by its own Enter, as Space presses it.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
    } else {
        accept();
    }
}

// A pressure that is no number or out of range is explained; the dialog stays open with the
// text as typed and the settings in use are not touched.
void SettingsDialog::accept() {
    const psychro::PressureUnit unit = pressureUnit();
    const std::optional<double> value = readNumber(Text1->text());
    if (!value) {
        messages_.show(message(unit == psychro::PressureUnit::Altitude
                                   ? words::kAltitudeNotANumber
                                   : words::kPressureNotANumber));
        return;
    }
    const auto atmosphere = psychro::atmosphereFrom(unit, *value);
    if (!atmosphere) {
        messages_.show(QString::fromStdString(chart::pressureRangeMessage(unit)));
        return;
    }
    hide();
    emit settingsChosen(
        {Option2->isChecked() ? chart::Units::SI : chart::Units::Engineering, *atmosphere});
}

}  // namespace dialogs
