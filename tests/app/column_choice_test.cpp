// The data dock's column choice on the sample files: a set read again with other columns, the
// columns remembered by a file's header, and the order of dates chosen in the dialog.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <functional>

#include "app/data_dock.h"
#include "app/data_import.h"
#include "app/document.h"
#include "app/main_window.h"
#include "data/column_memory.h"
#include "data/zones.h"
#include "dialogs/data_dialogs.h"
#include "dialogs/messages.h"

namespace {

struct ColumnChoiceTest : testing::Test {
    void SetUp() override {
        QFile::remove(app::recoveryPath());
        dock->setColumnMemory(&store);
    }
    void TearDown() override { QFile::remove(app::recoveryPath()); }

    // A copy of the sample `name`, read into the dock as a new set.
    QString add(const char* name) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile::copy(QStringLiteral(MILTEN_DATA_SAMPLES "/") + QString::fromLatin1(name), path);
        (void)dock->dataImport().start(path, document.settings());
        return path;
    }
    dialogs::ColumnDialog* dialog() { return dock->dataImport().columnDialog(); }
    void pick(const char* combo, int item) {
        dialog()->findChild<QComboBox*>(QString::fromLatin1(combo))->setCurrentIndex(item);
    }
    void ok() { dialog()->findChild<QPushButton*>(QStringLiteral("CommandOK"))->click(); }
    void columnsOfSet(int set) {
        dock->findChild<QTreeWidget*>(QStringLiteral("DataList"))
            ->setCurrentItem(
                dock->findChild<QTreeWidget*>(QStringLiteral("DataList"))->topLevelItem(set));
        dock->findChild<QPushButton*>(QStringLiteral("CommandColumns"))->click();
    }

    QTemporaryDir folder;
    QSettings store{folder.filePath(QStringLiteral("choices.ini")), QSettings::IniFormat};
    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
    app::Document& document = window.document();
    app::DataDock* dock = window.dataDock();
};

TEST_F(ColumnChoiceTest, SetsAreReadAgainAndHeadersRemembered) {
    struct Row {
        const char* what;
        QStringList stored;  // the store's remembered choices before
        std::function<void(ColumnChoiceTest&)> act;
        std::vector<std::size_t> rows;  // each set's, by the files' own columns
        QStringList said;
        bool asking;  // the column dialog is left open
    };
    const std::vector<Row> table{
        {"φ of sensor B: rows 3 and 4 hold none and 120 %; undone",
         {},
         [](ColumnChoiceTest& t) {
             t.add("two_sensors.csv");
             t.columnsOfSet(0);
             ASSERT_TRUE(t.dialog()->isVisible());
             EXPECT_EQ(t.dialog()->findChild<QComboBox*>("ComboRole2")->currentIndex(), 3);
             t.pick("ComboRole2", 4);
             t.ok();
             EXPECT_EQ(t.document.data().layers[0].set->rows(), 3U);
             EXPECT_EQ(t.document.data().layers[0].set->name, "two_sensors");
             EXPECT_EQ(t.document.history().undoText(), QStringLiteral("列の指定"));
             t.document.history().undo();
         },
         {5},
         {"読み込んだ行: 3\n読み込めなかった行: 2\n行 3: 値がありません\n行 4: "
          "空気の状態になりません"},
         false},
        {"the second file of a header is read as the first was chosen",
         {},
         [](ColumnChoiceTest& t) {
             t.add("channels_a.csv");
             t.pick("ComboRole1", 2);
             t.pick("ComboRole2", 3);
             QStringList status;
             const QObject listening;
             QObject::connect(t.dock, &app::DataDock::statusMessage, &listening,
                              [&status](const QString& text) { status << text; });
             t.ok();
             t.add("channels_b.csv");
             EXPECT_EQ(status, QStringList{"同じ見出しのファイルで選んだ列で読みました"
                                           "（変えるときは「列の指定...」）。"});
         },
         {2, 3},
         {},
         false},
        {"a malformed choice and one past the row are passed over: asked",
         {"0123;1;u;1", QString::fromStdString(data::headerKey("CH-A,CH-B,CH-C")) +
                            QStringLiteral(";1;u;1;7;2;-;-;-;-;-;-;-;0;0;0;-")},
         [](ColumnChoiceTest& t) { t.add("channels_b.csv"); },
         {},
         {},
         true},
        {"dates either way round: said, then read day first as chosen",
         {},
         [](ColumnChoiceTest& t) {
             t.add("dates_either_way.csv");
             ASSERT_TRUE(t.dialog()->isVisible());
             t.pick("ComboDateOrder", 3);
             t.ok();
             const auto when = data::calendarOf(t.document.data().layers[0].set->times[0]);
             EXPECT_EQ(std::pair(when.month, when.day), std::pair(1, 7));
         },
         {2},
         {"日付の年・月・日の順がわかりません（年月日・月日年・日月年から選んでください）。"},
         false},
        {"the file gone: said, the set kept",
         {},
         [](ColumnChoiceTest& t) {
             QFile::remove(t.add("two_sensors.csv"));
             const int steps = t.document.history().count();
             t.columnsOfSet(0);
             EXPECT_EQ(t.document.history().count(), steps);
         },
         {5},
         {"「two_sensors.csv」を読み込めません。ファイルを読めません。"},
         false},
        {"no date in the date column: said, in the report and the list",
         {},
         [](ColumnChoiceTest& t) {
             t.add("dates_unreadable.csv");
             t.dock->addZone(data::buildingHygieneZone());  // 20 °C 50 %, 21 °C 52 %: inside
             EXPECT_EQ(t.dock->findChild<QTableWidget*>("ZoneCounts")->item(0, 5)->text(),
                       QStringLiteral("日時を読めず"));
             const QTreeWidgetItem* set =
                 t.dock->findChild<QTreeWidget*>("DataList")->topLevelItem(0);
             EXPECT_EQ(set->text(2), QStringLiteral("日時を読めず"));
             EXPECT_EQ(set->toolTip(2), QStringLiteral("日時を読めませんでした。"));
         },
         {2},
         {"日時を読めませんでした。"},
         false},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        document.changeData({}, u"");
        messages.clear();
        store.setValue(QStringLiteral("data/columnChoices"), row.stored);
        row.act(*this);
        std::vector<std::size_t> rows;
        for (const data::DataLayer& layer : document.data().layers) {
            rows.push_back(layer.set->rows());
        }
        EXPECT_EQ(rows, row.rows);
        EXPECT_EQ(messages.texts(), row.said);
        EXPECT_EQ(dialog()->isVisible(), row.asking);
        dialog()->reject();
    }
}

}  // namespace
