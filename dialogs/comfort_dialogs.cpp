#include "dialogs/comfort_dialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <optional>

#include "chart/chart_frame.h"
#include "chart/chart_marks.h"
#include "chart/marked_work.h"
#include "chart/number_text.h"
#include "chart/picture.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/number_input.h"
#include "dialogs/panel_state.h"
#include "dialogs/process_parts.h"
#include "psychro/comfort.h"
#include "words/messages.h"

namespace dialogs {
namespace {

// One input row of a "計算条件" frame: name label at 240, text box at 1320, unit label at 2280.
QLineEdit* makeInputRow(QGroupBox* frame, double top, const char* nameLabel, const char* name,
                        const char* box, const char* unitLabel, const char* unit) {
    makeLabel(frame, nameLabel, QString::fromUtf8(name), twipsRect(240, top + 30, 1035, 240));
    QLineEdit* text = makeTextBox(frame, box, QString(), twipsRect(1320, top, 855, 270));
    makeLabel(frame, unitLabel, QString::fromUtf8(unit), twipsRect(2280, top + 30, 435, 240));
    return text;
}

QLineEdit* makeResultBox(QGroupBox* frame, const char* name, QRect rect) {
    QLineEdit* box = makeTextBox(frame, name, QString(), rect);
    box->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    return box;
}

// The chart point of an air state, drawn in single precision; nullopt when the state maps to
// no finite point or lies far off the picture.
std::optional<chart::PointMm> markPoint(const psychro::AirState& air) {
    const chart::PointMm p = chart::statePoint(air.i, 1000.0 * air.x);
    const auto single = keptPoint(p.X, p.Y);
    if (!single || !chart::withinReach(*single)) {
        return std::nullopt;
    }
    return single;
}

}  // namespace

PmvDialog::PmvDialog(Messenger& messages, QWidget* parent)
    : ChartDialog(messages, parent, "Form5", 3015, 3975) {
    setWindowTitle(QStringLiteral("PMV"));

    QGroupBox* Frame1 =
        makeFrame(this, "Frame1", QStringLiteral("計算条件"), twipsRect(120, 120, 2775, 2415));
    Text1 = makeInputRow(Frame1, 240, "Label7", "温度", "Text1", "Label2", "℃");
    Text2 = makeInputRow(Frame1, 600, "Label8", "相対湿度", "Text2", "Label1", "％");
    Text3 = makeInputRow(Frame1, 960, "Label9", "空気流速", "Text3", "Label3", "m/s");
    Text4 = makeInputRow(Frame1, 1320, "Label10", "放射温度", "Text4", "Label6", "℃");
    Text5 = makeInputRow(Frame1, 1680, "Label11", "着衣量", "Text5", "Label5", "clo");
    Text6 = makeInputRow(Frame1, 2040, "Label12", "代謝量", "Text6", "Label4", "met");

    QGroupBox* Frame2 =
        makeFrame(this, "Frame2", QStringLiteral("PMV"), twipsRect(120, 2640, 1215, 735));
    Text9 = makeResultBox(Frame2, "Text9", twipsRect(240, 240, 735, 390));
    QGroupBox* Frame3 =
        makeFrame(this, "Frame3", QStringLiteral("PPD"), twipsRect(1440, 2640, 1455, 735));
    Text7 = makeResultBox(Frame3, "Text7", twipsRect(240, 240, 735, 390));
    makeLabel(Frame3, "Label13", QStringLiteral("％"), twipsRect(1080, 330, 255, 240));

    finishWithButtonRow(120, 3480, u"計算", [this] { calculate(); });
}

std::array<QLineEdit*, 6> PmvDialog::inputs() const {
    return {Text1, Text2, Text3, Text4, Text5, Text6};
}

void PmvDialog::showFromMenu() {
    bringForward(this);
    for (QLineEdit* box : inputs()) {
        box->setEnabled(true);
    }
}

void PmvDialog::calculate() {
    const std::array<QLineEdit*, 6> boxes = inputs();
    for (const QLineEdit* box : boxes) {
        if (box->text().isEmpty()) {
            messages_.show(message(words::kSixConditionsEmpty));
            return;
        }
    }
    std::array<double, 6> value{};
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        const std::optional<double> number = readNumber(boxes[k]->text());
        if (!number) {
            messages_.show(message(words::kNotANumber));
            boxes[k]->setFocus();
            return;
        }
        value[k] = *number;
    }
    const auto [ta, rh, vel, tr, clo, act] = value;

    // Everything is computed before anything is written or drawn, so a refusal leaves the
    // results and the chart as they were.
    const auto result = psychro::PMVS(ta, tr, rh, vel, clo, act);
    if (!result) {
        messages_.show(message(words::pmvFailureText(result.error())));
        return;
    }
    const auto air = psychro::roomAirState(ta, rh, settings_.atmosphere.ratio);
    const std::optional<chart::PointMm> at = air ? markPoint(*air) : std::nullopt;
    if (!at) {
        messages_.show(message(words::kRoomAirNoState));
        return;
    }

    Text9->setText(numberText(result->pmv, 2, chart::Rounding::HalfUpward));
    Text7->setText(numberText(result->ppd, 2, chart::Rounding::HalfUpward));
    record({
        .kind = chart::EntryKind::Pmv,
        .states = {markedState("", *at, air->x, air->i)},
        .lineFrom = std::nullopt,
        .inputs = {{"ta", ta}, {"rh", rh}, {"vel", vel}, {"tr", tr}, {"clo", clo}, {"met", act}},
        .results = {{"PMV", result->pmv}, {"PPD", result->ppd}},
    });

    // A value outside the model's validated ranges is shown, but not as if it were a result.
    const std::vector<psychro::IsoRange> outside =
        psychro::isoRangeExceedances(ta, tr, vel, clo, act, *result);
    if (!outside.empty()) {
        QStringList names;
        for (psychro::IsoRange range : outside) {
            names << message(words::isoRangeName(range));
        }
        messages_.show(message(words::kOutsideIsoRanges).arg(names.join(QStringLiteral("、"))));
    }
}

void PmvDialog::clear() {
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text9}) {
        box->clear();
    }
    Text1->setFocus();  // ready for the next room's first condition
}

DiscomfortDialog::DiscomfortDialog(Messenger& messages, QWidget* parent)
    : ChartDialog(messages, parent, "Form6", 2895, 3495) {
    setWindowTitle(QStringLiteral("不快指数"));

    QGroupBox* Frame1 =
        makeFrame(this, "Frame1", QStringLiteral("計算条件"), twipsRect(0, 120, 2775, 975));
    Text1 = makeInputRow(Frame1, 240, "Label7", "温度", "Text1", "Label2", "℃");
    Text2 = makeInputRow(Frame1, 600, "Label8", "湿球温度", "Text2", "Label1", "℃");

    QGroupBox* Frame2 =
        makeFrame(this, "Frame2", QStringLiteral("不快指数"), twipsRect(0, 1200, 2775, 735));
    Text9 = makeResultBox(Frame2, "Text9", twipsRect(600, 240, 1575, 390));
    QGroupBox* Frame3 = makeFrame(this, "Frame3", QStringLiteral("不快に感じる人の割合"),
                                  twipsRect(0, 2040, 2775, 735));
    Text7 = makeResultBox(Frame3, "Text7", twipsRect(600, 240, 1575, 390));
    makeLabel(Frame3, "Label13", QStringLiteral("％"), twipsRect(2280, 330, 255, 240));

    finishWithButtonRow(0, 3000, u"計算", [this] { calculate(); });
}

void DiscomfortDialog::showFromMenu() {
    bringForward(this);
    for (QLineEdit* box : {Text1, Text2, Text9, Text7}) {
        box->setEnabled(true);
    }
}

void DiscomfortDialog::calculate() {
    if (Text1->text().isEmpty() || Text2->text().isEmpty()) {
        messages_.show(message(words::kTwoConditionsEmpty));
        return;
    }
    const std::optional<double> dryText = readNumber(Text1->text());
    const std::optional<double> wetText = readNumber(Text2->text());
    if (!dryText || !wetText) {
        messages_.show(message(words::kNotANumber));
        (dryText ? Text2 : Text1)->setFocus();
        return;
    }
    // Both temperatures are held in single precision; beyond the range of float the conversion
    // would have no value.
    if (!fitsFloat(*dryText) || !fitsFloat(*wetText)) {
        messages_.show(message(words::kDiscomfortNoState));
        return;
    }
    const auto t = static_cast<float>(*dryText);
    const auto tw = static_cast<float>(*wetText);

    const auto air = psychro::discomfortAirState(t, tw, settings_.atmosphere.ratio);
    if (!air) {
        messages_.show(message(
            words::discomfortFailureMessage(air.error(), settings_.atmosphere.ratio).c_str()));
        return;
    }
    const std::optional<chart::PointMm> at = markPoint(*air);
    if (!at) {
        messages_.show(message(words::kDiscomfortNoState));
        return;
    }
    const double di = psychro::discomfortIndex(t, tw);
    Text9->setText(numberText(di, 1, chart::Rounding::HalfUpward));
    Text7->setText(QString::fromStdString(chart::generalText(psychro::discomfortShare(di))));
    record({
        .kind = chart::EntryKind::Discomfort,
        .states = {markedState("", *at, air->x, air->i)},
        .lineFrom = std::nullopt,
        .inputs = {{"t", t}, {"tw", tw}},
        .results = {{"DI", di}, {"share", static_cast<double>(psychro::discomfortShare(di))}},
    });
}

void DiscomfortDialog::clear() {
    for (QLineEdit* box : {Text1, Text2, Text7, Text9}) {
        box->clear();
    }
    Text1->setFocus();
}

}  // namespace dialogs
