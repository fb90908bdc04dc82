#include "cli/data_command.h"

#include <QFileInfo>
#include <QPainter>
#include <array>
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

std::expected<data::DateOrder, QString> dateOrderOption(const QString& text) {
    const QString order = text.toLower();
    if (order == QLatin1String("ymd")) {
        return data::DateOrder::Ymd;
    }
    if (order == QLatin1String("mdy")) {
        return data::DateOrder::Mdy;
    }
    if (order == QLatin1String("dmy")) {
        return data::DateOrder::Dmy;
    }
    return std::unexpected(
        QStringLiteral("unknown --date-order %1 (ymd, mdy or dmy)").arg(quoted(text)));
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

// The columns a CSV read took: the two that give the state (the first two of t, φ, x, t′ and
// the dew point, which stands for x), the pressure and the date and time.
std::vector<TakenColumn> takenColumns(const data::CsvRead& read) {
    const data::ColumnChoice& c = read.columns;
    const auto nameOf = [&](std::size_t k) {
        return k < read.names.size() ? read.names[k] : std::string();
    };
    std::vector<TakenColumn> out;
    const std::array<std::pair<const char*, std::optional<std::size_t>>, 5> state{
        {{"t", c.t},
         {"phi", c.phi},
         {"x", c.x},
         {"tw", c.tw},
         {"dew", c.x ? std::nullopt : c.dew}}};
    for (const auto& [role, column] : state) {
        if (column && out.size() < 2) {
            out.push_back({role, *column, nameOf(*column)});
        }
    }
    const std::array<std::pair<const char*, std::optional<std::size_t>>, 4> more{
        {{"pressure", c.pressure}, {"date", c.dateTime ? c.dateTime : c.date}, {"time", c.time}}};
    for (const auto& [role, column] : more) {
        if (column && (std::string_view(role) != "time" || !c.dateTime)) {
            out.push_back({role, *column, nameOf(*column)});
        }
    }
    return out;
}

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
        } else if (failure == data::ReadFailure::DateOrderUndecided) {
            text += QStringLiteral(" (--date-order=ymd, mdy or dmy)");
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
        // The weather file's fields by their place in each row.
        std::vector<TakenColumn> columns{{"t", 6, "Dry Bulb Temperature"},
                                         {"phi", 8, "Relative Humidity"},
                                         {"pressure", 9, "Atmospheric Station Pressure"},
                                         {"date", 0, "Year"}};
        return keptRows(
            LoadedData{std::move(read->set), std::move(read->report), std::move(columns), false},
            request);
    }
    auto read = data::readCsv(
        *bytes,
        {settings.atmosphere.ratio, request.encoding, request.columns, {}, request.dateOrder});
    if (!read) {
        return refused(read.error().failure, read.error().report);
    }
    read->set.name = QFileInfo(request.path).fileName().toStdString();
    std::vector<TakenColumn> columns = takenColumns(*read);
    return keptRows(LoadedData{std::move(read->set), std::move(read->report), std::move(columns),
                               read->datesUnread},
                    request);
}

namespace {

std::string roleText(const std::string& role) {
    static const std::array<std::pair<std::string_view, std::string_view>, 8> kTexts{{
        {"t", "温度"},
        {"phi", "湿度"},
        {"x", "絶対湿度"},
        {"tw", "湿球温度"},
        {"dew", "露点温度"},
        {"pressure", "気圧"},
        {"date", "日時"},
        {"time", "時刻"},
    }};
    for (const auto& [key, text] : kTexts) {
        if (key == role) {
            return std::string(text);
        }
    }
    return role;
}

}  // namespace

bool writeDataReport(const LoadedData& loaded, const std::vector<data::Zone>& zones, Format format,
                     const chart::Settings& settings) {
    const psychro::PressureRatio pressure = settings.atmosphere.ratio;
    std::vector<data::ZoneCount> counts;
    for (const data::Zone& zone : zones) {
        counts.push_back(data::countInside(zone, loaded.set, pressure));
    }
    const std::size_t rows = loaded.set.rows();  // those the months and hours keep
    const std::size_t refusedRows = loaded.report.rowsRefused;
    const bool hours = loaded.set.hasHours();
    std::string out;
    if (format == Format::Json) {
        nlohmann::ordered_json json{{"rows", rows}, {"refused", refusedRows}};
        if (loaded.set.hasElevation) {
            json["site"] = {{"name", loaded.set.name}, {"elevation", loaded.set.elevation}};
        }
        json["columns"] = nlohmann::ordered_json::object();
        for (const TakenColumn& c : loaded.columns) {
            nlohmann::ordered_json column{{"column", c.column + 1}};
            if (!c.name.empty()) {
                column["name"] = c.name;
            }
            if (c.role == "date" && loaded.datesUnread) {
                column["read"] = false;
            }
            json["columns"][c.role] = column;
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
                                     {"hours", hours ? nlohmann::ordered_json(counts[k].hours)
                                                     : nlohmann::ordered_json()}});
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
            std::snprintf(figures, sizeof figures, "%zu,%zu,%zu,%.17g,", rows, refusedRows,
                          counts[k].inside, counts[k].share);
            char hourFigure[32] = "";
            if (hours) {
                std::snprintf(hourFigure, sizeof hourFigure, "%.17g", counts[k].hours);
            }
            out += csvText(data::zoneName(zones[k])) + "," + figures + hourFigure + "\n";
        }
    } else {
        if (loaded.set.hasElevation) {
            // The pressure the chart is drawn at is the user's to choose (--altitude); the
            // weather file's own site is said here.
            char site[64];
            std::snprintf(site, sizeof site, ", elevation %.6g m\n", loaded.set.elevation);
            out = "site: " + loaded.set.name + site;
        }
        if (!loaded.columns.empty()) {
            out += "列: ";
            for (std::size_t k = 0; k < loaded.columns.size(); ++k) {
                const TakenColumn& c = loaded.columns[k];
                out += (k == 0 ? "" : ", ") + roleText(c.role) + "=" + std::to_string(c.column + 1);
                const bool state = c.role != "date" && c.role != "time";
                if (state && !c.name.empty()) {
                    out += " (" + c.name + ")";
                }
                if (c.role == "date" && loaded.datesUnread) {
                    out += " (日時として読めません)";
                }
            }
            out += "\n";
        }
        out += "rows read: " + std::to_string(rows) +
               "\nrows refused: " + std::to_string(refusedRows) + "\n";
        for (const data::RefusedRow& row : loaded.report.firstRefused) {
            out += "  line " + std::to_string(row.line) + ": " + data::faultText(row.fault) + "\n";
        }
        for (std::size_t k = 0; k < zones.size(); ++k) {
            char figures[128];
            std::snprintf(figures, sizeof figures, "  inside %zu  share %.1f %%  hours ",
                          counts[k].inside, 100.0 * counts[k].share);
            char hourFigure[32] = "—";
            if (hours) {
                std::snprintf(hourFigure, sizeof hourFigure, "%.6g", counts[k].hours);
            }
            out += data::zoneName(zones[k]) + figures + hourFigure + "\n";
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

render::Underlay partUnderlay(const data::DataPart& part, psychro::PressureRatio pressure) {
    render::DataUnderlay layers;
    (void)layers.follow(part, pressure);
    return layers.underlay();
}

}  // namespace cli
