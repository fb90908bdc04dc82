#include "dialogs/title_dialog.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "dialogs/controls.h"
#include "dialogs/messages.h"

namespace dialogs {
namespace {

constexpr double kCaptionLeft = 120;
constexpr double kBoxLeft = 1080;
constexpr double kBoxWidth = 4200;
constexpr double kRowHeight = 390;

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TitleDialog::TitleDialog(Messenger& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setDialogDefaults(this, "FormTitle", 5460, 1740);
    setWindowTitle(QStringLiteral("表題"));
    const auto row = [this](const char* label, const char* caption, const char* box, int k) {
        const double top = 120 + kRowHeight * k;
        QLabel* name = makeLabel(this, label, QString::fromUtf8(caption),
                                 twipsRect(kCaptionLeft, top + 30, kBoxLeft - kCaptionLeft, 240));
        QLineEdit* text =
            makeTextBox(this, box, QString(), twipsRect(kBoxLeft, top, kBoxWidth, 270));
        name->setBuddy(text);  // Alt and the caption's letter reach the box
        text->setMaxLength(static_cast<int>(2 * chart::kTitleBlockMaxChars));
        return text;
    };
    TextSubject = row("LabelSubject", "件名(&S)", "TextSubject", 0);
    TextDesigner = row("LabelDesigner", "設計者(&D)", "TextDesigner", 1);
    TextDate = row("LabelDate", "日付(&T)", "TextDate", 2);
    QPushButton* CommandOK =
        makeButton(this, "CommandOK", QStringLiteral("OK"), twipsRect(3060, 1290, 1080, 375));
    QPushButton* CommandCancel = makeButton(this, "CommandCancel", QStringLiteral("キャンセル"),
                                            twipsRect(4200, 1290, 1080, 375));
    CommandOK->setDefault(true);
    CommandOK->setAutoDefault(true);
    connect(CommandOK, &QPushButton::clicked, this, &TitleDialog::accept);
    connect(CommandCancel, &QPushButton::clicked, this, &TitleDialog::hide);
}

void TitleDialog::showFor(const chart::TitleBlock& title) {
    TextSubject->setText(fromStd(title.subject));
    TextDesigner->setText(fromStd(title.designer));
    TextDate->setText(title.date.empty()
                          ? QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))
                          : fromStd(title.date));
    bringForward(this);
    TextSubject->setFocus();
}

// Characters as the user counts them: a character outside the BMP is one, not two.
void TitleDialog::accept() {
    const std::array<std::pair<QLineEdit*, const char*>, 3> boxes{
        {{TextSubject, "件名"}, {TextDesigner, "設計者"}, {TextDate, "日付"}}};
    for (const auto& [box, caption] : boxes) {
        if (static_cast<std::size_t>(box->text().toUcs4().size()) > chart::kTitleBlockMaxChars) {
            messages_.show(message(words::kTitleTooLong)
                               .arg(QString::fromUtf8(caption))
                               .arg(chart::kTitleBlockMaxChars));
            box->setFocus();
            return;
        }
    }
    hide();
    emit titleChosen({TextSubject->text().toStdString(), TextDesigner->text().toStdString(),
                      TextDate->text().toStdString()});
}

}  // namespace dialogs
