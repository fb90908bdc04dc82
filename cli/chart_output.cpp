#include "cli/chart_output.h"

#include <QFileInfo>
#include <QSaveFile>

#include "chart/chart_drawing.h"
#include "chart/chart_marks.h"
#include "chart/marked_work.h"
#include "chart/sheet.h"
#include "files/whole_file.h"

namespace cli {

chart::Picture chartWithPoints(const std::vector<chart::PointMm>& points, bool join,
                               const chart::Settings& settings, const OverChart& overChart) {
    chart::Picture picture;
    chart::drawChart(picture, settings.atmosphere.ratio, settings.units);
    if (overChart) {
        overChart(picture);
    }
    std::optional<chart::PointMm> last;
    double count = 0.0;
    for (const chart::PointMm& point : points) {
        count += 1.0;
        const chart::PointMm at = chart::singlePrecision(point.X, point.Y);
        chart::markNumberedPoint(picture, at, count, join ? last : std::nullopt);
        last = at;
    }
    return picture;
}

chart::Picture chartWithWork(const chart::MarkedWork& work, const chart::Settings& settings,
                             const OverChart& overChart) {
    chart::Picture picture;
    chart::drawChart(picture, settings.atmosphere.ratio, settings.units);
    if (overChart) {
        overChart(picture);
    }
    for (const chart::Entry& entry : work.entries) {
        chart::drawEntry(picture, entry);
    }
    return picture;
}

std::expected<void, QString> checkWritable(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return std::unexpected(QStringLiteral("'%1' is a directory").arg(path));
    }
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) {
        return std::unexpected(
            QStringLiteral("cannot write '%1': %2").arg(path, probe.errorString()));
    }
    probe.cancelWriting();
    return {};
}

std::expected<void, QString> writeChart(const chart::Picture& picture,
                                        const chart::Settings& settings, const QString& path,
                                        ImageKind kind, double dotsPerInch,
                                        const render::Underlay& underlay) {
    const chart::Sheet sheet = chart::sheetOf(picture, settings);
    const auto written = files::writeWhole(path, [&](QIODevice& device) {
        return render::writeSheetTo(sheet, device, kind, dotsPerInch, underlay);
    });
    if (!written) {
        return std::unexpected(
            written.error().isEmpty()
                ? QStringLiteral("cannot draw the chart into '%1'").arg(path)
                : QStringLiteral("cannot write '%1': %2").arg(path, written.error()));
    }
    return {};
}

}  // namespace cli
