// `milten-cli design cool|heat`: the option texts as typed (room, outdoor, loads, ratio, Δt,
// bypass, humidifier) at a fuzzed pressure and units, read, designed and written in every
// format. A design either comes back refused with a message, or holds the room's energy
// balance, writes every state as `state` would, and its JSON parses; the core is fuzzed with
// raw doubles too.
#include <nlohmann/json.hpp>

#include <QString>
#include <cmath>
#include <optional>
#include <string>

#include "cli/design_query.h"
#include "fuzz_cli_checks.h"
#include "psychro/air_handling.h"

namespace {

QString consumeText(FuzzedDataProvider& input) {
    const std::string s = input.ConsumeRandomLengthString(40);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void checkDesign(const psychro::AirHandlingDesign& d, const psychro::DesignLoads& loads,
                 bool cooling, const std::string& detail) {
    FUZZ_CHECK(d.airQuantity > 0.0 && std::isfinite(d.airQuantity), detail);
    FUZZ_CHECK(d.shf > 0.0 && d.shf <= 1.0, detail);
    const double balance = d.airQuantity * (d.room.i - d.supply.i) * (cooling ? 1.0 : -1.0);
    const double total = loads.sensible + loads.latent;
    FUZZ_CHECK(std::fabs(balance - total) <= 1e-6 * total, detail);
    FUZZ_CHECK(cooling == d.adp.has_value() && cooling != d.heated.has_value(), detail);
    if (d.bypassFactor) {
        FUZZ_CHECK(*d.bypassFactor >= 0.0 && *d.bypassFactor < 1.0 + 1e-9, detail);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool cooling = input.ConsumeBool();
    const bool raw = input.ConsumeBool();
    if (raw) {
        // The core alone: any doubles, on the two chart states of the worked designs.
        const psychro::DesignLoads loads{fuzz::rawDouble(input), fuzz::rawDouble(input),
                                         fuzz::rawDouble(input), fuzz::rawDouble(input)};
        const psychro::AirState room{input.ConsumeFloatingPointInRange(0.0, 0.03),
                                     input.ConsumeFloatingPointInRange(-5.0, 30.0)};
        const psychro::AirState outdoor{input.ConsumeFloatingPointInRange(0.0, 0.03),
                                        input.ConsumeFloatingPointInRange(-5.0, 30.0)};
        const double extra = fuzz::rawDouble(input);
        const psychro::PressureRatio pressure(input.ConsumeFloatingPointInRange(0.53, 1.07));
        const std::string detail = fuzz::show(loads.sensible, loads.latent) + " " +
                                   fuzz::show(loads.outdoorPercent, loads.supplyDifference) + " " +
                                   fuzz::show(extra);
        const auto d =
            cooling ? psychro::designCooling(
                          room, outdoor, loads,
                          {input.ConsumeBool() ? std::optional(extra) : std::nullopt}, pressure)
                    : psychro::designHeating(room, outdoor, loads,
                                             {psychro::Humidifier::WaterSpray, extra}, pressure);
        if (d) {
            checkDesign(*d, loads, cooling, detail);
        }
        return 0;
    }

    cli::DesignTexts texts;
    texts.room = consumeText(input);
    texts.outdoor = consumeText(input);
    texts.sensible = consumeText(input);
    texts.latent = consumeText(input);
    texts.outdoorRatio = consumeText(input);
    texts.supplyDifference = consumeText(input);
    if (input.ConsumeBool()) {
        texts.bypass = consumeText(input);
    }
    if (input.ConsumeBool()) {
        texts.humidifier = consumeText(input);
    }
    chart::Settings settings = chart::Settings::standard();
    settings.units = input.ConsumeBool() ? chart::Units::SI : chart::Units::Engineering;
    if (const auto atmosphere =
            psychro::atmosphereFromAltitude(input.ConsumeFloatingPointInRange(-500.0, 5000.0))) {
        settings.atmosphere = *atmosphere;
    }
    const std::string detail =
        (texts.room + " | " + texts.outdoor + " | " + texts.sensible + " | " + texts.latent +
         " | " + texts.outdoorRatio + " | " + texts.supplyDifference)
            .toStdString();
    const auto request =
        cli::readDesign(cooling ? cli::Season::Cooling : cli::Season::Heating, texts, settings);
    if (!request) {
        FUZZ_CHECK(!request.error().isEmpty(), detail);
        return 0;
    }
    const auto figures = cli::designFigures(*request, settings);
    if (!figures) {
        FUZZ_CHECK(!figures.error().isEmpty(), detail);
        return 0;
    }
    checkDesign(figures->design, request->loads, cooling, detail);
    for (const auto& state : figures->states) {
        if (state) {
            fuzz::checkFullState(*state, detail);
        }
    }
    FUZZ_CHECK(!cli::designOutput(*figures, cli::Format::Text, settings.units).isEmpty(), detail);
    FUZZ_CHECK(!cli::designOutput(*figures, cli::Format::Csv, settings.units).isEmpty(), detail);
    const std::string json =
        cli::designOutput(*figures, cli::Format::Json, settings.units).toStdString();
    FUZZ_CHECK(nlohmann::json::accept(json), detail + " -> " + json);
    return 0;
}
