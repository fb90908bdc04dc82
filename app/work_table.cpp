#include "app/work_table.h"

#include <string>

#include "chart/number_text.h"
#include "chart/text_fields.h"
#include "chart/units.h"
#include "dialogs/design_dialog.h"
#include "dialogs/messages.h"
#include "words/messages.h"

namespace app {
namespace {

using chart::EntryKind;

QString kindText(EntryKind kind) {
    switch (kind) {
        case EntryKind::Point:
            return dialogs::message(words::kKindPoint);
        case EntryKind::ProcessStart:
            return dialogs::message(words::kKindProcessStart);
        case EntryKind::Mixing:
            return dialogs::message(words::kKindMixing);
        case EntryKind::Cooling:
            return dialogs::message(words::kKindCooling);
        case EntryKind::Heating:
            return dialogs::message(words::kKindHeating);
        case EntryKind::SteamHumidifying:
            return dialogs::message(words::kKindSteam);
        case EntryKind::WaterSprayHumidifying:
            return dialogs::message(words::kKindWaterSpray);
        case EntryKind::Pmv:
            return dialogs::message(words::kKindPmv);
        case EntryKind::Discomfort:
            return dialogs::message(words::kKindDiscomfort);
        case EntryKind::CoolingDesign:
            return dialogs::message(words::kKindCoolingDesign);
        case EntryKind::ReheatDesign:
            return dialogs::message(words::kKindReheatDesign);
        case EntryKind::HeatingDesign:
            return dialogs::message(words::kKindHeatingDesign);
    }
    return {};
}

QString text(double v, int decimals, chart::Rounding rule = chart::Rounding::HalfEven) {
    return QString::fromStdString(chart::roundedText(v, decimals, rule));
}

QString result(const chart::Entry& e, const char* name, int decimals, chart::Rounding rule) {
    const auto v = chart::valueOf(e.results, name);
    return v ? text(*v, decimals, rule) : QString();
}

}  // namespace

QStringList stateHeaders(const chart::Settings& settings) {
    return dialogs::message(words::kStateListHeaders)
        .arg(QString::fromLatin1(chart::enthalpyUnitText(settings.units)))
        .split(u'\t');
}

std::vector<StateRow> entryRows(const chart::Entry& e, std::size_t index,
                                const chart::Settings& settings) {
    const chart::Units units = settings.units;
    std::vector<StateRow> rows;
    for (const chart::MarkedState& s : e.states) {
        const chart::StateFigures f = chart::stateFigures(s, settings.atmosphere.ratio);
        const QString label = s.label.empty() ? dialogs::message(words::kRoomAirLabel)
                                              : QString::fromStdString(s.label);
        rows.push_back({index,
                        s.at,
                        {label, kindText(e.kind), text(f.x, 5),
                         text(chart::shownEnthalpy(f.i, units), chart::enthalpyDecimals(2, units)),
                         text(f.t, 2), text(f.tw, 2), text(f.v, 3), text(f.phi, 2),
                         f.dewPoint ? text(*f.dewPoint, 2) : QString()}});
    }
    return rows;
}

std::vector<StateRow> stateRows(const chart::MarkedWork& work, const chart::Settings& settings) {
    std::vector<StateRow> rows;
    for (std::size_t k = 0; k < work.entries.size(); ++k) {
        std::vector<StateRow> more = entryRows(work.entries[k], k, settings);
        rows.insert(rows.end(), std::make_move_iterator(more.begin()),
                    std::make_move_iterator(more.end()));
    }
    return rows;
}

std::optional<QString> resultLine(const chart::Entry& e, const chart::Settings& settings) {
    using chart::Rounding;
    const chart::Units units = settings.units;
    const QString enthalpyUnit = QString::fromLatin1(chart::enthalpyUnitText(units));
    switch (e.kind) {
        case EntryKind::Mixing:
            return dialogs::message(words::kMixingResult)
                .arg(
                    result(e, "x3", 5, Rounding::HalfEven),
                    text(chart::shownEnthalpy(chart::valueOf(e.results, "i3").value_or(0.0), units),
                         chart::enthalpyDecimals(2, units)),
                    enthalpyUnit);
        case EntryKind::Cooling:
        case EntryKind::Heating: {
            const auto Q = chart::valueOf(e.results, "Q");
            return dialogs::message(e.kind == EntryKind::Cooling ? words::kCoolingResult
                                                                 : words::kHeatingResult)
                .arg(QString::fromStdString(chart::loadText(Q.value_or(0.0), units)),
                     QString::fromLatin1(chart::loadUnitText(units)));
        }
        case EntryKind::SteamHumidifying:
        case EntryKind::WaterSprayHumidifying:
            return dialogs::message(words::kHumidifyingResult)
                .arg(kindText(e.kind), result(e, "L", 1, Rounding::HalfUp));
        case EntryKind::Pmv:
            return dialogs::message(words::kPmvResult)
                .arg(result(e, "PMV", 2, Rounding::HalfUpward),
                     result(e, "PPD", 2, Rounding::HalfUpward));
        case EntryKind::Discomfort: {
            const auto share = chart::valueOf(e.results, "share");
            return dialogs::message(words::kDiscomfortResult)
                .arg(result(e, "DI", 1, Rounding::HalfUpward),
                     QString::fromStdString(chart::generalText(share.value_or(0.0))));
        }
        case EntryKind::CoolingDesign:
        case EntryKind::ReheatDesign:
        case EntryKind::HeatingDesign: {
            QStringList figures;
            for (const dialogs::DesignFigure& f : dialogs::designFigures(e, units)) {
                figures << f.caption + u' ' + f.value +
                               (f.unit.isEmpty() ? QString() : u' ' + f.unit);
            }
            return dialogs::message(words::kDesignResult)
                .arg(kindText(e.kind), figures.join(u'、'));
        }
        case EntryKind::Point:
        case EntryKind::ProcessStart:
            break;
    }
    return std::nullopt;
}

QStringList resultLines(const chart::MarkedWork& work, const chart::Settings& settings) {
    QStringList lines;
    for (const chart::Entry& e : work.entries) {
        if (auto line = resultLine(e, settings)) {
            lines << *line;
        }
    }
    return lines;
}

QString tableText(const chart::MarkedWork& work, QChar separator, const chart::Settings& settings) {
    QString out;
    const auto line = [&](const auto& cells) {
        QStringList quotedCells;
        for (const QString& c : cells) {
            quotedCells << QString::fromStdString(
                chart::tableCell(c.toStdString(), static_cast<char>(separator.unicode())));
        }
        out += quotedCells.join(separator) + u'\n';
    };
    line(stateHeaders(settings));
    for (const StateRow& row : stateRows(work, settings)) {
        line(row.cells);
    }
    // The results under the states, one to a row, as the state list shows them.
    for (const QString& result : resultLines(work, settings)) {
        line(QStringList{result});
    }
    return out;
}

}  // namespace app
