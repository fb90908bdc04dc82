#include "dialogs/chart_dialog.h"

#include <QCloseEvent>

#include "dialogs/controls.h"

namespace dialogs {

ChartDialog::ChartDialog(chart::Picture& picture, Messenger& messages, QWidget* parent,
                         const char* name, double widthTwips, double heightTwips)
    : QDialog(parent), picture_(picture), messages_(messages) {
    setDialogDefaults(this, name, widthTwips, heightTwips);
}

void ChartDialog::reject() {
    closeDialog();
}

void ChartDialog::closeEvent(QCloseEvent* event) {
    closeDialog();
    event->accept();
}

void ChartDialog::closeDialog() {
    hide();
}

}  // namespace dialogs
