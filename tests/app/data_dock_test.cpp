#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "app/data_dock.h"
#include "app/document.h"
#include "app/main_window.h"
#include "data/zones.h"
#include "dialogs/messages.h"

namespace {

std::shared_ptr<const data::DataSet> setNamed(const char* name) {
    auto set = std::make_shared<data::DataSet>();
    set->name = name;
    set->readings = {{22.0F, 0.008F}, {30.0F, 0.010F}};
    return set;
}

class DataDockTest : public testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(app::recoveryPath());
        window.show();
        window.dataDock()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (const char* name : {"AMSTERDAM SCHIPHOL", "室内ロガー"}) {
            data::DataLayer layer;
            layer.set = setNamed(name);
            window.dataDock()->addData(std::move(layer));
        }
        window.dataDock()->addZone(data::buildingHygieneZone());
        window.dataDock()->addZone(data::ashraeSummerZone());
    }
    void TearDown() override { QFile::remove(app::recoveryPath()); }

    template <typename View>
    View* view(const char* name) {
        return window.dataDock()->findChild<View*>(QString::fromLatin1(name));
    }

    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
    app::Document& document = window.document();
};

// Where a cell's check box is drawn, as the view's style places it.
QPoint checkBoxOf(QAbstractItemView* view, const QModelIndex& index) {
    QStyleOptionViewItem option;
    option.initFrom(view->viewport());
    option.rect = view->visualRect(index);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    return view->style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view)
        .center();
}

// Every cell of every table of the dock, clicked, double-clicked and its check box (where it
// has one) clicked after: each click that changes the document rebuilds the tables under the
// view's feet. The set stays and only its shown flag follows the clicks.
TEST_F(DataDockTest, EveryCellTakesClicksAndDoubleClicks) {
    struct Row {
        const char* what;
        std::function<void(QWidget* viewport, QPoint cell, QPoint box)> act;
        int toggles;  // of the check box of a set's name
    };
    const auto click = [](QWidget* v, QPoint at) { QTest::mouseClick(v, Qt::LeftButton, {}, at); };
    const auto dclick = [](QWidget* v, QPoint at) {
        QTest::mouseDClick(v, Qt::LeftButton, {}, at);
    };
    const Row rows[] = {
        {"click", [&](QWidget* v, QPoint cell, QPoint) { click(v, cell); }, 0},
        {"double-click", [&](QWidget* v, QPoint cell, QPoint) { dclick(v, cell); }, 0},
        {"double-click, then its check box",
         [&](QWidget* v, QPoint cell, QPoint box) {
             dclick(v, cell);
             click(v, box);
         },
         1},
        {"its check box twice",
         [&](QWidget* v, QPoint, QPoint box) {
             click(v, box);
             click(v, box);
         },
         2},
        {"double-click on its check box", [&](QWidget* v, QPoint, QPoint box) { dclick(v, box); },
         0},
    };
    for (const Row& row : rows) {
        for (std::size_t k = 0; k < 2; ++k) {
            window.dataDock()->setShown(k, true);
        }
        for (const char* name : {"ZoneCounts", "ZoneList", "DataList"}) {
            auto* table = view<QAbstractItemView>(name);
            ASSERT_NE(table, nullptr) << name;
            const int count = table->model()->rowCount();
            const int columns = table->model()->columnCount();
            ASSERT_GT(count, 0) << name;
            for (int r = 0; r < count; ++r) {
                for (int c = 0; c < columns; ++c) {
                    const QModelIndex index = table->model()->index(r, c);
                    table->scrollTo(index);
                    const bool before = document.data().layers[0].shown;
                    row.act(table->viewport(), table->visualRect(index).center(),
                            checkBoxOf(table, index));
                    QApplication::processEvents();
                    ASSERT_EQ(document.data().layers.size(), 2U) << row.what << name << r << c;
                    const bool checkable = name == std::string_view("DataList") && c == 0;
                    if (checkable && r == 0) {
                        EXPECT_EQ(document.data().layers[0].shown, before != (row.toggles % 2 == 1))
                            << row.what;
                    }
                }
            }
        }
    }
}

// Sets read one after another: each in the next colour of Okabe and Ito's palette that no set
// has, and a name read again numbered. Rows: what happens, then every set's name and colour.
TEST_F(DataDockTest, NewSetsTakeFreeColoursAndNames) {
    struct Row {
        const char* what;
        std::function<void()> act;
        std::vector<std::pair<std::string, std::uint32_t>> sets;
    };
    const auto add = [this](const char* name) {
        data::DataLayer layer;
        layer.set = setNamed(name);
        window.dataDock()->addData(std::move(layer));
    };
    const Row rows[] = {
        {"as set up", [] {}, {{"AMSTERDAM SCHIPHOL", 0x0072B2}, {"室内ロガー", 0xE69F00}}},
        {"the logger again",
         [&] { add("室内ロガー"); },
         {{"AMSTERDAM SCHIPHOL", 0x0072B2},
          {"室内ロガー", 0xE69F00},
          {"室内ロガー (2)", 0x009E73}}},
        {"and again",
         [&] { add("室内ロガー"); },
         {{"AMSTERDAM SCHIPHOL", 0x0072B2},
          {"室内ロガー", 0xE69F00},
          {"室内ロガー (2)", 0x009E73},
          {"室内ロガー (3)", 0xD55E00}}},
        {"the second removed, the logger again: its name and colour are free",
         [&] {
             window.dataDock()->removeSet(1);
             add("室内ロガー");
         },
         {{"AMSTERDAM SCHIPHOL", 0x0072B2},
          {"室内ロガー (2)", 0x009E73},
          {"室内ロガー (3)", 0xD55E00},
          {"室内ロガー", 0xE69F00}}},
    };
    for (const Row& row : rows) {
        row.act();
        std::vector<std::pair<std::string, std::uint32_t>> sets;
        for (const data::DataLayer& layer : document.data().layers) {
            sets.emplace_back(layer.set->name, layer.colour);
        }
        EXPECT_EQ(sets, row.sets) << row.what;
    }
}

// On a 1366 × 768 screen the chart keeps 70 % of the window beside the dock, the counts show
// every column whole, and Tab leaves each list for the next control.
TEST_F(DataDockTest, TheDockFitsBesideTheChartAndTabLeavesItsTables) {
    window.resize(1366, 768);
    window.dataDock()->hide();
    window.dataDock()->show();
    QApplication::processEvents();
    EXPECT_GE(window.centralWidget()->width(), 1366 * 70 / 100);
    auto* counts = view<QTableWidget>("ZoneCounts");
    int columns = 0;
    for (int c = 0; c < counts->columnCount(); ++c) {
        columns += counts->columnWidth(c);
    }
    EXPECT_LE(columns, counts->viewport()->width());
    for (const char* name : {"DataList", "ZoneList", "ZoneCounts"}) {
        auto* list = view<QAbstractItemView>(name);
        list->setFocus();
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Tab);
        EXPECT_FALSE(list->hasFocus()) << name;
    }
}

// A set's months and hours, as the dock's filter boxes set them, follow its counts into the
// copy.
TEST_F(DataDockTest, TheCopyNamesEachSetsFilter) {
    auto dated = std::make_shared<data::DataSet>(*setNamed("dated"));
    dated->times = {data::minutesOf({2024, 7, 1, 9, 0}), data::minutesOf({2024, 12, 1, 9, 0})};
    data::DataLayer layer;
    layer.set = dated;
    window.dataDock()->addData(std::move(layer));
    window.dataDock()->setFilter(2, {.months = 1U << 6U, .hours = 0x00FFFFFF});
    window.dataDock()->copyCounts();
    const QStringList lines =
        QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0].split(QLatin1Char('\t')).last(), QStringLiteral("絞り込み"));
    // 22 °C, 8 g/kg(DA) in July: inside the building hygiene range.
    EXPECT_EQ(lines[5], QStringLiteral("dated\t建築物衛生法の基準\t1\t1\t100.0\t\t7月"));
}

}  // namespace
