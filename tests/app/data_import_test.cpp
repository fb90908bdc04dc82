#include "app/data_import.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "dialogs/data_dialogs.h"
#include "dialogs/messages.h"

namespace {

class DataImportTest : public testing::Test {
  protected:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir folder;
    dialogs::RecordedMessages messages;
    app::DataImport import{messages, nullptr};
    QSignalSpy finished{&import, &app::DataImport::finished};
    QSignalSpy failed{&import, &app::DataImport::failed};
    QSignalSpy cancelled{&import, &app::DataImport::cancelled};
};

app::ImportResult resultOf(const QSignalSpy& spy) {
    return spy.front().at(0).value<app::ImportResult>();
}

TEST_F(DataImportTest, ReadsOrRefusesWithTheFileNamed) {
    struct Case {
        const char* name;
        QByteArray bytes;  // empty: no file
        QString message;   // what is shown; empty: nothing
        std::size_t rows;  // 0: refused
    };
    const std::vector<Case> cases{
        {"room.csv", "t,phi\n20,50\n25,60\n", {}, 2},
        {"rows.csv", "t,phi\n20,50\nabc,50\n20,\n",
         "読み込んだ行: 1\n読み込めなかった行: 2\n行 3: 数値ではありません\n行 4: 値がありません",
         1},
        {"gone.csv", {}, "「gone.csv」を読み込めません。ファイルを読めません。", 0},
        {"empty.csv", "t,phi\nx,y\n",
         "「empty.csv」を読み込めません。使える行がありません。\n読み込んだ行: 0\n"
         "読み込めなかった行: 1\n行 2: 数値ではありません",
         0},
        // read as weather by its extension, whatever the case
        {"YEAR.EPW", "t,phi\n20,50\n",
         "「YEAR.EPW」を読み込めません。EPW 気象データのファイルではありません（LOCATION "
         "行と8行の見出しがありません）。",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        finished.clear();
        const QString path = c.bytes.isEmpty() ? folder.filePath(QString::fromUtf8(c.name))
                                               : write(QString::fromUtf8(c.name), c.bytes);
        ASSERT_TRUE(import.start(path, chart::Settings::standard()));
        EXPECT_FALSE(import.busy());
        EXPECT_EQ(messages.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        ASSERT_EQ(finished.size(), c.rows > 0 ? 1 : 0);
        if (c.rows > 0) {
            const app::ImportResult result = resultOf(finished);
            EXPECT_EQ(result.layer.set->rows(), c.rows);
            EXPECT_EQ(result.layer.set->name, QFileInfo(path).completeBaseName().toStdString());
            EXPECT_EQ(result.layer.path, path.toStdString());
        }
    }
}

TEST_F(DataImportTest, AsksForColumnsItCannotName) {
    const QString path = write(QStringLiteral("logger.csv"), "ch1,ch2\n20,50\n");
    import.start(path, chart::Settings::standard());
    dialogs::ColumnDialog* dialog = import.columnDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(import.busy());
    dialog->findChild<QComboBox*>(QStringLiteral("ComboRole1"))->setCurrentIndex(1);
    dialog->findChild<QComboBox*>(QStringLiteral("ComboRole2"))->setCurrentIndex(2);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CommandOK")), Qt::LeftButton);
    ASSERT_EQ(finished.size(), 1);
    // 20 °C and 50 % at 101.325 kPa: x = 0.00726 kg/kg(DA) (psychrometric tables)
    EXPECT_NEAR(resultOf(finished).layer.set->placed(0, psychro::PressureRatio::standard()).x,
                0.00726, 0.00002);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(DataImportTest, LargeFilesReadBehindAProgressDialogThatCancels) {
    QByteArray bytes = "t,phi\n";
    for (int k = 0; k < 120'000; ++k) {
        bytes += "20,50\n";
    }
    const QString path = write(QStringLiteral("big.csv"), bytes);
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "read");
        finished.clear();
        import.start(path, chart::Settings::standard());
        QProgressDialog* progress = import.progressDialog();
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(progress->objectName(), "FormProgress");
        EXPECT_EQ(progress->labelText(), "データを読み込んでいます…");
        EXPECT_EQ(progress->windowModality(), Qt::WindowModal);
        if (cancel) {
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
        QSignalSpy& ended = cancel ? cancelled : finished;
        ASSERT_TRUE(ended.size() == 1 || ended.wait(10'000));
        EXPECT_EQ(finished.size(), cancel ? 0 : 1);
        if (!cancel) {
            EXPECT_EQ(resultOf(finished).layer.set->rows(), 120'000U);
        }
    }
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_FALSE(import.busy());
}

}  // namespace
