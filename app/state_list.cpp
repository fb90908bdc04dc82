#include "app/state_list.h"

#include <QHeaderView>
#include <QListWidget>
#include <QSplitter>
#include <QTableView>

#include "app/document.h"
#include "dialogs/messages.h"
#include "words/messages.h"

namespace app {

StateModel::StateModel(const Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
    reset();
}

int StateModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StateModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kStateColumns;
}

const StateModel::Cells& StateModel::cells(std::size_t row) const {
    std::optional<Cells>& kept = cells_[row];
    if (!kept) {
        const Row r = rows_[row];
        const chart::Entry& entry = document_.work().entries[r.entry];
        // Every row of the entry is made at once: they share the entry's look-ups.
        std::vector<StateRow> made = entryRows(entry, r.entry, document_.settings());
        const std::size_t first = row - r.state;
        for (std::size_t k = 0; k < made.size() && first + k < cells_.size(); ++k) {
            cells_[first + k] = std::move(made[k].cells);
        }
    }
    return *kept;
}

QVariant StateModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kStateColumns) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return index.column() >= 2 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    return cells(static_cast<std::size_t>(index.row()))[static_cast<std::size_t>(index.column())];
}

QVariant StateModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kStateColumns) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return stateHeaders(document_.settings()).at(section);
}

std::optional<chart::PointMm> StateModel::markAt(int row) const {
    if (row < 0 || row >= rowCount()) {
        return std::nullopt;
    }
    const Row r = rows_[static_cast<std::size_t>(row)];
    return document_.work().entries[r.entry].states[r.state].at;
}

void StateModel::entryAdded() {
    const std::size_t entry = document_.work().entries.size() - 1;
    const std::size_t states = document_.work().entries[entry].states.size();
    if (states == 0) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(states) - 1);
    for (std::size_t s = 0; s < states; ++s) {
        rows_.push_back({entry, s});
        cells_.emplace_back();
    }
    endInsertRows();
}

void StateModel::lastEntryRemoved() {
    const std::size_t entries = document_.work().entries.size();
    std::size_t keep = rows_.size();
    while (keep > 0 && rows_[keep - 1].entry >= entries) {
        --keep;
    }
    if (keep == rows_.size()) {
        return;
    }
    beginRemoveRows({}, static_cast<int>(keep), rowCount() - 1);
    rows_.resize(keep);
    cells_.resize(keep);
    endRemoveRows();
}

void StateModel::reset() {
    beginResetModel();
    rows_.clear();
    const std::vector<chart::Entry>& entries = document_.work().entries;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        for (std::size_t s = 0; s < entries[e].states.size(); ++s) {
            rows_.push_back({e, s});
        }
    }
    cells_.assign(rows_.size(), std::nullopt);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, kStateColumns - 1);
}

StateList::StateList(const Document& document, QWidget* parent)
    : QDockWidget(dialogs::message(words::kStateListTitle), parent), document_(document) {
    setObjectName(QStringLiteral("StateList"));
    auto* split = new QSplitter(Qt::Vertical, this);
    model_ = new StateModel(document, this);
    table_ = new QTableView(split);
    table_->setObjectName(QStringLiteral("StateTable"));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    results_ = new QListWidget(split);
    results_->setObjectName(QStringLiteral("ResultList"));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    setWidget(split);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &StateList::selectionChanged);
    connect(&document, &Document::entryAdded, this, &StateList::entryAdded);
    connect(&document, &Document::lastEntryRemoved, this, &StateList::lastEntryRemoved);
    connect(&document, &Document::stateReplaced, this, &StateList::reset);
    reset();
}

void StateList::entryAdded(const chart::Entry& entry) {
    model_->entryAdded();
    const std::optional<QString> line = resultLine(entry, document_.settings());
    if (line) {
        results_->addItem(*line);
    }
    hasResult_.push_back(line.has_value());
}

void StateList::lastEntryRemoved() {
    model_->lastEntryRemoved();
    if (!hasResult_.empty()) {
        if (hasResult_.back() && results_->count() > 0) {
            delete results_->takeItem(results_->count() - 1);
        }
        hasResult_.pop_back();
    }
    selectionChanged();
}

void StateList::reset() {
    table_->clearSelection();
    model_->reset();
    results_->clear();
    hasResult_.clear();
    for (const chart::Entry& entry : document_.work().entries) {
        const std::optional<QString> line = resultLine(entry, document_.settings());
        if (line) {
            results_->addItem(*line);
        }
        hasResult_.push_back(line.has_value());
    }
    emit highlighted({});
}

void StateList::selectionChanged() {
    std::vector<chart::PointMm> marks;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        if (const auto at = model_->markAt(index.row())) {
            marks.push_back(*at);
        }
    }
    emit highlighted(marks);
}

}  // namespace app
