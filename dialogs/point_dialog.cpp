#include "dialogs/point_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

#include "chart/chart_marks.h"
#include "chart/marked_work.h"
#include "chart/number_text.h"
#include "chart/picture.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/process_parts.h"
#include "dialogs/state_input_panel.h"

namespace dialogs {
PointDialog::PointDialog(Messenger& messages, QWidget* parent)
    : ChartDialog(messages, parent, "Form2", 3000, 3480) {
    setWindowTitle(QStringLiteral("点指定"));

    panel_ = new StateInputPanel(this, PanelHost::PointDialog);
    makeSeparator(this, "Line1", 120, 2880, 2280);
    Check8 = new QCheckBox(QStringLiteral("２つの点を直線でつなぐ"), this);
    Check8->setObjectName(QStringLiteral("Check8"));
    Check8->setGeometry(twipsRect(120, 2400, 2295, 270));
    makeSeparator(this, "Line2", 120, 2880, 2760);
    finishWithButtonRow(120, 3000, u"描画", [this] { drawPoint(); });
}

void PointDialog::showFromMenu() {
    bringForward(this);
    panel_->disableTexts();
}

PanelPoint PointDialog::ih() {
    return ihPointForm(*panel_, messages_, settings_);
}

void PointDialog::settingsChanged(const chart::Settings& before) {
    panel_->showEnthalpyIn(before.units, settings_.units);
}

void PointDialog::drawPoint() {
    bool allEmpty = true;
    for (int k = 0; k < StateInputPanel::kRows; ++k) {
        allEmpty = allEmpty && panel_->text(static_cast<psychro::Property>(k)).isEmpty();
    }
    if (allEmpty) {
        messages_.show(message(words::kGiveTwoProperties));
        return;
    }
    if (panel_->checkedCount() < 2) {
        messages_.show(message(words::kCheckTwoBoxes));
        return;
    }
    const PanelPoint solved = ih();
    if (solved.refused) {
        return;  // the solver has said why; the panel keeps its marks and texts
    }

    PointCount += 1.0F;
    // The point is kept, and drawn, in single precision.
    const auto XP = static_cast<float>(solved.XP);
    const auto YP = static_cast<float>(solved.YP);
    const chart::PointMm at{XP, YP};
    const bool join = Check8->isChecked() && LastPointX != 0.0F && LastPointY != 0.0F;
    // The state is the one under the unrounded point, as the readout would show it there.
    const chart::ChartState state = chart::pictureState(solved.XP, solved.YP);
    chart::Entry entry{
        .kind = chart::EntryKind::Point,
        .states = {markedState(chart::generalText(PointCount) + "点", at, state.xg / 1000.0,
                               state.i)},
        .lineFrom = join ? std::optional<chart::PointMm>({LastPointX, LastPointY}) : std::nullopt,
        .inputs = panelInputs(*panel_),
        .results = {{"number", PointCount}},
    };
    LastPointX = XP;
    LastPointY = YP;
    panel_->ButtonOK();
    record(entry);
}

void PointDialog::continueFrom(float pointCount, std::optional<chart::PointMm> lastPoint) {
    PointCount = pointCount;
    LastPointX = lastPoint ? static_cast<float>(lastPoint->X) : 0.0F;
    LastPointY = lastPoint ? static_cast<float>(lastPoint->Y) : 0.0F;
}

void PointDialog::clear() {
    panel_->ButtonClear();
    Check8->setChecked(false);
}

void PointDialog::closeDialog() {
    panel_->ButtonOK();
    hide();
}

}  // namespace dialogs
