#include "dialogs/design_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <algorithm>
#include <iterator>
#include <utility>

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

// The panels' check boxes are widened by kCaptionRoom so that "エンタルピ" is not cut off beside
// its text box; the text boxes and units move right by as much.
constexpr double kCaptionRoom = 240;
constexpr double kPanelWidth = 3015 + kCaptionRoom;
constexpr double kPanelHeight = 2535;
constexpr double kRightColumn = 3120 + kCaptionRoom;
constexpr double kTableLeft = 2 * kRightColumn;
constexpr double kDialogWidth = 10560 + 2 * kCaptionRoom;
constexpr double kDialogHeight = 6480;
constexpr double kButtonTop = 5940;

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

// A message that says which box it is about: "顕熱負荷に数値を入力してください。".
QString aboutBox(const char16_t* box, const char16_t* text) {
    return QString::fromUtf16(box) + u'に' + QString::fromUtf16(text);
}

QString conditionCaption(const DesignDialog::OfferedCondition& offered) {
    const data::DesignCondition& c = offered.condition;
    static constexpr std::array<const char16_t*, 5> kKinds{u"冷房 0.4 %", u"冷房 1 %", u"冷房 2 %",
                                                           u"暖房 99.6 %", u"暖房 99 %"};
    QString text = QString::fromUtf16(kKinds[static_cast<std::size_t>(c.kind)]) + u'：' +
                   numberText(c.dryBulb, 1, Rounding::HalfUp) + QStringLiteral("℃");
    if (c.wetBulb) {
        text += QStringLiteral("、湿球 ") + numberText(*c.wetBulb, 1, Rounding::HalfUp) +
                QStringLiteral("℃");
    }
    if (!offered.site.isEmpty()) {
        text += QStringLiteral("（") + offered.site + QStringLiteral("）");
    }
    return text;
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
    const int room = twipsToPixels(kCaptionRoom);
    for (QGroupBox* frame : {FrameRoom, FrameOutdoor}) {
        for (QWidget* w : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QCheckBox*>(w) != nullptr) {
                w->resize(w->width() + room, w->height());
            } else {
                w->move(w->x() + room, w->y());
            }
        }
    }

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
    ResultTable->setGeometry(
        twipsRect(kTableLeft, 60, kDialogWidth - kTableLeft - 60, kDialogHeight - 120));
    ResultTable->setHorizontalHeaderLabels(
        {QStringLiteral("項目"), QStringLiteral("値"), QStringLiteral("単位")});
    ResultTable->verticalHeader()->hide();
    ResultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultTable->setFocusPolicy(Qt::NoFocus);
    ResultTable->horizontalHeader()->setStretchLastSection(true);
    ResultTable->verticalHeader()->setDefaultSectionSize(twipsToPixels(285));

    makeLabel(this, "LabelConditions", QStringLiteral("気象データの設計条件"),
              twipsRect(60, 5550, 2000, 240));
    ComboConditions = new QComboBox(this);
    ComboConditions->setObjectName(QStringLiteral("ComboConditions"));
    ComboConditions->setGeometry(twipsRect(2100, 5490, kRightColumn + kPanelWidth - 2100, 330));
    ComboConditions->setEnabled(false);
    connect(ComboConditions, &QComboBox::activated, this, &DesignDialog::conditionChosen);

    const std::vector<QPushButton*> buttons = finishWithButtons({
        {"Command1", u"計算", twipsRect(kRightColumn + 120, kButtonTop, 855, 375),
         [this] { calculate(); }},
        {"CommandDraw", u"描画(&W)", twipsRect(kRightColumn + 1080, kButtonTop, 855, 375),
         [this] { drawDesign(); }},
        {"Command3", u"閉じる", twipsRect(kRightColumn + 2040, kButtonTop, 855, 375),
         [this] { closeDialog(); }},
    });
    Command1 = buttons[0];
    orderTabsByPanels();
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
    // The figures shown were worked at the former pressure: the boxes are designed again (the
    // enthalpy boxes now in the new units); what no longer designs is cleared without a word.
    if (shown_) {
        if (auto entry = design(false)) {
            shown_ = *entry;
            showEntry(*entry);
            if (previewing_) {
                setPreview(std::move(entry));
            }
        } else {
            clearResults();
        }
    }
}

void DesignDialog::setDesignConditions(const std::vector<OfferedCondition>& conditions) {
    conditions_ = conditions;
    ComboConditions->clear();
    if (!conditions_.empty()) {
        ComboConditions->addItem(QStringLiteral("（選んでください）"));
        for (const OfferedCondition& c : conditions_) {
            ComboConditions->addItem(conditionCaption(c));
        }
    }
    ComboConditions->setEnabled(!conditions_.empty());
}

void DesignDialog::offerDesignConditions(const data::DataPart& data) {
    std::vector<OfferedCondition> offered;
    for (const data::DataLayer& layer : data.layers) {
        for (const data::DesignCondition& c : layer.set->designConditions) {
            offered.push_back({QString::fromStdString(layer.set->name), c});
        }
    }
    setDesignConditions(offered);
}

// A cooling condition gives the outdoor state by its dry and wet bulb; a heating one by its dry
// bulb, beside the relative humidity already in the panel.
void DesignDialog::conditionChosen(int index) {
    if (index < 1 || index > static_cast<int>(conditions_.size())) {
        return;
    }
    const data::DesignCondition& c = conditions_[static_cast<std::size_t>(index - 1)].condition;
    StateInputPanel& panel = *outdoorPanel_;
    panel.ButtonOK();
    panel.check(psychro::Property::t)->click();
    panel.setText(psychro::Property::t, numberText(c.dryBulb, 1, Rounding::HalfUp));
    const psychro::Property second = c.wetBulb ? psychro::Property::tw : psychro::Property::phi;
    panel.check(second)->click();
    if (c.wetBulb) {
        panel.setText(second, numberText(*c.wetBulb, 1, Rounding::HalfUp));
    }
    panel.textBox(second)->setFocus();
    panel.textBox(second)->selectAll();
}

// Tab goes through the room panel, the outdoor panel, the loads, the season and the coil or
// humidifier, the design conditions, then the buttons: each group in reading order.
void DesignDialog::orderTabsByPanels() {
    std::vector<QWidget*> chain;
    const auto takesTab = [](QWidget* w) {
        return !w->objectName().isEmpty() && (qobject_cast<QLineEdit*>(w) != nullptr ||
                                              qobject_cast<QAbstractButton*>(w) != nullptr ||
                                              qobject_cast<QComboBox*>(w) != nullptr);
    };
    const auto add = [&](QWidget* group) {
        std::vector<QWidget*> controls;
        for (QWidget* w : group->findChildren<QWidget*>()) {
            if (takesTab(w)) {
                controls.push_back(w);
            }
        }
        std::ranges::stable_sort(controls, [](QWidget* a, QWidget* b) {
            const int rowA = a->y() / 12;
            const int rowB = b->y() / 12;
            return rowA != rowB ? rowA < rowB : a->x() < b->x();
        });
        chain.insert(chain.end(), controls.begin(), controls.end());
    };
    for (const char* frame : {"FrameRoom", "FrameOutdoor", "FrameLoads", "FrameSeason", "FrameCoil",
                              "FrameHumidifier"}) {
        add(findChild<QGroupBox*>(QString::fromLatin1(frame)));
    }
    chain.push_back(ComboConditions);
    for (const char* button : {"Command1", "CommandDraw", "Command3"}) {
        chain.push_back(findChild<QPushButton*>(QString::fromLatin1(button)));
    }
    for (std::size_t k = 1; k < chain.size(); ++k) {
        setTabOrder(chain[k - 1], chain[k]);
    }
}

// Reads every text before anything is shown; the physics and its refusals are the design's.
std::optional<chart::Entry> DesignDialog::design(bool speak) {
    RecordedMessages quiet;
    Messenger& messages = speak ? messages_ : quiet;
    const auto room = ihProcessForm(*roomPanel_, messages, settings_);
    if (!room) {
        explainRefusal(room.error(), messages, words::kCheckTwoBoxes);
        return std::nullopt;
    }
    const auto outdoor = ihProcessForm(*outdoorPanel_, messages, settings_);
    if (!outdoor) {
        explainRefusal(outdoor.error(), messages, words::kCheckTwoBoxes);
        return std::nullopt;
    }
    const bool cooling = OptionCool->isChecked();
    const bool reheat = cooling && OptionReheat->isChecked();
    const auto refuse = [&](QLineEdit* box, const QString& text) {
        if (speak) {
            messages.show(text);
            box->setFocus();
            box->selectAll();
        }
        return std::nullopt;
    };
    struct Box {
        QLineEdit* box;
        const char16_t* name;
        bool used;
    };
    const Box boxes[] = {{TextQs, u"顕熱負荷", true},
                         {TextQl, u"潜熱負荷", true},
                         {TextK, u"外気率", true},
                         {TextDt, u"吹出し温度差", true},
                         {TextBf, u"バイパスファクタ", reheat},
                         {TextHum, u"加湿器の温度", !cooling}};
    std::array<double, std::size(boxes)> v{};
    for (std::size_t k = 0; k < std::size(boxes); ++k) {
        if (!boxes[k].used) {
            continue;
        }
        const auto number = readNumber(boxes[k].box->text());
        if (!number) {
            return refuse(boxes[k].box, aboutBox(boxes[k].name, words::kNotANumber));
        }
        v[k] = *number;
    }
    const chart::Units units = settings_.units;
    const chart::DesignInputs inputs{
        cooling,
        {room->x, room->i},
        {outdoor->x, outdoor->i},
        {chart::loadFromShown(v[0], units), chart::loadFromShown(v[1], units), v[2], v[3]},
        {reheat ? std::optional<double>(v[4]) : std::nullopt},
        {OptionSteam->isChecked() ? psychro::Humidifier::Steam : psychro::Humidifier::WaterSpray,
         v[5]}};
    auto entry = chart::designEntry(inputs, settings_.atmosphere.ratio);
    if (!entry) {
        using E = psychro::DesignError;
        // The box whose number an input's error is about; a design that cannot be made is
        // about none. The message is the error's own either way.
        const std::pair<E, QLineEdit*> boxOf[] = {
            {E::SensibleLoad, TextQs},     {E::LatentLoad, TextQl},
            {E::OutdoorRatio, TextK},      {E::SupplyDifference, TextDt},
            {E::BypassFactor, TextBf},     {E::SteamTemperature, TextHum},
            {E::WaterTemperature, TextHum}};
        const QString text = QString::fromStdU16String(
            words::designErrorMessage(entry.error(), settings_.atmosphere.ratio));
        const auto* about =
            std::ranges::find(boxOf, entry.error(), &std::pair<E, QLineEdit*>::first);
        if (about != std::end(boxOf)) {
            return refuse(about->second, text);
        }
        messages.show(text);
        return std::nullopt;
    }
    return std::move(*entry);
}

void DesignDialog::calculate() {
    auto entry = design(true);
    if (!entry) {
        clearResults();
        return;
    }
    shown_ = *entry;
    showEntry(*entry);
    setPreview(std::move(entry));
}

// The boxes as they are now, marked as one entry: what was previewed is in the work now.
void DesignDialog::drawDesign() {
    auto entry = design(true);
    if (!entry) {
        clearResults();
        return;
    }
    shown_ = *entry;
    showEntry(*entry);
    setPreview(std::nullopt);
    record(*entry);
}

void DesignDialog::clearResults() {
    ResultTable->setRowCount(0);
    shown_.reset();
    setPreview(std::nullopt);
}

void DesignDialog::setPreview(std::optional<chart::Entry> preview) {
    if (!preview && !previewing_) {
        return;
    }
    previewing_ = preview.has_value();
    emit previewChanged(preview);
}

void DesignDialog::closeDialog() {
    setPreview(std::nullopt);
    ChartDialog::closeDialog();
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
