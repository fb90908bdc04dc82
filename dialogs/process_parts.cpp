#include "dialogs/process_parts.h"

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <cmath>
#include <limits>

#include "chart/chart_marks.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"

namespace dialogs {

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

bool fitsFloat(double v) {
    return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
}

std::optional<chart::PointMm> keptPoint(double X, double Y) {
    if (!fitsFloat(X) || !fitsFloat(Y)) {
        return std::nullopt;
    }
    return chart::singlePrecision(X, Y);
}

void explainRefusal(IhFailure failure, Messenger& messages, const char16_t* noPair) {
    if (failure == IhFailure::NoPair) {
        messages.show(message(noPair));
    }
}

}  // namespace dialogs
