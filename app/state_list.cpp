#include "app/state_list.h"

#include <QHeaderView>
#include <QListWidget>
#include <QSplitter>
#include <QTableWidget>

#include "dialogs/messages.h"
#include "words/messages.h"

namespace app {

StateList::StateList(QWidget* parent)
    : QDockWidget(dialogs::message(words::kStateListTitle), parent) {
    setObjectName(QStringLiteral("StateList"));
    auto* split = new QSplitter(Qt::Vertical, this);
    table_ = new QTableWidget(0, kStateColumns, split);
    table_->setObjectName(QStringLiteral("StateTable"));
    table_->setHorizontalHeaderLabels(stateHeaders(chart::Settings::standard()));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    results_ = new QListWidget(split);
    results_->setObjectName(QStringLiteral("ResultList"));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    setWidget(split);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &StateList::selectionChanged);
}

void StateList::showWork(const chart::MarkedWork& work, const chart::Settings& settings) {
    table_->setHorizontalHeaderLabels(stateHeaders(settings));
    rows_ = stateRows(work, settings);
    table_->clearSelection();
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        for (int c = 0; c < kStateColumns; ++c) {
            auto* item = new QTableWidgetItem(rows_[r].cells[static_cast<std::size_t>(c)]);
            if (c >= 2) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table_->setItem(static_cast<int>(r), c, item);
        }
    }
    results_->clear();
    results_->addItems(resultLines(work, settings));
    emit highlighted({});
}

void StateList::selectionChanged() {
    std::vector<chart::PointMm> marks;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        const auto r = static_cast<std::size_t>(index.row());
        if (r < rows_.size()) {
            marks.push_back(rows_[r].at);
        }
    }
    emit highlighted(marks);
}

}  // namespace app
