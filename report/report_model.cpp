#include "report/report_model.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>

#include "chart/design_entry.h"
#include "chart/design_figures.h"
#include "chart/number_text.h"
#include "chart/pressure_text.h"
#include "chart/units.h"
#include "data/data_set.h"
#include "data/zones.h"
#include "words/messages.h"

namespace report {
namespace {

using chart::EntryKind;
using chart::Rounding;

QString words16(const char16_t* text) {
    return QString::fromUtf16(text);
}

QString utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString figure(double v, int decimals, Rounding rule = Rounding::HalfEven) {
    return utf8(chart::roundedText(v, decimals, rule));
}

QString general(double v) {
    return utf8(chart::generalText(v));
}

QString kindText(EntryKind kind) {
    switch (kind) {
        case EntryKind::Point:
            return words16(words::kKindPoint);
        case EntryKind::ProcessStart:
            return words16(words::kKindProcessStart);
        case EntryKind::Mixing:
            return words16(words::kKindMixing);
        case EntryKind::Cooling:
            return words16(words::kKindCooling);
        case EntryKind::Heating:
            return words16(words::kKindHeating);
        case EntryKind::SteamHumidifying:
            return words16(words::kKindSteam);
        case EntryKind::WaterSprayHumidifying:
            return words16(words::kKindWaterSpray);
        case EntryKind::Pmv:
            return words16(words::kKindPmv);
        case EntryKind::Discomfort:
            return words16(words::kKindDiscomfort);
        case EntryKind::CoolingDesign:
            return words16(words::kKindCoolingDesign);
        case EntryKind::ReheatDesign:
            return words16(words::kKindReheatDesign);
        case EntryKind::HeatingDesign:
            return words16(words::kKindHeatingDesign);
    }
    return {};
}

// The seven state cells after the label: x, i, t, t′, v, φ and the dew point, as the state
// list writes them.
QStringList stateCells(const chart::MarkedState& s, const chart::Settings& settings) {
    const chart::StateFigures f = chart::stateFigures(s, settings.atmosphere.ratio);
    const chart::Units units = settings.units;
    return {figure(f.x, 5),
            figure(chart::shownEnthalpy(f.i, units), chart::enthalpyDecimals(2, units)),
            figure(f.t, 2),
            figure(f.tw, 2),
            figure(f.v, 3),
            figure(f.phi, 2),
            f.dewPoint ? figure(*f.dewPoint, 2) : QString()};
}

// The state list's headers: 記号, 種類, then the seven figures.
QStringList stateHeaders(const chart::Settings& settings) {
    return words16(words::kStateListHeaders)
        .arg(QString::fromLatin1(chart::enthalpyUnitText(settings.units)))
        .split(u'\t');
}

Table siteTable(const chart::Settings& settings, const QString& pressureLine) {
    const psychro::Atmosphere& a = settings.atmosphere;
    Table t{.heading = QStringLiteral("設計条件"),
            .headers = {QStringLiteral("項目"), QStringLiteral("値")},
            .rows = {},
            .textColumns = 2};
    t.rows.push_back({QStringLiteral("大気圧"), figure(a.mmHg(), 1) + QStringLiteral(" mmHg（") +
                                                    figure(a.kPa(), 3) + QStringLiteral(" kPa）")});
    if (a.unit == psychro::PressureUnit::Altitude) {
        t.rows.push_back({QStringLiteral("標高"), figure(a.given, 1) + QStringLiteral(" m")});
    }
    t.rows.push_back({QStringLiteral("線図の表記"), pressureLine});
    t.rows.push_back(
        {QStringLiteral("単位"), settings.units == chart::Units::SI
                                     ? QStringLiteral("SI単位（kJ/kg(DA)、kW）")
                                     : QStringLiteral("工学単位（kcal/kg(DA)、kcal/h）")});
    return t;
}

Table statesTable(const chart::MarkedWork& work, const chart::Settings& settings) {
    Table t{.heading = QStringLiteral("状態点"),
            .headers = QStringList{QStringLiteral("番号")} + stateHeaders(settings),
            .rows = {},
            .textColumns = 3};
    for (std::size_t k = 0; k < work.entries.size(); ++k) {
        const chart::Entry& e = work.entries[k];
        for (const chart::MarkedState& s : e.states) {
            const QString label = s.label.empty() ? words16(words::kRoomAirLabel) : utf8(s.label);
            t.rows.push_back(QStringList{QString::number(k + 1), label, kindText(e.kind)} +
                             stateCells(s, settings));
        }
    }
    return t;
}

// An input as the report writes it: "t = 20 ℃"; the enthalpy as it was typed.
QString inputText(const chart::NamedValue& v) {
    struct Known {
        const char* name;
        const char* shown;
        const char* unit;
    };
    static constexpr Known kKnown[] = {
        {"x", "x", " kg/kg(DA)"}, {"i", "i", ""},     {"t", "t", " ℃"},    {"tw", "t′", " ℃"},
        {"v", "v", " m3/kg(DA)"}, {"phi", "φ", " %"}, {"G", "G", " kg/h"}, {"G1", "G1", " kg/h"},
        {"G2", "G2", " kg/h"},    {"t2", "t2", " ℃"}, {"ta", "ta", " ℃"},  {"rh", "φ", " %"},
        {"vel", "気流", " m/s"},  {"tr", "tr", " ℃"}, {"clo", "", " clo"}, {"met", "", " met"},
    };
    const auto known = std::find_if(std::begin(kKnown), std::end(kKnown),
                                    [&](const Known& k) { return v.name == k.name; });
    if (known == std::end(kKnown)) {
        return utf8(v.name) + QStringLiteral(" = ") + general(v.value);
    }
    const QString name = QString::fromUtf8(known->shown);
    return (name.isEmpty() ? QString() : name + QStringLiteral(" = ")) + general(v.value) +
           QString::fromUtf8(known->unit);
}

// A process's result in the state list's words, without the kind before "：".
QString resultText(const chart::Entry& e, chart::Units units) {
    const auto value = [&](const char* name) { return chart::valueOf(e.results, name); };
    const auto text = [&](const char* name, int decimals, Rounding rule) {
        const auto v = value(name);
        return v ? figure(*v, decimals, rule) : QString();
    };
    QString line;
    switch (e.kind) {
        case EntryKind::Mixing:
            line = words16(words::kMixingResult)
                       .arg(text("x3", 5, Rounding::HalfEven),
                            figure(chart::shownEnthalpy(value("i3").value_or(0.0), units),
                                   chart::enthalpyDecimals(2, units)),
                            QString::fromLatin1(chart::enthalpyUnitText(units)));
            break;
        case EntryKind::Cooling:
        case EntryKind::Heating:
            line = words16(e.kind == EntryKind::Cooling ? words::kCoolingResult
                                                        : words::kHeatingResult)
                       .arg(utf8(chart::loadText(value("Q").value_or(0.0), units)),
                            QString::fromLatin1(chart::loadUnitText(units)));
            break;
        case EntryKind::SteamHumidifying:
        case EntryKind::WaterSprayHumidifying:
            line = words16(words::kHumidifyingResult)
                       .arg(kindText(e.kind), text("L", 1, Rounding::HalfUp));
            break;
        case EntryKind::Pmv:
            line = words16(words::kPmvResult)
                       .arg(text("PMV", 2, Rounding::HalfUpward),
                            text("PPD", 2, Rounding::HalfUpward));
            break;
        case EntryKind::Discomfort:
            line = words16(words::kDiscomfortResult)
                       .arg(text("DI", 1, Rounding::HalfUpward),
                            general(value("share").value_or(0.0)));
            break;
        default:
            return {};
    }
    const qsizetype colon = line.indexOf(u'：');
    return colon < 0 ? line : line.mid(colon + 1);
}

bool isProcess(EntryKind kind) {
    switch (kind) {
        case EntryKind::Mixing:
        case EntryKind::Cooling:
        case EntryKind::Heating:
        case EntryKind::SteamHumidifying:
        case EntryKind::WaterSprayHumidifying:
        case EntryKind::Pmv:
        case EntryKind::Discomfort:
            return true;
        default:
            return false;
    }
}

Table processTable(const chart::MarkedWork& work, chart::Units units) {
    Table t{.heading = QStringLiteral("計算"),
            .headers = {QStringLiteral("番号"), QStringLiteral("種類"), QStringLiteral("入力"),
                        QStringLiteral("結果")},
            .rows = {},
            .textColumns = 4};
    for (std::size_t k = 0; k < work.entries.size(); ++k) {
        const chart::Entry& e = work.entries[k];
        if (!isProcess(e.kind)) {
            continue;
        }
        QStringList inputs;
        for (const chart::NamedValue& v : e.inputs) {
            inputs << inputText(v);
        }
        t.rows.push_back({QString::number(k + 1), kindText(e.kind),
                          inputs.join(QStringLiteral("、")), resultText(e, units)});
    }
    return t;
}

std::vector<Table> designTables(const chart::Entry& e, std::size_t index,
                                const chart::Settings& settings) {
    const chart::Units units = settings.units;
    const QString name =
        QStringLiteral("空調設計（番号 %1、%2）").arg(index + 1).arg(kindText(e.kind));
    const QString load = QString::fromLatin1(chart::loadUnitText(units));
    Table inputs{.heading = name + QStringLiteral("：条件"),
                 .headers = {QStringLiteral("項目"), QStringLiteral("値"), QStringLiteral("単位")},
                 .rows = {},
                 .textColumns = 1,
                 .unitColumn = true};
    const auto add = [&](const char* key, const QString& caption, const QString& value,
                         const QString& unit) {
        if (chart::valueOf(e.inputs, key)) {
            inputs.rows.push_back({caption, value, unit});
        }
    };
    const auto in = [&](const char* key) { return chart::valueOf(e.inputs, key).value_or(0.0); };
    add("qs", QStringLiteral("顕熱負荷"), utf8(chart::loadText(in("qs"), units)), load);
    add("qL", QStringLiteral("潜熱負荷"), utf8(chart::loadText(in("qL"), units)), load);
    add("k", QStringLiteral("外気率"), general(in("k")), QStringLiteral("%"));
    add("dt", QStringLiteral("吹出し温度差"), general(in("dt")), QStringLiteral("℃"));
    add("BF", QStringLiteral("バイパスファクタ（再熱あり）"), general(in("BF")), QString());
    add("hum", QStringLiteral("加湿器"),
        in("hum") == 0.0 ? words16(words::kKindSteam) : words16(words::kKindWaterSpray), QString());
    add("tHum", in("hum") == 0.0 ? QStringLiteral("蒸気温度") : QStringLiteral("水温"),
        general(in("tHum")), QStringLiteral("℃"));

    QStringList headers = stateHeaders(settings);
    headers.removeAt(1);  // the kind: the heading names it
    Table states{.heading = name + QStringLiteral("：状態点"),
                 .headers = headers,
                 .rows = {},
                 .textColumns = 1};
    for (const chart::MarkedState& s : e.states) {
        states.rows.push_back(QStringList{utf8(s.label)} + stateCells(s, settings));
    }

    Table results{.heading = name + QStringLiteral("：風量と負荷"),
                  .headers = {QStringLiteral("項目"), QStringLiteral("値"), QStringLiteral("単位")},
                  .rows = {},
                  .textColumns = 1,
                  .unitColumn = true};
    for (const chart::DesignFigureText& f : chart::designFigureTexts(e, units)) {
        results.rows.push_back({utf8(f.caption), utf8(f.value), utf8(f.unit)});
    }
    return {inputs, states, results};
}

// "a～b" runs of the set bits among `count`, wrapping, numbered from `first`.
QString runsText(std::uint32_t bits, int count, int first, const QString& unit,
                 const QString& all) {
    const auto set = [&](int k) { return ((bits >> ((k % count + count) % count)) & 1U) != 0U; };
    int start = -1;
    for (int k = 0; k < count; ++k) {
        if (set(k) && !set(k - 1)) {
            start = k;
            break;
        }
    }
    if (start < 0) {
        return set(0) ? all : QStringLiteral("なし");
    }
    QStringList runs;
    for (int k = start; k < start + count;) {
        if (!set(k)) {
            ++k;
            continue;
        }
        int end = k;
        while (end + 1 < start + count && set(end + 1)) {
            ++end;
        }
        const QString a = QString::number(k % count + first);
        const QString b = QString::number(end % count + first);
        runs << (end == k ? a : a + u'～' + b);
        k = end + 1;
    }
    return runs.join(u'・') + unit;
}

QString zoneText(const data::Zone& zone) {
    if (const auto* r = std::get_if<data::RangeZone>(&zone)) {
        const QString humidity = r->absolute
                                     ? QStringLiteral("x %1～%2 kg/kg(DA)")
                                           .arg(general(r->humidityLow), general(r->humidityHigh))
                                     : QStringLiteral("φ %1～%2 %")
                                           .arg(general(r->humidityLow), general(r->humidityHigh));
        return QStringLiteral("t %1～%2 ℃、").arg(general(r->tLow), general(r->tHigh)) + humidity;
    }
    const auto& p = std::get<data::PmvZone>(zone);
    QString text = QStringLiteral("|PMV| ≦ %1（met %2、clo %3、気流 %4 m/s")
                       .arg(general(p.limit), general(p.met), general(p.clo), general(p.vel));
    if (p.tr) {
        text += QStringLiteral("、平均放射温度 %1 ℃").arg(general(*p.tr));
    }
    return text + u'）';
}

void addDataTables(std::vector<Table>& tables, const data::DataPart& part,
                   const chart::Settings& settings) {
    if (!part.zones.empty()) {
        Table zones{.heading = QStringLiteral("ゾーン"),
                    .headers = {QStringLiteral("ゾーン"), QStringLiteral("条件")},
                    .rows = {},
                    .textColumns = 2};
        for (const data::Zone& z : part.zones) {
            zones.rows.push_back({utf8(data::zoneName(z)), zoneText(z)});
        }
        tables.push_back(std::move(zones));
    }
    for (std::size_t k = 0; k < part.layers.size(); ++k) {
        const data::DataLayer& layer = part.layers[k];
        if (!layer.set) {
            continue;
        }
        const data::DataSet kept = data::filtered(*layer.set, layer.filter);
        const QString name =
            QStringLiteral("データ %1（%2）").arg(k + 1).arg(utf8(layer.set->name));
        Table about{.heading = name,
                    .headers = {QStringLiteral("項目"), QStringLiteral("値")},
                    .rows = {},
                    .textColumns = 2};
        about.rows.push_back(
            {QStringLiteral("出典"), utf8(layer.path.empty() ? layer.set->name : layer.path)});
        about.rows.push_back({QStringLiteral("行数"), QString::number(layer.set->rows())});
        about.rows.push_back({QStringLiteral("対象の行数"), QString::number(kept.rows())});
        about.rows.push_back(
            {QStringLiteral("期間"), QString::fromStdString(data::periodText(kept))});
        about.rows.push_back(
            {QStringLiteral("絞り込み"),
             runsText(layer.filter.months, 12, 1, QStringLiteral("月"), QStringLiteral("全月")) +
                 QStringLiteral("、") +
                 runsText(layer.filter.hours, 24, 0, QStringLiteral("時"),
                          QStringLiteral("全時間"))});
        tables.push_back(std::move(about));
        if (part.zones.empty()) {
            continue;
        }
        const bool hours = kept.hoursOf(1) > 0.0;
        Table counts{.heading = name + QStringLiteral("：ゾーン別"),
                     .headers = {QStringLiteral("ゾーン"), QStringLiteral("範囲内（行）"),
                                 QStringLiteral("割合（%）"), QStringLiteral("時間（h）")},
                     .rows = {},
                     .textColumns = 1};
        for (const data::Zone& z : part.zones) {
            const data::ZoneCount c = data::countInside(z, kept, settings.atmosphere.ratio);
            counts.rows.push_back({utf8(data::zoneName(z)), QString::number(c.inside),
                                   figure(100.0 * c.share, 1, Rounding::HalfUp),
                                   hours ? figure(c.hours, 0, Rounding::HalfUp) : QString()});
        }
        tables.push_back(std::move(counts));
    }
}

}  // namespace

bool isFigureColumn(const Table& table, qsizetype column) {
    return column >= table.textColumns && !(table.unitColumn && column == table.headers.size() - 1);
}

QString monthsText(unsigned months) {
    return runsText(months & 0x0FFFU, 12, 1, QStringLiteral("月"), QStringLiteral("全月"));
}

QString hoursText(unsigned hours) {
    return runsText(hours & 0x00FFFFFFU, 24, 0, QStringLiteral("時"), QStringLiteral("全時間"));
}

Report reportOf(const chart::MarkedWork& work, const chart::Settings& settings,
                const data::DataPart& data, const chart::TitleBlock& title) {
    Report r{.title = title,
             .settings = settings,
             .pressureLine = utf8(chart::pressureLine(settings.atmosphere, settings.units)),
             .tables = {}};
    r.tables.push_back(siteTable(settings, r.pressureLine));
    std::vector<Table> tables{statesTable(work, settings), processTable(work, settings.units)};
    for (std::size_t k = 0; k < work.entries.size(); ++k) {
        if (chart::isDesign(work.entries[k].kind)) {
            for (Table& t : designTables(work.entries[k], k, settings)) {
                tables.push_back(std::move(t));
            }
        }
    }
    addDataTables(tables, data, settings);
    for (Table& t : tables) {
        if (!t.rows.empty()) {
            r.tables.push_back(std::move(t));
        }
    }
    return r;
}

}  // namespace report
