#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/picture_view.h"
#include "dialogs/messages.h"

namespace {

struct MenuEntry {
    int depth;
    const char* name;
    const char* caption;        // "-" for a separator
    const char* shortcut = "";  // the first key sequence, in portable text
};

// The whole menu tree in order, as the user sees it.
const MenuEntry kMenuTree[] = {
    {0, "mnuFfile", "ファイル(&F)"},
    {1, "mnuFileOpen", "開く(&O)...", "Ctrl+O"},
    {1, "mnuFileSave", "上書き保存(&S)", "Ctrl+S"},
    {1, "mnuFileSaveAs", "名前を付けて保存(&A)..."},
    {1, "mnuFileExport", "エクスポート(&E)..."},
    {1, "mnuFileData", "データを重ねる(&D)..."},
    {1, "mnuFileReport", "計算書を出力(&R)..."},
    {1, "mnuFProjectSeparator", "-"},
    {1, "mnuFilePreview", "印刷プレビュー(&V)..."},
    {1, "mnuFileprint", "印刷(&P)"},
    {1, "mnuFSeparator", "-"},
    {1, "mnuFileExit", "終了(&X)"},
    {0, "mnuEdit", "編集(&E)"},
    {1, "mnuEditUndo", "元に戻す(&U)", "Ctrl+Z"},
    {1, "mnuEditRedo", "やり直し(&R)", "Ctrl+Y"},
    {1, "mnuESeparator", "-"},
    {1, "mnuEditCopyChart", "線図をコピー(&C)", "Ctrl+C"},
    {1, "mnuEditCopyList", "一覧をコピー"},
    {0, "mnuView", "表示(&V)"},
    {1, "mnuViewZoomIn", "拡大(&I)", "Ctrl++"},
    {1, "mnuViewZoomOut", "縮小(&O)", "Ctrl+-"},
    {1, "mnuViewFit", "ウィンドウに合わせる(&F)"},
    {1, "mnuViewActual", "実寸(&A)", "Ctrl+0"},
    {1, "mnuVSeparator", "-"},
    {1, "mnuViewStateList", "状態点一覧(&L)"},
    {1, "mnuViewData", "データ(&T)"},
    {0, "mnuCal", "計算(&C)"},
    {1, "mnuCalMix", "混合(&M)"},
    {1, "mnuCalHeat", "加熱(&H)"},
    {1, "mnuCalCh", "冷却(&C)"},
    {1, "mnuCalW", "加湿(&W)"},
    {2, "mnuCalWV", "蒸気加湿(&V)"},
    {2, "mnuCalWW", "水噴霧加湿(&W)"},
    {1, "mnuCSeparator", "-"},
    {1, "mnuCalPMV", "PMV"},
    {1, "mnuCalDI", "不快指数"},
    {1, "mnuCDesignSeparator", "-"},
    {1, "mnuCalDesign", "空調設計(&D)..."},
    {0, "mnuDraw", "作図(&D)"},
    {1, "mnuDrawW", "ミルテン描画(&W)"},
    {1, "mnuDSeparator", "-"},
    {1, "mnuDrawPoint", "点指定(&P)"},
    {0, "mnuTool", "ツール(&T)"},
    {1, "mnuToolSettings", "設定(&S)..."},
    {0, "mnuHelp", "ヘルプ(&H)"},
    {1, "mnuHelpGuide", "使い方ガイド(&G)"},
    {1, "mnuHelpV", "バージョン情報"},
};

void flatten(const QList<QAction*>& actions, int depth, std::vector<MenuEntry>& out,
             std::vector<QByteArray>& storage) {
    for (QAction* action : actions) {
        storage.push_back(action->objectName().toUtf8());
        const QByteArray& name = storage.back();
        storage.push_back(action->isSeparator() ? QByteArray("-") : action->text().toUtf8());
        const QByteArray& caption = storage.back();
        storage.push_back(action->shortcut().toString(QKeySequence::PortableText).toUtf8());
        out.push_back({depth, name.constData(), caption.constData(), storage.back().constData()});
        EXPECT_TRUE(action->isVisible()) << name.constData();
        // Undo and redo wait for a step to undo or redo.
        const bool step = name == "mnuEditUndo" || name == "mnuEditRedo";
        EXPECT_EQ(action->isEnabled(), !step) << name.constData();
        EXPECT_FALSE(action->isCheckable()) << name.constData();
        if (QMenu* sub = action->menu()) {
            EXPECT_EQ(sub->objectName(), action->objectName());
            flatten(sub->actions(), depth + 1, out, storage);
        }
    }
}

class MainWindowTest : public testing::Test {
  protected:
    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
};

TEST_F(MainWindowTest, CaptionAndMenuTree) {
    EXPECT_EQ(window.objectName(), "Form1");
    EXPECT_EQ(window.windowTitle(), "湿りミルテン");

    std::vector<MenuEntry> seen;
    std::vector<QByteArray> storage;
    storage.reserve(300);
    flatten(window.menuBar()->actions(), 0, seen, storage);
    ASSERT_EQ(seen.size(), std::size(kMenuTree));
    for (std::size_t k = 0; k < seen.size(); ++k) {
        EXPECT_EQ(seen[k].depth, kMenuTree[k].depth) << kMenuTree[k].name;
        EXPECT_STREQ(seen[k].name, kMenuTree[k].name);
        EXPECT_STREQ(seen[k].caption, kMenuTree[k].caption);
        EXPECT_STREQ(seen[k].shortcut, kMenuTree[k].shortcut) << kMenuTree[k].name;
    }
}

TEST_F(MainWindowTest, VersionBoxGoesThroughTheMessenger) {
    window.findChild<QAction*>("mnuHelpV")->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].title, "バージョン情報");
    EXPECT_EQ(messages.messages()[0].text, "Version 1.0");
}

TEST_F(MainWindowTest, InertItemsDoNothing) {
    for (const char* name : {"mnuEdit", "mnuView", "mnuTool"}) {
        window.findChild<QAction*>(name)->trigger();
    }
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(window.picture().items().empty());
}

// The value boxes stay empty until there is a state to show.
TEST_F(MainWindowTest, ReadoutFrameShowsNamesAndUnitsAndNoValueYet) {
    auto* frame = window.findChild<QGroupBox*>("Frame1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "空気状態");
    const char* rows[][3] = {
        {"Label14", "Label5", "Label2"},  {"Label15", "Label4", "Label9"},
        {"Label16", "Label3", "Label10"}, {"Label17", "Label8", "Label11"},
        {"Label18", "Label7", "Label12"}, {"Label19", "Label6", "Label13"},
    };
    const char* names[] = {"絶対湿度", "エンタルピ", "温度", "湿球温度", "比容積", "相対湿度"};
    const char* units[] = {"kg/kg(DA)", "kcal/kg(DA)", "℃", "℃", "m3/kg(DA)", "％"};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(frame->findChild<QLabel*>(rows[k][0])->text(), QString::fromUtf8(names[k]));
        EXPECT_EQ(frame->findChild<QLabel*>(rows[k][1])->text(), QString()) << rows[k][1];
        EXPECT_EQ(frame->findChild<QLabel*>(rows[k][2])->text(), QString::fromUtf8(units[k]));
    }
    EXPECT_EQ(window.findChild<QLabel*>("Label20")->text(), "大気圧 = 760 mmHg");
}

TEST_F(MainWindowTest, PictureScalesUniformlyAndReportsMillimetres) {
    app::PictureView* view = window.pictureView();
    ASSERT_EQ(view->objectName(), "Picture1");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    view->resize(534, 500);  // twice natural width in mm; height has room to spare
    EXPECT_DOUBLE_EQ(view->pixelsPerMm(), 2.0);

    // The readout frame keeps its millimetre place: 12360 twips = 218.0 mm from the left.
    auto* frame = window.findChild<QGroupBox*>("Frame1");
    EXPECT_NEAR(frame->x(), 2.0 * 12360 * 25.4 / 1440, 1.0);
    EXPECT_NEAR(frame->y(), 2.0 * 7680 * 25.4 / 1440, 1.0);

    QSignalSpy moved(view, &app::PictureView::pointerMoved);
    QTest::mouseMove(view, QPoint(200, 320));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_FLOAT_EQ(moved[0][0].toFloat(), 100.0f);
    EXPECT_FLOAT_EQ(moved[0][1].toFloat(), 160.0f);
}

// The guide opens in what shows files (here a text browser standing for the user's browser):
// the page made from docs/guide.md, with its tables.
TEST_F(MainWindowTest, TheGuideOpensAsAWebPage) {
    QTextBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "setSource");
    window.findChild<QAction*>("mnuHelpGuide")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_TRUE(messages.messages().empty());
    const QFileInfo page(browser.source().toLocalFile());
    EXPECT_TRUE(page.isFile()) << page.filePath().toStdString();
    EXPECT_EQ(page.fileName(), "guide.html");
    EXPECT_EQ(browser.documentTitle(), "湿りミルテン 利用の手引き");
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("絶対湿度")));
    EXPECT_FALSE(browser.toPlainText().contains(QStringLiteral("|---|"))) << "tables as tables";
}

// The real file dialogs say what they are for.
TEST_F(MainWindowTest, TheExportDialogIsTitledExport) {
    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    poll.start(20);
    window.findChild<QAction*>("mnuFileExport")->trigger();
    EXPECT_EQ(title, "エクスポート");
    EXPECT_TRUE(messages.messages().empty()) << "a cancelled export says nothing";
}

// 印刷プレビュー shows the one landscape page as it will be printed, without holding up the
// window, and goes when closed.
TEST_F(MainWindowTest, PrintPreviewShowsThePage) {
    window.findChild<QAction*>("mnuDrawW")->trigger();
    window.findChild<QAction*>("mnuFilePreview")->trigger();
    QPointer<QPrintPreviewDialog> preview = window.findChild<QPrintPreviewDialog*>("printPreview");
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_FALSE(preview->isModal());
    EXPECT_EQ(preview->printer()->pageLayout().orientation(), QPageLayout::Landscape);
    auto* pages = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(pages, nullptr);
    pages->updatePreview();
    EXPECT_EQ(pages->pageCount(), 1);
    preview->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(preview.isNull());
}

// Exit and the close box both end the event loop, also with another window open.
TEST(MainWindowLifetime, ExitAndCloseBoxEndTheProgram) {
    for (bool viaMenu : {true, false}) {
        dialogs::RecordedMessages messages;
        app::MainWindow window(messages);
        window.show();
        QWidget other;  // stands for an open dialog
        other.show();
        QTimer::singleShot(0, &window, [&] {
            if (viaMenu) {
                window.findChild<QAction*>("mnuFileExit")->trigger();
            } else {
                window.close();
            }
        });
        // A safety net so that a failure cannot hang the test.
        QTimer::singleShot(5000, &window, [] { QApplication::exit(1); });
        EXPECT_EQ(QApplication::exec(), 0) << (viaMenu ? "Exit" : "close box");
    }
}

}  // namespace
