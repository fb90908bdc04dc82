#include <gtest/gtest.h>

#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include "app/chart_export.h"
#include "app/document.h"
#include "app/main_window.h"
#include "app/picture_view.h"
#include "app/settings_store.h"
#include "app/state_list.h"
#include "app/work_table.h"
#include "chart/project_file.h"
#include "chart/settings.h"
#include "dialogs/messages.h"
#include "files/project_files.h"
#include "psychro/atmosphere.h"
#include "work_scenarios.h"

namespace {

using work_scenarios::identical;

class ProjectWork : public testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(app::recoveryPath());
        ASSERT_TRUE(folder.isValid());
        window.setFileChooser([this](auto, const QString&) { return chosen; });
    }
    void TearDown() override { QFile::remove(app::recoveryPath()); }

    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    QString chosen;
    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
};

TEST_F(ProjectWork, TheStateListShowsEveryMarkedStateAndHighlightsTheChosenOne) {
    work_scenarios::trigger(window, "mnuDrawW");
    work_scenarios::scenarios()[1].run(window);  // mixing
    work_scenarios::trigger(window, "mnuViewStateList");
    app::StateList* list = window.stateList();
    EXPECT_FALSE(list->isHidden());  // the window itself is never shown here
    EXPECT_EQ(list->objectName(), "StateList");
    QTableView* table = list->table();
    const auto cell = [table](int r, int c) {
        return table->model()->index(r, c).data().toString();
    };
    ASSERT_EQ(table->model()->rowCount(), 3);
    // label, x, t, φ. With ps = 31.824 mmHg at 30 °C and 17.535 at 20 °C:
    // x1 = 0.622·0.6·31.824/(760 − 0.6·31.824) = 0.016030, x2 = 0.622·8.7675/751.23 = 0.0072593,
    // equal streams mix to x = 0.0116447.
    const char* rows[][4] = {{"点１", "0.01603", "30", "60"},
                             {"点２", "0.00726", "20", "50"},
                             {"混合点", "0.01164", "", ""}};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(cell(r, 0), QString::fromUtf8(rows[r][0]));
        EXPECT_EQ(cell(r, 2), QString::fromUtf8(rows[r][1])) << r;
        if (*rows[r][2] != '\0') {
            EXPECT_EQ(cell(r, 4), QString::fromUtf8(rows[r][2])) << r;
            EXPECT_EQ(cell(r, 7), QString::fromUtf8(rows[r][3])) << r;
        }
    }
    ASSERT_EQ(list->results()->count(), 1);
    EXPECT_TRUE(list->results()->item(0)->text().startsWith(QStringLiteral("混合：")));

    const chart::Picture before = window.picture();
    table->selectRow(2);
    ASSERT_EQ(window.pictureView()->highlight().size(), 1u);
    EXPECT_EQ(window.pictureView()->highlight()[0], window.work().entries[1].states[1].at);
    EXPECT_TRUE(identical(before, window.picture()));  // an overlay, not a mark

    work_scenarios::trigger(window, "mnuDrawW");  // the list follows at once
    EXPECT_EQ(table->model()->rowCount(), 0);
    EXPECT_TRUE(window.pictureView()->highlight().empty());
}

TEST_F(ProjectWork, TheTableTextHasTheListsColumns) {
    work_scenarios::scenarios()[0].run(window);  // point 1 at 20 °C 50 %
    const QStringList lines =
        app::tableText(window.work(), u',', chart::Settings::standard()).split(u'\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0],
              QStringLiteral("記号,種類,x [kg/kg(DA)],i [kcal/kg(DA)],t [℃],t′ [℃],v [m3/kg(DA)],"
                             "φ [％],露点 [℃]"));
    const QStringList cells = lines[1].split(u',');
    ASSERT_EQ(cells.size(), 9);
    EXPECT_EQ(cells[0], "1点");
    EXPECT_EQ(cells[1], "点指定");
    EXPECT_EQ(cells[2], "0.00726");
    EXPECT_EQ(cells[4], "20");
    // The results follow the states as the list shows them (equal streams: x = 0.0116447).
    work_scenarios::scenarios()[1].run(window);
    const QString text = app::tableText(window.work(), u',', window.settings());
    EXPECT_TRUE(text.contains(QStringLiteral("\n混合：混合点 x 0.01164 kg/kg")))
        << text.toStdString();
}

// Saved and opened in a fresh window, every kind of work gives the same picture, item for item.
TEST_F(ProjectWork, AFileOfEachDialogsWorkReopensToTheSamePicture) {
    for (const auto& scenario : work_scenarios::scenarios()) {
        SCOPED_TRACE(scenario.name);
        work_scenarios::trigger(window, "mnuDrawW");
        scenario.run(window);
        chosen = file(scenario.name);  // ".milten" is added
        ASSERT_TRUE(window.saveAs());
        EXPECT_EQ(window.projectPath(), chosen + ".milten");
        EXPECT_FALSE(QFile::exists(app::recoveryPath()));  // saved: nothing to recover

        dialogs::RecordedMessages quiet;
        app::MainWindow other{quiet};
        ASSERT_TRUE(other.openProject(window.projectPath()));
        EXPECT_EQ(other.work(), window.work());
        EXPECT_TRUE(identical(other.picture(), window.picture()));
    }
}

TEST_F(ProjectWork, UndoAfterEachKindOfEntryRestoresThePreviousPicture) {
    work_scenarios::trigger(window, "mnuDrawW");
    for (const auto& scenario : work_scenarios::scenarios()) {
        SCOPED_TRACE(scenario.name);
        const chart::Picture before = window.picture();
        const std::size_t entries = window.work().entries.size();
        scenario.run(window);
        const chart::Picture after = window.picture();
        const std::size_t added = window.work().entries.size() - entries;
        for (std::size_t k = 0; k < added; ++k) {
            work_scenarios::trigger(window, "mnuEditUndo");
        }
        EXPECT_TRUE(identical(window.picture(), before));
        for (std::size_t k = 0; k < added; ++k) {
            work_scenarios::trigger(window, "mnuEditRedo");
        }
        EXPECT_TRUE(identical(window.picture(), after));
    }
    // A chart drawing erased them all; undone, they are back.
    const chart::Picture marked = window.picture();
    work_scenarios::trigger(window, "mnuDrawW");
    work_scenarios::trigger(window, "mnuEditUndo");
    EXPECT_TRUE(identical(window.picture(), marked));
}

// A file keeps the units and pressure its work was shown in; opening it shows the work so again.
TEST_F(ProjectWork, AFileCarriesItsUnitsAndPressure) {
    chart::Settings site = chart::Settings::standard();
    site.units = chart::Units::SI;
    site.atmosphere = *psychro::atmosphereFromMmHg(700.0);
    window.applySettings(site);
    work_scenarios::trigger(window, "mnuDrawW");
    work_scenarios::scenarios().front().run(window);
    chosen = file("site");
    ASSERT_TRUE(window.saveAs());

    dialogs::RecordedMessages quiet;
    app::MainWindow other{quiet};  // at the standard atmosphere, in kcal
    ASSERT_TRUE(other.openProject(window.projectPath()));
    EXPECT_EQ(other.settings(), site);
    EXPECT_EQ(other.work(), window.work());
    EXPECT_TRUE(identical(other.picture(), window.picture()));
    EXPECT_EQ(other.findChild<QLabel*>(QStringLiteral("Label20"))->text(), "大気圧 = 93.326 kPa");
}

TEST_F(ProjectWork, OpeningAFileIsUndone) {
    work_scenarios::scenarios()[0].run(window);
    chosen = file("one");
    ASSERT_TRUE(window.saveAs());
    work_scenarios::trigger(window, "mnuDrawW");
    const chart::Picture bare = window.picture();
    ASSERT_TRUE(window.openProject(window.projectPath()));
    EXPECT_EQ(window.work().entries.size(), 1u);
    window.undo();
    EXPECT_TRUE(identical(window.picture(), bare));
    // An open undone in another window leaves the file: a save then asks for a name instead of
    // writing the earlier work over the file that was opened.
    dialogs::RecordedMessages quiet;
    app::MainWindow other{quiet};
    ASSERT_TRUE(other.openProject(window.projectPath()));
    other.undo();
    EXPECT_EQ(other.projectPath(), QString());
    other.redo();
    EXPECT_EQ(other.projectPath(), window.projectPath());
}

// Each refused file leaves the work on screen as it was and names itself in the message.
TEST_F(ProjectWork, BrokenFilesAreRefusedAndTheScreensWorkIsKept) {
    work_scenarios::trigger(window, "mnuDrawW");
    work_scenarios::scenarios()[3].run(window);  // heating
    chosen = file("good");
    ASSERT_TRUE(window.saveAs());
    QFile good(window.projectPath());
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* says;
    };
    QByteArray newer = bytes;
    newer.replace("\"version\": 1", "\"version\": 7");
    QByteArray missing = bytes;
    missing.replace("\"Q\":", "\"R\":");
    QByteArray nan = bytes;
    nan.replace("\"Q\": ", "\"Q\": NaN, \"S\": ");
    QByteArray far = bytes;
    far.replace("\"X\": ", "\"X\": 1");  // a digit more: ten times further, off its state
    const std::vector<Case> cases{
        {"text.milten", "湿り空気", "JSON形式ではない"},
        {"cut.milten", bytes.left(bytes.size() / 3), "途中で切れて"},
        {"newer.milten", newer, "新しいバージョン"},
        {"missing.milten", missing, "results.Q"},
        {"nan.milten", nan, "JSON形式ではない"},
        {"far.milten", far, "entries[0].states[0]"},
    };
    const chart::MarkedWork work = window.work();
    const chart::Picture picture = window.picture();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile broken(file(c.name));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write(c.bytes);
        broken.close();
        messages.clear();
        EXPECT_FALSE(window.openProject(broken.fileName()));
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.texts()[0].contains(QString::fromLatin1(c.name)));
        EXPECT_TRUE(messages.texts()[0].contains(QString::fromUtf8(c.says)))
            << messages.texts()[0].toStdString();
        EXPECT_EQ(window.work(), work);
        EXPECT_TRUE(identical(window.picture(), picture));
    }
}

TEST_F(ProjectWork, UnsavedWorkIsOfferedAtTheNextStart) {
    work_scenarios::trigger(window, "mnuDrawW");
    work_scenarios::scenarios()[4].run(window);  // steam humidifying
    window.document().keepRecoveryNow();
    ASSERT_TRUE(QFile::exists(app::recoveryPath()));
    for (const bool yes : {false, true}) {
        if (!yes) {
            // Declined: the offer is made once and the file is gone.
            const QByteArray kept = [] {
                QFile f(app::recoveryPath());
                return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }();
            dialogs::RecordedMessages asked;
            app::MainWindow next{asked};
            next.offerRecovery();
            EXPECT_EQ(asked.texts(),
                      QStringList{"前回保存されなかった作業があります。復元しますか？"});
            EXPECT_TRUE(next.work().entries.empty());
            EXPECT_FALSE(QFile::exists(app::recoveryPath()));
            QFile again(app::recoveryPath());
            ASSERT_TRUE(again.open(QIODevice::WriteOnly));
            again.write(kept);
            continue;
        }
        dialogs::RecordedMessages asked;
        asked.setAnswer(true);
        app::MainWindow next{asked};
        next.offerRecovery();
        EXPECT_EQ(asked.texts().size(), 1);
        EXPECT_EQ(next.work(), window.work());
        EXPECT_TRUE(identical(next.picture(), window.picture()));
    }
}

// Exported by extension: the chart through the painter, the list as CSV; copied likewise.
TEST_F(ProjectWork, ExportAndCopyWriteTheChartAndTheList) {
    work_scenarios::trigger(window, "mnuDrawW");
    work_scenarios::scenarios()[0].run(window);
    const struct {
        const char* name;
        QByteArray start;
    } files[] = {{"c.pdf", "%PDF"},
                 {"c.svg", "<?xml"},
                 {"c.png", "\x89PNG"},
                 {"l.csv", "\xEF\xBB\xBF記号,種類,x"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        chosen = file(f.name);
        work_scenarios::trigger(window, "mnuFileExport");
        QFile written(chosen);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().startsWith(f.start));
    }
    chosen = file("c.gif");
    EXPECT_FALSE(window.exportTo(chosen));
    EXPECT_FALSE(QFile::exists(chosen));
    EXPECT_EQ(messages.texts().size(), 1);

    work_scenarios::trigger(window, "mnuEditCopyList");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("記号\t種類\t")));
    work_scenarios::trigger(window, "mnuEditCopyChart");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));
}

// Settings at a site, in SI: what a file or a settings change brings in.
chart::Settings siteSettings() {
    return {.units = chart::Units::SI, .atmosphere = *psychro::atmosphereFromMmHg(700.0)};
}

// A step that brings other settings is undone with them: the settings, the pressure line and
// the marks drawn at them come back, and a save stamps the settings of the work on screen.
// The user's stored preference is the settings dialog's alone.
TEST_F(ProjectWork, UndoBringsBackTheSettingsOfTheStepAndTheStoreKeepsThePreference) {
    QSettings store(file("milten.ini"), QSettings::IniFormat);
    app::saveSettings(store, chart::Settings::standard());
    app::MainWindow stored{messages, nullptr, &store};
    stored.setFileChooser([this](auto, const QString&) { return chosen; });
    stored.applySettings(siteSettings());
    work_scenarios::scenarios()[0].run(stored);
    chosen = file("site");
    ASSERT_TRUE(stored.saveAs());
    app::saveSettings(store, chart::Settings::standard());  // as if chosen back in another session

    const auto settingsDialog = [](app::MainWindow& w) { w.applySettings(siteSettings()); };
    const auto openFile = [this](app::MainWindow& w) { ASSERT_TRUE(w.openProject(chosen)); };
    const struct {
        const char* step;
        std::function<void(app::MainWindow&)> take;
        bool stored;  // the step writes the preference
    } steps[] = {{"settings", settingsDialog, true}, {"open", openFile, false}};
    chosen += ".milten";
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        app::saveSettings(store, chart::Settings::standard());
        app::MainWindow w{messages, nullptr, &store};
        work_scenarios::trigger(w, "mnuDrawW");
        work_scenarios::scenarios()[0].run(w);
        const chart::Picture before = w.picture();
        step.take(w);
        EXPECT_EQ(w.settings(), siteSettings());
        EXPECT_EQ(app::loadSettings(store) == siteSettings(), step.stored);
        w.undo();
        EXPECT_EQ(w.settings(), chart::Settings::standard());
        EXPECT_TRUE(identical(w.picture(), before));
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label20"))->text(), "大気圧 = 760 mmHg");
        w.setFileChooser([this](auto, const QString&) { return file("undone"); });
        ASSERT_TRUE(w.saveAs());
        const auto saved = files::readProjectFile(file("undone.milten"));
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->work.settings, chart::Settings::standard());
    }
}

// The list's header gives the stored units from the start.
TEST_F(ProjectWork, TheListsHeaderFollowsTheStoredUnitsFromTheStart) {
    QSettings store(file("si.ini"), QSettings::IniFormat);
    app::saveSettings(store, siteSettings());
    app::MainWindow w{messages, nullptr, &store};
    EXPECT_EQ(w.stateList()->table()->model()->headerData(3, Qt::Horizontal).toString(),
              "i [kJ/kg(DA)]");
}

// The dialogs continue from the work on screen: a file of 1点–3点 is continued with 4点, and a
// point 1 undone is no longer there to draw a mixing from.
TEST_F(ProjectWork, TheDialogsContinueFromTheWorkOnScreen) {
    for (int k = 0; k < 3; ++k) {
        work_scenarios::scenarios()[0].run(window);
    }
    chosen = file("three");
    ASSERT_TRUE(window.saveAs());
    dialogs::RecordedMessages quiet;
    app::MainWindow other{quiet};
    ASSERT_TRUE(other.openProject(window.projectPath()));
    work_scenarios::scenarios()[0].run(other);
    EXPECT_EQ(other.work().entries.back().states[0].label, "4点");

    work_scenarios::trigger(other, "mnuCalMix");
    QDialog& mixing = work_scenarios::form(other, "Form3");
    const auto givePoint = [&mixing](const char* t) {
        work_scenarios::givePair(mixing, 3, t, 6, "50");
        dialog_driver::setText(mixing, "Text7", QStringLiteral("1000"));
    };
    givePoint("30");
    dialog_driver::click(mixing, "Command1");
    givePoint("20");
    dialog_driver::click(mixing, "Command4");
    other.undo();
    other.undo();
    givePoint("20");
    dialog_driver::click(mixing, "Command4");
    EXPECT_EQ(other.work().entries.size(), 4u);  // the three opened and 4点
    EXPECT_FALSE(mixing.findChild<QPushButton*>(QStringLiteral("Command4"))->isEnabled());
}

// The title names the file and marks unsaved work; undoing to the saved state is clean.
TEST_F(ProjectWork, TheTitleShowsTheFileAndWhetherItIsSaved) {
    const auto mark = [this] { work_scenarios::scenarios()[0].run(window); };
    const auto saveAs = [this] {
        chosen = file("a");
        ASSERT_TRUE(window.saveAs());
    };
    const auto undo = [this] { window.undo(); };
    const struct {
        const char* step;
        std::function<void()> take;
        const char* title;
        bool modified;
        bool canUndo;
        bool canRedo;
    } steps[] = {
        {"start", [] {}, "湿りミルテン", false, false, false},
        {"mark", mark, "無題[*] - 湿りミルテン", true, true, false},
        {"save", saveAs, "a.milten[*] - 湿りミルテン", false, true, false},
        {"mark", mark, "a.milten[*] - 湿りミルテン", true, true, false},
        {"undo", undo, "a.milten[*] - 湿りミルテン", false, true, true},
        {"undo", undo, "a.milten[*] - 湿りミルテン", true, false, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.take();
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(step.title));
        EXPECT_EQ(window.isWindowModified(), step.modified);
        EXPECT_EQ(window.findChild<QAction*>("mnuEditUndo")->isEnabled(), step.canUndo);
        EXPECT_EQ(window.findChild<QAction*>("mnuEditRedo")->isEnabled(), step.canRedo);
    }
}

// The chart leaves the window with the line of the pressure it was drawn for: at 1,500 m the
// standard atmosphere is 84.556 kPa = 634.2 mmHg.
TEST(ChartExport, ExportAndCopyCarryThePressureLine) {
    const QTemporaryDir folder;
    const struct {
        chart::Settings settings;
        const char* line;
    } rows[] = {
        {chart::Settings::standard(), "大気圧 = 760 mmHg"},
        {{chart::Units::Engineering, *psychro::atmosphereFromAltitude(1500.0)},
         "大気圧 = 634.2 mmHg (標高 1500 m)"},
        {{chart::Units::SI, *psychro::atmosphereFromAltitude(1500.0)},
         "大気圧 = 84.556 kPa (標高 1500 m)"},
    };
    const chart::Picture picture;
    // The texts of an SVG, its markup left out (the painter writes a line in several runs).
    const auto svgText = [](const QByteArray& svg) {
        return QString::fromUtf8(svg).remove(QRegularExpression(QStringLiteral("<[^>]*>|\n")));
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const QString path = folder.filePath(QStringLiteral("chart.svg"));
        ASSERT_TRUE(app::exportWork(path, picture, {}, row.settings).has_value());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(svgText(file.readAll()).contains(QString::fromUtf8(row.line)));
        const auto copied = app::sheetMimeData(picture, row.settings);
        EXPECT_TRUE(svgText(copied->data(QStringLiteral("image/svg+xml")))
                        .contains(QString::fromUtf8(row.line)));
    }
}

// A name typed without an extension takes the chosen filter's; one with its own keeps it.
TEST(ChartExport, ANameWithoutExtensionTakesTheFilters) {
    const char* rows[][3] = {{"/tmp/chart", "PNG (*.png)", "/tmp/chart.png"},
                             {"/tmp/list", "CSV（状態点一覧） (*.csv)", "/tmp/list.csv"},
                             {"/tmp/chart.pdf", "PNG (*.png)", "/tmp/chart.pdf"},
                             {"", "PNG (*.png)", ""}};
    for (const auto& row : rows) {
        EXPECT_EQ(app::withFilterExtension(QString::fromUtf8(row[0]), QString::fromUtf8(row[1])),
                  QString::fromUtf8(row[2]));
    }
}

}  // namespace
