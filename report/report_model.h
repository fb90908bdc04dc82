#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "chart/marked_work.h"
#include "chart/settings.h"
#include "chart/title_block.h"
#include "data/data_part.h"

// The calculation report as texts: the site, the marked states, the processes, the designs and
// the data sets, each a table of cells already written in the program's number forms and units.
// The PDF painter and the HTML writer lay out the same model, so both hold the same figures.
namespace report {

struct Table {
    QString heading;  // "状態点", "空調設計 1 冷房設計：入力" …
    QStringList headers;
    std::vector<QStringList> rows;  // each as many cells as headers
    // The first `textColumns` columns are words, set flush left; the others figures, flush
    // right.
    int textColumns = 1;
    bool unitColumn = false;  // the last column holds units, words too
};

// Whether column `column` of the table holds figures (set flush right).
[[nodiscard]] bool isFigureColumn(const Table& table, qsizetype column);

struct Report {
    chart::TitleBlock title;
    chart::Settings settings;
    QString pressureLine;  // "大気圧 = 760 mmHg", as the chart states it
    std::vector<Table> tables;
};

// The report of `work` shown at `settings` with the data part `data` (every set and zone, shown
// or not): figures at the settings' pressure and in its units. Tables without rows are left out,
// except the site's, which is always first.
[[nodiscard]] Report reportOf(const chart::MarkedWork& work, const chart::Settings& settings,
                              const data::DataPart& data, const chart::TitleBlock& title);

// The months or hours a filter keeps, as the report writes them: "全月" / "全時間" when all,
// else runs of consecutive ones, wrapping ("12～2月", "9～17時", "1・3月"); "なし" when none.
[[nodiscard]] QString monthsText(unsigned months);
[[nodiscard]] QString hoursText(unsigned hours);

}  // namespace report
