#include "report/report_files.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>
#include <vector>

#include "chart/chart_drawing.h"
#include "chart/units_of_length.h"
#include "data/data_layer.h"
#include "data/work_drawing.h"
#include "files/whole_file.h"

namespace report {
namespace {

constexpr int kPdfDotsPerInch = 1200;
constexpr double kDotsPerMm = kPdfDotsPerInch / chart::kMmPerInch;
// A4 landscape, mm: the chart's 267 × 189 mm surface fits it across, and so do the state
// tables' nine columns.
constexpr double kPageWidth = 297.0;
constexpr double kPageHeight = 210.0;
constexpr double kMarginX = 12.0;
constexpr double kMarginTop = 10.0;
constexpr double kMarginBottom = 8.0;
constexpr double kTitleHeight = 13.0;
constexpr double kFooterHeight = 6.0;
constexpr double kBodyTop = kMarginTop + kTitleHeight + 4.0;
constexpr double kBodyBottom = kPageHeight - kMarginBottom - kFooterHeight;
constexpr double kBodyWidth = kPageWidth - 2.0 * kMarginX;
constexpr double kCellPad = 1.2;
constexpr double kTableGap = 5.0;
constexpr double kHeadingPoints = 11.0;
constexpr double kCellPoints = 8.5;
constexpr double kCaptionPoints = 6.5;
constexpr double kTitlePoints = 10.0;
constexpr double kLineMm = 0.2;

QFont reportFont(double points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

enum class Style { Heading, Header, Cell };

QFont fontOf(Style style) {
    switch (style) {
        case Style::Heading:
            return reportFont(kHeadingPoints, true);
        case Style::Header:
            return reportFont(kCellPoints, true);
        case Style::Cell:
            break;
    }
    return reportFont(kCellPoints);
}

// One text placed on a page, in page millimetres; a cell has its frame.
struct Placed {
    QRectF mm;
    QString text;
    Style style;
    int flags;
};

using Page = std::vector<Placed>;

// Widths and heights in millimetres, measured on the PDF device itself.
class Measure {
  public:
    explicit Measure(QPaintDevice& device) : device_(device) {}

    double width(const QString& text, Style style) const {
        return QFontMetricsF(fontOf(style), &device_).horizontalAdvance(text) / kDotsPerMm;
    }
    double height(const QString& text, Style style, double widthMm, int flags) const {
        const QFontMetricsF metrics(fontOf(style), &device_);
        const QRectF box = metrics.boundingRect(
            QRectF(0.0, 0.0, std::max(widthMm, 1.0) * kDotsPerMm, 1e7), flags, text);
        return std::max(box.height(), metrics.height()) / kDotsPerMm;
    }

  private:
    QPaintDevice& device_;
};

// The columns' widths: each its widest text where they fit across the page; else the figures
// keep theirs and the words share what is left, the narrow ones whole first.
std::vector<double> columnWidths(const Table& table, const Measure& measure) {
    const std::size_t n = static_cast<std::size_t>(table.headers.size());
    std::vector<double> natural(n, 0.0);
    for (std::size_t c = 0; c < n; ++c) {
        natural[c] = measure.width(table.headers[static_cast<qsizetype>(c)], Style::Header);
        for (const QStringList& row : table.rows) {
            if (static_cast<qsizetype>(c) < row.size()) {
                natural[c] = std::max(natural[c],
                                      measure.width(row[static_cast<qsizetype>(c)], Style::Cell));
            }
        }
        natural[c] += 2.0 * kCellPad + 0.5;
    }
    const double total = std::accumulate(natural.begin(), natural.end(), 0.0);
    if (total <= kBodyWidth) {
        return natural;
    }
    std::vector<double> widths = natural;
    std::vector<std::size_t> words;
    double left = kBodyWidth;
    for (std::size_t c = 0; c < n; ++c) {
        if (!isFigureColumn(table, static_cast<qsizetype>(c))) {
            words.push_back(c);
        } else {
            left -= natural[c];
        }
    }
    std::sort(words.begin(), words.end(),
              [&](std::size_t a, std::size_t b) { return natural[a] < natural[b]; });
    const double leastWord = 15.0;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const double fair = std::max(left / static_cast<double>(words.size() - k), leastWord);
        widths[words[k]] = std::min(natural[words[k]], fair);
        left -= widths[words[k]];
    }
    // Figures too wide for the page even so: every column in proportion.
    const double sum = std::accumulate(widths.begin(), widths.end(), 0.0);
    if (sum > kBodyWidth) {
        for (double& w : widths) {
            w *= kBodyWidth / sum;
        }
    }
    return widths;
}

int cellFlags(const Table& table, std::size_t column) {
    const int align =
        isFigureColumn(table, static_cast<qsizetype>(column)) ? Qt::AlignRight : Qt::AlignLeft;
    return align | Qt::AlignVCenter | Qt::TextWordWrap;
}

// The tables laid on pages after the chart's: a table goes on where the last ended when its
// heading, its header row and its first row fit there; a table longer than a page goes on over
// the next with its heading marked "（続き）" and its header row again. A row taller than a
// page is cut at the page's foot rather than pushed on for ever.
std::vector<Page> tablePages(const Report& report, const Measure& measure) {
    std::vector<Page> pages;
    double y = kBodyBottom;  // a new page first
    const auto newPage = [&] {
        pages.emplace_back();
        y = kBodyTop;
    };
    for (const Table& table : report.tables) {
        const std::vector<double> widths = columnWidths(table, measure);
        const auto rowHeight = [&](const QStringList& cells, Style style) {
            double h = 0.0;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const QString text = static_cast<qsizetype>(c) < cells.size()
                                         ? cells[static_cast<qsizetype>(c)]
                                         : QString();
                h = std::max(h, measure.height(text, style, widths[c] - 2.0 * kCellPad,
                                               cellFlags(table, c)));
            }
            return h + 2.0 * kCellPad;
        };
        const double headingHeight =
            measure.height(table.heading, Style::Heading, kBodyWidth, Qt::AlignLeft) + 1.5;
        const double headerHeight = rowHeight(table.headers, Style::Header);
        const auto placeRow = [&](const QStringList& cells, Style style, double height) {
            double x = kMarginX;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const QString text = static_cast<qsizetype>(c) < cells.size()
                                         ? cells[static_cast<qsizetype>(c)]
                                         : QString();
                const int flags = style == Style::Header ? Qt::AlignCenter | Qt::TextWordWrap
                                                         : cellFlags(table, c);
                pages.back().push_back({QRectF(x, y, widths[c], height), text, style, flags});
                x += widths[c];
            }
            y += height;
        };
        const auto placeHeading = [&](bool continued) {
            pages.back().push_back(
                {QRectF(kMarginX, y, kBodyWidth, headingHeight),
                 continued ? table.heading + QStringLiteral("（続き）") : table.heading,
                 Style::Heading, Qt::AlignLeft | Qt::AlignTop});
            y += headingHeight;
            placeRow(table.headers, Style::Header, headerHeight);
        };
        const double first = table.rows.empty() ? 0.0 : rowHeight(table.rows.front(), Style::Cell);
        if (pages.empty() ||
            (y + headingHeight + headerHeight + first > kBodyBottom && y > kBodyTop)) {
            newPage();
        }
        placeHeading(false);
        bool rowOnPage = false;
        for (const QStringList& row : table.rows) {
            const double height = rowHeight(row, Style::Cell);
            if (y + height > kBodyBottom && rowOnPage) {
                newPage();
                placeHeading(true);
            }
            placeRow(row, Style::Cell, std::min(height, kBodyBottom - y));
            rowOnPage = true;
        }
        y += kTableGap;
    }
    return pages;
}

QRectF dots(const QRectF& mm) {
    return {mm.x() * kDotsPerMm, mm.y() * kDotsPerMm, mm.width() * kDotsPerMm,
            mm.height() * kDotsPerMm};
}

void paintTitleBlock(QPainter& painter, const chart::TitleBlock& title) {
    struct Cell {
        QString caption;
        QString text;
        double width;
    };
    const double fixed = 34.0 + 60.0 + 40.0;
    const std::array<Cell, 4> cells{{
        {QString(), QStringLiteral("計算書"), 34.0},
        {QStringLiteral("件名"), QString::fromStdString(title.subject), kBodyWidth - fixed},
        {QStringLiteral("設計者"), QString::fromStdString(title.designer), 60.0},
        {QStringLiteral("日付"), QString::fromStdString(title.date), 40.0},
    }};
    double x = kMarginX;
    const QFont caption = reportFont(kCaptionPoints);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const Cell& c = cells[k];
        const QRectF box(x, kMarginTop, c.width, kTitleHeight);
        painter.drawRect(dots(box));
        if (!c.caption.isEmpty()) {
            painter.setFont(caption);
            painter.drawText(dots(box.adjusted(kCellPad, 0.6, -kCellPad, 0.0)),
                             Qt::AlignLeft | Qt::AlignTop, c.caption);
        }
        const QFont font = reportFont(kTitlePoints, k == 0);
        painter.setFont(font);
        const QRectF textBox = box.adjusted(kCellPad, k == 0 ? 0.0 : 3.5, -kCellPad, 0.0);
        const QString shown = QFontMetricsF(font, painter.device())
                                  .elidedText(c.text, Qt::ElideRight, textBox.width() * kDotsPerMm);
        painter.drawText(dots(textBox),
                         (k == 0 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter), shown);
        x += c.width;
    }
}

void paintFooter(QPainter& painter, int page, int pages) {
    painter.setFont(reportFont(kCellPoints));
    painter.drawText(dots(QRectF(kMarginX, kBodyBottom + 1.0, kBodyWidth, kFooterHeight - 1.0)),
                     Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(page).arg(pages));
}

void paintPlaced(QPainter& painter, const Page& page) {
    for (const Placed& p : page) {
        if (p.style != Style::Heading) {
            if (p.style == Style::Header) {
                painter.fillRect(dots(p.mm), QColor(0xE8, 0xE8, 0xE8));
            }
            painter.drawRect(dots(p.mm));
        }
        painter.setFont(fontOf(p.style));
        const QRectF inner = p.style == Style::Heading
                                 ? p.mm
                                 : p.mm.adjusted(kCellPad, kCellPad, -kCellPad, -kCellPad);
        painter.save();
        painter.setClipRect(dots(p.mm));
        painter.drawText(dots(inner), p.flags, p.text);
        painter.restore();
    }
}

// The chart as printed, as large as the body of the page allows, centred in it.
void paintChart(QPainter& painter, const chart::Sheet& sheet, const render::Underlay& underlay) {
    const double scale = std::min(kBodyWidth / chart::kPictureWidth,
                                  (kBodyBottom - kBodyTop) / chart::kPictureHeight);
    const QPointF corner(kMarginX + (kBodyWidth - chart::kPictureWidth * scale) / 2.0,
                         kBodyTop + (kBodyBottom - kBodyTop - chart::kPictureHeight * scale) / 2.0);
    render::paintSheet(painter, sheet, kDotsPerMm * scale, corner / scale, corner / scale,
                       underlay);
}

void setUp(QPdfWriter& writer, const Report& report) {
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    const QString subject = QString::fromStdString(report.title.subject);
    writer.setTitle(subject.isEmpty() ? QStringLiteral("計算書")
                                      : QStringLiteral("計算書 ") + subject);
    writer.setCreator(QStringLiteral("湿りミルテン"));
}

}  // namespace

chart::Picture workChart(const chart::MarkedWork& work, const chart::Settings& settings,
                         const std::vector<data::Zone>& zones) {
    // The report's first page is the chart itself, whether or not the work has drawn it yet.
    chart::MarkedWork drawn = work;
    drawn.chartDrawn = true;
    chart::Picture picture;
    (void)data::drawWork(picture, drawn, zones, settings);
    return picture;
}

std::optional<ReportFormat> reportFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) {
        return ReportFormat::Pdf;
    }
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        return ReportFormat::Html;
    }
    return std::nullopt;
}

int reportPageCount(const Report& report) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUp(writer, report);
    return 1 + static_cast<int>(tablePages(report, Measure(writer)).size());
}

bool writeReportPdf(const Report& report, const chart::Sheet& sheet,
                    const render::Underlay& underlay, QIODevice& device) {
    QPdfWriter writer(&device);
    setUp(writer, report);
    const std::vector<Page> pages = tablePages(report, Measure(writer));
    const int count = 1 + static_cast<int>(pages.size());
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    const auto frame = [&](int number) {
        painter.setPen(QPen(Qt::black, kLineMm * kDotsPerMm));
        painter.setBrush(Qt::NoBrush);
        paintTitleBlock(painter, report.title);
        paintFooter(painter, number, count);
    };
    frame(1);
    painter.save();
    paintChart(painter, sheet, underlay);
    painter.restore();
    for (std::size_t k = 0; k < pages.size(); ++k) {
        if (!writer.newPage()) {
            painter.end();
            return false;
        }
        frame(static_cast<int>(k) + 2);
        paintPlaced(painter, pages[k]);
    }
    return painter.end();
}

QByteArray reportHtml(const Report& report, const chart::Sheet& sheet,
                      const render::Underlay& underlay) {
    const auto esc = [](const QString& text) { return text.toHtmlEscaped(); };
    const auto std8 = [&](const std::string& text) { return esc(QString::fromStdString(text)); };
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n");
    html += QStringLiteral("<title>計算書%1</title>\n")
                .arg(report.title.subject.empty() ? QString() : u' ' + std8(report.title.subject));
    html += QStringLiteral(
        "<style>\nbody { font-family: sans-serif; }\ntable { border-collapse: collapse; "
        "margin-bottom: 1em; }\nth, td { border: 1px solid #888; padding: 2px 6px; }\nth { "
        "background: #e8e8e8; }\ntd.n { text-align: right; }\n</style>\n</head>\n<body>\n");
    html +=
        QStringLiteral(
            "<table class=\"title\">\n<tr><th>件名</th><td>%1</td><th>設計者</th><td>%2</td>"
            "<th>日付</th><td>%3</td></tr>\n</table>\n")
            .arg(std8(report.title.subject), std8(report.title.designer), std8(report.title.date));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const QImage image = render::sheetImage(sheet, chart::kPixelsPerInch, underlay);
        if (!image.isNull()) {
            image.save(&buffer, "PNG");
        }
    }
    if (!png.isEmpty()) {
        html += QStringLiteral("<p><img alt=\"%1\" src=\"data:image/png;base64,%2\"></p>\n")
                    .arg(esc(report.pressureLine), QString::fromLatin1(png.toBase64()));
    }
    for (const Table& table : report.tables) {
        html += QStringLiteral("<h2>%1</h2>\n<table>\n<thead><tr>").arg(esc(table.heading));
        for (const QString& h : table.headers) {
            html += QStringLiteral("<th>%1</th>").arg(esc(h));
        }
        html += QStringLiteral("</tr></thead>\n<tbody>\n");
        for (const QStringList& row : table.rows) {
            html += QStringLiteral("<tr>");
            for (qsizetype c = 0; c < row.size(); ++c) {
                html += (isFigureColumn(table, c) ? QStringLiteral("<td class=\"n\">%1</td>")
                                                  : QStringLiteral("<td>%1</td>"))
                            .arg(esc(row[c]));
            }
            html += QStringLiteral("</tr>\n");
        }
        html += QStringLiteral("</tbody>\n</table>\n");
    }
    html += QStringLiteral("</body>\n</html>\n");
    return html.toUtf8();
}

std::expected<void, QString> writeReport(const Report& report, const chart::Sheet& sheet,
                                         const render::Underlay& underlay, const QString& path,
                                         ReportFormat format) {
    const auto written = format == ReportFormat::Html
                             ? files::writeWhole(path, reportHtml(report, sheet, underlay))
                             : files::writeWhole(path, [&](QIODevice& device) {
                                   return writeReportPdf(report, sheet, underlay, device);
                               });
    if (!written) {
        const QString name = QFileInfo(path).fileName();
        return std::unexpected(
            written.error().isEmpty()
                ? QStringLiteral("計算書「%1」を作れません。").arg(name)
                : QStringLiteral("計算書「%1」を書き込めません。%2").arg(name, written.error()));
    }
    return {};
}

}  // namespace report
