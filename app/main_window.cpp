#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <type_traits>
#include <utility>

#include "app/data_dock.h"
#include "app/document.h"
#include "app/guide.h"
#include "app/picture_view.h"
#include "app/readout_panel.h"
#include "app/scene.h"
#include "app/settings_store.h"
#include "app/state_list.h"
#include "chart/chart_drawing.h"
#include "chart/pressure_text.h"
#include "dialogs/comfort_dialogs.h"
#include "dialogs/design_dialog.h"
#include "dialogs/humidifying_dialog.h"
#include "dialogs/messages.h"
#include "dialogs/point_dialog.h"
#include "dialogs/process_dialogs.h"
#include "dialogs/settings_dialog.h"
#include "files/project_files.h"

namespace app {

MainWindow::MainWindow(dialogs::Messenger& messages, QWidget* parent, QSettings* store)
    : QMainWindow(parent),
      messages_(messages),
      store_(store),
      document_(new Document(store != nullptr ? loadSettings(*store) : chart::Settings::standard(),
                             recoveryPath(), this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(dialogs::message(words::kProgramTitle));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), static_cast<int>(kFormFontPoints)));

    scene_ = new Scene(*document_, this);
    pictureView_ = new PictureView(scene_->picture(), this);
    connect(scene_, &Scene::grown, pictureView_, &PictureView::refresh);
    connect(scene_, &Scene::redrawn, pictureView_, &PictureView::refresh);
    connect(scene_, &Scene::cut, pictureView_, &PictureView::refreshCut);
    connect(scene_, &Scene::underlayChanged, pictureView_,
            [this] { pictureView_->setUnderlay(scene_->underlay()); });
    setCentralWidget(new FormArea(pictureView_, QPointF(120, 0)));
    files_ = new WorkFiles(*document_, messages_, *scene_, this);
    stateList_ = new StateList(*document_, this);
    addDockWidget(Qt::RightDockWidgetArea, stateList_);
    stateList_->hide();
    dataDock_ = new DataDock(*document_, messages_, this);
    addDockWidget(Qt::RightDockWidgetArea, dataDock_);
    dataDock_->hide();
    dataDock_->setFileChooser([this] { return files_->chooseFile(FileAction::Data, QString()); });
    connect(dataDock_, &DataDock::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(
        stateList_, &StateList::highlighted, pictureView_,
        [this](const std::vector<chart::PointMm>& marks) { pictureView_->setHighlight(marks); });
    buildMenus();
    readout_ = new ReadoutPanel(*pictureView_, settings());

    pressureLabel_ = new QLabel(QString::fromUtf8(chart::kPressureLine), pictureView_);
    pressureLabel_->setObjectName(QStringLiteral("Label20"));
    pressureLabel_->setStyleSheet(QStringLiteral("background-color: black; color: white;"));
    pressureLabel_->setAttribute(Qt::WA_NoMousePropagation);
    // Zoomed in, the surface's corners leave the screen: these two stay in view, where they
    // stand fitted to the window.
    pictureView_->keepInView(pressureLabel_, Qt::TopRightCorner);
    pictureView_->keepInView(readout_, Qt::BottomRightCorner);
    showSettingsInLabels();
    followDocument();

    // Open with the whole picture at its natural size where the screen allows.
    QSize size = centralWidget()->sizeHint() + QSize(0, menuBar()->sizeHint().height());
    if (const QScreen* screen = this->screen()) {
        size = size.boundedTo(screen->availableGeometry().size());
    }
    resize(size);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (readout_->walk(*event)) {
        event->accept();
    } else {
        QMainWindow::keyPressEvent(event);
    }
}

namespace {

void bringUp(QWidget* dock) {
    dock->show();
    dock->raise();
}

// One row of the menu tree: the item `objectName` with its caption ("-": a separator) and its
// shortcuts (portable text, several separated by "; "), in the menu named `menu` (none: the menu
// bar); rows without a slot are menus, whose items follow.
struct MenuRow {
    const char* menu;
    const char* objectName;
    const char* caption;
    const char* shortcut;
    void (*slot)(MainWindow& window);
};

}  // namespace

void MainWindow::buildMenus() {
    using W = MainWindow;
    static const MenuRow rows[] = {
        {nullptr, "mnuFfile", "ファイル(&F)", "", nullptr},
        {"mnuFfile", "mnuFileOpen", "開く(&O)...", "Ctrl+O",
         [](W& w) { w.files_->chooseAndOpen(); }},
        {"mnuFfile", "mnuFileSave", "上書き保存(&S)", "Ctrl+S", [](W& w) { (void)w.save(); }},
        {"mnuFfile", "mnuFileSaveAs", "名前を付けて保存(&A)...", "",
         [](W& w) { (void)w.saveAs(); }},
        {"mnuFfile", "mnuFileExport", "エクスポート(&E)...", "",
         [](W& w) { w.files_->chooseAndExport(); }},
        {"mnuFfile", "mnuFileData", "データを重ねる(&D)...", "",
         [](W& w) { w.dataDock_->chooseAndAddData(); }},
        {"mnuFfile", "mnuFileReport", "計算書を出力(&R)...", "",
         [](W& w) { w.files_->startReport(); }},
        {"mnuFfile", "mnuFProjectSeparator", "-", "", nullptr},
        {"mnuFfile", "mnuFilePreview", "印刷プレビュー(&V)...", "",
         [](W& w) { w.files_->preview(); }},
        {"mnuFfile", "mnuFileprint", "印刷(&P)", "", [](W& w) { w.files_->print(); }},
        {"mnuFfile", "mnuFSeparator", "-", "", nullptr},
        {"mnuFfile", "mnuFileExit", "終了(&X)", "", [](W&) { QApplication::quit(); }},
        {nullptr, "mnuEdit", "編集(&E)", "", nullptr},
        {"mnuEdit", "mnuEditUndo", "元に戻す(&U)", "Ctrl+Z", [](W& w) { w.undo(); }},
        {"mnuEdit", "mnuEditRedo", "やり直し(&R)", "Ctrl+Y", [](W& w) { w.redo(); }},
        {"mnuEdit", "mnuESeparator", "-", "", nullptr},
        {"mnuEdit", "mnuEditCopyChart", "線図をコピー(&C)", "Ctrl+C", [](W& w) { w.copyChart(); }},
        {"mnuEdit", "mnuEditCopyList", "一覧をコピー", "", [](W& w) { w.copyList(); }},
        {nullptr, "mnuView", "表示(&V)", "", nullptr},
        {"mnuView", "mnuViewZoomIn", "拡大(&I)",
         "Ctrl++; Ctrl+=", [](W& w) { w.pictureView_->zoomIn(); }},
        {"mnuView", "mnuViewZoomOut", "縮小(&O)", "Ctrl+-",
         [](W& w) { w.pictureView_->zoomOut(); }},
        {"mnuView", "mnuViewFit", "ウィンドウに合わせる(&F)", "",
         [](W& w) { w.pictureView_->fitToWindow(); }},
        {"mnuView", "mnuViewActual", "実寸(&A)", "Ctrl+0",
         [](W& w) { w.pictureView_->setZoom(1.0); }},
        {"mnuView", "mnuVSeparator", "-", "", nullptr},
        {"mnuView", "mnuViewStateList", "状態点一覧(&L)", "", [](W& w) { bringUp(w.stateList_); }},
        {"mnuView", "mnuViewData", "データ(&T)", "", [](W& w) { bringUp(w.dataDock_); }},
        {nullptr, "mnuCal", "計算(&C)", "", nullptr},
        {"mnuCal", "mnuCalMix", "混合(&M)", "",
         [](W& w) { w.kept(w.mixingCoolingDialog_)->showForMixing(); }},
        {"mnuCal", "mnuCalHeat", "加熱(&H)", "",
         [](W& w) { w.kept(w.heatingDialog_)->showForHeating(); }},
        {"mnuCal", "mnuCalCh", "冷却(&C)", "",
         [](W& w) { w.kept(w.mixingCoolingDialog_)->showForCooling(); }},
        {"mnuCal", "mnuCalW", "加湿(&W)", "", nullptr},
        {"mnuCalW", "mnuCalWV", "蒸気加湿(&V)", "",
         [](W& w) { w.kept(w.humidifyingDialog_)->showForSteam(); }},
        {"mnuCalW", "mnuCalWW", "水噴霧加湿(&W)", "",
         [](W& w) { w.kept(w.humidifyingDialog_)->showForWaterSpray(); }},
        {"mnuCal", "mnuCSeparator", "-", "", nullptr},
        {"mnuCal", "mnuCalPMV", "PMV", "", [](W& w) { w.kept(w.pmvDialog_)->showFromMenu(); }},
        {"mnuCal", "mnuCalDI", "不快指数", "",
         [](W& w) { w.kept(w.discomfortDialog_)->showFromMenu(); }},
        {"mnuCal", "mnuCDesignSeparator", "-", "", nullptr},
        {"mnuCal", "mnuCalDesign", "空調設計(&D)...", "",
         [](W& w) { w.kept(w.designDialog_)->showFromMenu(); }},
        {nullptr, "mnuDraw", "作図(&D)", "", nullptr},
        {"mnuDraw", "mnuDrawW", "ミルテン描画(&W)", "", [](W& w) { w.document_->drawChart(); }},
        {"mnuDraw", "mnuDSeparator", "-", "", nullptr},
        {"mnuDraw", "mnuDrawPoint", "点指定(&P)", "",
         [](W& w) { w.kept(w.pointDialog_)->showFromMenu(); }},
        {nullptr, "mnuTool", "ツール(&T)", "", nullptr},
        {"mnuTool", "mnuToolSettings", "設定(&S)...", "", [](W& w) { w.showSettings(); }},
        {nullptr, "mnuHelp", "ヘルプ(&H)", "", nullptr},
        {"mnuHelp", "mnuHelpGuide", "使い方ガイド(&G)", "", [](W& w) { openGuide(w.messages_); }},
        {"mnuHelp", "mnuHelpV", "バージョン情報", "", [](W& w) { w.showVersion(); }},
    };
    std::map<std::string_view, QMenu*> menus;
    for (const MenuRow& row : rows) {
        QMenu* in = row.menu != nullptr ? menus.at(row.menu) : nullptr;
        const QString caption = QString::fromUtf8(row.caption);
        QAction* action = nullptr;
        if (caption == u'-') {
            action = in->addSeparator();
        } else if (row.slot == nullptr) {
            QMenu* menu = in != nullptr ? in->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(QString::fromLatin1(row.objectName));
            menus[row.objectName] = menu;
            action = menu->menuAction();
        } else {
            action = in->addAction(caption);
            action->setParent(this);  // findable by name from the window
            if (*row.shortcut != '\0') {
                action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.shortcut),
                                                                  QKeySequence::PortableText));
            }
            connect(action, &QAction::triggered, this, [this, slot = row.slot] { slot(*this); });
        }
        action->setObjectName(QString::fromLatin1(row.objectName));
    }
}

void MainWindow::showVersion() {
    messages_.show(QStringLiteral("バージョン情報"), QStringLiteral("Version 1.0"));
}

// Each dialog is created the first time its command is chosen and kept from then on; what a
// press marks becomes a step of the document, which the scene draws.
template <typename Dialog>
Dialog* MainWindow::kept(Dialog*& form) {
    if (form == nullptr) {
        form = new Dialog(messages_, this);
        form->setSettings(settings());
        connect(form, &Dialog::entryRecorded, document_, &Document::addEntry);
        if constexpr (std::is_same_v<Dialog, dialogs::DesignDialog>) {
            // A design tried with 計算 is shown over the chart until it is marked or dropped.
            connect(form, &dialogs::DesignDialog::previewChanged, scene_, &Scene::setPreview);
            // The weather data's design conditions, offered for the outdoor state.
            const auto offer = [this, form] { form->offerDesignConditions(document_->data()); };
            connect(document_, &Document::dataChanged, form, offer);
            offer();
        }
        showDialogMemory();
    }
    return form;
}

void MainWindow::showSettings() {
    if (settingsDialog_ == nullptr) {
        settingsDialog_ = new dialogs::SettingsDialog(messages_, this);
        connect(settingsDialog_, &dialogs::SettingsDialog::settingsChosen, this,
                &MainWindow::applySettings);
    }
    settingsDialog_->showFor(settings());
}

void MainWindow::applySettings(const chart::Settings& settings) {
    if (settings == this->settings()) {
        return;
    }
    if (store_ != nullptr) {
        saveSettings(*store_, settings);
    }
    const bool drawn = work().chartDrawn;
    document_->changeSettings(settings);
    statusBar()->showMessage(
        dialogs::message(drawn ? words::kSettingsRedrawn : words::kSettingsChanged));
}

void MainWindow::followDocument() {
    QUndoStack& history = document_->history();
    auto* undoItem = findChild<QAction*>(QStringLiteral("mnuEditUndo"));
    auto* redoItem = findChild<QAction*>(QStringLiteral("mnuEditRedo"));
    undoItem->setEnabled(history.canUndo());
    redoItem->setEnabled(history.canRedo());
    connect(&history, &QUndoStack::canUndoChanged, undoItem, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, redoItem, &QAction::setEnabled);
    connect(document_, &Document::settingsChanged, this, &MainWindow::adoptSettings);
    connect(document_, &Document::cleanChanged, this, &MainWindow::showTitle);
    connect(document_, &Document::filePathChanged, this, &MainWindow::showTitle);
    connect(document_, &Document::changed, this, [this] {
        showTitle();
        showDialogMemory();
        emit workChanged();
    });
}

// The labels and every dialog follow the document's settings; the picture is redrawn by the
// step that changed them.
void MainWindow::adoptSettings(const chart::Settings& settings) {
    showSettingsInLabels();
    for (dialogs::ChartDialog* form : std::initializer_list<dialogs::ChartDialog*>{
             pointDialog_, mixingCoolingDialog_, heatingDialog_, pmvDialog_, discomfortDialog_,
             humidifyingDialog_, designDialog_}) {
        if (form != nullptr) {
            form->setSettings(settings);
        }
    }
}

void MainWindow::showSettingsInLabels() {
    const chart::Settings& settings = this->settings();
    pressureLabel_->setText(
        QString::fromStdString(chart::pressureLine(settings.atmosphere, settings.units)));
    // A longer line than the standard one grows to the left from the label's right edge.
    constexpr double kLabelRight = 12600 + 2532;
    constexpr double kWideLabel = 4800;
    const bool standardLine = pressureLabel_->text() == QString::fromUtf8(chart::kPressureLine);
    const double width = standardLine ? 2532 : kWideLabel;
    pictureView_->placeInTwips(pressureLabel_, QRectF(kLabelRight - width, 0, width, 252),
                               kFormFontPoints);
    readout_->setSettings(settings);
}

const chart::Picture& MainWindow::picture() const {
    return scene_->picture();
}

render::Underlay MainWindow::dataUnderlay() const {
    return scene_->underlay();
}

void MainWindow::showDialogMemory() {
    const DialogMemory memory = document_->dialogMemory();
    if (pointDialog_ != nullptr) {
        pointDialog_->continueFrom(memory.pointCount, memory.lastPoint);
    }
    if (mixingCoolingDialog_ != nullptr) {
        mixingCoolingDialog_->followPointOne(memory.pointOne);
    }
}

void MainWindow::showTitle() {
    const QString& path = document_->filePath();
    if (path.isEmpty() && work().entries.empty() && document_->data().empty()) {
        setWindowModified(false);
        setWindowTitle(dialogs::message(words::kProgramTitle));
        return;
    }
    const QString name =
        path.isEmpty() ? dialogs::message(words::kUntitled) : QFileInfo(path).fileName();
    setWindowTitle(dialogs::message(words::kDocumentTitle).arg(name));
    setWindowModified(!document_->isClean());
}

}  // namespace app
