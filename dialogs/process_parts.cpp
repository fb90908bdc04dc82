#include "dialogs/process_parts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "chart/chart_marks.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/number_input.h"
#include "dialogs/state_input_panel.h"

namespace dialogs {

namespace {

// `Text9`, the result box of a frame: large red bold figures.
QLineEdit* makeLoadBox(QGroupBox* frame) {
    QLineEdit* box =
        makeTextBox(frame, "Text9", QStringLiteral("0"), twipsRect(120, 240, 1815, 390));
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setBold(true);
    box->setFont(font);
    QPalette palette = box->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, QColor(255, 0, 0));
    }
    box->setPalette(palette);
    return box;
}

}  // namespace

std::expected<PanelState, PanelFailure> ProcessDialog::ih() const {
    return ihProcessForm(*panel_, messages_, settings_);
}

std::optional<ProcessDialog::StateAndQuantity> ProcessDialog::stateAndQuantity(
    const char16_t* noPair, bool (*accepts)(double G)) const {
    const auto state = ih();
    if (!state) {
        explainRefusal(state.error(), messages_, noPair);
        return std::nullopt;
    }
    const std::optional<double> G = readNumber(Text7->text());
    if (!G || !accepts(*G)) {
        messages_.show(message(words::kGiveAirQuantity));
        return std::nullopt;
    }
    return StateAndQuantity{*state, *G};
}

void ProcessDialog::buildInputFrame(const QString& caption) {
    Frame1 = makeFrame(this, "Frame1", caption, twipsRect(0, 0, 3015, 2535));
}

void ProcessDialog::buildResultFrame(const QString& caption, QRect rect, const QString& unit) {
    Frame4 = makeFrame(this, "Frame4", caption, rect);
    Text9 = makeLoadBox(Frame4);
    Label9 = makeLabel(Frame4, "Label9", unit, twipsRect(2040, 360, 615, 240));
    Frame4->hide();
}

void ProcessDialog::settingsChanged(const chart::Settings& before) {
    panel_->showEnthalpyIn(before.units, settings_.units);
    if (resultIsLoad_) {
        Label9->setText(QString::fromLatin1(chart::loadUnitText(settings_.units)));
        if (load_) {
            showLoad(*load_);
        }
    }
}

void ProcessDialog::showLoad(double Q) {
    load_ = Q;
    Text9->setText(QString::fromStdString(chart::loadText(Q, settings_.units)));
}

void ProcessDialog::showInput() {
    Frame1->show();
    Frame4->hide();
}

void ProcessDialog::showResult() {
    Frame1->hide();
    Frame4->show();
}

void ProcessDialog::clear() {
    showInput();
    Command1->setEnabled(true);
    panel_->ButtonClear();
}

void ProcessDialog::closeDialog() {
    showInput();
    panel_->ButtonOK();
    hide();
}

std::vector<chart::NamedValue> panelInputs(const StateInputPanel& panel) {
    static constexpr std::array<const char*, StateInputPanel::kRows> kNames{"x",  "i", "t",
                                                                            "tw", "v", "phi"};
    std::vector<chart::NamedValue> inputs;
    for (const psychro::Property row : panel.checkedRows()) {
        if (const std::optional<double> value = readNumber(panel.text(row))) {
            inputs.push_back({kNames.at(static_cast<std::size_t>(row)), *value});
        }
    }
    return inputs;
}

chart::MarkedState markedState(std::string label, chart::PointMm at, double x, double i) {
    return {std::move(label), at, x, i};
}

bool fitsFloat(double v) {
    return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
}

std::optional<chart::PointMm> keptPoint(double X, double Y) {
    if (!fitsFloat(X) || !fitsFloat(Y)) {
        return std::nullopt;
    }
    return chart::singlePrecision(X, Y);
}

void explainRefusal(PanelFailure failure, Messenger& messages, const char16_t* noPair) {
    if (failure == PanelFailure::NoPair) {
        messages.show(message(noPair));
    }
}

}  // namespace dialogs
