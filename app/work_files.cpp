#include "app/work_files.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/chart_export.h"
#include "app/document.h"
#include "app/scene.h"
#include "app/work_table.h"
#include "chart/sheet.h"
#include "dialogs/messages.h"
#include "dialogs/title_dialog.h"
#include "files/project_files.h"
#include "report/report_files.h"
#include "report/report_model.h"
#include "words/messages.h"

namespace app {

WorkFiles::WorkFiles(Document& document, dialogs::Messenger& messages, const Scene& scene,
                     QWidget* window)
    : QObject(window),
      document_(document),
      messages_(messages),
      scene_(scene),
      window_(window),
      printDialog_([window](QPrinter& printer) { return execPrintDialog(printer, window); }),
      chooseFile_([window](FileAction action, const QString& suggested) {
          if (action == FileAction::Open || action == FileAction::Data) {
              return QFileDialog::getOpenFileName(
                  window, QString(), suggested,
                  dialogs::message(action == FileAction::Open ? words::kProjectFilter
                                                              : words::kDataFilter));
          }
          // The export dialog says what it does; saving keeps the dialog's own title.
          const QString title =
              action == FileAction::Export ? QStringLiteral("エクスポート") : QString();
          // A name without an extension takes the one of the filter chosen.
          QString filter;
          const QString path = QFileDialog::getSaveFileName(
              window, title, suggested,
              dialogs::message(action == FileAction::Save     ? words::kProjectFilter
                               : action == FileAction::Report ? words::kReportFilter
                                                              : words::kExportFilter),
              &filter);
          return action == FileAction::Save ? path : withFilterExtension(path, filter);
      }) {}

chart::Sheet WorkFiles::sheet() const {
    return chart::sheetOf(scene_.workPicture(), document_.settings());
}

bool WorkFiles::openProject(const QString& path) {
    auto contents = files::readProjectFile(path);
    if (!contents) {
        messages_.show(contents.error());
        return false;
    }
    document_.open(std::move(contents->work), std::move(contents->data), path);
    return true;
}

void WorkFiles::chooseAndOpen() {
    const QString path = chooseFile_(FileAction::Open, document_.filePath());
    if (!path.isEmpty()) {
        (void)openProject(path);
    }
}

bool WorkFiles::save() {
    return document_.filePath().isEmpty() ? saveAs() : saveTo(document_.filePath());
}

bool WorkFiles::saveTo(const QString& path) {
    if (const auto saved = document_.saveTo(path); !saved) {
        messages_.show(saved.error());
        return false;
    }
    return true;
}

bool WorkFiles::saveAs() {
    QString path = chooseFile_(FileAction::Save, document_.filePath());
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QStringLiteral(".milten"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".milten");
    }
    // The work keeps its old file when the new one cannot be written.
    return saveTo(path);
}

bool WorkFiles::exportTo(const QString& path) {
    if (const auto exported = exportWork(path, scene_.workPicture(), document_.work(),
                                         document_.settings(), scene_.underlay());
        !exported) {
        messages_.show(exported.error());
        return false;
    }
    return true;
}

void WorkFiles::chooseAndExport() {
    const QString path = chooseFile_(FileAction::Export, QString());
    if (!path.isEmpty()) {
        (void)exportTo(path);
    }
}

void WorkFiles::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (printChart(sheet(), printer, printDialog_, scene_.underlay()) == PrintResult::Failed) {
        messages_.show(printFailedMessage());
    }
}

void WorkFiles::preview() {
    // Modeless, so that the window stays usable; it prints through its own print dialog.
    auto* dialog = new QPrintPreviewDialog(window_);
    dialog->setObjectName(QStringLiteral("printPreview"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    setUpPrinter(*dialog->printer());
    connect(dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        (void)paintOnPrinter(sheet(), *printer, scene_.underlay());
    });
    dialog->show();
}

void WorkFiles::startReport() {
    if (titleDialog_ == nullptr) {
        titleDialog_ = new dialogs::TitleDialog(messages_, window_);
        connect(titleDialog_, &dialogs::TitleDialog::titleChosen, this,
                [this](const chart::TitleBlock& title) {
                    document_.changeTitle(title);
                    const QFileInfo project(document_.filePath());
                    const QString suggested =
                        document_.filePath().isEmpty()
                            ? QString()
                            : project.dir().filePath(project.completeBaseName() +
                                                     QStringLiteral(".pdf"));
                    const QString path = chooseFile_(FileAction::Report, suggested);
                    if (!path.isEmpty()) {
                        (void)writeReportTo(path);
                    }
                });
    }
    titleDialog_->showFor(document_.work().title);
}

bool WorkFiles::writeReportTo(const QString& path) {
    const auto format = report::reportFormatOf(path);
    if (!format) {
        messages_.show(dialogs::message(words::kReportKinds));
        return false;
    }
    const report::Report model = report::reportOf(document_.work(), document_.settings(),
                                                  document_.data(), document_.work().title);
    if (const auto written = report::writeReport(model, sheet(), scene_.underlay(), path, *format);
        !written) {
        messages_.show(written.error());
        return false;
    }
    return true;
}

void WorkFiles::copyChart() const {
    QGuiApplication::clipboard()->setMimeData(
        sheetMimeData(scene_.workPicture(), document_.settings(), scene_.underlay()).release());
}

void WorkFiles::copyList() const {
    QGuiApplication::clipboard()->setText(tableText(document_.work(), u'\t', document_.settings()));
}

void WorkFiles::offerRecovery() {
    const QString path = document_.recoveryFile();
    if (!QFile::exists(path)) {
        return;
    }
    auto contents = files::readProjectFile(path);
    if (contents && messages_.ask(dialogs::message(words::kRestoreQuestion))) {
        document_.recover(std::move(contents->work), std::move(contents->data));
        return;
    }
    QFile::remove(path);
}

}  // namespace app
