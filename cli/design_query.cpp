#include "cli/design_query.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/number_text.h"
#include "chart/units.h"
#include "cli/command_line.h"
#include "data/design_conditions.h"
#include "data/readers.h"
#include "words/messages.h"

namespace cli {
namespace {

constexpr double kDefaultSprayTemperature = 15.0;  // °C

std::expected<std::array<Given, 2>, QString> statePair(const QString& text, const char* option) {
    const auto pair = readPair(splitItems(text));
    if (!pair) {
        return std::unexpected(
            QStringLiteral("design: --%1 takes two properties, NAME=VALUE,NAME=VALUE, not %2")
                .arg(QLatin1String(option), quoted(text)));
    }
    return *pair;
}

// The second line of a file: where an EPW keeps its DESIGN CONDITIONS.
std::string_view secondLine(std::string_view bytes) {
    const std::size_t first = bytes.find('\n');
    if (first == std::string_view::npos) {
        return {};
    }
    std::string_view line = bytes.substr(first + 1);
    line = line.substr(0, line.find('\n'));
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

// The outdoor state as a pair, or epw:FILE:KIND, a design condition of the weather file FILE:
// a cooling one by its dry bulb and mean coincident wet bulb; a heating one by its dry bulb and
// one more NAME=VALUE after a comma (epw:site.epw:heating-99.6,phi=70).
std::expected<std::array<Given, 2>, QString> outdoorPair(const QString& text) {
    if (!text.startsWith(QStringLiteral("epw:"))) {
        return statePair(text, "outdoor");
    }
    const QString rest = text.mid(4);
    const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
    const QString path = colon < 0 ? rest : rest.left(colon);
    QString choice = colon < 0 ? QString() : rest.mid(colon + 1);
    QString more;
    if (const qsizetype comma = choice.indexOf(QLatin1Char(',')); comma >= 0) {
        more = choice.mid(comma + 1);
        choice = choice.left(comma);
    }
    const auto kind = data::designConditionNamed(choice.toStdString());
    if (!kind) {
        return std::unexpected(
            QStringLiteral(
                "design: --outdoor=epw:FILE:KIND takes a KIND of cooling-0.4, cooling-1, "
                "cooling-2, heating-99.6 or heating-99, not %1")
                .arg(quoted(choice)));
    }
    const auto bytes = data::fileBytes(path.toStdString());
    if (!bytes) {
        return std::unexpected(
            QStringLiteral("design: --outdoor: %1: %2")
                .arg(path, QString::fromStdString(data::failureText(bytes.error()))));
    }
    const auto conditions = data::readDesignConditions(
        std::string_view(*bytes).starts_with("LOCATION,") ? secondLine(*bytes)
                                                          : std::string_view());
    const auto found = std::ranges::find(conditions, *kind, &data::DesignCondition::kind);
    if (found == conditions.end()) {
        return std::unexpected(
            QStringLiteral("design: --outdoor: %1 gives no %2 design condition").arg(path, choice));
    }
    if (found->wetBulb) {
        if (!more.isEmpty()) {
            return std::unexpected(
                QStringLiteral("design: --outdoor: %1 fixes the state by itself").arg(choice));
        }
        return std::array<Given, 2>{Given{psychro::Property::t, found->dryBulb},
                                    Given{psychro::Property::tw, *found->wetBulb}};
    }
    const auto pair = readPair(
        splitItems(QStringLiteral("t=%1,").arg(QString::number(found->dryBulb, 'g', 17)) + more));
    if (!pair) {
        return std::unexpected(
            QStringLiteral("design: --outdoor: %1 gives the dry bulb; add one more NAME=VALUE "
                           "after a comma, not %2")
                .arg(choice, quoted(more)));
    }
    return *pair;
}

std::expected<double, QString> number(const QString& text, const char* option) {
    const auto value = readNumber(text);
    if (!value) {
        return std::unexpected(QStringLiteral("design: --%1 takes a number, not %2")
                                   .arg(QLatin1String(option), quoted(text)));
    }
    return *value;
}

// steam, steam:TEMP, spray or spray:TEMP.
std::expected<psychro::HeatingHumidifier, QString> humidifierOf(const std::optional<QString>& text,
                                                                psychro::PressureRatio pressure) {
    const double steamDefault = psychro::defaultSteamTemperature(pressure);
    if (!text) {
        return psychro::HeatingHumidifier{psychro::Humidifier::Steam, steamDefault};
    }
    const qsizetype colon = text->indexOf(QLatin1Char(':'));
    const QString kind = colon < 0 ? *text : text->left(colon);
    const bool steam = kind == QLatin1String("steam");
    if (!steam && kind != QLatin1String("spray")) {
        return std::unexpected(
            QStringLiteral("design: --humidifier takes steam[:TEMP] or spray[:TEMP], not %1")
                .arg(quoted(*text)));
    }
    double temperature = steam ? steamDefault : kDefaultSprayTemperature;
    if (colon >= 0) {
        const auto given = number(text->mid(colon + 1), "humidifier");
        if (!given) {
            return std::unexpected(given.error());
        }
        temperature = *given;
    }
    return psychro::HeatingHumidifier{
        steam ? psychro::Humidifier::Steam : psychro::Humidifier::WaterSpray, temperature};
}

std::expected<psychro::AirHandlingDesign, psychro::DesignError> designOf(
    const DesignRequest& r, psychro::AirState room, psychro::AirState outdoor,
    psychro::PressureRatio pressure) {
    return r.season == Season::Cooling
               ? psychro::designCooling(room, outdoor, r.loads, r.coil, pressure)
               : psychro::designHeating(room, outdoor, r.loads, r.humidifier, pressure);
}

// A figure of the design: its name in CSV and the text, its JSON group and name, its value as
// shown, its unit and its rounding in the text.
struct Figure {
    const char* name;
    const char* json;
    bool load;  // under "loads"
    std::optional<double> value;
    QString unit;
    int decimals;
};

std::vector<Figure> figuresOf(const psychro::AirHandlingDesign& d, chart::Units units) {
    const auto shownLoad = [units](std::optional<double> q) {
        return q ? std::optional(chart::shownLoad(*q, units)) : std::nullopt;
    };
    const QString load = QString::fromLatin1(chart::loadUnitText(units));
    const int loadDecimals = chart::loadDecimals(0, units);
    const QString water = QStringLiteral("kg/h");
    return {
        {"SHF", "shf", false, d.shf, {}, 2},
        {"air quantity", "airQuantity", false, d.airQuantity, QStringLiteral("kg(DA)/h"), 0},
        {"supply volume", "supplyVolume", false, d.supplyVolume, QStringLiteral("m3/h"), 0},
        {"bypass factor", "bypassFactor", false, d.bypassFactor, {}, 3},
        {"coil load", "coil", true, shownLoad(d.coilLoad), load, loadDecimals},
        {"reheat load", "reheat", true, shownLoad(d.reheatLoad), load, loadDecimals},
        {"dehumidified water", "dehumidifiedWater", true, d.dehumidifiedWater, water, 1},
        {"heater load", "heater", true, shownLoad(d.heaterLoad), load, loadDecimals},
        {"humidifier water", "humidifierWater", true, d.humidifierWater, water, 1},
        {"outdoor-air load", "outdoorAir", true, shownLoad(d.outdoorAirLoad), load, loadDecimals},
    };
}

std::array<double, 6> numbersOf(const FullState& s, chart::Units units) {
    return {s.x, chart::shownEnthalpy(s.i, units), s.t, s.tw, s.v, s.phi};
}

QString text(double v, int decimals, chart::Rounding rule) {
    return QString::fromStdString(chart::roundedText(v, decimals, rule));
}

QString full(double v) {
    return QString::fromStdString(shortestText(v));
}

QString textOutput(const DesignFigures& f, chart::Units units) {
    using enum chart::Rounding;
    QString out = QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                      .arg(QStringLiteral("state"), -18)
                      .arg(QStringLiteral("x"), 9)
                      .arg(QStringLiteral("i"), 11)
                      .arg(QStringLiteral("t"), 7)
                      .arg(QStringLiteral("tw"), 7)
                      .arg(QStringLiteral("v"), 9)
                      .arg(QStringLiteral("phi"), 7);
    out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg(QString(), -18)
               .arg(QStringLiteral("kg/kg(DA)"), 9)
               .arg(QString::fromLatin1(chart::enthalpyUnitText(units)), 11)
               .arg(QStringLiteral("°C"), 7)
               .arg(QStringLiteral("°C"), 7)
               .arg(QStringLiteral("m3/kg(DA)"), 9)
               .arg(QStringLiteral("%"), 7);
    for (std::size_t k = 0; k < f.states.size(); ++k) {
        if (const auto& s = f.states[k]) {
            out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                       .arg(QLatin1String(kDesignStateNames[k]), -18)
                       .arg(text(s->x, 5, HalfUp), 9)
                       .arg(text(chart::shownEnthalpy(s->i, units),
                                 chart::enthalpyDecimals(2, units), HalfUp),
                            11)
                       .arg(text(s->t, 2, HalfEven), 7)
                       .arg(text(s->tw, 2, HalfEven), 7)
                       .arg(text(s->v, 3, HalfEven), 9)
                       .arg(text(s->phi, 2, HalfEven), 7);
        }
    }
    for (const Figure& figure : figuresOf(f.design, units)) {
        if (figure.value) {
            out += QStringLiteral("%1 %2 %3\n")
                       .arg(QLatin1String(figure.name), -18)
                       .arg(text(*figure.value, figure.decimals, HalfUp), 9)
                       .arg(figure.unit)
                       .trimmed() +
                   QLatin1Char('\n');
        }
    }
    return out;
}

QString csvOutput(const DesignFigures& f, chart::Units units) {
    QString out = QStringLiteral("name,x,i,t,tw,v,phi,value,unit\n");
    for (std::size_t k = 0; k < f.states.size(); ++k) {
        if (const auto& s = f.states[k]) {
            out += QLatin1String(kDesignStateNames[k]);
            for (const double v : numbersOf(*s, units)) {
                out += QLatin1Char(',') + full(v);
            }
            out += QStringLiteral(",,\n");
        }
    }
    for (const Figure& figure : figuresOf(f.design, units)) {
        if (figure.value) {
            out += QStringLiteral("%1,,,,,,,%2,%3\n")
                       .arg(QLatin1String(figure.name), full(*figure.value), figure.unit);
        }
    }
    return out;
}

QString jsonOutput(const DesignFigures& f, chart::Units units) {
    nlohmann::ordered_json states = nlohmann::ordered_json::object();
    for (std::size_t k = 0; k < f.states.size(); ++k) {
        if (const auto& s = f.states[k]) {
            const auto n = numbersOf(*s, units);
            states[kDesignStateNames[k]] = {{"x", n[0]},  {"i", n[1]}, {"t", n[2]},
                                            {"tw", n[3]}, {"v", n[4]}, {"phi", n[5]}};
        }
    }
    nlohmann::ordered_json out{{"states", std::move(states)}};
    nlohmann::ordered_json loads = nlohmann::ordered_json::object();
    for (const Figure& figure : figuresOf(f.design, units)) {
        if (figure.value) {
            (figure.load ? loads : out)[figure.json] = *figure.value;
        }
    }
    out["loads"] = std::move(loads);
    return QString::fromStdString(out.dump(2)) + QLatin1Char('\n');
}

}  // namespace

std::expected<DesignRequest, QString> readDesign(Season season, const DesignTexts& texts,
                                                 const chart::Settings& settings) {
    const psychro::PressureRatio pressure = settings.atmosphere.ratio;
    if (season == Season::Heating && texts.bypass) {
        return std::unexpected(QStringLiteral("design: --bypass belongs to design cool"));
    }
    if (season == Season::Cooling && texts.humidifier) {
        return std::unexpected(QStringLiteral("design: --humidifier belongs to design heat"));
    }
    const auto room = statePair(texts.room, "room");
    if (!room) {
        return std::unexpected(room.error());
    }
    const auto outdoor = outdoorPair(texts.outdoor);
    if (!outdoor) {
        return std::unexpected(outdoor.error());
    }
    const auto sensible = number(texts.sensible, "sensible");
    const auto latent = number(texts.latent, "latent");
    const auto ratio = number(texts.outdoorRatio, "outdoor-ratio");
    const auto dt = number(texts.supplyDifference, "dt");
    for (const auto* value : {&sensible, &latent, &ratio, &dt}) {
        if (!*value) {
            return std::unexpected(value->error());
        }
    }
    std::optional<double> bypass;
    if (texts.bypass) {
        const auto bf = number(*texts.bypass, "bypass");
        if (!bf) {
            return std::unexpected(bf.error());
        }
        bypass = *bf;
    }
    const auto humidifier = humidifierOf(texts.humidifier, pressure);
    if (!humidifier) {
        return std::unexpected(humidifier.error());
    }
    DesignRequest request{season,
                          *room,
                          *outdoor,
                          {chart::loadFromShown(*sensible, settings.units),
                           chart::loadFromShown(*latent, settings.units), *ratio, *dt},
                          {bypass},
                          *humidifier};
    // What no state can mend is a mistake of the command line, refused in the design's words.
    const auto refused =
        season == Season::Cooling
            ? psychro::coolingInputError(request.loads, request.coil)
            : psychro::heatingInputError(request.loads, request.humidifier, pressure);
    if (refused) {
        return std::unexpected(QStringLiteral("design: ") +
                               message(words::designErrorText(*refused)));
    }
    return request;
}

std::expected<DesignFigures, QString> designFigures(const DesignRequest& request,
                                                    const chart::Settings& settings) {
    const auto room = solveState(request.room, settings);
    if (!room) {
        return std::unexpected(room.error());
    }
    const auto outdoor = solveState(request.outdoor, settings);
    if (!outdoor) {
        return std::unexpected(outdoor.error());
    }
    const psychro::PressureRatio ratio = settings.atmosphere.ratio;
    const auto design = designOf(request, {room->x, room->i}, {outdoor->x, outdoor->i}, ratio);
    if (!design) {
        return std::unexpected(message(words::designErrorText(design.error())));
    }
    const psychro::AirHandlingDesign& d = *design;
    const std::array<std::optional<psychro::AirState>, 7> states{
        d.room, d.outdoor, d.mixed, d.supply, d.adp, d.coil, d.heated};
    DesignFigures figures{d, {}};
    for (std::size_t k = 0; k < states.size(); ++k) {
        if (states[k]) {
            figures.states[k] = completeState(*states[k], ratio);
            if (!figures.states[k]) {
                return std::unexpected(message(words::kNoResult));
            }
        }
    }
    // Loads too large to be written whole (an absurd qs) are no result either.
    for (const Figure& figure : figuresOf(d, chart::Units::Engineering)) {
        if (figure.value && !chart::roundable(*figure.value, 3)) {
            return std::unexpected(message(words::kNoResult));
        }
    }
    return figures;
}

QString designOutput(const DesignFigures& figures, Format format, chart::Units units) {
    switch (format) {
        case Format::Text:
            return textOutput(figures, units);
        case Format::Csv:
            return csvOutput(figures, units);
        case Format::Json:
            break;
    }
    return jsonOutput(figures, units);
}

}  // namespace cli
