// "計算書を出力" through the window: the title dialog, its title as one step of the history, the
// report written where the file dialog says, and the refusals.
#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>

#include "app/document.h"
#include "app/main_window.h"
#include "dialogs/messages.h"
#include "work_scenarios.h"

namespace {

using work_scenarios::trigger;

class ReportWindow : public testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(app::recoveryPath());
        window.setFileChooser([this](app::MainWindow::FileAction action, const QString&) {
            EXPECT_EQ(action, app::MainWindow::FileAction::Report);
            return chosen;
        });
    }
    void TearDown() override { QFile::remove(app::recoveryPath()); }

    QDialog& titleDialog() { return work_scenarios::form(window, "FormTitle"); }
    QLineEdit& box(const char* name) {
        return *titleDialog().findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void fillTitle(const QString& subject, const QString& designer) {
        trigger(window, "mnuFileReport");
        box("TextSubject").setText(subject);
        box("TextDesigner").setText(designer);
    }

    QTemporaryDir folder;
    QString chosen;
    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
};

QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(60000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(ReportWindow, TheTitleIsOneStepAndHeadsTheReportWritten) {
    trigger(window, "mnuDrawW");
    work_scenarios::scenarios()[1].run(window);  // mixing
    messages.clear();                            // the mixing dialog's own prompts
    chosen = folder.filePath(QStringLiteral("report.pdf"));
    fillTitle(QStringLiteral("東棟"), QStringLiteral("山田"));
    ASSERT_TRUE(titleDialog().isVisible());
    EXPECT_EQ(box("TextDate").text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    ASSERT_TRUE(dialog_driver::click(titleDialog(), "CommandOK"));
    EXPECT_FALSE(titleDialog().isVisible());

    const QString text = pdfText(chosen);
    EXPECT_TRUE(text.contains(QStringLiteral("東棟")));
    EXPECT_TRUE(text.contains(QStringLiteral("山田")));
    EXPECT_TRUE(text.contains(QStringLiteral("混合点"))) << text.toStdString();
    EXPECT_TRUE(messages.messages().empty());

    QUndoStack& history = window.document().history();
    EXPECT_EQ(history.undoText(), QStringLiteral("表題の変更"));
    const std::size_t entries = window.work().entries.size();
    window.undo();
    EXPECT_TRUE(window.work().title.empty());
    EXPECT_EQ(window.work().entries.size(), entries);
    window.redo();
    EXPECT_EQ(window.work().title.subject, "東棟");
    // Drawing the chart anew and changing the settings take the marks, not the title.
    trigger(window, "mnuDrawW");
    window.applySettings({chart::Units::SI, psychro::Atmosphere::standard()});
    EXPECT_EQ(window.work().title.designer, "山田");
    // The dialog opens on the title kept.
    trigger(window, "mnuFileReport");
    EXPECT_EQ(box("TextSubject").text(), QStringLiteral("東棟"));
}

// A text too long and a file of no report kind are refused with a message; nothing changes and
// nothing is written. Cancelling the file dialog writes nothing either.
TEST_F(ReportWindow, RefusesWhatItCannotWrite) {
    chosen = folder.filePath(QStringLiteral("report.pdf"));
    fillTitle(QString(200, u'件'), QString(201, u'設'));
    dialog_driver::click(titleDialog(), "CommandOK");
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("設計者は200文字以内で入力してください。")});
    EXPECT_TRUE(titleDialog().isVisible());
    EXPECT_TRUE(window.work().title.empty());
    EXPECT_FALSE(QFile::exists(chosen));

    messages.clear();
    chosen = folder.filePath(QStringLiteral("report.doc"));
    box("TextDesigner").setText(QStringLiteral("山田"));
    dialog_driver::click(titleDialog(), "CommandOK");
    EXPECT_EQ(messages.texts(), QStringList{dialogs::message(words::kReportKinds)});
    EXPECT_FALSE(QFile::exists(chosen));

    messages.clear();
    chosen.clear();
    trigger(window, "mnuFileReport");
    dialog_driver::click(titleDialog(), "CommandOK");
    EXPECT_TRUE(messages.messages().empty());

    // A folder that cannot be written: the system's reason in the message, no file.
    chosen = folder.filePath(QStringLiteral("missing/report.html"));
    EXPECT_FALSE(window.writeReportTo(chosen));
    ASSERT_EQ(messages.messages().size(), 1U);
    EXPECT_TRUE(messages.messages()[0].text.startsWith(QStringLiteral("計算書「report.html」")));
}

}  // namespace
