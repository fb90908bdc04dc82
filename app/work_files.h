#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/printing.h"
#include "chart/picture.h"
#include "render/picture_painter.h"

class QWidget;

namespace dialogs {
class Messenger;
class TitleDialog;
}  // namespace dialogs

namespace app {

class Document;
class Scene;

// What leaves the window or comes into it as a whole: the project file opened and saved, the
// chart or the list exported, the sheet printed and previewed, the chart and the list copied,
// and the work a session left unsaved offered back. Failures reach the user as messages.
class WorkFiles : public QObject {
    Q_OBJECT
  public:
    // The step that asks for a file name: a project to open, to save under, a file to export
    // to, or data to read, starting from `suggested`; an empty name cancels. Tests replace the
    // file dialog by it.
    enum class FileAction { Open, Save, Export, Data, Report };
    using FileChooser = std::function<QString(FileAction action, const QString& suggested)>;

    // The sheet is the scene's work (without a design's preview) over its data underlay. The
    // dialogs open over `window`.
    WorkFiles(Document& document, dialogs::Messenger& messages, const Scene& scene,
              QWidget* window);

    void setPrintDialog(PrintDialogStep dialog) { printDialog_ = std::move(dialog); }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    [[nodiscard]] QString chooseFile(FileAction action, const QString& suggested) const {
        return chooseFile_(action, suggested);
    }

    // Opens the project file at `path`: the chart and its entries replace the work on screen,
    // which stays as it was when the file is refused (a message says why). True when opened.
    bool openProject(const QString& path);
    void chooseAndOpen();
    // "上書き保存" and "名前を付けて保存": true when the work was written.
    bool save();
    bool saveAs();
    // "エクスポート": the chart as PDF, SVG or PNG (by the painter milten-cli uses) or the list
    // as CSV, by the file's extension; true when written.
    bool exportTo(const QString& path);
    void chooseAndExport();
    // "印刷" through the print dialog step, and "印刷プレビュー": the page as it will be printed,
    // in a window of its own from which it can be printed.
    void print();
    void preview();
    // "線図をコピー" (an image, and SVG) and "一覧をコピー" (tab-separated text).
    // "計算書を出力": the title block (件名, 設計者, 日付) asked for and kept as a step, then the
    // report written as PDF or HTML by the extension of the file chosen; true when written.
    void startReport();
    bool writeReportTo(const QString& path);
    void copyChart() const;
    void copyList() const;
    // At start: a recovery file left by a session that ended with unsaved work is offered
    // back through the messenger's question; declined, it is removed.
    void offerRecovery();

  private:
    bool saveTo(const QString& path);
    [[nodiscard]] chart::Sheet sheet() const;

    Document& document_;
    dialogs::Messenger& messages_;
    const Scene& scene_;
    QWidget* window_;
    PrintDialogStep printDialog_;
    FileChooser chooseFile_;
    dialogs::TitleDialog* titleDialog_ = nullptr;  // `FormTitle`
};

}  // namespace app
