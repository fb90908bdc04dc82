#include "dialogs/process_dialogs.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
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
#include "dialogs/process_parts.h"
#include "dialogs/state_input_panel.h"
#include "psychro/processes.h"

namespace dialogs {

QString loadText(double kcalPerHour) {
    return QString::fromStdString(chart::loadText(kcalPerHour));
}

MixingCoolingDialog::MixingCoolingDialog(Messenger& messages, QWidget* parent)
    : ProcessDialog(messages, parent, "Form3", 3075, 3900) {
    buildInputFrame(QStringLiteral("空気状態"));
    buildResultFrame(QStringLiteral("冷却量"), twipsRect(120, 840, 2775, 855),
                     QStringLiteral("kcal/h"));

    resultIsLoad_ = true;
    Frame2 = makeFrame(this, "Frame2", QStringLiteral("空気量"), twipsRect(120, 2640, 1695, 615));
    Text7 = makeTextBox(Frame2, "Text7", QStringLiteral("0"), twipsRect(120, 240, 855, 270));
    makeLabel(Frame2, "Label7", QStringLiteral("kg/h"), twipsRect(1080, 240, 495, 240));

    panel_ = new StateInputPanel(Frame1, PanelHost::ProcessDialog, Text7);

    QFrame* Line1 = makeSeparator(this, "Line1", 120, 3000, 3360);
    QPalette white = Line1->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Line1->setPalette(white);
    // "クリア" stands beside the air quantity, above the row of the two points and "閉じる".
    const std::vector<QPushButton*> buttons = finishWithButtons({
        {"Command2", u"クリア", twipsRect(2040, 2760, 855, 375), [this] { clear(); }},
        {"Command1", u"点1確定", twipsRect(120, 3480, 855, 375), [this] { acceptPoint1(); }},
        {"Command4", u"点2確定", twipsRect(1080, 3480, 855, 375), [this] { acceptPoint2(); }},
        {"Command3", u"閉じる", twipsRect(2040, 3480, 855, 375), [this] { closeDialog(); }},
    });
    Command2 = buttons[0];
    Command1 = buttons[1];
    Command4 = buttons[2];
    Command3 = buttons[3];
}

QPushButton* MixingCoolingDialog::mainButton() const {
    return Command1->isEnabled() ? Command1 : Command4;
}

void MixingCoolingDialog::showForMixing() {
    prepare(Process::Mixing, QStringLiteral("混合"));
}

void MixingCoolingDialog::showForCooling() {
    prepare(Process::Cooling, QStringLiteral("冷却"));
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command3->setEnabled(true);
}

// The steps both openings share. Neither touches the check boxes or the texts; the mixing
// opening leaves `Command1` as it was. An opening drops a pending point 1 (`Command4` off), so
// cooling's lock on the air quantity, which only guards that point 1, is lifted with it.
void MixingCoolingDialog::prepare(Process process, const QString& caption) {
    process_ = process;
    bringForward(this);
    setWindowTitle(caption);
    panel_->disableTexts();
    Text7->setEnabled(false);
    Command4->setEnabled(false);
    Frame2->setEnabled(true);
    showInput();
}

// Point 1 is stored and marked only when its state and its air quantity are both good, so a
// refused press leaves the last accepted point 1 whole (a later "点2確定" may still use it).
void MixingCoolingDialog::acceptPoint1() {
    const auto given = stateAndQuantity(words::kCheckTwoBoxes, [](double G) {
        return fitsFloat(G) && static_cast<float>(G) > 0.0F;  // G1 is kept in single precision
    });
    if (!given) {
        return;
    }
    const PanelState& state = given->state;
    const double G = given->G;
    const auto at = keptPoint(state.XP, state.YP);
    if (!at || !fitsFloat(state.i) || !fitsFloat(state.x)) {
        messages_.show(message(words::kNoResult));
        return;
    }
    point1_ = {.XP = static_cast<float>(at->X),
               .YP = static_cast<float>(at->Y),
               .i = static_cast<float>(state.i),
               .x = static_cast<float>(state.x),
               .G = static_cast<float>(G)};
    G1Text_ = Text7->text();
    std::vector<chart::NamedValue> inputs = panelInputs(*panel_);
    inputs.push_back({"G1", point1_.G});
    const chart::Entry entry{
        .kind = chart::EntryKind::ProcessStart,
        .states = {markedState("点１", *at, state.x, state.i)},
        .lineFrom = std::nullopt,
        .inputs = std::move(inputs),
        .results = {},
    };
    Command1->setEnabled(false);
    if (process_ == Process::Cooling) {
        Frame2->setEnabled(false);  // the load is computed with G1: keep the text showing it
    }
    Command4->setEnabled(true);
    panel_->ButtonClear();
    record(entry);
    messages_.show(message(words::kGiveNextPoint));
}

void MixingCoolingDialog::acceptPoint2() {
    const auto state = ih();
    if (!state) {
        explainRefusal(state.error(), messages_, words::kGiveNextState);
        return;
    }
    const chart::PointMm at{state->XP, state->YP};
    if (process_ == Process::Cooling) {
        cool(*state, at);
    } else {
        mix(*state, at);
    }
}

// Adiabatic mixing: the mixing point divides the line from point 2 to point 1 in the ratio
// G1 : G2 of the air quantities.
void MixingCoolingDialog::mix(const PanelState& point2, chart::PointMm at) {
    const std::optional<double> G2 = readNumber(Text7->text());
    if (!G2) {
        messages_.show(message(words::kGiveAirQuantity));
        return;
    }
    if (!(*G2 > 0.0)) {
        messages_.show(message(words::kGiveNextState));
        return;
    }
    // Point 1's shares are formed in single precision, as point 1 is kept.
    const psychro::Mixed point3 =
        psychro::mixStreams({point1_.i, point1_.x, point1_.G}, {point2.x, point2.i}, *G2);
    const chart::PointMm mixed = chart::statePoint(point3.i, 1000.0 * point3.x);
    if (!chart::withinReach(mixed)) {
        messages_.show(message(words::kNoResult));
        return;
    }
    std::vector<chart::NamedValue> inputs = panelInputs(*panel_);
    inputs.push_back({"G1", point1_.G});
    inputs.push_back({"G2", *G2});
    const chart::Entry entry{
        .kind = chart::EntryKind::Mixing,
        .states = {markedState("点２", at, point2.x, point2.i),
                   markedState("混合点", mixed, point3.x, point3.i)},
        .lineFrom = chart::PointMm{point1_.XP, point1_.YP},
        .inputs = std::move(inputs),
        .results = {{"x3", point3.x}, {"i3", point3.i}},
    };
    panel_->ButtonOK();
    record(entry);
}

// The cooling load (i1 − i2)·G1. `Text7` was locked at G1 since point 1 and shows it again
// after the load, so the quantity on screen is always the one the load was computed with.
void MixingCoolingDialog::cool(const PanelState& point2, chart::PointMm at) {
    const double Q = psychro::coolingLoad({point1_.i, point1_.x, point1_.G}, point2.i);
    if (!chart::roundable(Q, 0)) {  // a load of 16 digits and more is no load to write
        messages_.show(message(words::kNoResult));
        return;
    }
    std::vector<chart::NamedValue> inputs = panelInputs(*panel_);
    inputs.push_back({"G1", point1_.G});
    const chart::Entry entry{
        .kind = chart::EntryKind::Cooling,
        .states = {markedState("点２", at, point2.x, point2.i)},
        .lineFrom = chart::PointMm{point1_.XP, point1_.YP},
        .inputs = std::move(inputs),
        .results = {{"Q", Q}},
    };
    panel_->ButtonOK();
    Frame1->hide();
    Frame4->show();
    showLoad(Q);
    Text7->setText(G1Text_);
    Frame2->setEnabled(true);
    record(entry);
}

void MixingCoolingDialog::followPointOne(const std::optional<chart::Entry>& start) {
    if (!start || start->states.empty()) {
        if (Command4->isEnabled()) {
            Command4->setEnabled(false);
            Command1->setEnabled(true);
            Frame2->setEnabled(true);
        }
        return;
    }
    const chart::MarkedState& s = start->states[0];
    const auto G = static_cast<float>(chart::valueOf(start->inputs, "G1").value_or(0.0));
    const PointOne kept{.XP = static_cast<float>(s.at.X),
                        .YP = static_cast<float>(s.at.Y),
                        .i = static_cast<float>(s.i),
                        .x = static_cast<float>(s.x),
                        .G = G};
    if (kept == point1_) {
        return;  // the point 1 the dialog keeps
    }
    point1_ = kept;
    G1Text_ = QString::fromStdString(chart::generalText(point1_.G));
    Command1->setEnabled(false);
    Frame2->setEnabled(process_ != Process::Cooling);
    Command4->setEnabled(true);
}

void MixingCoolingDialog::settingsChanged(const chart::Settings& before) {
    ProcessDialog::settingsChanged(before);
    if (!(before == settings_)) {
        Command4->setEnabled(false);
        Command1->setEnabled(true);
        Frame2->setEnabled(true);
    }
}

// Back to point 1 in either process. `Command4` stays on, so "点2確定" still completes the
// last accepted point 1; nothing is erased from the chart.
void MixingCoolingDialog::clear() {
    Frame2->setEnabled(true);
    ProcessDialog::clear();
}

HeatingDialog::HeatingDialog(Messenger& messages, QWidget* parent)
    : ProcessDialog(messages, parent, "Form4", 3045, 3900) {
    setWindowTitle(QStringLiteral("加熱"));

    buildInputFrame(QStringLiteral("空気状態点1"));
    buildResultFrame(QStringLiteral("加熱量"), twipsRect(120, 1080, 2775, 855),
                     QStringLiteral("kcal/h"));

    resultIsLoad_ = true;
    QGroupBox* Frame2 =
        makeFrame(this, "Frame2", QStringLiteral("空気量"), twipsRect(0, 2640, 1455, 615));
    Text7 = makeTextBox(Frame2, "Text7", QStringLiteral("0"), twipsRect(120, 240, 855, 270));
    makeLabel(Frame2, "Label7", QStringLiteral("kg/h"), twipsRect(1080, 240, 375, 240));
    QGroupBox* Frame3 =
        makeFrame(this, "Frame3", QStringLiteral("点2"), twipsRect(1560, 2640, 1455, 615));
    Text8 = makeTextBox(Frame3, "Text8", QStringLiteral("0"), twipsRect(120, 240, 855, 270));
    makeLabel(Frame3, "Label8", QStringLiteral("℃"), twipsRect(1080, 240, 255, 240));

    panel_ = new StateInputPanel(Frame1, PanelHost::ProcessDialog, Text7);

    Command1 = finishWithButtonRow(120, 3480, u"計算", [this] { calculate(); });
}

// The opening touches neither `Frame1` nor `Command1`: a load shown before closing keeps
// "計算" off until "クリア".
void HeatingDialog::showForHeating() {
    bringForward(this);
    panel_->disableTexts();
    Frame4->hide();
}

// Sensible heating at the humidity of state 1: i2 = i(t2, x1), Q = (i2 − i1)·G. Every input is
// checked before anything is drawn. An air quantity of 0 is a valid (empty) duct: load 0.
void HeatingDialog::calculate() {
    const auto given = stateAndQuantity(words::kCheckTwoBoxes, [](double G) { return G >= 0.0; });
    if (!given) {
        return;
    }
    const PanelState& state = given->state;
    const double G = given->G;
    const std::optional<double> t2 = readNumber(Text8->text());
    if (!t2) {
        messages_.show(message(words::kNotANumber));
        return;
    }
    const auto [i2, Q] = psychro::heatTo({state.x, state.i}, G, *t2);
    const auto at1 = keptPoint(state.XP, state.YP);
    const chart::PointMm at2 = chart::statePoint(i2, 1000.0 * state.x);  // Y2 = Y1
    // A final temperature far off the chart, or a load too large to write rounded, is refused
    // like a state beyond the chart.
    if (!at1 || !chart::withinReach(at2) || !chart::roundable(Q, 0)) {
        messages_.show(message(words::kNoResult));
        return;
    }
    // "Heating" below the dew point would leave more vapour than the air can hold.
    if (!psychro::isAirState({state.x, i2}, settings_.atmosphere.ratio)) {
        messages_.show(message(words::kNoAirState));
        return;
    }
    std::vector<chart::NamedValue> inputs = panelInputs(*panel_);
    inputs.push_back({"G", G});
    inputs.push_back({"t2", *t2});
    // Point 2 is drawn from point 1 as kept, which is at1 itself (already single precision).
    const chart::Entry entry{
        .kind = chart::EntryKind::Heating,
        .states = {markedState("点１", *at1, state.x, state.i),
                   markedState("点２", at2, state.x, i2)},
        .lineFrom = std::nullopt,
        .inputs = std::move(inputs),
        .results = {{"Q", Q}},
    };
    Frame1->hide();
    showLoad(Q);
    Frame4->show();
    Command1->setEnabled(false);
    record(entry);
}

}  // namespace dialogs
