#include "app/readout_panel.h"

#include <QKeyEvent>
#include <QLabel>

#include "app/picture_view.h"
#include "chart/cursor_readout.h"
#include "chart/units.h"
#include "dialogs/controls.h"

namespace app {
namespace {

constexpr double kUnitFontPoints = 8.25;

// The rows top to bottom, with the design's names of their labels.
struct RowDesign {
    const char* nameLabel;
    const char* caption;
    const char* valueLabel;
    const char* unitLabel;
    const char* unit;
};
constexpr RowDesign kRows[] = {
    {"Label14", "絶対湿度", "Label5", "Label2", "kg/kg(DA)"},
    {"Label15", "エンタルピ", "Label4", "Label9", "kcal/kg(DA)"},
    {"Label16", "温度", "Label3", "Label10", "℃"},
    {"Label17", "湿球温度", "Label8", "Label11", "℃"},
    {"Label18", "比容積", "Label7", "Label12", "m3/kg(DA)"},
    {"Label19", "相対湿度", "Label6", "Label13", "％"},
};

}  // namespace

ReadoutPanel::ReadoutPanel(PictureView& surface, const chart::Settings& settings)
    : QGroupBox(QStringLiteral("空気状態"), &surface), surface_(surface), settings_(settings) {
    setObjectName(QStringLiteral("Frame1"));
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoFillBackground(true);
    surface_.placeInTwips(this, QRectF(12360, 7680, 2685, 2535), kFormFontPoints);

    constexpr double kRowHeight = 255;
    double top = 360;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        const RowDesign& design = kRows[k];
        const QString caption = QString::fromUtf8(design.caption);
        QLabel* name =
            dialogs::makeNamed<QLabel>(this, QString::fromLatin1(design.nameLabel), caption);
        surface_.placeInTwips(name, QRectF(120, top, 900, kRowHeight), kFormFontPoints);

        QLabel* value =
            dialogs::makeNamed<QLabel>(this, QString::fromLatin1(design.valueLabel), QString());
        value->setStyleSheet(QStringLiteral("background-color: white; color: black;"));
        // Half-width fixed-pitch digits: "0.01053" fits the design's narrow value column.
        value->setFont(QFont(QStringLiteral("ＭＳ ゴシック")));
        value->setAccessibleName(caption);
        surface_.placeInTwips(value, QRectF(1080, top, 675, kRowHeight), kFormFontPoints);

        QLabel* unit = dialogs::makeNamed<QLabel>(this, QString::fromLatin1(design.unitLabel),
                                                  QString::fromUtf8(design.unit));
        unit->setFont(QFont(QStringLiteral("Times New Roman")));
        surface_.placeInTwips(unit, QRectF(1800, top, 870, kRowHeight), kUnitFontPoints);
        rows_[k] = {value, unit, caption};
        top += 360;
    }
    setSettings(settings);
    connect(&surface_, &PictureView::pointerMoved, this, &ReadoutPanel::pointerMoved);
}

void ReadoutPanel::setSettings(const chart::Settings& settings) {
    settings_ = settings;
    rows_[kEnthalpy].unit->setText(QString::fromLatin1(chart::enthalpyUnitText(settings.units)));
    // The figures shown are those of the new settings at once, not when the pointer moves.
    if (shownAt_) {
        showAt(static_cast<float>(shownAt_->X), static_cast<float>(shownAt_->Y));
    }
}

void ReadoutPanel::showAt(float X, float Y) {
    shownAt_ = chart::PointMm{X, Y};
    const chart::Readout r =
        chart::cursorReadout(X, Y, settings_.atmosphere.ratio, settings_.units);
    const std::string* texts[] = {&r.x, &r.i, &r.t, &r.tw, &r.v, &r.phi};
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        const Row& row = rows_[k];
        const QString text = QString::fromStdString(*texts[k]);
        row.value->setText(text);
        // A screen reader reads each value with what it is: "温度 34.2 ℃", "温度 範囲外". The
        // name set replaces the label's text as its accessible name, so the name carries the
        // value.
        const bool number = *texts[k] != chart::kFogText && *texts[k] != chart::kOutsideText;
        const QString name = number ? row.caption + u' ' + text + u' ' + row.unit->text()
                                    : row.caption + u' ' + text;
        if (name != row.value->accessibleName()) {
            row.value->setAccessibleName(name);  // announced to clients as NameChanged
        }
    }
}

void ReadoutPanel::pointerMoved(float X, float Y) {
    lastPointer_ = chart::PointMm{X, Y};
    surface_.setCrosshair(std::nullopt);  // the pointer leads the readout again
    showAt(X, Y);
}

bool ReadoutPanel::walk(const QKeyEvent& event) {
    const int steps = event.modifiers() & Qt::ShiftModifier ? 10 : 1;
    int temperature = 0;
    int humidity = 0;
    switch (event.key()) {
        case Qt::Key_Left:
            temperature = -steps;
            break;
        case Qt::Key_Right:
            temperature = steps;
            break;
        case Qt::Key_Up:
            humidity = steps;
            break;
        case Qt::Key_Down:
            humidity = -steps;
            break;
        default:
            return false;
    }
    if (!surface_.crosshair()) {
        keyboard_ = lastPointer_ ? chart::keyboardStateAt(*lastPointer_) : chart::kKeyboardStart;
    }
    keyboard_ = chart::keyboardStep(keyboard_, temperature, humidity);
    const chart::PointMm at = chart::keyboardPoint(keyboard_);
    surface_.ensureVisible(QPointF(at.X, at.Y));
    surface_.setCrosshair(QPointF(at.X, at.Y));
    showAt(static_cast<float>(at.X), static_cast<float>(at.Y));
    return true;
}

}  // namespace app
