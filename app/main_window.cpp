#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QUndoStack>
#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>
#include <utility>

#include "app/chart_export.h"
#include "app/data_dock.h"
#include "app/document.h"
#include "app/picture_view.h"
#include "app/scene.h"
#include "app/settings_store.h"
#include "app/state_list.h"
#include "app/work_table.h"
#include "chart/chart_drawing.h"
#include "chart/cursor_readout.h"
#include "chart/pressure_text.h"
#include "chart/sheet.h"
#include "data/data_layer.h"
#include "dialogs/comfort_dialogs.h"
#include "dialogs/design_dialog.h"
#include "dialogs/humidifying_dialog.h"
#include "dialogs/messages.h"
#include "dialogs/point_dialog.h"
#include "dialogs/process_dialogs.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/title_dialog.h"
#include "files/project_files.h"
#include "report/report_files.h"
#include "report/report_model.h"

namespace app {
namespace {

constexpr double kFormFontPoints = 9.0;
constexpr double kUnitFontPoints = 8.25;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

MainWindow::MainWindow(dialogs::Messenger& messages, QWidget* parent, QSettings* store)
    : QMainWindow(parent),
      messages_(messages),
      store_(store),
      document_(new Document(store != nullptr ? loadSettings(*store) : chart::Settings::standard(),
                             recoveryPath(), this)),

      printDialog_([this](QPrinter& printer) { return execPrintDialog(printer, this); }),
      chooseFile_([this](FileAction action, const QString& suggested) {
          if (action == FileAction::Open || action == FileAction::Data) {
              return QFileDialog::getOpenFileName(
                  this, QString(), suggested,
                  dialogs::message(action == FileAction::Open ? words::kProjectFilter
                                                              : words::kDataFilter));
          }
          // A name without an extension takes the one of the filter chosen.
          QString filter;
          const QString path = QFileDialog::getSaveFileName(
              this, QString(), suggested,
              dialogs::message(action == FileAction::Save     ? words::kProjectFilter
                               : action == FileAction::Report ? words::kReportFilter
                                                              : words::kExportFilter),
              &filter);
          return action == FileAction::Save ? path : withFilterExtension(path, filter);
      }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(dialogs::message(words::kProgramTitle));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), static_cast<int>(kFormFontPoints)));

    scene_ = new Scene(*document_, this);
    Picture1 = new PictureView(scene_->picture(), this);
    connect(scene_, &Scene::grown, Picture1, &PictureView::refresh);
    connect(scene_, &Scene::redrawn, Picture1, &PictureView::refresh);
    connect(scene_, &Scene::cut, Picture1, &PictureView::refreshCut);
    connect(scene_, &Scene::underlayChanged, Picture1,
            [this] { Picture1->setUnderlay(scene_->underlay()); });
    setCentralWidget(new FormArea(Picture1, QPointF(120, 0)));
    stateList_ = new StateList(*document_, this);
    addDockWidget(Qt::RightDockWidgetArea, stateList_);
    stateList_->hide();
    dataDock_ = new DataDock(*document_, messages_, this);
    addDockWidget(Qt::RightDockWidgetArea, dataDock_);
    dataDock_->hide();
    dataDock_->setFileChooser([this] { return chooseFile_(FileAction::Data, QString()); });
    connect(dataDock_, &DataDock::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(stateList_, &StateList::highlighted, Picture1,
            [this](const std::vector<chart::PointMm>& marks) { Picture1->setHighlight(marks); });
    buildMenus();
    buildReadoutFrame();
    connect(Picture1, &PictureView::pointerMoved, this, &MainWindow::pointerOverPicture);
    connectDialogMenus();

    Label20 = makeLabel(Picture1, "Label20", QString::fromUtf8(chart::kPressureLine));
    Label20->setStyleSheet(QStringLiteral("background-color: black; color: white;"));
    Label20->setAttribute(Qt::WA_NoMousePropagation);
    Picture1->placeInTwips(Label20, QRectF(12600, 0, 2532, 252), kFormFontPoints);
    // Zoomed in, the surface's corners leave the screen: these two stay in view.
    Picture1->keepInView(Label20);
    Picture1->keepInView(Frame1);
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

QMenu* MainWindow::addMenu(const char* name, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* MainWindow::addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setParent(this);  // findable by name from the window
    return action;
}

void MainWindow::addSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
}

void MainWindow::buildMenus() {
    QMenu* file = addMenu("mnuFfile", QStringLiteral("ファイル(&F)"));
    QAction* open = addItem(file, "mnuFileOpen", QStringLiteral("開く(&O)..."));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &MainWindow::chooseAndOpen);
    QAction* saveItem = addItem(file, "mnuFileSave", QStringLiteral("上書き保存(&S)"));
    saveItem->setShortcut(QKeySequence::Save);
    connect(saveItem, &QAction::triggered, this, [this] { (void)save(); });
    QAction* saveAsItem = addItem(file, "mnuFileSaveAs", QStringLiteral("名前を付けて保存(&A)..."));
    connect(saveAsItem, &QAction::triggered, this, [this] { (void)saveAs(); });
    QAction* exportItem = addItem(file, "mnuFileExport", QStringLiteral("エクスポート(&E)..."));
    connect(exportItem, &QAction::triggered, this, [this] {
        const QString path = chooseFile_(FileAction::Export, QString());
        if (!path.isEmpty()) {
            (void)exportTo(path);
        }
    });
    QAction* dataItem = addItem(file, "mnuFileData", QStringLiteral("データを重ねる(&D)..."));
    connect(dataItem, &QAction::triggered, dataDock_, &DataDock::chooseAndAddData);
    QAction* reportItem = addItem(file, "mnuFileReport", QStringLiteral("計算書を出力(&R)..."));
    connect(reportItem, &QAction::triggered, this, &MainWindow::startReport);
    addSeparator(file, "mnuFProjectSeparator");
    QAction* print = addItem(file, "mnuFileprint", QStringLiteral("印刷(&P)"));
    connect(print, &QAction::triggered, this, &MainWindow::printChart);
    addSeparator(file, "mnuFSeparator");
    QAction* exit = addItem(file, "mnuFileExit", QStringLiteral("終了(&X)"));
    connect(exit, &QAction::triggered, this, [] { QApplication::quit(); });

    QMenu* edit = addMenu("mnuEdit", QStringLiteral("編集(&E)"));
    undoItem_ = addItem(edit, "mnuEditUndo", QStringLiteral("元に戻す(&U)"));
    undoItem_->setShortcut(QKeySequence::Undo);
    connect(undoItem_, &QAction::triggered, this, &MainWindow::undo);
    redoItem_ = addItem(edit, "mnuEditRedo", QStringLiteral("やり直し(&R)"));
    redoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(redoItem_, &QAction::triggered, this, &MainWindow::redo);
    addSeparator(edit, "mnuESeparator");
    QAction* copyChartItem = addItem(edit, "mnuEditCopyChart", QStringLiteral("線図をコピー(&C)"));
    copyChartItem->setShortcut(QKeySequence::Copy);
    connect(copyChartItem, &QAction::triggered, this, &MainWindow::copyChart);
    QAction* copyListItem = addItem(edit, "mnuEditCopyList", QStringLiteral("一覧をコピー"));
    connect(copyListItem, &QAction::triggered, this, &MainWindow::copyList);
    QMenu* view = addMenu("mnuView", QStringLiteral("表示(&V)"));
    QAction* zoomIn = addItem(view, "mnuViewZoomIn", QStringLiteral("拡大(&I)"));
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, Picture1, &PictureView::zoomIn);
    QAction* zoomOut = addItem(view, "mnuViewZoomOut", QStringLiteral("縮小(&O)"));
    zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(zoomOut, &QAction::triggered, Picture1, &PictureView::zoomOut);
    QAction* fit = addItem(view, "mnuViewFit", QStringLiteral("ウィンドウに合わせる(&F)"));
    connect(fit, &QAction::triggered, Picture1, &PictureView::fitToWindow);
    QAction* actual = addItem(view, "mnuViewActual", QStringLiteral("実寸(&A)"));
    actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(actual, &QAction::triggered, Picture1, [this] { Picture1->setZoom(1.0); });
    addSeparator(view, "mnuVSeparator");
    QAction* stateList = addItem(view, "mnuViewStateList", QStringLiteral("状態点一覧(&L)"));
    connect(stateList, &QAction::triggered, this, [this] {
        stateList_->show();
        stateList_->raise();
    });
    QAction* dataDock = addItem(view, "mnuViewData", QStringLiteral("データ(&T)"));
    connect(dataDock, &QAction::triggered, this, [this] {
        dataDock_->show();
        dataDock_->raise();
    });

    QMenu* calc = addMenu("mnuCal", QStringLiteral("計算(&C)"));
    addItem(calc, "mnuCalMix", QStringLiteral("混合(&M)"));
    addItem(calc, "mnuCalHeat", QStringLiteral("加熱(&H)"));
    addItem(calc, "mnuCalCh", QStringLiteral("冷却(&C)"));
    QMenu* humidify = calc->addMenu(QStringLiteral("加湿(&W)"));
    humidify->setObjectName(QStringLiteral("mnuCalW"));
    humidify->menuAction()->setObjectName(QStringLiteral("mnuCalW"));
    addItem(humidify, "mnuCalWV", QStringLiteral("蒸気加湿(&V)"));
    addItem(humidify, "mnuCalWW", QStringLiteral("水噴霧加湿(&W)"));
    addSeparator(calc, "mnuCSeparator");
    addItem(calc, "mnuCalPMV", QStringLiteral("PMV"));
    addItem(calc, "mnuCalDI", QStringLiteral("不快指数"));
    addSeparator(calc, "mnuCDesignSeparator");
    addItem(calc, "mnuCalDesign", QStringLiteral("空調設計(&D)..."));

    QMenu* draw = addMenu("mnuDraw", QStringLiteral("作図(&D)"));
    QAction* drawW = addItem(draw, "mnuDrawW", QStringLiteral("ミルテン描画(&W)"));
    connect(drawW, &QAction::triggered, this, &MainWindow::drawChart);
    addSeparator(draw, "mnuDSeparator");
    addItem(draw, "mnuDrawPoint", QStringLiteral("点指定(&P)"));

    QMenu* tool = addMenu("mnuTool", QStringLiteral("ツール(&T)"));
    QAction* settings = addItem(tool, "mnuToolSettings", QStringLiteral("設定(&S)..."));
    connect(settings, &QAction::triggered, this, &MainWindow::showSettings);

    QMenu* help = addMenu("mnuHelp", QStringLiteral("ヘルプ(&H)"));
    QAction* version = addItem(help, "mnuHelpV", QStringLiteral("バージョン情報"));
    connect(version, &QAction::triggered, this, &MainWindow::showVersion);
}

void MainWindow::buildReadoutFrame() {
    Frame1 = new QGroupBox(QStringLiteral("空気状態"), Picture1);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAttribute(Qt::WA_NoMousePropagation);
    Frame1->setAutoFillBackground(true);
    Picture1->placeInTwips(Frame1, QRectF(12360, 7680, 2685, 2535), kFormFontPoints);

    struct Row {
        const char* nameLabel;
        const char* caption;
        QLabel** value;
        const char* valueLabel;
        const char* unitLabel;
        const char* unit;
    };
    const std::array<Row, 6> rows{{
        {"Label14", "絶対湿度", &Label5, "Label5", "Label2", "kg/kg(DA)"},
        {"Label15", "エンタルピ", &Label4, "Label4", "Label9", "kcal/kg(DA)"},  // see Label9
        {"Label16", "温度", &Label3, "Label3", "Label10", "℃"},
        {"Label17", "湿球温度", &Label8, "Label8", "Label11", "℃"},
        {"Label18", "比容積", &Label7, "Label7", "Label12", "m3/kg(DA)"},
        {"Label19", "相対湿度", &Label6, "Label6", "Label13", "％"},
    }};
    constexpr double kRowHeight = 255;
    double top = 360;
    for (const Row& row : rows) {
        QLabel* name = makeLabel(Frame1, row.nameLabel, QString::fromUtf8(row.caption));
        Picture1->placeInTwips(name, QRectF(120, top, 900, kRowHeight), kFormFontPoints);

        // Until the pointer first crosses the chart each value label shows its own name.
        QLabel* value = makeLabel(Frame1, row.valueLabel, QString::fromLatin1(row.valueLabel));
        value->setStyleSheet(QStringLiteral("background-color: white; color: black;"));
        // Half-width fixed-pitch digits: "0.01053" fits the design's narrow value column.
        value->setFont(QFont(QStringLiteral("ＭＳ ゴシック")));
        Picture1->placeInTwips(value, QRectF(1080, top, 675, kRowHeight), kFormFontPoints);
        *row.value = value;
        value->setAccessibleName(QString::fromUtf8(row.caption));

        QLabel* unit = makeLabel(Frame1, row.unitLabel, QString::fromUtf8(row.unit));
        readouts_.push_back({value, QString::fromUtf8(row.caption), unit});
        if (row.value == &Label4) {
            Label9 = unit;
        }
        unit->setFont(QFont(QStringLiteral("Times New Roman")));
        Picture1->placeInTwips(unit, QRectF(1800, top, 870, kRowHeight), kUnitFontPoints);
        top += 360;
    }
}

void MainWindow::showReadout(float X, float Y) {
    readoutAt_ = chart::PointMm{X, Y};
    const chart::Readout r =
        chart::cursorReadout(X, Y, settings().atmosphere.ratio, settings().units);
    Label3->setText(QString::fromStdString(r.t));
    Label4->setText(QString::fromStdString(r.i));
    Label5->setText(QString::fromStdString(r.x));
    Label6->setText(QString::fromStdString(r.phi));
    Label7->setText(QString::fromStdString(r.v));
    Label8->setText(QString::fromStdString(r.tw));
    // A screen reader reads each value with what it is: "温度 34.2 ℃", "温度 範囲外". The name
    // set replaces the label's text as its accessible name, so the name carries the value.
    for (const Readout& readout : readouts_) {
        const QString text = readout.label->text();
        const bool number = text != QString::fromUtf8(chart::kFogText) &&
                            text != QString::fromUtf8(chart::kOutsideText);
        const QString name = number ? readout.caption + u' ' + text + u' ' + readout.unit->text()
                                    : readout.caption + u' ' + text;
        if (name != readout.label->accessibleName()) {
            readout.label->setAccessibleName(name);  // announced to clients as NameChanged
        }
    }
}

void MainWindow::pointerOverPicture(float X, float Y) {
    lastPointer_ = chart::PointMm{X, Y};
    Picture1->setCrosshair(std::nullopt);  // the pointer leads the readout again
    showReadout(X, Y);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int steps = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    int temperature = 0;
    int humidity = 0;
    switch (event->key()) {
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
            QMainWindow::keyPressEvent(event);
            return;
    }
    // The walk starts where the cross-hair stands, else at the state under the pointer.
    if (!Picture1->crosshair()) {
        keyboard_ = lastPointer_ ? chart::keyboardStateAt(*lastPointer_) : chart::kKeyboardStart;
    }
    keyboard_ = chart::keyboardStep(keyboard_, temperature, humidity);
    const chart::PointMm at = chart::keyboardPoint(keyboard_);
    Picture1->ensureVisible(QPointF(at.X, at.Y));
    Picture1->setCrosshair(QPointF(at.X, at.Y));
    showReadout(static_cast<float>(at.X), static_cast<float>(at.Y));
    event->accept();
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
            const auto offer = [this, form] {
                std::vector<dialogs::DesignDialog::OfferedCondition> offered;
                for (const data::DataLayer& layer : document_->data().layers) {
                    for (const data::DesignCondition& c : layer.set->designConditions) {
                        offered.push_back({QString::fromStdString(layer.set->name), c});
                    }
                }
                form->setDesignConditions(offered);
            };
            connect(document_, &Document::dataChanged, form, offer);
            offer();
        }
        showDialogMemory();
    }
    return form;
}

void MainWindow::connectDialogMenus() {
    const auto item = [this](const char* name) { return findChild<QAction*>(name); };
    connect(item("mnuDrawPoint"), &QAction::triggered, this,
            [this] { kept(Form2)->showFromMenu(); });
    connect(item("mnuCalMix"), &QAction::triggered, this, [this] { kept(Form3)->showForMixing(); });
    connect(item("mnuCalHeat"), &QAction::triggered, this,
            [this] { kept(Form4)->showForHeating(); });
    connect(item("mnuCalCh"), &QAction::triggered, this, [this] { kept(Form3)->showForCooling(); });
    connect(item("mnuCalPMV"), &QAction::triggered, this, [this] { kept(Form5)->showFromMenu(); });
    connect(item("mnuCalDI"), &QAction::triggered, this, [this] { kept(Form6)->showFromMenu(); });
    connect(item("mnuCalDesign"), &QAction::triggered, this,
            [this] { kept(FormDesign)->showFromMenu(); });
    connect(item("mnuCalWV"), &QAction::triggered, this, [this] { kept(Form7)->showForSteam(); });
    connect(item("mnuCalWW"), &QAction::triggered, this,
            [this] { kept(Form7)->showForWaterSpray(); });
}

void MainWindow::drawChart() {
    document_->drawChart();
}

void MainWindow::printChart() {
    QPrinter printer(QPrinter::HighResolution);
    if (app::printChart(chart::sheetOf(scene_->workPicture(), settings()), printer, printDialog_,
                        dataUnderlay()) == PrintResult::Failed) {
        messages_.show(printFailedMessage());
    }
}

void MainWindow::showSettings() {
    if (FormSettings == nullptr) {
        FormSettings = new dialogs::SettingsDialog(messages_, this);
        connect(FormSettings, &dialogs::SettingsDialog::settingsChosen, this,
                &MainWindow::applySettings);
    }
    FormSettings->showFor(settings());
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

const chart::Picture& MainWindow::picture() const {
    return scene_->picture();
}

render::Underlay MainWindow::dataUnderlay() const {
    return scene_->underlay();
}

const chart::MarkedWork& MainWindow::work() const {
    return document_->work();
}

const chart::Settings& MainWindow::settings() const {
    return document_->settings();
}

const QString& MainWindow::projectPath() const {
    return document_->filePath();
}

bool MainWindow::canUndo() const {
    return document_->history().canUndo();
}

bool MainWindow::canRedo() const {
    return document_->history().canRedo();
}

void MainWindow::followDocument() {
    QUndoStack& history = document_->history();
    undoItem_->setEnabled(history.canUndo());
    redoItem_->setEnabled(history.canRedo());
    connect(&history, &QUndoStack::canUndoChanged, undoItem_, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, redoItem_, &QAction::setEnabled);
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
             Form2, Form3, Form4, Form5, Form6, Form7, FormDesign}) {
        if (form != nullptr) {
            form->setSettings(settings);
        }
    }
}

void MainWindow::showSettingsInLabels() {
    const chart::Settings& settings = this->settings();
    Label20->setText(
        QString::fromStdString(chart::pressureLine(settings.atmosphere, settings.units)));
    // A longer line than the standard one grows to the left from the label's right edge.
    constexpr double kLabelRight = 12600 + 2532;
    constexpr double kWideLabel = 4800;
    const bool standardLine = Label20->text() == QString::fromUtf8(chart::kPressureLine);
    const double width = standardLine ? 2532 : kWideLabel;
    Picture1->placeInTwips(Label20, QRectF(kLabelRight - width, 0, width, 252), kFormFontPoints);
    Label9->setText(QString::fromLatin1(chart::enthalpyUnitText(settings.units)));
    // The figures shown are those of the new settings at once, not when the pointer moves.
    if (readoutAt_) {
        showReadout(static_cast<float>(readoutAt_->X), static_cast<float>(readoutAt_->Y));
    }
}

void MainWindow::showDialogMemory() {
    const DialogMemory memory = document_->dialogMemory();
    if (Form2 != nullptr) {
        Form2->continueFrom(memory.pointCount, memory.lastPoint);
    }
    if (Form3 != nullptr) {
        Form3->followPointOne(memory.pointOne);
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

void MainWindow::undo() {
    document_->history().undo();
}

void MainWindow::redo() {
    document_->history().redo();
}

void MainWindow::offerRecovery() {
    const QString path = document_->recoveryFile();
    if (!QFile::exists(path)) {
        return;
    }
    auto contents = files::readProjectFile(path);
    if (contents && messages_.ask(dialogs::message(words::kRestoreQuestion))) {
        document_->recover(std::move(contents->work), std::move(contents->data));
        return;
    }
    QFile::remove(path);
}

void MainWindow::chooseAndOpen() {
    const QString path = chooseFile_(FileAction::Open, projectPath());
    if (!path.isEmpty()) {
        (void)openProject(path);
    }
}

bool MainWindow::openProject(const QString& path) {
    auto contents = files::readProjectFile(path);
    if (!contents) {
        messages_.show(contents.error());
        return false;
    }
    document_->open(std::move(contents->work), std::move(contents->data), path);
    return true;
}

bool MainWindow::save() {
    if (projectPath().isEmpty()) {
        return saveAs();
    }
    return saveTo(projectPath());
}

bool MainWindow::saveTo(const QString& path) {
    if (const auto saved = document_->saveTo(path); !saved) {
        messages_.show(saved.error());
        return false;
    }
    return true;
}

bool MainWindow::saveAs() {
    QString path = chooseFile_(FileAction::Save, projectPath());
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QStringLiteral(".milten"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".milten");
    }
    // The work keeps its old file when the new one cannot be written.
    return saveTo(path);
}

bool MainWindow::exportTo(const QString& path) {
    if (const auto exported =
            exportWork(path, scene_->workPicture(), work(), settings(), dataUnderlay());
        !exported) {
        messages_.show(exported.error());
        return false;
    }
    return true;
}

void MainWindow::startReport() {
    if (FormTitle == nullptr) {
        FormTitle = new dialogs::TitleDialog(messages_, this);
        connect(FormTitle, &dialogs::TitleDialog::titleChosen, this,
                [this](const chart::TitleBlock& title) {
                    document_->changeTitle(title);
                    const QFileInfo project(projectPath());
                    const QString suggested =
                        projectPath().isEmpty()
                            ? QString()
                            : project.dir().filePath(project.completeBaseName() +
                                                     QStringLiteral(".pdf"));
                    const QString path = chooseFile_(FileAction::Report, suggested);
                    if (!path.isEmpty()) {
                        (void)writeReportTo(path);
                    }
                });
    }
    FormTitle->showFor(work().title);
}

bool MainWindow::writeReportTo(const QString& path) {
    const auto format = report::reportFormatOf(path);
    if (!format) {
        messages_.show(dialogs::message(words::kReportKinds));
        return false;
    }
    const report::Report model =
        report::reportOf(work(), settings(), document_->data(), work().title);
    if (const auto written =
            report::writeReport(model, chart::sheetOf(scene_->workPicture(), settings()),
                                dataUnderlay(), path, *format);
        !written) {
        messages_.show(written.error());
        return false;
    }
    return true;
}

void MainWindow::copyChart() {
    QGuiApplication::clipboard()->setMimeData(
        sheetMimeData(scene_->workPicture(), settings(), dataUnderlay()).release());
}

void MainWindow::copyList() {
    QGuiApplication::clipboard()->setText(tableText(work(), u'\t', settings()));
}

}  // namespace app
