#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
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
#include "app/project_io.h"
#include "data/zones.h"
#include "dialogs/messages.h"

namespace {

std::shared_ptr<const data::DataSet> setNamed(const char* name) {
    auto set = std::make_shared<data::DataSet>();
    set->name = name;
    set->states = {{22.0F, 0.008F}, {30.0F, 0.010F}};
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
            window.addData(std::move(layer));
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

}  // namespace
