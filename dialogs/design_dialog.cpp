#include "dialogs/design_dialog.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "chart/design_entry.h"
#include "chart/design_figures.h"
#include "chart/number_text.h"
#include "chart/units.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/number_input.h"
#include "dialogs/panel_state.h"
#include "dialogs/process_parts.h"
#include "dialogs/state_input_panel.h"
#include "psychro/relations.h"

namespace dialogs {
namespace {

using chart::Rounding;

constexpr double kPanelWidth = 3015;
constexpr double kPanelHeight = 2535;
constexpr double kRightColumn = 3120;
constexpr double kTableLeft = 6240;
constexpr double kDialogWidth = 10560;
constexpr double kDialogHeight = 6240;

QString unitText(const char* text) {
    return QString::fromUtf8(text);
}

// A caption, a text box and a unit in one row of a frame, `top` twips down.
QLineEdit* inputRow(QGroupBox* frame, const char* name, const char* caption, const QString& text,
                    const char* unitName, const QString& unit, double left, double top,
                    QLabel** unitLabel = nullptr) {
    const QByteArray captionName = QByteArray("Caption") + QByteArray(name).mid(4);
    makeLabel(frame, captionName.constData(), QString::fromUtf8(caption),
              twipsRect(left, top + 30, 1200, 240));
    QLineEdit* box = makeTextBox(frame, name, text, twipsRect(left + 1230, top, 855, 270));
    QLabel* label = makeLabel(frame, unitName, unit, twipsRect(left + 2130, top + 30, 780, 240));
    if (unitLabel != nullptr) {
        *unitLabel = label;
    }
    return box;
}

QRadioButton* option(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    return button;
}

}  // namespace

std::vector<DesignFigure> designFigures(const chart::Entry& entry, chart::Units units) {
    std::vector<DesignFigure> out;
    for (const chart::DesignFigureText& f : chart::designFigureTexts(entry, units)) {
        out.push_back({QString::fromStdString(f.caption), QString::fromStdString(f.value),
                       QString::fromStdString(f.unit)});
    }
    return out;
}

DesignDialog::DesignDialog(Messenger& messages, QWidget* parent)
    : ChartDialog(messages, parent, "FormDesign", kDialogWidth, kDialogHeight) {
    setWindowTitle(QStringLiteral("空調設計"));

    QGroupBox* FrameRoom = makeFrame(this, "FrameRoom", QStringLiteral("室内空気"),
                                     twipsRect(0, 0, kPanelWidth, kPanelHeight));
    QGroupBox* FrameOutdoor = makeFrame(this, "FrameOutdoor", QStringLiteral("外気"),
                                        twipsRect(kRightColumn, 0, kPanelWidth, kPanelHeight));
    roomPanel_ = new StateInputPanel(FrameRoom, PanelHost::ProcessDialog);
    outdoorPanel_ = new StateInputPanel(FrameOutdoor, PanelHost::ProcessDialog);

    QGroupBox* FrameLoads = makeFrame(this, "FrameLoads", QStringLiteral("室内負荷と条件"),
                                      twipsRect(0, 2600, kRightColumn + kPanelWidth, 1020));
    TextQs = inputRow(FrameLoads, "TextQs", "顕熱負荷", QStringLiteral("0"), "LabelQsUnit",
                      QString(), 120, 270, &LabelQsUnit);
    TextQl = inputRow(FrameLoads, "TextQl", "潜熱負荷", QStringLiteral("0"), "LabelQlUnit",
                      QString(), kRightColumn, 270, &LabelQlUnit);
    TextK = inputRow(FrameLoads, "TextK", "外気率", QStringLiteral("25"), "LabelKUnit",
                     unitText("％"), 120, 630);
    TextDt = inputRow(FrameLoads, "TextDt", "吹出し温度差", QStringLiteral("10"), "LabelDtUnit",
                      unitText("℃"), kRightColumn, 630);

    QGroupBox* FrameSeason = makeFrame(this, "FrameSeason", QStringLiteral("季節"),
                                       twipsRect(0, 3690, kRightColumn + kPanelWidth, 555));
    OptionCool =
        option(FrameSeason, "OptionCool", QStringLiteral("冷房"), twipsRect(120, 240, 1200, 270));
    OptionHeat = option(FrameSeason, "OptionHeat", QStringLiteral("暖房"),
                        twipsRect(kRightColumn, 240, 1200, 270));
    OptionCool->setChecked(true);

    FrameCoil = makeFrame(this, "FrameCoil", QStringLiteral("冷却コイル"),
                          twipsRect(0, 4310, kPanelWidth, 1080));
    OptionNoReheat = option(FrameCoil, "OptionNoReheat", QStringLiteral("再熱なし"),
                            twipsRect(120, 240, 2700, 270));
    OptionReheat = option(FrameCoil, "OptionReheat", QStringLiteral("再熱あり　BF"),
                          twipsRect(120, 630, 1500, 270));
    TextBf =
        makeTextBox(FrameCoil, "TextBf", QStringLiteral("0.1"), twipsRect(1650, 630, 855, 270));
    OptionNoReheat->setChecked(true);

    FrameHumidifier = makeFrame(this, "FrameHumidifier", QStringLiteral("加湿器"),
                                twipsRect(kRightColumn, 4310, kPanelWidth, 1080));
    OptionSteam = option(FrameHumidifier, "OptionSteam", QStringLiteral("蒸気"),
                         twipsRect(120, 240, 1000, 270));
    OptionSpray = option(FrameHumidifier, "OptionSpray", QStringLiteral("水噴霧"),
                         twipsRect(1200, 240, 1200, 270));
    OptionSteam->setChecked(true);
    makeLabel(FrameHumidifier, "LabelHum", QStringLiteral("温度"), twipsRect(120, 660, 1000, 240));
    TextHum = makeTextBox(FrameHumidifier, "TextHum", QStringLiteral("100"),
                          twipsRect(1200, 630, 855, 270));
    makeLabel(FrameHumidifier, "LabelHumUnit", unitText("℃"), twipsRect(2130, 660, 600, 240));

    ResultTable = new QTableWidget(0, 3, this);
    ResultTable->setObjectName(QStringLiteral("ResultTable"));
    ResultTable->setGeometry(twipsRect(kTableLeft, 60, kDialogWidth - kTableLeft - 60, 6120));
    ResultTable->setHorizontalHeaderLabels(
        {QStringLiteral("項目"), QStringLiteral("値"), QStringLiteral("単位")});
    ResultTable->verticalHeader()->hide();
    ResultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultTable->setFocusPolicy(Qt::NoFocus);
    ResultTable->horizontalHeader()->setStretchLastSection(true);
    ResultTable->verticalHeader()->setDefaultSectionSize(twipsToPixels(285));

    const std::vector<QPushButton*> buttons = finishWithButtons({
        {"Command1", u"計算", twipsRect(kRightColumn + 1080, 5580, 855, 375),
         [this] { calculate(); }},
        {"Command3", u"閉じる", twipsRect(kRightColumn + 2040, 5580, 855, 375),
         [this] { closeDialog(); }},
    });
    Command1 = buttons[0];
    connect(OptionCool, &QRadioButton::toggled, this, &DesignDialog::seasonChanged);
    connect(OptionReheat, &QRadioButton::toggled, this, &DesignDialog::seasonChanged);
    connect(OptionSteam, &QRadioButton::toggled, this, [this](bool steam) {
        TextHum->setText(steam ? QStringLiteral("100") : QStringLiteral("15"));
    });
    seasonChanged();
    settingsChanged(settings_);
}

void DesignDialog::showFromMenu() {
    bringForward(this);
}

void DesignDialog::seasonChanged() {
    const bool cooling = OptionCool->isChecked();
    FrameCoil->setEnabled(cooling);
    FrameHumidifier->setEnabled(!cooling);
    TextBf->setEnabled(cooling && OptionReheat->isChecked());
}

// The load and enthalpy boxes keep their meaning: a number typed in kcal/h becomes kW with the
// units, and the result table is written again in the new units.
void DesignDialog::settingsChanged(const chart::Settings& before) {
    const chart::Units units = settings_.units;
    const QString load = QString::fromLatin1(chart::loadUnitText(units));
    LabelQsUnit->setText(load);
    LabelQlUnit->setText(load);
    roomPanel_->showEnthalpyIn(before.units, units);
    outdoorPanel_->showEnthalpyIn(before.units, units);
    if (units != before.units) {
        for (QLineEdit* box : {TextQs, TextQl}) {
            if (const auto v = readNumber(box->text())) {
                const double kcal = chart::loadFromShown(*v, before.units);
                box->setText(
                    QString::fromStdString(chart::generalText(chart::shownLoad(kcal, units))));
            }
        }
    }
    if (shown_) {
        showEntry(*shown_);
    }
}

// Reads every text before anything is drawn; the physics and its refusals are the design's.
void DesignDialog::calculate() {
    const auto room = ihProcessForm(*roomPanel_, messages_, settings_);
    if (!room) {
        explainRefusal(room.error(), messages_, words::kCheckTwoBoxes);
        return;
    }
    const auto outdoor = ihProcessForm(*outdoorPanel_, messages_, settings_);
    if (!outdoor) {
        explainRefusal(outdoor.error(), messages_, words::kCheckTwoBoxes);
        return;
    }
    const bool cooling = OptionCool->isChecked();
    const bool reheat = cooling && OptionReheat->isChecked();
    const auto qs = readNumber(TextQs->text());
    const auto qL = readNumber(TextQl->text());
    const auto k = readNumber(TextK->text());
    const auto dt = readNumber(TextDt->text());
    const auto bf = reheat ? readNumber(TextBf->text()) : std::optional<double>(0.0);
    const auto tHum = cooling ? std::optional<double>(0.0) : readNumber(TextHum->text());
    if (!qs || !qL || !k || !dt || !bf || !tHum) {
        messages_.show(message(words::kNotANumber));
        return;
    }
    const chart::Units units = settings_.units;
    const chart::DesignInputs inputs{
        cooling,
        {room->x, room->i},
        {outdoor->x, outdoor->i},
        {chart::loadFromShown(*qs, units), chart::loadFromShown(*qL, units), *k, *dt},
        {reheat ? std::optional<double>(*bf) : std::nullopt},
        {OptionSteam->isChecked() ? psychro::Humidifier::Steam : psychro::Humidifier::WaterSpray,
         *tHum}};
    const auto entry = chart::designEntry(inputs, settings_.atmosphere.ratio);
    if (!entry) {
        messages_.show(message(words::designErrorText(entry.error())));
        return;
    }
    shown_ = *entry;
    showEntry(*entry);
    record(*entry);
}

void DesignDialog::showEntry(const chart::Entry& entry) {
    struct Cell {
        QString caption, value, unit;
    };
    std::vector<Cell> rows;
    const chart::Units units = settings_.units;
    for (const chart::MarkedState& s : entry.states) {
        const QString label = QString::fromStdString(s.label);
        const double t = psychro::temperatureFromEnthalpy(s.i, s.x);
        rows.push_back(
            {label + QStringLiteral(" 温度"), numberText(t, 2, Rounding::HalfEven), unitText("℃")});
        rows.push_back({label + QStringLiteral(" 絶対湿度"), numberText(s.x, 5, Rounding::HalfUp),
                        unitText("kg/kg(DA)")});
        rows.push_back({label + QStringLiteral(" エンタルピ"),
                        numberText(chart::shownEnthalpy(s.i, units),
                                   chart::enthalpyDecimals(2, units), Rounding::HalfUp),
                        QString::fromLatin1(chart::enthalpyUnitText(units))});
    }
    for (const DesignFigure& f : designFigures(entry, units)) {
        rows.push_back({f.caption, f.value, f.unit});
    }
    ResultTable->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const Cell& c = rows[static_cast<std::size_t>(r)];
        ResultTable->setItem(r, 0, new QTableWidgetItem(c.caption));
        auto* value = new QTableWidgetItem(c.value);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ResultTable->setItem(r, 1, value);
        ResultTable->setItem(r, 2, new QTableWidgetItem(c.unit));
    }
    ResultTable->resizeColumnsToContents();
}

}  // namespace dialogs
