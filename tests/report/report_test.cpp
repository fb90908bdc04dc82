// The calculation report: its tables hold every figure of the work in the program's number forms
// (expected figures as milten-cli prints them, or worked by hand), the PDF holds them as text
// (read back by pdftotext) on numbered pages under the title block, and milten-cli writes it.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/design_entry.h"
#include "chart/sheet.h"
#include "data/data_set.h"
#include "data/zones.h"
#include "files/project_files.h"
#include "report/report_files.h"
#include "report/report_model.h"

namespace {

using psychro::Property;

chart::MarkedState marked(const char* label, double x, double i) {
    const chart::PointMm p = chart::statePoint(i, 1000.0 * x);
    return {label, {static_cast<float>(p.X), static_cast<float>(p.Y)}, x, i};
}

psychro::AirState solved(double t, double phi) {
    return *psychro::solvePair(Property::t, t, Property::phi, phi,
                               psychro::PressureRatio::standard());
}

// A point at 20 °C 50 % (x and i as milten-cli state --format=csv gives them); a mixing of
// 1000 kg/h at x 0.008, i 12 with 3000 kg/h at x 0.006, i 8 (by hand: x3 = 26/4000 = 0.0065,
// i3 = 36000/4000 = 9); the cooling design of milten-cli's example; four hourly rows on
// 2026-07-01 of which 20 °C x 0.007 (φ 49 %) and 25 °C x 0.010 (φ 51 %) lie within 17–28 °C,
// 40–70 %, and 30 °C x 0.020 and 10 °C x 0.002 do not.
struct Sample {
    chart::MarkedWork work;
    data::DataPart data;
};

Sample sample() {
    Sample s;
    s.work.chartDrawn = true;
    s.work.entries.push_back({chart::EntryKind::Point,
                              {marked("1点", 0.007256691297644745, 9.198425729328433)},
                              std::nullopt,
                              {{"t", 20.0}, {"phi", 50.0}},
                              {{"number", 1.0}}});
    s.work.entries.push_back({chart::EntryKind::Mixing,
                              {marked("点２", 0.006, 8.0), marked("混合点", 0.0065, 9.0)},
                              s.work.entries[0].states[0].at,
                              {{"x", 0.006}, {"i", 8.0}, {"G1", 1000.0}, {"G2", 3000.0}},
                              {{"x3", 0.0065}, {"i3", 9.0}}});
    const auto design = chart::designEntry({.cooling = true,
                                            .room = solved(26.0, 50.0),
                                            .outdoor = solved(33.0, 63.0),
                                            .loads = {10000.0, 2000.0, 25.0, 10.0},
                                            .coil = {},
                                            .humidifier = {}},
                                           psychro::PressureRatio::standard());
    EXPECT_TRUE(design.has_value());
    s.work.entries.push_back(*design);

    auto set = std::make_shared<data::DataSet>();
    set->name = "Site";
    set->hourly = true;
    set->humidity = data::Humidity::X;
    const std::vector<data::Reading> rows{
        {20.0F, 0.007F}, {25.0F, 0.010F}, {30.0F, 0.020F}, {10.0F, 0.002F}};
    for (int h = 0; h < 4; ++h) {
        set->readings.push_back(rows[static_cast<std::size_t>(h)]);
        set->times.push_back(data::minutesOf({2026, 7, 1, h, 0}));
    }
    s.data.layers.push_back({.set = set,
                             .path = "/data/site.epw",
                             .style = data::LayerStyle::Points,
                             .colour = 0x1F77B4,
                             .shown = true,
                             .filter = {}});
    s.data.zones.push_back(data::buildingHygieneZone());
    return s;
}

const chart::TitleBlock kTitle{"第2会議室 <改修>", "設計 & 太郎", "2026/12/09"};

report::Report sampleReport(chart::Units units = chart::Units::Engineering) {
    const Sample s = sample();
    return report::reportOf(s.work, {units, psychro::Atmosphere::standard()}, s.data, kTitle);
}

// A table's row that starts with `first`, or none.
std::optional<QStringList> rowOf(const report::Report& r, const QString& heading,
                                 const QString& first) {
    for (const report::Table& t : r.tables) {
        if (!t.heading.contains(heading)) {
            continue;
        }
        for (const QStringList& row : t.rows) {
            if (!row.isEmpty() && row.constFirst() == first) {
                return row;
            }
        }
    }
    return std::nullopt;
}

struct RowCase {
    const char* heading;  // part of the table's heading
    const char* first;    // the row's first cell
    QStringList cells;    // the cells that follow it, as far as given
};

// The figures the report must hold, as the program writes them elsewhere.
const std::vector<RowCase>& engineeringRows() {
    static const std::vector<RowCase> rows{
        {"設計条件", "大気圧", {"760 mmHg（101.325 kPa）"}},
        {"状態点", "1", {"1点", "点指定", "0.00726", "9.2", "20", "13.78", "0.839", "50"}},
        {"状態点", "2", {"点２", "混合", "0.006", "8"}},
        {"計算",
         "2",
         {"混合", "x = 0.006 kg/kg(DA)、i = 8、G1 = 1000 kg/h、G2 = 3000 kg/h",
          "混合点 x 0.0065 kg/kg(DA)、i 9 kcal/kg(DA)"}},
        {"条件", "顕熱負荷", {"10000", "kcal/h"}},
        {"条件", "外気率", {"25", "%"}},
        {"状態点", "S 吹出し", {"0.00969", "9.69", "16", "14.51", "0.831", "85.5"}},
        {"状態点", "ADP 装置露点", {"0.0085", "7.91", "11.62", "11.62", "0.817", "100"}},
        {"状態点", "M 混合", {"0.01289", "14.52", "27.77", "21.06", "0.869", "55.15"}},
        {"風量と負荷", "SHF", {"0.83"}},
        {"風量と負荷", "送風量", {"4094", "kg(DA)/h"}},
        {"風量と負荷", "吹出し風量", {"3402", "m3/h"}},
        {"風量と負荷", "バイパスファクタ", {"0.27"}},
        {"風量と負荷", "コイル負荷", {"19760", "kcal/h"}},
        {"風量と負荷", "除湿量", {"13.1", "kg/h"}},
        {"風量と負荷", "外気負荷", {"7760", "kcal/h"}},
        {"データ 1", "出典", {"/data/site.epw"}},
        {"データ 1", "行数", {"4"}},
        {"データ 1", "期間", {"2026/07/01 – 2026/07/01"}},
        {"データ 1", "絞り込み", {"全月、全時間"}},
        {"ゾーン", "建築物衛生法の基準", {"t 17～28 ℃、φ 40～70 %"}},
        {"ゾーン別", "建築物衛生法の基準", {"2", "50", "2"}},
    };
    return rows;
}

TEST(ReportModel, HoldsEveryFigureOfTheWork) {
    const report::Report r = sampleReport();
    EXPECT_EQ(r.tables.front().heading, QStringLiteral("設計条件"));
    for (const RowCase& c : engineeringRows()) {
        const auto row = rowOf(r, QString::fromUtf8(c.heading), QString::fromUtf8(c.first));
        ASSERT_TRUE(row.has_value()) << c.heading << " / " << c.first;
        EXPECT_EQ(row->mid(1, c.cells.size()), c.cells) << row->join(u'|').toStdString();
    }
}

// In SI the enthalpies and loads follow the units (milten-cli design --units=si).
TEST(ReportModel, WritesEnthalpiesAndLoadsInTheUnitsInUse) {
    const report::Report r = sampleReport(chart::Units::SI);
    const std::vector<RowCase> rows{
        {"風量と負荷", "コイル負荷", {"22.981", "kW"}},
        {"風量と負荷", "外気負荷", {"9.025", "kW"}},
        {"設計条件", "単位", {"SI単位（kJ/kg(DA)、kW）"}},
        {"状態点", "1", {"1点", "点指定", "0.00726", "38.51"}},  // 9.19843 kcal · 4.1868
    };
    for (const RowCase& c : rows) {
        const auto row = rowOf(r, QString::fromUtf8(c.heading), QString::fromUtf8(c.first));
        ASSERT_TRUE(row.has_value()) << c.first;
        EXPECT_EQ(row->mid(1, c.cells.size()), c.cells) << row->join(u'|').toStdString();
    }
}

TEST(ReportModel, NamesTheMonthsAndHoursAFilterKeeps) {
    struct Case {
        bool months;
        unsigned bits;
        const char* text;
    };
    const std::vector<Case> cases{
        {true, 0x0FFF, "全月"},
        {true, 0, "なし"},
        {true, (1U << 11) | 1U | 2U, "12～2月"},
        {true, 1U | 4U, "1・3月"},
        {true, 1U << 6, "7月"},
        {false, 0x00FFFFFF, "全時間"},
        {false, 0x3FE00, "9～17時"},
        {false, 0xC0003F, "22～5時"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.months ? report::monthsText(c.bits) : report::hoursText(c.bits),
                  QString::fromUtf8(c.text))
            << c.bits;
    }
}

// Without blanks: pdftotext spaces words as it measures them, not as they were written. The
// fonts draw "～" (U+FF5E) and "〜" (U+301C) by one glyph, which the PDF reads back as the latter.
QString squeezed(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s+"))).replace(u'～', u'〜');
}

// The text of a PDF, blanks left out.
QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(60000));
    return squeezed(QString::fromUtf8(process.readAllStandardOutput()));
}

chart::Picture chartOf(const Sample& s) {
    return report::workChart(s.work, chart::Settings::standard(), s.data.zones);
}

// Every figure of the tables reaches the PDF as text, and every page carries the title block
// and its number.
TEST(ReportPdf, HoldsEveryFigureUnderTheTitleOnNumberedPages) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const Sample s = sample();
    const report::Report r = sampleReport();
    const chart::Picture picture = chartOf(s);
    ASSERT_TRUE(report::writeReport(r, chart::sheetOf(picture, r.settings), {}, path,
                                    report::ReportFormat::Pdf));
    const QString text = pdfText(path);
    const int pages = report::reportPageCount(r);
    EXPECT_GE(pages, 2);
    for (int p = 1; p <= pages; ++p) {
        EXPECT_TRUE(text.contains(QStringLiteral("%1/%2").arg(p).arg(pages))) << p;
    }
    EXPECT_EQ(text.count(QStringLiteral("設計&太郎")), pages);
    EXPECT_EQ(text.count(QStringLiteral("2026/12/09")), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("大気圧=760mmHg")));
    for (const RowCase& c : engineeringRows()) {
        for (const QString& cell : c.cells) {
            EXPECT_TRUE(text.contains(squeezed(cell))) << cell.toStdString();
        }
    }
}

// A table longer than a page goes on over the next under its heading marked "（続き）", with
// every row on some page.
TEST(ReportPdf, ALongTableGoesOnOverPages) {
    chart::MarkedWork work;
    for (int k = 1; k <= 80; ++k) {
        work.entries.push_back({chart::EntryKind::Point,
                                {marked(QStringLiteral("%1点").arg(k).toUtf8().constData(),
                                        0.001 + 0.0002 * k, 5.0 + 0.1 * k)},
                                std::nullopt,
                                {},
                                {{"number", static_cast<double>(k)}}});
    }
    const report::Report r = report::reportOf(work, chart::Settings::standard(), {}, {});
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long.pdf"));
    const chart::Picture picture = report::workChart(work, r.settings, {});
    ASSERT_TRUE(report::writeReport(r, chart::sheetOf(picture, r.settings), {}, path,
                                    report::ReportFormat::Pdf));
    const QString text = pdfText(path);
    EXPECT_GE(report::reportPageCount(r), 4);
    EXPECT_TRUE(text.contains(QStringLiteral("状態点（続き）")));
    for (int k = 1; k <= 80; ++k) {
        EXPECT_TRUE(text.contains(QStringLiteral("%1点").arg(k))) << k;
    }
}

TEST(ReportHtml, EscapesEveryText) {
    const Sample s = sample();
    const report::Report r = sampleReport();
    const chart::Picture picture = chartOf(s);
    const QString html =
        QString::fromUtf8(report::reportHtml(r, chart::sheetOf(picture, r.settings), {}));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(html.contains(QStringLiteral("第2会議室 &lt;改修&gt;")));
    EXPECT_TRUE(html.contains(QStringLiteral("設計 &amp; 太郎")));
    EXPECT_FALSE(html.contains(QStringLiteral("<改修>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"n\">19760</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("data:image/png;base64,")));
}

struct CliRun {
    int status;
    QString err;
};

CliRun runCli(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MILTEN_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// milten-cli report writes what the window writes; a wrong command line or a refused project
// writes nothing.
TEST(ReportCli, WritesTheReportOfAProjectFileOrNothing) {
    const QTemporaryDir folder;
    const Sample s = sample();
    const QString project = folder.filePath(QStringLiteral("work.milten"));
    ASSERT_TRUE(files::writeProjectFile(project, s.work, s.data));
    const QString broken = folder.filePath(QStringLiteral("broken.milten"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"format\": \"milten-project\"");
    }
    struct Case {
        QStringList arguments;  // after "report"; FILE stands for the output
        const char* output;
        int status;
        const char* holds;  // a text of the written file; "" for none written
    };
    const std::vector<Case> cases{
        {{"-o", "FILE", project}, "a.pdf", 0, "19760"},
        {{"-o", "FILE", "--format=html", project}, "a.txt", 0, "<td class=\"n\">4094</td>"},
        {{"-o", "FILE", "--units=si", project}, "si.pdf", 0, "22.981"},
        {{"-o", "FILE", project}, "a.txt", 2, ""},
        {{"-o", "FILE", "--format=doc", project}, "b.pdf", 2, ""},
        {{"FILE", project}, "c.pdf", 2, ""},
        {{"-o", "FILE"}, "d.pdf", 2, ""},
        {{"-o", "FILE", "--dpi=300", project}, "e.pdf", 2, ""},
        {{"-o", "FILE", broken}, "f.pdf", 1, ""},
    };
    for (const Case& c : cases) {
        const QString output = folder.filePath(QString::fromUtf8(c.output));
        QStringList arguments{QStringLiteral("report")};
        for (const QString& a : c.arguments) {
            arguments << (a == QLatin1String("FILE") ? output : a);
        }
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, c.status) << arguments.join(u' ').toStdString() << "\n"
                                        << run.err.toStdString();
        if (c.status != 0) {
            EXPECT_FALSE(run.err.isEmpty());
            EXPECT_FALSE(QFile::exists(output)) << c.output;
            continue;
        }
        QString text;
        if (output.endsWith(QLatin1String(".pdf"))) {
            text = pdfText(output);
        } else {
            QFile file(output);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            text = squeezed(QString::fromUtf8(file.readAll()));
        }
        EXPECT_TRUE(text.contains(squeezed(QString::fromUtf8(c.holds)))) << c.output;
        QFile::remove(output);
    }
}

}  // namespace
