#include "app/data_dock.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/data_import.h"
#include "app/document.h"
#include "dialogs/controls.h"
#include "dialogs/data_dialogs.h"
#include "dialogs/messages.h"
#include "psychro/atmosphere.h"
#include "words/messages.h"

namespace app {
namespace {

enum DataColumn { NameColumn, RowsColumn, PeriodColumn, ColourColumn, kDataColumns };
constexpr int kFilterColumn = 6;  // of the zone counts
constexpr int kNameChars = 16;    // the width a name is shortened to, in average characters
constexpr int kHoursColumn = 5;   // of the zone counts
// In the dock's narrow columns a set whose dates could not be read says so briefly; its
// tooltip says it whole.
const QString kDatesUnreadShort = QStringLiteral("日時を読めず");

QIcon colourIcon(std::uint32_t rgb) {
    QPixmap swatch(12, 12);
    swatch.fill(QColor(static_cast<QRgb>(0xFF000000U | rgb)));
    return QIcon(swatch);
}

// The first and last of a run of set bits, wrapping (months 12..2); the whole range when all
// are set or none is.
std::pair<int, int> runOf(std::uint32_t bits, int count) {
    const auto set = [&](int k) { return (bits >> ((k % count + count) % count) & 1U) != 0U; };
    for (int k = 0; k < count; ++k) {
        if (set(k) && !set(k - 1)) {
            int end = k;
            for (int n = 1; n < count && set(k + n); ++n) {
                end = (k + n) % count;
            }
            return {k, end};
        }
    }
    return {0, count - 1};
}

// Whether a set came from a CSV/TSV file (read again through the column dialog): one read with
// columns, or one whose file is no weather file.
bool fromCsv(const data::DataLayer& layer) {
    return layer.readWith.has_value() ||
           (!layer.path.empty() &&
            QFileInfo(QString::fromStdString(layer.path))
                    .suffix()
                    .compare(QStringLiteral("epw"), Qt::CaseInsensitive) != 0);
}

data::DataPart withLayer(data::DataPart part, std::size_t set,
                         const std::function<void(data::DataLayer&)>& edit) {
    if (set < part.layers.size()) {
        edit(part.layers[set]);
    }
    return part;
}

QSpinBox* spin(const char* name, int low, int high, QWidget* parent) {
    auto* s = dialogs::makeNamed<QSpinBox>(parent, QString::fromLatin1(name));
    s->setRange(low, high);
    return s;
}

}  // namespace

std::vector<ZoneCountRow> ZoneCounter::rows(const data::DataPart& part,
                                            psychro::PressureRatio pressure) {
    std::vector<Known> known;
    std::vector<ZoneCountRow> rows;
    for (const data::DataLayer& layer : part.layers) {
        if (!layer.shown || !layer.set || part.zones.empty()) {
            continue;
        }
        std::optional<data::DataSet> kept;  // made when a count is not known
        for (const data::Zone& zone : part.zones) {
            const auto same = std::find_if(known_.begin(), known_.end(), [&](const Known& k) {
                return k.set == layer.set && k.filter == layer.filter && k.zone == zone &&
                       k.pressure == pressure.value();
            });
            if (same != known_.end()) {
                known.push_back(*same);
            } else {
                if (!kept) {
                    kept = data::filtered(*layer.set, layer.filter);
                }
                known.push_back({layer.set,
                                 layer.filter,
                                 zone,
                                 pressure.value(),
                                 {QString::fromStdString(layer.set->name),
                                  QString::fromStdString(data::filterText(layer.filter)),
                                  QString::fromStdString(data::zoneName(zone)), kept->rows(),
                                  data::countInside(zone, *kept, pressure), kept->hoursOf(1) > 0.0,
                                  layer.datesUnread}});
            }
            rows.push_back(known.back().row);
        }
    }
    known_ = std::move(known);
    return rows;
}

namespace {

// The cells of a row of the zone table, as the dock shows them and the copy writes them.
QStringList zoneCountCells(const ZoneCountRow& row) {
    const QString hours = row.datesUnread ? DataImport::datesUnreadText()
                          : row.hasHours  ? QString::number(std::llround(row.count.hours))
                                          : QString();
    return {row.set,
            row.zone,
            QString::number(row.rows),
            QString::number(row.count.inside),
            QString::number(100.0 * row.count.share, 'f', 1),
            hours,
            row.filter};
}

}  // namespace

QString zoneCountText(const std::vector<ZoneCountRow>& rows) {
    QString text = dialogs::message(words::kZoneCountHeader) + QLatin1Char('\n');
    for (const ZoneCountRow& row : rows) {
        text += zoneCountCells(row).join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

DataDock::DataDock(Document& document, dialogs::Messenger& messages, QWidget* parent)
    : QDockWidget(dialogs::message(words::kDataDockTitle), parent),
      document_(document),
      messages_(messages) {
    setObjectName(QStringLiteral("DataDock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);

    DataList = new QTreeWidget(body);
    DataList->setObjectName(QStringLiteral("DataList"));
    DataList->setRootIsDecorated(false);
    DataList->setColumnCount(kDataColumns);
    DataList->setHeaderLabels({QStringLiteral("名前"), QStringLiteral("行数"),
                               QStringLiteral("期間"), QStringLiteral("色")});
    DataList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DataList->header()->setStretchLastSection(false);
    DataList->setTabKeyNavigation(false);
    layout->addWidget(DataList);

    auto* setRow = new QGridLayout;
    QPushButton* add = dialogs::makeNamed<QPushButton>(body, QStringLiteral("DataAdd"),
                                                       QStringLiteral("追加(&A)..."));
    DataRemove =
        dialogs::makeNamed<QPushButton>(body, QStringLiteral("DataRemove"), QStringLiteral("削除"));
    DataColour = dialogs::makeNamed<QPushButton>(body, QStringLiteral("DataColour"),
                                                 QStringLiteral("色..."));
    DataStyle = new QComboBox(body);
    DataStyle->setObjectName(QStringLiteral("DataStyle"));
    DataStyle->addItems({QStringLiteral("点"), QStringLiteral("時間数")});
    CommandColumns = dialogs::makeNamed<QPushButton>(body, QStringLiteral("CommandColumns"),
                                                     QStringLiteral("列の指定..."));
    // Two rows, so that the dock stays narrow beside the chart.
    setRow->addWidget(add, 0, 0);
    setRow->addWidget(DataRemove, 0, 1);
    setRow->addWidget(DataColour, 0, 2);
    setRow->addWidget(CommandColumns, 1, 0, 1, 2);
    setRow->addWidget(DataStyle, 1, 2);
    layout->addLayout(setRow);

    auto* filterRow = new QGridLayout;
    MonthFrom = spin("MonthFrom", 1, 12, body);
    MonthTo = spin("MonthTo", 1, 12, body);
    HourFrom = spin("HourFrom", 0, 23, body);
    HourTo = spin("HourTo", 0, 23, body);
    FilterApply = dialogs::makeNamed<QPushButton>(body, QStringLiteral("FilterApply"),
                                                  QStringLiteral("絞り込む"));
    filterRow->addWidget(new QLabel(QStringLiteral("月"), body), 0, 0);
    filterRow->addWidget(MonthFrom, 0, 1);
    filterRow->addWidget(new QLabel(QStringLiteral("～"), body), 0, 2);
    filterRow->addWidget(MonthTo, 0, 3);
    filterRow->addWidget(new QLabel(QStringLiteral("時"), body), 1, 0);
    filterRow->addWidget(HourFrom, 1, 1);
    filterRow->addWidget(new QLabel(QStringLiteral("～"), body), 1, 2);
    filterRow->addWidget(HourTo, 1, 3);
    filterRow->addWidget(FilterApply, 0, 4, 2, 1);
    layout->addLayout(filterRow);

    layout->addWidget(new QLabel(QStringLiteral("ゾーン"), body));
    ZoneList = new QListWidget(body);
    ZoneList->setObjectName(QStringLiteral("ZoneList"));
    layout->addWidget(ZoneList);
    auto* zoneRow = new QHBoxLayout;
    QPushButton* addRange = dialogs::makeNamed<QPushButton>(body, QStringLiteral("ZoneAddRange"),
                                                            QStringLiteral("範囲を追加..."));
    QPushButton* addPmv = dialogs::makeNamed<QPushButton>(body, QStringLiteral("ZoneAddPmv"),
                                                          QStringLiteral("PMVを追加..."));
    QPushButton* edit = dialogs::makeNamed<QPushButton>(body, QStringLiteral("ZoneEdit"),
                                                        QStringLiteral("編集..."));
    QPushButton* removeZoneButton =
        dialogs::makeNamed<QPushButton>(body, QStringLiteral("ZoneRemove"), QStringLiteral("削除"));
    for (QWidget* w : std::initializer_list<QWidget*>{addRange, addPmv, edit, removeZoneButton}) {
        zoneRow->addWidget(w);
    }
    layout->addLayout(zoneRow);

    ZoneCounts = new QTableWidget(body);
    ZoneCounts->setObjectName(QStringLiteral("ZoneCounts"));
    // Short headers, the copy's names in their tooltips, every column as wide as its contents:
    // all of them fit beside the chart.
    const QStringList names = dialogs::message(words::kZoneCountHeader).split(QLatin1Char('\t'));
    const QStringList shortNames{QStringLiteral("データ"), QStringLiteral("ゾーン"),
                                 QStringLiteral("行"),     QStringLiteral("内"),
                                 QStringLiteral("%"),      QStringLiteral("h"),
                                 QStringLiteral("絞込")};
    ZoneCounts->setColumnCount(static_cast<int>(names.size()));
    for (int c = 0; c < names.size() && c < shortNames.size(); ++c) {
        auto* header = new QTableWidgetItem(shortNames[c]);
        header->setToolTip(names[c]);
        ZoneCounts->setHorizontalHeaderItem(c, header);
    }
    ZoneCounts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // A long name is shortened in its middle (its tooltip holds it whole) so that the figures
    // stay in view.
    ZoneCounts->horizontalHeader()->setMaximumSectionSize(
        ZoneCounts->fontMetrics().averageCharWidth() * kNameChars);
    ZoneCounts->setTextElideMode(Qt::ElideMiddle);
    ZoneCounts->setWordWrap(false);
    // Tab leaves the table for the next control, as everywhere else in the dock.
    ZoneCounts->setTabKeyNavigation(false);
    ZoneCounts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ZoneCounts->verticalHeader()->hide();
    layout->addWidget(ZoneCounts);
    QPushButton* copy = dialogs::makeNamed<QPushButton>(body, QStringLiteral("ZoneCopy"),
                                                        QStringLiteral("集計をコピー"));
    layout->addWidget(copy);
    setWidget(body);

    connect(add, &QPushButton::clicked, this, &DataDock::chooseAndAddData);
    connect(DataRemove, &QPushButton::clicked, this, [this] {
        if (const auto set = chosenSet()) {
            removeSet(*set);
        }
    });
    connect(DataColour, &QPushButton::clicked, this, &DataDock::chooseColour);
    connect(CommandColumns, &QPushButton::clicked, this, &DataDock::chooseColumns);
    connect(DataStyle, &QComboBox::activated, this, [this](int index) {
        if (const auto set = chosenSet()) {
            setStyle(*set, index == 1 ? data::LayerStyle::Hours : data::LayerStyle::Points);
        }
    });
    connect(FilterApply, &QPushButton::clicked, this, &DataDock::applyFilter);
    connect(DataList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int row = DataList->indexOfTopLevelItem(item);
        if (!showing_ && column == NameColumn && row >= 0) {
            setShown(static_cast<std::size_t>(row), item->checkState(NameColumn) == Qt::Checked);
        }
    });
    connect(DataList, &QTreeWidget::currentItemChanged, this, &DataDock::showChosenSet);
    connect(addRange, &QPushButton::clicked, this, [this] { editZone(std::nullopt, false); });
    connect(addPmv, &QPushButton::clicked, this, [this] { editZone(std::nullopt, true); });
    const auto editChosen = [this] {
        if (const auto zone = chosenZone()) {
            const auto& zones = document_.data().zones;
            editZone(*zone, std::holds_alternative<data::PmvZone>(zones[*zone]));
        }
    };
    connect(edit, &QPushButton::clicked, this, editChosen);
    connect(ZoneList, &QListWidget::itemDoubleClicked, this, editChosen);
    connect(removeZoneButton, &QPushButton::clicked, this, [this] {
        if (const auto zone = chosenZone()) {
            removeZone(*zone);
        }
    });
    connect(copy, &QPushButton::clicked, this, &DataDock::copyCounts);
    connect(&document_, &Document::dataChanged, this, &DataDock::showData);
    // The same rows count otherwise at another pressure.
    connect(&document_, &Document::settingsChanged, this, &DataDock::showData);
    showData();
}

void DataDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    // Docked, the dock takes at most 28 % of the window's width: the chart keeps the rest.
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (window != nullptr && !isFloating()) {
        const int wanted = std::min(sizeHint().width(), window->width() * 28 / 100);
        window->resizeDocks({this}, {wanted}, Qt::Horizontal);
    }
}

std::optional<std::size_t> DataDock::chosenSet() const {
    const int row = DataList->indexOfTopLevelItem(DataList->currentItem());
    return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}

std::optional<std::size_t> DataDock::chosenZone() const {
    const int row = ZoneList->currentRow();
    return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}

void DataDock::change(data::DataPart part, const char16_t* text) {
    document_.changeData(std::move(part), text);
}

void DataDock::setShown(std::size_t set, bool shown) {
    change(withLayer(document_.data(), set, [shown](data::DataLayer& l) { l.shown = shown; }),
           words::kStepShowData);
}

void DataDock::setStyle(std::size_t set, data::LayerStyle style) {
    change(withLayer(document_.data(), set, [style](data::DataLayer& l) { l.style = style; }),
           words::kStepShowData);
}

void DataDock::setColour(std::size_t set, std::uint32_t rgb) {
    change(
        withLayer(document_.data(), set, [rgb](data::DataLayer& l) { l.colour = rgb & 0xFFFFFFU; }),
        words::kStepShowData);
}

void DataDock::setFilter(std::size_t set, const data::TimeFilter& filter) {
    change(withLayer(document_.data(), set, [&filter](data::DataLayer& l) { l.filter = filter; }),
           words::kStepShowData);
}

void DataDock::removeSet(std::size_t set) {
    data::DataPart part = document_.data();
    if (set < part.layers.size()) {
        part.layers.erase(part.layers.begin() + static_cast<std::ptrdiff_t>(set));
        change(std::move(part), words::kStepRemoveData);
    }
}

void DataDock::addZone(const data::Zone& zone) {
    data::DataPart part = document_.data();
    part.zones.push_back(zone);
    change(std::move(part), words::kStepZones);
}

void DataDock::replaceZone(std::size_t index, const data::Zone& zone) {
    data::DataPart part = document_.data();
    if (index < part.zones.size()) {
        part.zones[index] = zone;
        change(std::move(part), words::kStepZones);
    }
}

void DataDock::removeZone(std::size_t index) {
    data::DataPart part = document_.data();
    if (index < part.zones.size()) {
        part.zones.erase(part.zones.begin() + static_cast<std::ptrdiff_t>(index));
        change(std::move(part), words::kStepZones);
    }
}

void DataDock::copyCounts() {
    QApplication::clipboard()->setText(
        zoneCountText(counter_.rows(document_.data(), document_.settings().atmosphere.ratio)));
}

void DataDock::chooseColour() {
    const auto set = chosenSet();
    if (!set) {
        return;
    }
    auto* dialog = new QColorDialog(
        QColor(static_cast<QRgb>(0xFF000000U | document_.data().layers[*set].colour)), this);
    dialog->setObjectName(QStringLiteral("DataColourDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The set is found again by its rows on OK: an undo meanwhile may have moved it.
    connect(dialog, &QColorDialog::colorSelected, this,
            [this, rows = document_.data().layers[*set].set](const QColor& colour) {
                const auto& layers = document_.data().layers;
                const auto at =
                    std::find_if(layers.begin(), layers.end(),
                                 [&](const data::DataLayer& l) { return l.set == rows; });
                if (at != layers.end()) {
                    setColour(static_cast<std::size_t>(at - layers.begin()),
                              static_cast<std::uint32_t>(colour.rgb()));
                }
            });
    dialog->open();
}

void DataDock::applyFilter() {
    const auto set = chosenSet();
    if (!set) {
        return;
    }
    const auto months = data::bitRange(MonthFrom->value(), MonthTo->value(), 12);
    const auto hours = data::bitRange(HourFrom->value(), HourTo->value(), 24);
    if (months && hours) {
        setFilter(*set, {.months = static_cast<std::uint16_t>(*months), .hours = *hours});
    }
}

// The lists are brought up to the document in place, item by item, never cleared: a click on a
// set's check box changes the document from inside the item's own setData, and the item must
// outlive that call.
void DataDock::showData() {
    const data::DataPart& part = document_.data();
    const auto chosen = chosenSet();
    const auto chosenZoneRow = chosenZone();
    showing_ = true;
    const int sets = static_cast<int>(part.layers.size());
    while (DataList->topLevelItemCount() > sets) {
        delete DataList->topLevelItem(DataList->topLevelItemCount() - 1);
    }
    while (DataList->topLevelItemCount() < sets) {
        (void)new QTreeWidgetItem(DataList);
    }
    for (int k = 0; k < sets; ++k) {
        const data::DataLayer& layer = part.layers[static_cast<std::size_t>(k)];
        QTreeWidgetItem* item = DataList->topLevelItem(k);
        item->setText(NameColumn, QString::fromStdString(layer.set->name));
        item->setToolTip(NameColumn, QString::fromStdString(layer.set->name) + u'\n' +
                                         QString::fromStdString(layer.path));
        item->setCheckState(NameColumn, layer.shown ? Qt::Checked : Qt::Unchecked);
        item->setText(RowsColumn, QString::number(layer.set->rows()));
        // The first and last dated rows, a typical year's by month and day alone; "—" without
        // dates.
        item->setText(PeriodColumn, layer.datesUnread
                                        ? kDatesUnreadShort
                                        : QString::fromStdString(data::periodText(*layer.set)));
        item->setToolTip(PeriodColumn,
                         layer.datesUnread ? DataImport::datesUnreadText() : QString());
        item->setIcon(ColourColumn, colourIcon(layer.colour));
    }
    if (chosen && *chosen < part.layers.size()) {
        DataList->setCurrentItem(DataList->topLevelItem(static_cast<int>(*chosen)));
    } else if (!part.layers.empty()) {
        DataList->setCurrentItem(DataList->topLevelItem(sets - 1));
    }
    const int zones = static_cast<int>(part.zones.size());
    while (ZoneList->count() > zones) {
        delete ZoneList->item(ZoneList->count() - 1);
    }
    while (ZoneList->count() < zones) {
        ZoneList->addItem(QString());
    }
    for (int k = 0; k < zones; ++k) {
        ZoneList->item(k)->setText(
            QString::fromStdString(data::zoneName(part.zones[static_cast<std::size_t>(k)])));
    }
    if (chosenZoneRow && *chosenZoneRow < part.zones.size()) {
        ZoneList->setCurrentRow(static_cast<int>(*chosenZoneRow));
    }
    const std::vector<ZoneCountRow> rows =
        counter_.rows(part, document_.settings().atmosphere.ratio);
    ZoneCounts->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < ZoneCounts->rowCount(); ++r) {
        const QStringList cells = zoneCountCells(rows[static_cast<std::size_t>(r)]);
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = ZoneCounts->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                ZoneCounts->setItem(r, c, item);
            }
            item->setText(cells[c]);
            item->setToolTip(cells[c]);
        }
        if (rows[static_cast<std::size_t>(r)].datesUnread) {
            ZoneCounts->item(r, kHoursColumn)->setText(kDatesUnreadShort);
        }
    }
    // The filter's column only where a set keeps less than all.
    ZoneCounts->setColumnHidden(
        kFilterColumn, std::all_of(rows.begin(), rows.end(),
                                   [](const ZoneCountRow& row) { return row.filter.isEmpty(); }));
    showing_ = false;
    showChosenSet();
}

void DataDock::showChosenSet() {
    const auto set = chosenSet();
    const bool any = set.has_value();
    for (QWidget* w : std::initializer_list<QWidget*>{DataRemove, DataColour, DataStyle, MonthFrom,
                                                      MonthTo, HourFrom, HourTo, FilterApply}) {
        w->setEnabled(any);
    }
    CommandColumns->setEnabled(any && fromCsv(document_.data().layers[*set]));
    if (!any) {
        return;
    }
    const data::DataLayer& layer = document_.data().layers[*set];
    DataStyle->setCurrentIndex(layer.style == data::LayerStyle::Hours ? 1 : 0);
    const bool dated = !layer.set->times.empty();
    for (QWidget* w :
         std::initializer_list<QWidget*>{MonthFrom, MonthTo, HourFrom, HourTo, FilterApply}) {
        w->setEnabled(dated);
    }
    const auto [m0, m1] = runOf(layer.filter.months, 12);
    const auto [h0, h1] = runOf(layer.filter.hours, 24);
    MonthFrom->setValue(m0 + 1);
    MonthTo->setValue(m1 + 1);
    HourFrom->setValue(h0);
    HourTo->setValue(h1);
}

namespace {

constexpr double kSiteAltitudeMargin = 20.0;  // m

// `name`, or "name (2)", "name (3)" …, the first that no set of `part` has; among n sets one of
// the first n + 1 is free.
std::string freeName(const data::DataPart& part, const std::string& name) {
    const auto taken = [&part](const std::string& n) {
        return std::any_of(part.layers.begin(), part.layers.end(),
                           [&n](const data::DataLayer& l) { return l.set->name == n; });
    };
    std::string candidate = name;
    for (std::size_t k = 2; taken(candidate) && k <= part.layers.size() + 1; ++k) {
        candidate = name + " (" + std::to_string(k) + ")";
    }
    return candidate;
}

}  // namespace

void DataDock::addData(data::DataLayer layer) {
    data::DataPart part = document_.data();
    // The same file read twice gives two sets that the list, the legend and the counts must
    // tell apart; the rows are copied only then.
    if (std::string name = freeName(part, layer.set->name); name != layer.set->name) {
        auto renamed = std::make_shared<data::DataSet>(*layer.set);
        renamed->name = std::move(name);
        layer.set = std::move(renamed);
    }
    layer.colour = data::nextSetColour(part);
    const std::shared_ptr<const data::DataSet> set = layer.set;
    const QString site = QString::fromStdString(set->name);
    part.layers.push_back(std::move(layer));
    document_.changeData(std::move(part), words::kStepAddData);
    if (!set->hasElevation || !(set->elevation >= psychro::kLowestAltitude &&
                                set->elevation <= psychro::kHighestAltitude)) {
        return;
    }
    // Offered where the site lies more than 20 m (about 1.8 mmHg) from the altitude of the
    // pressure in use: less is within what a weather station's own height above its ground
    // makes.
    const chart::Settings& settings = document_.settings();
    const auto inUse = psychro::altitudeAtPressureRatio(settings.atmosphere.ratio);
    if (inUse && std::abs(*inUse - set->elevation) <= kSiteAltitudeMargin) {
        return;
    }
    const auto atmosphere = psychro::atmosphereFromAltitude(set->elevation);
    QString question = dialogs::message(words::kDataElevationQuestion)
                           .arg(site, QString::number(set->elevation, 'g', 6));
    if (!document_.work().entries.empty()) {
        question += dialogs::message(words::kDataElevationMarksGo);
    }
    if (!atmosphere || !messages_.ask(question)) {
        return;
    }
    // The document's settings only: the stored preference changes through ツール → 設定.
    document_.changeSettings({.units = settings.units, .atmosphere = *atmosphere});
    emit statusMessage(
        dialogs::message(words::kDataPressureSet).arg(QString::number(set->elevation, 'g', 6)));
}

void DataDock::chooseAndAddData() {
    if (dataImport().busy() || !chooseFile_) {
        return;  // one read at a time: its dialog is in front
    }
    const QString path = chooseFile_();
    if (!path.isEmpty()) {
        (void)dataImport().start(path, document_.settings());
    }
}

DataImport& DataDock::dataImport() {
    if (dataImport_ == nullptr) {
        dataImport_ = new DataImport(messages_, parentWidget(), this);
        dataImport_->setMemory(columnMemory_);
        connect(dataImport_, &DataImport::finished, this, [this](const ImportResult& result) {
            if (result.replaces) {
                readAgain(result);
            } else {
                addData(result.layer);
            }
            if (result.remembered) {  // not the reader's own guess: say so, and how to change it
                emit statusMessage(dialogs::message(words::kDataColumnsRemembered));
            }
        });
    }
    return *dataImport_;
}

void DataDock::setColumnMemory(QSettings* store) {
    columnMemory_ = store;
    if (dataImport_ != nullptr) {
        dataImport_->setMemory(store);
    }
}

void DataDock::chooseColumns() {
    const auto set = chosenSet();
    if (!set || dataImport().busy()) {
        return;
    }
    const data::DataLayer& layer = document_.data().layers[*set];
    if (fromCsv(layer)) {
        (void)dataImport().startAgain(QString::fromStdString(layer.path), document_.settings(),
                                      layer.readWith, layer.set);
    }
}

// The set is found again by its rows: an undo while the dialog was open may have moved it. One
// removed meanwhile comes back as a new set rather than the read being lost.
void DataDock::readAgain(const ImportResult& result) {
    data::DataPart part = document_.data();
    const auto at =
        std::find_if(part.layers.begin(), part.layers.end(),
                     [&](const data::DataLayer& l) { return l.set == result.replaces; });
    if (at == part.layers.end()) {
        addData(result.layer);
        return;
    }
    at->set = result.layer.set;
    at->readWith = result.layer.readWith;
    at->datesUnread = result.layer.datesUnread;
    change(std::move(part), words::kStepColumns);
}

void DataDock::editZone(std::optional<std::size_t> index, bool pmv) {
    const std::vector<data::Zone>& zones = document_.data().zones;
    if (index && *index >= zones.size()) {
        return;
    }
    if (FormZone == nullptr) {
        FormZone = new dialogs::ZoneDialog(messages_, parentWidget());
        connect(FormZone, &dialogs::ZoneDialog::accepted, this, [this](const data::Zone& zone) {
            const std::vector<data::Zone>& now = document_.data().zones;
            const auto at =
                editedZone_ ? std::find(now.begin(), now.end(), *editedZone_) : now.end();
            if (at != now.end()) {
                replaceZone(static_cast<std::size_t>(at - now.begin()), zone);
            } else {
                addZone(zone);  // new, or its original is gone
            }
        });
    }
    editedZone_ = index ? std::optional<data::Zone>(zones[*index]) : std::nullopt;
    // A new comfort zone starts from office work in summer clothing in still air.
    const data::Zone start = index ? zones[*index]
                             : pmv ? data::Zone(data::PmvZone{.name = "PMV ±0.5",
                                                              .met = 1.1,
                                                              .clo = 0.5,
                                                              .vel = 0.1,
                                                              .tr = std::nullopt,
                                                              .limit = 0.5})
                                   : data::Zone(data::buildingHygieneZone());
    FormZone->showFor(start);
}

}  // namespace app
