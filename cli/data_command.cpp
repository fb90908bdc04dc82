#include "cli/data_command.h"

#include <QFileInfo>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/command_line.h"
#include "render/data_layer_painter.h"
#include "render/data_underlay.h"

namespace cli {
namespace {

// A zone's number, read as every number of the command line is (readNumber).
std::optional<double> number(const QString& text) {
    return readNumber(text);
}

struct Bounds {
    double low;
    double high;
};

std::optional<Bounds> bounds(const QString& text) {
    const QStringList parts = text.split(QStringLiteral(".."));
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const auto low = number(parts[0]);
    const auto high = number(parts[1]);
    return low && high ? std::optional<Bounds>(Bounds{*low, *high}) : std::nullopt;
}

using Items = std::vector<std::pair<QString, QString>>;

std::optional<Items> items(const QString& text) {
    Items out;
    for (const QString& item : text.split(QLatin1Char(','))) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            return std::nullopt;
        }
        out.emplace_back(item.left(eq).trimmed(), item.mid(eq + 1).trimmed());
    }
    return out;
}

}  // namespace

std::expected<data::Zone, QString> zoneOption(const QString& text) {
    const QString bad = QStringLiteral(
                            "--zone: expected range:t=LOW..HIGH,phi=LOW..HIGH (or "
                            "x=LOW..HIGH) or pmv:met=M,clo=C,vel=V[,tr=T][,limit=L], "
                            "got %1")
                            .arg(quoted(text));
    const bool range = text.startsWith(QStringLiteral("range:"));
    const bool pmv = text.startsWith(QStringLiteral("pmv:"));
    const auto given =
        range || pmv ? items(text.mid(text.indexOf(QLatin1Char(':')) + 1)) : std::nullopt;
    if (!given) {
        return std::unexpected(bad);
    }
    const std::string name = text.toStdString();
    data::Zone zone;
    if (range) {
        std::optional<Bounds> t;
        std::optional<Bounds> humidity;
        bool absolute = false;
        for (const auto& [key, value] : *given) {
            const auto b = bounds(value);
            if (!b || (key == QLatin1String("t") ? t.has_value() : humidity.has_value())) {
                return std::unexpected(bad);
            }
            if (key == QLatin1String("t")) {
                t = b;
            } else if (key == QLatin1String("phi") || key == QLatin1String("x")) {
                humidity = b;
                absolute = key == QLatin1String("x");
            } else {
                return std::unexpected(bad);
            }
        }
        if (!t || !humidity) {
            return std::unexpected(bad);
        }
        zone = data::RangeZone{name, t->low, t->high, absolute, humidity->low, humidity->high};
    } else {
        data::PmvZone z{name, NAN, NAN, NAN, std::nullopt, 0.5};
        for (const auto& [key, value] : *given) {
            const auto v = number(value);
            double* slot = key == QLatin1String("met")     ? &z.met
                           : key == QLatin1String("clo")   ? &z.clo
                           : key == QLatin1String("vel")   ? &z.vel
                           : key == QLatin1String("limit") ? &z.limit
                                                           : nullptr;
            if (!v || (slot == nullptr && key != QLatin1String("tr"))) {
                return std::unexpected(bad);
            }
            if (slot != nullptr) {
                *slot = *v;
            } else {
                z.tr = *v;
            }
        }
        zone = z;
    }
    if (!data::zoneValid(zone)) {
        return std::unexpected(
            QStringLiteral("--zone=%1: bounds out of order or out of range (t −50 … 100 °C, φ 0 … "
                           "100 %, met above 0, clo and vel 0 or more, limit above 0 up to 3)")
                .arg(text));
    }
    return zone;
}

std::expected<data::Encoding, QString> encodingOption(const QString& text) {
    const QString e = text.toLower();
    if (e == QLatin1String("utf-8") || e == QLatin1String("utf8")) {
        return data::Encoding::Utf8;
    }
    if (e == QLatin1String("shift-jis") || e == QLatin1String("sjis") ||
        e == QLatin1String("cp932")) {
        return data::Encoding::ShiftJis;
    }
    return std::unexpected(
        QStringLiteral("unknown encoding %1 (utf-8 or shift-jis)").arg(quoted(text)));
}

std::expected<data::ColumnChoice, QString> columnsOption(const QString& text) {
    const QString bad = QStringLiteral(
                            "--columns: expected NAME=COLUMN,... (t, phi, x, tw, dew, date, time, "
                            "header, 0 for none; columns from 1), got %1")
                            .arg(quoted(text));
    const auto given = items(text);
    if (!given) {
        return std::unexpected(bad);
    }
    data::ColumnChoice c;
    for (const auto& [key, value] : *given) {
        bool ok = false;
        const int n = value.toInt(&ok);
        if (!ok || n < (key == QLatin1String("header") ? 0 : 1) || n > 10000) {
            return std::unexpected(bad);
        }
        const auto index = static_cast<std::size_t>(n - 1);
        if (key == QLatin1String("t"))
            c.t = index;
        else if (key == QLatin1String("phi"))
            c.phi = index;
        else if (key == QLatin1String("x"))
            c.x = index;
        else if (key == QLatin1String("tw"))
            c.tw = index;
        else if (key == QLatin1String("dew"))
            c.dew = index;
        else if (key == QLatin1String("date"))
            c.dateTime = index;
        else if (key == QLatin1String("time"))
            c.time = index;
        else if (key == QLatin1String("header"))
            c.headerLine = static_cast<std::size_t>(n);
        else
            return std::unexpected(bad);
    }
    const int states =
        (c.t ? 1 : 0) + (c.phi ? 1 : 0) + (c.x ? 1 : 0) + (c.tw ? 1 : 0) + (c.dew ? 1 : 0);
    if (states < 2) {
        return std::unexpected(QStringLiteral("--columns: give two of t, phi, x, tw and dew"));
    }
    if (c.time && c.dateTime) {  // a date column and a time column
        c.date = c.dateTime;
        c.dateTime.reset();
    }
    return c;
}

std::optional<std::uint32_t> timeRangeOption(const QString& text, int count) {
    const QStringList parts = text.split(QStringLiteral(".."));
    bool firstOk = false;
    bool lastOk = false;
    const int first = parts.size() == 2 ? parts[0].trimmed().toInt(&firstOk) : 0;
    const int last = parts.size() == 2 ? parts[1].trimmed().toInt(&lastOk) : 0;
    return firstOk && lastOk ? data::bitRange(first, last, count) : std::nullopt;
}

namespace {

std::expected<LoadedData, QString> keptRows(LoadedData loaded, const DataRequest& request) {
    if (request.filter.keepsAll()) {
        return loaded;
    }
    if (loaded.set.times.empty()) {
        return std::unexpected(
            QStringLiteral("%1: --months and --hours need a file with dates").arg(request.path));
    }
    loaded.set = data::filtered(loaded.set, request.filter);
    return loaded;
}

}  // namespace

std::expected<LoadedData, QString> loadData(const DataRequest& request,
                                            const chart::Settings& settings) {
    const std::string path = request.path.toStdString();
    const auto refused = [&](data::ReadFailure failure, const data::ReadReport& report = {}) {
        QString text = QStringLiteral("%1: %2").arg(
            request.path, QString::fromStdString(data::failureText(failure)));
        if (failure == data::ReadFailure::EncodingUndecided) {
            text += QStringLiteral(" (--encoding=utf-8 or --encoding=shift-jis)");
        } else if (failure == data::ReadFailure::ColumnsUnrecognised) {
            text += QStringLiteral(" (--columns=t=N,phi=N)");
        }
        for (const data::RefusedRow& row : report.firstRefused) {
            text += QStringLiteral("\n  line %1: %2")
                        .arg(row.line)
                        .arg(QString::fromStdString(data::faultText(row.fault)));
        }
        return std::unexpected(text);
    };
    const auto bytes = data::fileBytes(path);
    if (!bytes) {
        return refused(bytes.error());
    }
    if (QFileInfo(request.path).suffix().compare(QLatin1String("epw"), Qt::CaseInsensitive) == 0) {
        auto read = data::readEpw(*bytes);
        if (!read) {
            return refused(read.error().failure, read.error().report);
        }
        if (read->set.name.empty()) {
            read->set.name = QFileInfo(request.path).fileName().toStdString();
        }
        return keptRows(LoadedData{std::move(read->set), std::move(read->report)}, request);
    }
    auto read =
        data::readCsv(*bytes, {settings.atmosphere.ratio, request.encoding, request.columns});
    if (!read) {
        return refused(read.error().failure, read.error().report);
    }
    read->set.name = QFileInfo(request.path).fileName().toStdString();
    return keptRows(LoadedData{std::move(read->set), std::move(read->report)}, request);
}

bool writeDataReport(const LoadedData& loaded, const std::vector<data::Zone>& zones, Format format,
                     const chart::Settings& settings) {
    const psychro::PressureRatio pressure = settings.atmosphere.ratio;
    std::vector<data::ZoneCount> counts;
    for (const data::Zone& zone : zones) {
        counts.push_back(data::countInside(zone, loaded.set, pressure));
    }
    const std::size_t rows = loaded.set.states.size();  // those the months and hours keep
    const std::size_t refusedRows = loaded.report.rowsRefused;
    std::string out;
    if (format == Format::Json) {
        nlohmann::ordered_json json{{"rows", rows}, {"refused", refusedRows}};
        if (loaded.set.hasElevation) {
            json["site"] = {{"name", loaded.set.name}, {"elevation", loaded.set.elevation}};
        }
        json["refusedRows"] = nlohmann::ordered_json::array();
        for (const data::RefusedRow& row : loaded.report.firstRefused) {
            json["refusedRows"].push_back(
                {{"line", row.line}, {"reason", data::faultText(row.fault)}});
        }
        json["zones"] = nlohmann::ordered_json::array();
        for (std::size_t k = 0; k < zones.size(); ++k) {
            json["zones"].push_back({{"zone", data::zoneName(zones[k])},
                                     {"inside", counts[k].inside},
                                     {"share", counts[k].share},
                                     {"hours", counts[k].hours}});
        }
        out = json.dump() + "\n";
    } else if (format == Format::Csv) {
        out = "zone,rows,refused,inside,share,hours\n";
        const auto csvText = [](const std::string& text) {
            std::string q = "\"";
            for (const char c : text) {
                q += c == '"' ? std::string("\"\"") : std::string(1, c);
            }
            return q + "\"";
        };
        if (zones.empty()) {
            out += "," + std::to_string(rows) + "," + std::to_string(refusedRows) + ",,,\n";
        }
        for (std::size_t k = 0; k < zones.size(); ++k) {
            char figures[96];
            std::snprintf(figures, sizeof figures, "%zu,%zu,%zu,%.17g,%.17g", rows, refusedRows,
                          counts[k].inside, counts[k].share, counts[k].hours);
            out += csvText(data::zoneName(zones[k])) + "," + figures + "\n";
        }
    } else {
        if (loaded.set.hasElevation) {
            // The pressure the chart is drawn at is the user's to choose (--altitude); the
            // weather file's own site is said here.
            char site[64];
            std::snprintf(site, sizeof site, ", elevation %.6g m\n", loaded.set.elevation);
            out = "site: " + loaded.set.name + site;
        }
        out += "rows read: " + std::to_string(rows) +
               "\nrows refused: " + std::to_string(refusedRows) + "\n";
        for (const data::RefusedRow& row : loaded.report.firstRefused) {
            out += "  line " + std::to_string(row.line) + ": " + data::faultText(row.fault) + "\n";
        }
        for (std::size_t k = 0; k < zones.size(); ++k) {
            char figures[128];
            std::snprintf(figures, sizeof figures, "  inside %zu  share %.1f %%  hours %.6g\n",
                          counts[k].inside, 100.0 * counts[k].share, counts[k].hours);
            out += data::zoneName(zones[k]) + figures;
        }
    }
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0;
}

data::DataLayer dataLayer(const LoadedData& loaded, bool hours) {
    data::DataLayer layer;
    layer.set = std::make_shared<const data::DataSet>(loaded.set);
    layer.style = hours ? data::LayerStyle::Hours : data::LayerStyle::Points;
    layer.colour = 0xE66101;  // orange, apart from the chart's own colours
    return layer;
}

render::Underlay partUnderlay(const data::DataPart& part) {
    render::DataUnderlay layers;
    (void)layers.follow(part);
    return layers.underlay();
}

}  // namespace cli
