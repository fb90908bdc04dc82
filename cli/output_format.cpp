#include "cli/output_format.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "chart/number_text.h"
#include "chart/text_fields.h"

namespace cli {
namespace {

struct Column {
    const char* name;
    const char* unit;
    int width;
};

constexpr std::array<Column, 8> kColumns{{
    {"x", "kg/kg(DA)", 10},
    {"i", "kcal/kg(DA)", 12},
    {"t", "°C", 8},
    {"tw", "°C", 8},
    {"v", "m3/kg(DA)", 10},
    {"phi", "%", 8},
    {"X", "mm", 9},
    {"Y", "mm", 9},
}};

// The humidifier's water, or the load, in front of the state.
constexpr Column kWaterColumn{"L", "kg/h", 10};
constexpr Column kLoadColumn{"Q", "kcal/h", 12};

std::optional<Column> leadColumn(Table table) {
    switch (table) {
        case Table::Humidify:
            return kWaterColumn;
        case Table::Heat:
        case Table::Cool:
            return kLoadColumn;
        case Table::State:
            break;
    }
    return std::nullopt;
}

bool hasState(Table table) {
    return table != Table::Cool;
}

// The number in front of the state, in a good row that has it.
std::optional<double> leadValue(const Row& row, Table table) {
    if (!row.error.isEmpty()) {
        return std::nullopt;
    }
    return table == Table::Humidify ? row.water : row.load;
}

// The lead number as the dialog writes it: L half up to 1 decimal, a load in whole kcal/h (in
// SI, kW to 3 decimals).
QString leadText(Table table, double v, chart::Units units) {
    return QString::fromStdString(table == Table::Humidify
                                      ? chart::roundedText(v, 1, chart::Rounding::HalfUp)
                                      : chart::loadText(v, units));
}

// The lead number in full, in the units shown.
double leadNumber(Table table, double v, chart::Units units) {
    return table == Table::Humidify ? v : chart::shownLoad(v, units);
}

std::array<double, 8> numbersOf(const FullState& s, chart::Units units) {
    return {s.x, chart::shownEnthalpy(s.i, units), s.t, s.tw, s.v, s.phi, s.X, s.Y};
}

// The program's own rounding of each property for display.
std::array<QString, 8> shownTexts(const FullState& s, chart::Units units) {
    using enum chart::Rounding;
    const auto text = [](double v, int decimals, chart::Rounding rule) {
        return QString::fromStdString(chart::roundedText(v, decimals, rule));
    };
    const double i = chart::shownEnthalpy(s.i, units);
    return {text(s.x, 5, HalfUp),   text(i, chart::enthalpyDecimals(2, units), HalfUp),
            text(s.t, 2, HalfEven), text(s.tw, 2, HalfEven),
            text(s.v, 3, HalfEven), text(s.phi, 2, HalfEven),
            text(s.X, 2, HalfEven), text(s.Y, 2, HalfEven)};
}

// One line of the text table: the lead cell (no blank in front), the state cells and the tail.
QString textLine(Table table, const QString& lead, const std::array<QString, 8>& cells,
                 const QString& tail) {
    QString line;
    if (const auto column = leadColumn(table)) {
        line += lead.rightJustified(column->width);
    }
    // At least one blank between cells, also when a number is wider than its column.
    for (std::size_t k = 0; hasState(table) && k < kColumns.size(); ++k) {
        line += QLatin1Char(' ') + cells[k].rightJustified(kColumns[k].width - 1);
    }
    if (!tail.isEmpty()) {
        line += QStringLiteral("  ") + tail;
    }
    return line + QLatin1Char('\n');
}

QString csvField(const QString& text) {
    return QString::fromStdString(chart::tableCell(text.toStdString(), ','));
}

// A row as JSON: a number in its shortest form (shortestText, "20" and not nlohmann's "20.0"),
// members parted by ", " and named with ": ", all on one line.
std::string rowJson(const nlohmann::ordered_json& json) {
    switch (json.type()) {
        case nlohmann::ordered_json::value_t::object: {
            std::string out = "{";
            for (const auto& member : json.items()) {
                out += (out.size() > 1 ? ", " : "") + chart::jsonString(member.key()) + ": " +
                       rowJson(member.value());
            }
            return out + "}";
        }
        case nlohmann::ordered_json::value_t::number_float:
            return shortestText(json.get<double>());
        case nlohmann::ordered_json::value_t::string:
            return chart::jsonString(json.get<std::string>());
        default:
            break;
    }
    return json.dump();
}

nlohmann::ordered_json jsonObject(const Row& row, Table table, chart::Units units) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    if (const auto column = leadColumn(table)) {
        const auto value = leadValue(row, table);
        out[column->name] = value ? nlohmann::ordered_json(leadNumber(table, *value, units))
                                  : nlohmann::ordered_json(nullptr);
    }
    const bool good = row.state && row.error.isEmpty();
    const auto numbers = good ? numbersOf(*row.state, units) : std::array<double, 8>{};
    for (std::size_t k = 0; hasState(table) && k < kColumns.size(); ++k) {
        out[kColumns[k].name] =
            good ? nlohmann::ordered_json(numbers[k]) : nlohmann::ordered_json(nullptr);
    }
    out["error"] = row.error.isEmpty() ? nlohmann::ordered_json(nullptr)
                                       : nlohmann::ordered_json(row.error.toStdString());
    return out;
}

}  // namespace

std::optional<Format> formatNamed(const QString& name) {
    if (name == QLatin1String("text")) {
        return Format::Text;
    }
    if (name == QLatin1String("csv")) {
        return Format::Csv;
    }
    if (name == QLatin1String("json")) {
        return Format::Json;
    }
    return std::nullopt;
}

std::string shortestText(double v) {
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return error == std::errc{} ? std::string(buffer.data(), end) : std::string{};
}

RowWriter::RowWriter(Format format, bool batch, Table table, chart::Units units)
    : format_(format), batch_(batch), table_(table), units_(units) {}

void RowWriter::put(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void RowWriter::begin() {
    const auto lead = leadColumn(table_);
    switch (format_) {
        case Format::Text: {
            std::array<QString, 8> names;
            std::array<QString, 8> units;
            for (std::size_t k = 0; k < kColumns.size(); ++k) {
                names[k] = QString::fromUtf8(kColumns[k].name);
                units[k] = QString::fromUtf8(kColumns[k].unit);
            }
            units[1] = QString::fromLatin1(chart::enthalpyUnitText(units_));
            const QString leadUnit = !lead ? QString{}
                                     : table_ == Table::Humidify
                                         ? QString::fromUtf8(lead->unit)
                                         : QString::fromLatin1(chart::loadUnitText(units_));
            put(textLine(table_, lead ? QString::fromUtf8(lead->name) : QString{}, names, {}) +
                textLine(table_, leadUnit, units, {}));
            break;
        }
        case Format::Csv:
            put((lead ? QLatin1String(lead->name) + QLatin1Char(',') : QString{}) +
                (hasState(table_) ? QStringLiteral("x,i,t,tw,v,phi,X,Y,") : QString{}) +
                QStringLiteral("error\n"));
            break;
        case Format::Json:
            if (batch_) {
                put(QStringLiteral("["));
            }
            break;
    }
}

void RowWriter::write(const Row& row) {
    const bool good = row.error.isEmpty();
    const auto lead = leadValue(row, table_);
    switch (format_) {
        case Format::Text:
            put(textLine(
                table_, lead ? leadText(table_, *lead, units_) : QString{},
                good && row.state ? shownTexts(*row.state, units_) : std::array<QString, 8>{},
                row.error));
            break;
        case Format::Csv: {
            QString line;
            if (leadColumn(table_)) {
                if (lead) {
                    line += QString::fromStdString(shortestText(leadNumber(table_, *lead, units_)));
                }
                line += QLatin1Char(',');
            }
            for (std::size_t k = 0; hasState(table_) && k < kColumns.size(); ++k) {
                if (good && row.state) {
                    line += QString::fromStdString(shortestText(numbersOf(*row.state, units_)[k]));
                }
                line += QLatin1Char(',');
            }
            put(line + csvField(row.error) + QLatin1Char('\n'));
            break;
        }
        case Format::Json:
            if (batch_) {
                put(QLatin1String(rows_ == 0 ? "\n  " : ",\n  "));
            }
            put(QString::fromStdString(rowJson(jsonObject(row, table_, units_))));
            if (!batch_) {
                put(QStringLiteral("\n"));
            }
            break;
    }
    ++rows_;
}

void RowWriter::end() {
    if (format_ == Format::Json && batch_) {
        put(QLatin1String(rows_ == 0 ? "]\n" : "\n]\n"));
    }
    std::fflush(stdout);
}

bool RowWriter::ok() {
    return std::ferror(stdout) == 0;
}

}  // namespace cli
