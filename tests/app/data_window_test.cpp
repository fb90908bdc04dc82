#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "app/data_dock.h"
#include "app/document.h"
#include "app/main_window.h"
#include "chart/chart_frame.h"
#include "chart/sheet.h"
#include "chart/units_of_length.h"
#include "data/data_archive.h"
#include "data/zones.h"
#include "dialogs/messages.h"
#include "files/project_files.h"
#include "render/picture_painter.h"

namespace {

// Four logged states; by hand at 760 mmHg (ps 19.83 mmHg at 22 °C, 23.76 at 25 °C): 22 °C with
// 8 g/kg(DA) is φ 49 %, 25 °C with 12 g/kg(DA) φ 60 %, both inside 17–28 °C, 40–70 %; 30 °C is
// too warm and 20 °C with 2 g/kg(DA) (φ 14 %) too dry.
std::shared_ptr<const data::DataSet> loggedRoom() {
    auto set = std::make_shared<data::DataSet>();
    set->name = "室内ロガー";
    set->readings = {{22.0F, 0.008F}, {25.0F, 0.012F}, {30.0F, 0.010F}, {20.0F, 0.002F}};
    return set;
}

data::DataLayer layerOf(std::shared_ptr<const data::DataSet> set, std::uint32_t colour = 0x1F77B4) {
    data::DataLayer layer;
    layer.set = std::move(set);
    layer.path = "/logs/room.csv";
    layer.colour = colour;
    return layer;
}

class DataWindow : public testing::Test {
  protected:
    void SetUp() override { QFile::remove(app::recoveryPath()); }
    void TearDown() override { QFile::remove(app::recoveryPath()); }

    // The colour of the sheet (at 96 dpi) where air at t °C and x kg/kg(DA) lies.
    QRgb sheetAt(double t, double x) {
        const QImage image = render::sheetImage(chart::sheetOf(window.picture(), window.settings()),
                                                chart::kPixelsPerInch, window.dataUnderlay());
        const chart::PointMm p = chart::statePoint(chart::enthalpyAt(t, 1000.0 * x), 1000.0 * x);
        const double px = chart::kPixelsPerInch / chart::kMmPerInch;
        return image.pixel(static_cast<int>(p.X * px), static_cast<int>(p.Y * px)) & 0xFFFFFFU;
    }

    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
    app::Document& document = window.document();
};

TEST_F(DataWindow, ASetIsOneStepSharedByEveryLaterStepAndPaintedUnderTheChart) {
    const auto set = loggedRoom();
    window.dataDock()->addData(layerOf(set));
    ASSERT_EQ(document.data().layers.size(), 1U);
    EXPECT_EQ(sheetAt(22.0, 0.008), 0x0072B2U);  // Okabe and Ito's blue
    EXPECT_EQ(window.windowTitle(), "無題[*] - 湿りミルテン");

    // Steps after it share the rows: the set is the one read, however the work moves.
    window.dataDock()->setShown(0, false);
    EXPECT_EQ(sheetAt(22.0, 0.008), 0xFFFFFFU);
    window.applySettings({chart::Units::SI, psychro::Atmosphere::standard()});
    window.undo();
    window.undo();
    EXPECT_EQ(sheetAt(22.0, 0.008), 0x0072B2U);
    EXPECT_EQ(document.data().layers[0].set.get(), set.get());
    window.undo();
    EXPECT_TRUE(document.data().empty());
    EXPECT_FALSE(window.canUndo());
    window.redo();
    EXPECT_EQ(document.data().layers[0].set.get(), set.get());
}

TEST_F(DataWindow, ZonesAreCountedAndCopiedAsATable) {
    window.dataDock()->addData(layerOf(loggedRoom()));
    window.dataDock()->addZone(data::buildingHygieneZone());
    window.dataDock()->copyCounts();
    const QStringList lines =
        QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QStringLiteral("室内ロガー\t建築物衛生法の基準\t4\t2\t50.0\t\t"));
    window.undo();
    EXPECT_TRUE(document.data().zones.empty());

    // The dock's buttons reach the zone dialog: a new comfort zone, then that zone renamed.
    const auto press = [this](QWidget* in, const char* name) {
        in->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    };
    const auto zoneDialog = [this] {
        return window.findChild<QDialog*>(QStringLiteral("FormZone"));
    };
    press(window.dataDock(), "ZoneAddPmv");
    zoneDialog()->findChild<QLineEdit*>(QStringLiteral("TextLimit"))->setText(QStringLiteral("1"));
    press(zoneDialog(), "CommandOK");
    ASSERT_EQ(document.data().zones.size(), 1U);
    EXPECT_EQ(std::get<data::PmvZone>(document.data().zones[0]).limit, 1.0);
    window.dataDock()->findChild<QListWidget*>(QStringLiteral("ZoneList"))->setCurrentRow(0);
    press(window.dataDock(), "ZoneEdit");
    zoneDialog()
        ->findChild<QLineEdit*>(QStringLiteral("TextName"))
        ->setText(QStringLiteral("会議室"));
    press(zoneDialog(), "CommandOK");
    ASSERT_EQ(document.data().zones.size(), 1U);
    EXPECT_EQ(data::zoneName(document.data().zones[0]), "会議室");
    EXPECT_EQ(std::get<data::PmvZone>(document.data().zones[0]).limit, 1.0);
    // An undo while the dialog is open takes its zone away: OK adds, it replaces no other.
    press(window.dataDock(), "ZoneEdit");
    window.undo();
    press(zoneDialog(), "CommandOK");
    ASSERT_EQ(document.data().zones.size(), 2U);
    EXPECT_EQ(data::zoneName(document.data().zones[0]), "PMV ±0.5");
}

TEST_F(DataWindow, ASavedWorkOpensWithItsDataAndARecoveryKeepsIt) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("room.milten"));
    window.setFileChooser([&path](auto, const QString&) { return path; });
    // A set with a weather file's design condition: the design dialog offers it after reopening.
    auto site = std::make_shared<data::DataSet>(*loggedRoom());
    site->designConditions = {{data::DesignConditionKind::Cooling04, 34.3, 25.3}};
    window.dataDock()->addData(layerOf(site, 0xAA0000));
    window.dataDock()->setStyle(0, data::LayerStyle::Hours);
    window.dataDock()->addZone(data::ashraeSummerZone());
    document.keepRecoveryNow();  // unsaved data is worth recovering
    const auto recovered = files::readProjectFile(document.recoveryFile());
    ASSERT_TRUE(recovered.has_value());
    EXPECT_TRUE(data::sameData(recovered->data, document.data()));
    ASSERT_TRUE(window.saveAs());

    dialogs::RecordedMessages quiet;
    app::MainWindow other{quiet};
    ASSERT_TRUE(other.openProject(path));
    EXPECT_TRUE(data::sameData(other.document().data(), document.data()));
    EXPECT_EQ(other.document().data().layers[0].path, "/logs/room.csv");
    other.findChild<QAction*>(QStringLiteral("mnuCalDesign"))->trigger();
    const auto* offered = other.findChild<QComboBox*>(QStringLiteral("ComboConditions"));
    ASSERT_NE(offered, nullptr);
    EXPECT_EQ(offered->count(), 2);  // "（選んでください）" and the site's 0.4 % condition
}

// Readings of φ: the zone counts them as measured at any pressure, and the points move to
// where the chart at the new pressure puts them. 22 °C 68 % is x = 0.622·0.68·2.6447 /
// (P − 0.68·2.6447) (ps(22) = 2.6447 kPa, ASHRAE tables): 0.01124 at 101.325 kPa, 0.01352 at
// 1,500 m (84.556 kPa); 22 °C 71 % lies outside 40–70 % at both.
TEST_F(DataWindow, ZonesCountTheReadingsAndPointsMoveWithThePressure) {
    auto set = std::make_shared<data::DataSet>();
    set->name = "φ";
    set->humidity = data::Humidity::Phi;
    set->readings = {{22.0F, 68.0F}, {22.0F, 71.0F}};
    window.dataDock()->addData(layerOf(set, 0x00FF00));
    window.dataDock()->addZone(data::buildingHygieneZone());
    const std::uint32_t colour = window.document().data().layers.at(0).colour;  // the palette's
    const auto counted = [] {
        return QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };
    window.dataDock()->copyCounts();
    ASSERT_EQ(counted().size(), 2);
    EXPECT_EQ(counted()[1], QStringLiteral("φ\t建築物衛生法の基準\t2\t1\t50.0\t\t"));
    EXPECT_EQ(sheetAt(22.0, 0.01124), colour);
    window.applySettings({chart::Units::Engineering, *psychro::atmosphereFromAltitude(1500.0)});
    window.dataDock()->copyCounts();
    EXPECT_EQ(counted()[1], QStringLiteral("φ\t建築物衛生法の基準\t2\t1\t50.0\t\t"));
    EXPECT_EQ(sheetAt(22.0, 0.01352), colour);
    EXPECT_NE(sheetAt(22.0, 0.01124), colour);
}

TEST_F(DataWindow, AWeatherSiteAtAnotherAltitudeOffersItsPressure) {
    struct Row {
        double elevation;
        bool answer;
        bool asked;
        double ratio;  // the pressure in use afterwards
    };
    // (1 − 2.25577e-5·1500)^5.2559 = 0.83450; a station 15 m up is taken as at sea level; 9,000
    // m is beyond any setting.
    const Row rows[] = {{1500.0, true, true, 0.83450},
                        {1500.0, false, true, 1.0},
                        {15.0, true, false, 1.0},
                        {9000.0, true, false, 1.0}};
    for (const Row& row : rows) {
        dialogs::RecordedMessages asked;
        asked.setAnswer(row.answer);
        app::MainWindow fresh{asked};
        auto site = std::make_shared<data::DataSet>(*loggedRoom());
        site->elevation = row.elevation;
        site->hasElevation = true;
        fresh.dataDock()->addData(layerOf(site));
        EXPECT_EQ(asked.messages().size(), row.asked ? 1U : 0U) << row.elevation;
        EXPECT_NEAR(fresh.settings().atmosphere.ratio.value(), row.ratio, 1e-5) << row.elevation;
        EXPECT_EQ(fresh.document().data().layers.size(), 1U);
    }
}

}  // namespace
