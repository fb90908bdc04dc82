#pragma once

#include <QDockWidget>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "data/data_part.h"
#include "data/zones.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QSettings;
class QSpinBox;
class QTableWidget;
class QTreeWidget;

namespace dialogs {
class Messenger;
class ZoneDialog;
}  // namespace dialogs

namespace app {

class DataImport;
class Document;
struct ImportResult;

// One line of the zone table: a data set, a zone, and the rows of the set (as its filter keeps
// them) inside the zone, their share and the hours they stand for.
struct ZoneCountRow {
    QString set;
    QString filter;  // the months and hours the set keeps (data::filterText), "" for all
    QString zone;
    std::size_t rows;
    data::ZoneCount count;
    bool hasHours;             // the set is hourly or dated: its rows stand for hours
    bool datesUnread = false;  // its date column held no date that could be read
};

// Every shown set counted in every zone at the document's pressure. A count stays known while
// its set, filter, zone and pressure stay the same, so that a step elsewhere (a colour, another
// zone) does not walk a large set's rows again.
class ZoneCounter {
  public:
    [[nodiscard]] std::vector<ZoneCountRow> rows(const data::DataPart& part,
                                                 psychro::PressureRatio pressure);

  private:
    struct Known {
        std::shared_ptr<const data::DataSet> set;  // kept, so its address means this set
        data::TimeFilter filter;
        data::Zone zone;
        double pressure;
        ZoneCountRow row;
    };
    std::vector<Known> known_;
};
// The table "集計をコピー" copies: a header line, then a line a row, tab-separated; the share in
// percent to one decimal, the hours as a whole number (empty where the set says no hours), last
// the months and hours the set keeps (empty where it keeps all).
[[nodiscard]] QString zoneCountText(const std::vector<ZoneCountRow>& rows);

// "データ": the document's data sets (name, rows, period, colour, shown or not, style, months and
// hours kept) and zones, with the rows of each set inside each zone. Every change is a step of
// the document's history; the dock only shows what the document holds. It reads the data files
// (through DataImport) and edits the zones (through the zone dialog) itself.
class DataDock : public QDockWidget {
    Q_OBJECT
  public:
    DataDock(Document& document, dialogs::Messenger& messages, QWidget* parent = nullptr);

    // The step that asks for a data file's name ("" cancels); the window gives its file dialog.
    void setFileChooser(std::function<QString()> choose) { chooseFile_ = std::move(choose); }

    // "データを重ねる": a data set read from a file joins the work (one step), in the first
    // colour of data::kSetColours no other set has, under a name no other set has ("name (2)"
    // for a second set of one name). A weather file
    // whose site lies at another altitude than the pressure in use offers to set the pressure
    // to the site's (a second step; the marks go with the old chart, as with any settings
    // change).
    void addData(data::DataLayer layer);
    // Asks for a file and reads it (one read at a time).
    void chooseAndAddData();
    // "列の指定...": the column dialog for the chosen CSV/TSV set's file, set as the set was read;
    // its OK reads the file again and puts the rows in the set's place (one step), the set's
    // name, colour, style, shown flag and months and hours kept as they were.
    void chooseColumns();
    // Where the columns the user confirms are remembered by their file's header (may be null).
    void setColumnMemory(QSettings* store);
    // Reads the files (tests wait on its signals); made on first use, as the dialogs are.
    [[nodiscard]] DataImport& dataImport();
    // The zone dialog for a new zone (PMV or a range) or the zone at `index` of the document.
    void editZone(std::optional<std::size_t> index, bool pmv);

    // The set and the zone chosen in the lists, if any.
    [[nodiscard]] std::optional<std::size_t> chosenSet() const;
    [[nodiscard]] std::optional<std::size_t> chosenZone() const;

    // Changes of the chosen set, each one step: shown or hidden, its style, its colour, the
    // months and hours kept; removal.
    void setShown(std::size_t set, bool shown);
    void setStyle(std::size_t set, data::LayerStyle style);
    void setColour(std::size_t set, std::uint32_t rgb);
    void setFilter(std::size_t set, const data::TimeFilter& filter);
    void removeSet(std::size_t set);
    // Zones: added, replaced, removed; each one step.
    void addZone(const data::Zone& zone);
    void replaceZone(std::size_t index, const data::Zone& zone);
    void removeZone(std::size_t index);

    // Copies the zone table to the clipboard.
    void copyCounts();

  signals:
    // A line for the window's status bar (the pressure set from a weather site's altitude).
    void statusMessage(const QString& text);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showData();
    void showChosenSet();
    void chooseColour();
    void applyFilter();
    void change(data::DataPart part, const char16_t* text);
    void readAgain(const ImportResult& result);

    Document& document_;
    dialogs::Messenger& messages_;
    std::function<QString()> chooseFile_;
    DataImport* dataImport_ = nullptr;
    dialogs::ZoneDialog* FormZone = nullptr;
    QSettings* columnMemory_ = nullptr;
    // The zone the zone dialog edits, as it was when the dialog opened; none: a new one. Found
    // again by its value on OK, since an undo may have moved or removed it meanwhile.
    std::optional<data::Zone> editedZone_;
    QTreeWidget* DataList = nullptr;
    QComboBox* DataStyle = nullptr;
    QSpinBox* MonthFrom = nullptr;
    QSpinBox* MonthTo = nullptr;
    QSpinBox* HourFrom = nullptr;
    QSpinBox* HourTo = nullptr;
    QPushButton* DataRemove = nullptr;
    QPushButton* DataColour = nullptr;
    QPushButton* CommandColumns = nullptr;
    QPushButton* FilterApply = nullptr;
    QListWidget* ZoneList = nullptr;
    QTableWidget* ZoneCounts = nullptr;
    ZoneCounter counter_;
    bool showing_ = false;  // the controls are being filled from the document
};

}  // namespace app
