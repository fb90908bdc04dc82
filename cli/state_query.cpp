#include "cli/state_query.h"

#include <QRegularExpression>
#include <cmath>
#include <utility>

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "psychro/state_properties.h"
#include "words/messages.h"
#include "words/number_reader.h"

namespace cli {
namespace {

// How far the wet-bulb search may land from the root it was solved for: its residual stops
// within 1e-6, far below this; a root further off is the other one.
constexpr double kWetBulbRootSpread = 1e-4;  // °C

using psychro::Property;

}  // namespace

std::optional<double> readNumber(QStringView text) {
    return words::readNumber(
        std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
}

std::optional<Property> propertyNamed(const QString& name) {
    static const std::array<std::pair<const char*, Property>, 6> names{{
        {"x", Property::x},
        {"i", Property::i},
        {"t", Property::t},
        {"tw", Property::tw},
        {"v", Property::v},
        {"phi", Property::phi},
    }};
    for (const auto& [text, property] : names) {
        if (name == QLatin1String(text)) {
            return property;
        }
    }
    return std::nullopt;
}

QStringList splitItems(const QString& line) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    return line.split(separators, Qt::SkipEmptyParts);
}

std::expected<std::array<Given, 2>, PairError> readPair(const QStringList& items) {
    std::vector<Given> given;
    for (const QString& item : items) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            return std::unexpected(PairError{PairProblem::Malformed, item});
        }
        const auto property = propertyNamed(item.left(equals));
        if (!property) {
            return std::unexpected(PairError{PairProblem::UnknownName, item});
        }
        const auto value = readNumber(QStringView(item).mid(equals + 1));
        if (!value) {
            return std::unexpected(PairError{PairProblem::NotANumber, item});
        }
        for (const Given& earlier : given) {
            if (earlier.property == *property) {
                return std::unexpected(PairError{PairProblem::SameTwice, item});
            }
        }
        given.push_back({*property, *value});
    }
    if (given.size() != 2) {
        return std::unexpected(PairError{PairProblem::NotTwo, {}});
    }
    return std::array<Given, 2>{given[0], given[1]};
}

std::expected<TwoStates, TwoStatesError> readTwoStates(const QString& text) {
    static const QRegularExpression joiner(QStringLiteral("\\s*,\\s*"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList states =
        QString(text).replace(joiner, QStringLiteral(",")).split(blanks, Qt::SkipEmptyParts);
    if (states.size() != 2) {
        return std::unexpected(TwoStatesError{0, {PairProblem::NotTwo, {}}});
    }
    TwoStates pairs{};
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const auto pair = readPair(splitItems(states[static_cast<qsizetype>(k)]));
        if (!pair) {
            return std::unexpected(TwoStatesError{static_cast<int>(k) + 1, pair.error()});
        }
        pairs[k] = *pair;
    }
    return pairs;
}

std::expected<FullState, QString> solveState(const std::array<Given, 2>& pair,
                                             const chart::Settings& settings) {
    const auto value = [&](const Given& given) {
        return given.property == psychro::Property::i
                   ? chart::enthalpyFromShown(given.value, settings.units)
                   : given.value;
    };
    const psychro::PressureRatio ratio = settings.atmosphere.ratio;
    const auto state = psychro::solvePair(pair[0].property, value(pair[0]), pair[1].property,
                                          value(pair[1]), ratio);
    if (!state) {
        return std::unexpected(message(words::solveErrorText(state.error())));
    }
    auto full = completeState(*state, ratio);
    if (!full) {
        return std::unexpected(message(words::kNoAirState));
    }
    // Within a few tenths of 0 °C the balance has a root over water and one over ice; the wet
    // bulb given is the one its state was solved for, wherever the search lands.
    for (const Given& given : pair) {
        if (given.property == psychro::Property::tw &&
            std::fabs(full->tw - given.value) > kWetBulbRootSpread) {
            full->tw = given.value;
        }
    }
    return *full;
}

std::optional<FullState> completeState(psychro::AirState state,
                                       psychro::PressureRatio pressureRatio) {
    const chart::PointMm point = chart::statePoint(state.i, 1000.0 * state.x);
    if (!chart::withinReach(point)) {
        // As in the dialogs: a state metres off the chart is no air it is drawn for, and its
        // numbers could not be written rounded.
        return std::nullopt;
    }
    const psychro::StateProperties more = psychro::stateProperties(state.x, state.i, pressureRatio);
    const FullState full{state.x, state.i, more.t, more.tw, more.v, more.phi, point.X, point.Y};
    // Every value must be writable rounded as the table shows it: finite and, at its decimals,
    // below 2^52. A relative humidity of 5.8e24 % (t′ = 88 with v = 0.87) is no air either.
    const std::pair<double, int> shown[] = {{full.x, 5}, {full.i, 2},   {full.t, 2}, {full.tw, 2},
                                            {full.v, 3}, {full.phi, 2}, {full.X, 2}, {full.Y, 2}};
    for (const auto& [value, decimals] : shown) {
        if (!chart::roundable(value, decimals)) {
            return std::nullopt;
        }
    }
    return full;
}

QString pairErrorMessage(const PairError& error) {
    switch (error.problem) {
        case PairProblem::NotANumber:
            return message(words::kNotANumber);
        case PairProblem::SameTwice:
            return message(words::kSameTwice);
        case PairProblem::NotTwo:
            return message(words::kPairTextEmpty);
        case PairProblem::Malformed:
        case PairProblem::UnknownName:
            break;
    }
    return message(words::kUnknownName);
}

QString twoStatesErrorMessage(const TwoStatesError& error) {
    return error.state == 0 ? message(words::kTwoStates) : pairErrorMessage(error.pair);
}

}  // namespace cli
