#include "dialogs/humidifying_dialog.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "chart/chart_marks.h"
#include "chart/marked_work.h"
#include "chart/number_text.h"
#include "chart/picture.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/number_input.h"
#include "dialogs/process_dialogs.h"
#include "dialogs/process_parts.h"
#include "dialogs/state_input_panel.h"

namespace dialogs {
namespace {

using psychro::Humidifier;

std::size_t slot(Humidifier kind) {
    return kind == Humidifier::Steam ? 0 : 1;
}

// One row of the result, caption, value and unit, `top` twips below the top of `Frame4`.
struct ResultRow {
    const char* captionName;
    const char* caption;
    const char* valueName;
    const char* unitName;
    const char* unit;
    double top;
};

QLabel* resultRow(QGroupBox* frame, const ResultRow& row) {
    makeLabel(frame, row.captionName, QString::fromUtf8(row.caption),
              twipsRect(120, row.top, 900, 255));
    QLabel* value = makeLabel(frame, row.valueName, QString(), twipsRect(1080, row.top, 720, 255));
    value->setStyleSheet(QStringLiteral("background-color: white; color: black;"));
    makeLabel(frame, row.unitName, QString::fromUtf8(row.unit), twipsRect(1860, row.top, 900, 255));
    return value;
}

// A text box at the left of an input frame with its unit beside it; the unit's label ends
// inside the frame, however narrow.
QLineEdit* inputBox(QGroupBox* frame, const char* name, const QString& text, const char* unitName,
                    const char* unit) {
    QLineEdit* box = makeTextBox(frame, name, text, twipsRect(120, 240, 855, 270));
    QLabel* label = makeLabel(frame, unitName, QString::fromUtf8(unit), QRect());
    const QRect wanted = twipsRect(1080, 240, 615, 240);
    label->setGeometry(wanted.intersected(QRect(QPoint(0, 0), frame->size())));
    return box;
}

}  // namespace

HumidifyingDialog::HumidifyingDialog(Messenger& messages, QWidget* parent)
    : ProcessDialog(messages, parent, "Form7", 3045, 4560),
      temperatureTexts_{QStringLiteral("100"), QStringLiteral("15")} {
    setWindowTitle(QStringLiteral("蒸気加湿"));

    buildInputFrame(QStringLiteral("空気状態点1"));
    buildResultFrame(QStringLiteral("加湿量"), twipsRect(120, 360, 2775, 1815),
                     QStringLiteral("kg/h"));
    Label11 = resultRow(Frame4, {"Label14", "温度", "Label11", "Label17", "℃", 840});
    Label12 = resultRow(Frame4, {"Label15", "絶対湿度", "Label12", "Label18", "kg/kg(DA)", 1140});
    Label13 = resultRow(Frame4, {"Label16", "相対湿度", "Label13", "Label19", "％", 1440});

    QGroupBox* Frame2 =
        makeFrame(this, "Frame2", QStringLiteral("空気量"), twipsRect(0, 2640, 1455, 615));
    Text7 = inputBox(Frame2, "Text7", QStringLiteral("0"), "Label7", "kg/h");
    Frame3 =
        makeFrame(this, "Frame3", QStringLiteral("蒸気温度"), twipsRect(1560, 2640, 1455, 615));
    Text8 = inputBox(Frame3, "Text8", temperatureTexts_[0], "Label8", "℃");
    QGroupBox* Frame5 = makeFrame(this, "Frame5", QStringLiteral("加湿後の相対湿度"),
                                  twipsRect(0, 3300, 3015, 615));
    Text10 = inputBox(Frame5, "Text10", QStringLiteral("0"), "Label10", "％");

    panel_ = new StateInputPanel(Frame1, PanelHost::ProcessDialog, Text7);

    Command1 = finishWithButtonRow(120, 4080, u"計算", [this] { calculate(); });
}

void HumidifyingDialog::showForSteam() {
    prepare(Humidifier::Steam);
}

void HumidifyingDialog::showForWaterSpray() {
    prepare(Humidifier::WaterSpray);
}

// Every opening starts at the input: a result of the other kind must not stay on screen.
void HumidifyingDialog::prepare(Humidifier kind) {
    if (kind != kind_) {
        temperatureTexts_[slot(kind_)] = Text8->text();
        Text8->setText(temperatureTexts_[slot(kind)]);
        kind_ = kind;
    }
    const bool steam = kind == Humidifier::Steam;
    bringForward(this);
    setWindowTitle(steam ? QStringLiteral("蒸気加湿") : QStringLiteral("水噴霧加湿"));
    Frame3->setTitle(steam ? QStringLiteral("蒸気温度") : QStringLiteral("水温"));
    panel_->disableTexts();
    showInput();
    Command1->setEnabled(true);
}

// Reads every text before anything is drawn; the physics and its refusals are humidify's.
void HumidifyingDialog::calculate() {
    // Any number: humidify refuses the quantities it cannot size for.
    const auto given = stateAndQuantity(words::kCheckTwoBoxes, [](double) { return true; });
    if (!given) {
        return;
    }
    const PanelState& state = given->state;
    const double G = given->G;
    const std::optional<double> temperature = readNumber(Text8->text());
    const std::optional<double> target = readNumber(Text10->text());
    if (!temperature || !target) {
        messages_.show(message(words::kNotANumber));
        return;
    }
    const auto after = psychro::humidify({state.x, state.i}, G, kind_, *temperature, *target,
                                         settings_.atmosphere.ratio);
    if (!after) {
        messages_.show(message(
            words::humidifyErrorMessage(after.error(), settings_.atmosphere.ratio).c_str()));
        return;
    }
    const auto at1 = keptPoint(state.XP, state.YP);
    const chart::PointMm at2 = chart::statePoint(after->i, 1000.0 * after->x);
    if (!at1 || !chart::withinReach(at2) || !chart::roundable(after->L, 1)) {
        messages_.show(message(words::kNoResult));
        return;
    }
    std::vector<chart::NamedValue> inputs = panelInputs(*panel_);
    inputs.push_back({"G", G});
    inputs.push_back({kind_ == Humidifier::Steam ? "steamT" : "waterT", *temperature});
    inputs.push_back({"phi2", *target});
    const chart::Entry entry{
        .kind = kind_ == Humidifier::Steam ? chart::EntryKind::SteamHumidifying
                                           : chart::EntryKind::WaterSprayHumidifying,
        .states = {markedState("点１", *at1, state.x, state.i),
                   markedState("点２", at2, after->x, after->i)},
        .lineFrom = std::nullopt,
        .inputs = std::move(inputs),
        .results = {{"L", after->L}},
    };
    Frame1->hide();
    Text9->setText(numberText(after->L, 1, chart::Rounding::HalfUp));
    Label11->setText(numberText(after->t, 2, chart::Rounding::HalfEven));
    Label12->setText(numberText(after->x, 5, chart::Rounding::HalfEven));
    Label13->setText(numberText(after->phi, 2, chart::Rounding::HalfEven));
    Frame4->show();
    Command1->setEnabled(false);
    record(entry);
}

}  // namespace dialogs
