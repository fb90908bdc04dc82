#include "cli/command.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <array>
#include <cstdio>
#include <expected>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/settings.h"
#include "cli/chart_output.h"
#include "cli/command_line.h"
#include "cli/data_command.h"
#include "cli/design_query.h"
#include "cli/humidify_query.h"
#include "cli/output_format.h"
#include "cli/process_query.h"
#include "cli/report_command.h"
#include "cli/state_query.h"
#include "data/data_layer.h"
#include "files/project_files.h"
#include "psychro/processes.h"
#include "render/japanese.h"
#include "words/messages.h"

namespace cli {
namespace {

constexpr double kDefaultDpi = 192.0;
constexpr double kMinDpi = 10.0;
constexpr double kMaxDpi = 1200.0;

// What --help says beside the commands' synopses and the options.
constexpr char kAbout[] =
    R"(Complete moist-air states at 760 mmHg (1.03323 kgf/cm2, or the pressure that --pressure
or --altitude gives) from two of their properties,
size a humidifier, mix two air streams, work out a cooling or heating load, or draw
the i-x chart with marked states to a PDF, SVG or PNG file.

Properties, in the units of the chart program:
  x    absolute humidity, kg/kg(DA)      i    enthalpy, kcal/kg(DA) (SI: kJ/kg(DA))
  t    dry-bulb temperature, °C          tw   wet-bulb temperature, °C
  v    specific volume, m3/kg(DA)        phi  relative humidity, %

'state' prints all six properties and the chart point X, Y (mm). Without NAME=VALUE
it reads one pair per line from standard input (blanks or commas between the items)
and writes one row per line, in order; a line without a state gets a row with empty
numbers and the reason in its 'error' field.

'humidify' sizes a steam or water-spray humidifier for the air that NAME=VALUE
gives (state 1), as the program's humidifying dialog does: the water L in kg/h
that brings G kg/h of that air to the relative humidity PHI, and the state after
humidifying, with the same columns as 'state' behind L. Without NAME=VALUE it
reads one state 1 per line from standard input, as 'state' does; the humidifier
and the humidity to reach are the same for every line.

'mix' and 'cool' take two states, STATE1 STATE2, each written NAME=VALUE,NAME=VALUE:
a comma inside a state, a blank between the two states, e.g.
  i=12,x=0.008 i=8,x=0.006
Without them they read two states per line from standard input, in the same form.
'mix' prints the mixing point of G1 kg/h of state 1 with G2 kg/h of state 2, with
the columns of 'state', as the program's mixing dialog finds it. 'cool' prints the
cooling load Q = (i1 - i2) G in kcal/h of G kg/h brought from state 1 to state 2,
as the cooling dialog does (negative when the air is heated).

'heat' heats G kg/h of the air that NAME=VALUE gives to T2 °C at its own humidity,
as the heating dialog does: the load Q = (i2 - i1) G in kcal/h (negative when T2 is
below the air's temperature), then the state after heating with the columns of
'state'. Without NAME=VALUE it reads one state per line, as 'state' does.

'data' reads measured or weather data: a logger's or a spreadsheet's CSV/TSV file
(UTF-8 or Shift-JIS; a header row naming two of 温度/temperature/t, 相対湿度/RH/phi,
絶対湿度/x, 湿球温度/tw and 露点温度/dew point, units such as 温度(℃) allowed) or an
EnergyPlus weather file (.epw: dry bulb, relative humidity and station pressure of
each hour). It prints the rows read, the rows refused (the first 20 with their line
numbers and why) and, for each --zone, the rows inside, their share and the hours
they stand for (an hour a row in a weather file; a logger's interval in a dated
file). A state on a zone's edge counts as inside. The CSV states are fixed at the
pressure of --pressure or --altitude. 'chart --data' draws the rows under the
chart's lines, as points or as hours per cell of 1 °C x 1 g/kg(DA), with the zones'
outlines and their names.

'design cool' and 'design heat' design the air handler of a room: from the room state
(--room) and the outdoor state (--outdoor), each PAIR written NAME=VALUE,NAME=VALUE,
the room's sensible and latent loads QS and QL in kcal/h (the heat and moisture it
gains in cooling, loses in heating), the outdoor-air share of the supply in % and
the supply temperature difference DT in K, they give the SHF, the supply state, the
air quantity in kg(DA)/h and the supply volume in m3/h, the mixed air, and for
cooling the apparatus dew point, the bypass factor, the coil load and the
dehumidified water (with --bypass=BF the coil leaves at the supply's humidity and
the air is reheated: the reheat load), for heating the heater load and the
humidifier's water (steam at the site's boiling point or 100 °C, or a water spray
at 15 °C, unless a temperature follows), and the outdoor-air load.
A design that cannot be made exits 1 with the reason on standard error.

The text format shows a load in whole kcal/h as the dialogs do; CSV and JSON give
every number in full.

With --units=si an enthalpy, given or written, is in kJ/kg(DA) and a load in kW (the
text format writes kW to 3 decimals); CSV and JSON keep their column names, and the
text format's unit row names the units in use. The humidifier's water stays in kg/h.

'chart' renders the chart by the program's own painter; the extension of FILE
chooses the format: .pdf (A4 landscape, 1 mm = 1 mm), .svg or .png.
)";
constexpr char kClosing[] = R"(
Exit status:
  0  if OK,
  1  if a line or a point gave no result (no air state, no humidifier size,
     no mixing point or no load),
  2  if the command line was wrong or the file could not be written.
  'chart' and 'report' exit 1 when the project file is refused.

Examples:
  milten-cli state t=20 phi=50
  milten-cli state --format=csv < measured.txt > states.csv
  milten-cli humidify --steam=100 --air=1000 --target=80 t=20 phi=50
  milten-cli humidify --water=15 --air=1000 --target=80 --format=csv < rooms.txt
  milten-cli mix --air1=1000 --air2=3000 i=12,x=0.008 i=8,x=0.006
  milten-cli cool --air=250 i=12,x=0.008 i=7,x=0.007
  milten-cli heat --air=1000 --to=30 t=20 phi=50
  milten-cli design cool --room=t=26,phi=50 --outdoor=t=33,phi=63 --sensible=10000
                         --latent=2000 --outdoor-ratio=25 --dt=10
  milten-cli chart -o chart.pdf --point t=20,phi=50 --point t=30,tw=25 --join
  milten-cli state --units=si --altitude=1500 t=20 phi=50
  milten-cli data --zone=range:t=17..28,phi=40..70 --zone=pmv:met=1.1,clo=0.5,vel=0.1 tokyo.epw
  milten-cli chart -o year.png --data=tokyo.epw --data-style=hours --zone=range:t=17..28,phi=40..70
  milten-cli report -o report.pdf work.milten
)";

// The one-line usage message for a pair given on the command line.
QString pairUsage(const PairError& error, const QString& where) {
    switch (error.problem) {
        case PairProblem::Malformed:
            return QStringLiteral("%1: expected NAME=VALUE, got %2").arg(where, quoted(error.item));
        case PairProblem::UnknownName:
            return QStringLiteral("%1: unknown property in %2 (names: x, i, t, tw, v, phi)")
                .arg(where, quoted(error.item));
        case PairProblem::NotANumber:
            return QStringLiteral("%1: not a number in %2").arg(where, quoted(error.item));
        case PairProblem::SameTwice:
            return QStringLiteral("%1: property given twice in %2").arg(where, quoted(error.item));
        case PairProblem::NotTwo:
            break;
    }
    return QStringLiteral("%1: give exactly two properties, NAME=VALUE NAME=VALUE").arg(where);
}

// What a command runs with.
struct Invocation {
    const CommandLine& line;
    QStringList rest;         // the arguments after the command's name
    chart::Settings display;  // of --units, --pressure and --altitude
    QString format;           // of --format, one of the command's formats
};

Format tableFormat(const Invocation& call) {
    return formatNamed(call.format).value_or(Format::Text);
}

// A refusal: the message and the status to exit with.
struct Refusal {
    QString message;
    int status = kUsage;
};

template <typename T>
using Checked = std::expected<T, Refusal>;

using cli::refuse;

int refuse(const Refusal& refusal) {
    return refuse(refusal.message, refusal.status);
}

// Text written whole to standard output, or the usage error that it could not be.
int written(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    if (std::ferror(stdout) != 0) {
        return refuse(QStringLiteral("cannot write to standard output"));
    }
    return kOk;
}

int finish(RowWriter& writer, bool anyFailed) {
    writer.end();
    if (!writer.ok()) {
        return refuse(QStringLiteral("cannot write to standard output"));
    }
    return anyFailed ? kSomeFailed : kOk;
}

// The numbers of the options a command needs, in order; the message of the first missing or
// unreadable one.
std::expected<std::vector<double>, QString> requiredNumbers(
    const CommandLine& line, std::string_view command,
    std::initializer_list<std::string_view> options) {
    std::vector<double> numbers;
    for (const std::string_view option : options) {
        const auto number = line.requiredNumber(option, command);
        if (!number) {
            return std::unexpected(number.error());
        }
        numbers.push_back(*number);
    }
    return numbers;
}

// An air quantity the dialog would refuse, in its words.
QString airUsage(const CommandLine& line, std::string_view option, std::string_view command) {
    return QStringLiteral("%1: --%2=%3: ")
               .arg(QLatin1StringView(command), QLatin1StringView(option), line.value(option)) +
           message(words::kGiveAirQuantity);
}

// How a command reads its states: one pair (state, humidify, heat) or two states (mix, cool).
template <typename States>
struct StatesReader {
    // The states on the command line, or the usage message why they are none.
    std::function<std::expected<States, QString>(const QStringList& items)> fromArguments;
    // The states of one line of standard input, or the message of its failed row.
    std::function<std::expected<States, QString>(const QString& line)> fromLine;
};

StatesReader<std::array<Given, 2>> onePair(const QString& command) {
    using Result = std::expected<std::array<Given, 2>, QString>;
    return {[command](const QStringList& items) -> Result {
                const auto pair = readPair(items);
                if (!pair) {
                    return std::unexpected(pairUsage(pair.error(), command));
                }
                return *pair;
            },
            [](const QString& line) -> Result {
                const auto pair = readPair(splitItems(line));
                if (!pair) {
                    return std::unexpected(pairErrorMessage(pair.error()));
                }
                return *pair;
            }};
}

QString twoStatesUsage(const TwoStatesError& error, const QString& command) {
    if (error.state == 0) {
        return QStringLiteral("%1: give two states, NAME=VALUE,NAME=VALUE NAME=VALUE,NAME=VALUE")
            .arg(command);
    }
    const QString where = QStringLiteral("%1: state %2").arg(command).arg(error.state);
    if (error.pair.problem == PairProblem::NotTwo) {
        return QStringLiteral("%1: give exactly two properties, NAME=VALUE,NAME=VALUE").arg(where);
    }
    return pairUsage(error.pair, where);
}

StatesReader<TwoStates> twoStates(const QString& command) {
    using Result = std::expected<TwoStates, QString>;
    return {[command](const QStringList& items) -> Result {
                const auto states = readTwoStates(items.join(QLatin1Char(' ')));
                if (!states) {
                    return std::unexpected(twoStatesUsage(states.error(), command));
                }
                return *states;
            },
            [](const QString& line) -> Result {
                const auto states = readTwoStates(line);
                if (!states) {
                    return std::unexpected(twoStatesErrorMessage(states.error()));
                }
                return *states;
            }};
}

// The row for the states on the command line or, without them, a row for each line of
// standard input, in order.
template <typename States, typename RowOf>
int writeRows(const Invocation& call, Table table, const StatesReader<States>& reader,
              const RowOf& rowOf) {
    const Format format = tableFormat(call);
    const chart::Units units = call.display.units;
    if (!call.rest.isEmpty()) {
        // States on the command line must be right before anything is written.
        const auto states = reader.fromArguments(call.rest);
        if (!states) {
            return refuse(states.error());
        }
        RowWriter writer(format, false, table, units);
        const Row row = rowOf(*states);
        writer.begin();
        writer.write(row);
        return finish(writer, !row.error.isEmpty());
    }

    RowWriter writer(format, true, table, units);
    writer.begin();
    bool anyFailed = false;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();  // a file saved with CR LF line ends
        }
        const auto states = reader.fromLine(QString::fromStdString(line));
        const Row row = states ? rowOf(*states) : Row{std::nullopt, states.error()};
        anyFailed = anyFailed || !row.error.isEmpty();
        writer.write(row);
    }
    return finish(writer, anyFailed);
}

int runState(const Invocation& call) {
    const chart::Settings& display = call.display;
    return writeRows(call, Table::State, onePair(QStringLiteral("state")),
                     [&display](const std::array<Given, 2>& pair) {
                         const auto state = solveState(pair, display);
                         return state ? Row{*state, {}} : Row{std::nullopt, state.error()};
                     });
}

int runHumidify(const Invocation& call) {
    const CommandLine& line = call.line;
    const bool steam = line.isSet("steam");
    if (steam == line.isSet("water")) {
        return refuse(QStringLiteral("humidify: give one humidifier, --steam=TS or --water=TW"));
    }
    const auto numbers =
        requiredNumbers(line, "humidify", {steam ? "steam" : "water", "air", "target"});
    if (!numbers) {
        return refuse(numbers.error());
    }
    const HumidifierSettings settings{
        steam ? psychro::Humidifier::Steam : psychro::Humidifier::WaterSpray, (*numbers)[0],
        (*numbers)[1], (*numbers)[2]};
    const chart::Settings& display = call.display;
    // What no state 1 can mend is a mistake of the command line: refused before any row, in
    // the dialog's words.
    if (const auto refused = psychro::humidifierError(settings.airKgPerHour, settings.kind,
                                                      settings.waterTemperature, settings.targetPhi,
                                                      display.atmosphere.ratio)) {
        return refuse(
            QStringLiteral("humidify: ") +
            message(words::humidifyErrorMessage(*refused, display.atmosphere.ratio).c_str()));
    }
    return writeRows(
        call, Table::Humidify, onePair(QStringLiteral("humidify")),
        [&](const std::array<Given, 2>& pair) { return humidifyRow(settings, pair, display); });
}

// Stream 1's quantity is kept in single precision and must be above 0 there, as the dialog
// keeps its point 1; stream 2's is only read.
int runMix(const Invocation& call) {
    const auto numbers = requiredNumbers(call.line, "mix", {"air1", "air2"});
    if (!numbers) {
        return refuse(numbers.error());
    }
    const auto first = psychro::keptAirQuantity((*numbers)[0]);
    if (!first) {
        return refuse(airUsage(call.line, "air1", "mix"));
    }
    if (!((*numbers)[1] > 0.0)) {
        return refuse(airUsage(call.line, "air2", "mix"));
    }
    const MixSettings settings{*first, (*numbers)[1]};
    return writeRows(
        call, Table::State, twoStates(QStringLiteral("mix")),
        [&](const TwoStates& states) { return mixRow(settings, states, call.display); });
}

// The load is computed with the air quantity of state 1, kept as the dialog keeps it.
int runCool(const Invocation& call) {
    const auto air = call.line.requiredNumber("air", "cool");
    if (!air) {
        return refuse(air.error());
    }
    const auto kept = psychro::keptAirQuantity(*air);
    if (!kept) {
        return refuse(airUsage(call.line, "air", "cool"));
    }
    return writeRows(call, Table::Cool, twoStates(QStringLiteral("cool")),
                     [kept = *kept, &call](const TwoStates& states) {
                         return coolRow(kept, states, call.display);
                     });
}

// An air quantity of 0 is an empty duct with no load, as in the dialog.
int runHeat(const Invocation& call) {
    const auto numbers = requiredNumbers(call.line, "heat", {"air", "to"});
    if (!numbers) {
        return refuse(numbers.error());
    }
    if ((*numbers)[0] < 0.0) {
        return refuse(airUsage(call.line, "air", "heat"));
    }
    const HeatSettings settings{(*numbers)[0], (*numbers)[1]};
    return writeRows(
        call, Table::Heat, onePair(QStringLiteral("heat")),
        [&](const std::array<Given, 2>& pair) { return heatRow(settings, pair, call.display); });
}

// The zones of --zone, the encoding and columns of --encoding and --columns, the months and
// hours of --months and --hours, and the file.
struct DataOptions {
    std::vector<data::Zone> zones;
    DataRequest request;
};

std::expected<DataOptions, QString> dataOptions(const CommandLine& line, const QString& path) {
    DataOptions out;
    out.request.path = path;
    for (const QString& text : line.values("zone")) {
        auto zone = zoneOption(text);
        if (!zone) {
            return std::unexpected(zone.error());
        }
        out.zones.push_back(std::move(*zone));
    }
    const auto encoding = line.single("encoding");
    const auto columns = line.single("columns");
    if (!encoding || !columns) {
        return std::unexpected(!encoding ? encoding.error() : columns.error());
    }
    if (*encoding) {
        const auto e = encodingOption(**encoding);
        if (!e) {
            return std::unexpected(e.error());
        }
        out.request.encoding = *e;
    }
    for (const auto& [option, count] : {std::pair{"months", 12}, {"hours", 24}}) {
        const auto text = line.single(option);
        if (!text) {
            return std::unexpected(text.error());
        }
        if (!*text) {
            continue;
        }
        const auto bits = timeRangeOption(**text, count);
        if (!bits) {
            return std::unexpected(
                QStringLiteral("--%1 takes FIRST..LAST, %2, not %3")
                    .arg(QLatin1StringView(option),
                         QLatin1StringView(count == 12 ? "months 1 to 12" : "hours 0 to 23"),
                         quoted(**text)));
        }
        if (count == 12) {
            out.request.filter.months = static_cast<std::uint16_t>(*bits);
        } else {
            out.request.filter.hours = *bits;
        }
    }
    const auto order = line.single("date-order");
    if (!order) {
        return std::unexpected(order.error());
    }
    if (*order) {
        const auto o = dateOrderOption(**order);
        if (!o) {
            return std::unexpected(o.error());
        }
        out.request.dateOrder = *o;
    }
    if (*columns) {
        const auto c = columnsOption(**columns);
        if (!c) {
            return std::unexpected(c.error());
        }
        out.request.columns = *c;
    }
    return out;
}

int runData(const Invocation& call) {
    if (call.rest.size() != 1) {
        return refuse(QStringLiteral("data: give one data file (CSV, TSV or .epw)"));
    }
    const auto chosen = dataOptions(call.line, call.rest.constFirst());
    if (!chosen) {
        return refuse(chosen.error());
    }
    const auto loaded = loadData(chosen->request, call.display);
    if (!loaded) {
        return refuse(loaded.error(), kSomeFailed);
    }
    if (!writeDataReport(*loaded, chosen->zones, tableFormat(call), call.display)) {
        return refuse(QStringLiteral("cannot write to standard output"));
    }
    return kOk;
}

// One design, cooling or heating, from the options; no batch.
int runDesign(const Invocation& call) {
    const QStringList& rest = call.rest;
    if (rest.size() != 1 || (rest.constFirst() != QLatin1StringView("cool") &&
                             rest.constFirst() != QLatin1StringView("heat"))) {
        return refuse(QStringLiteral("design: give cool or heat, and the states as options"));
    }
    const Season season =
        rest.constFirst() == QLatin1StringView("cool") ? Season::Cooling : Season::Heating;
    DesignTexts texts;
    const std::pair<std::string_view, QString*> required[] = {
        {"room", &texts.room},
        {"outdoor", &texts.outdoor},
        {"sensible", &texts.sensible},
        {"latent", &texts.latent},
        {"outdoor-ratio", &texts.outdoorRatio},
        {"dt", &texts.supplyDifference}};
    for (const auto& [option, text] : required) {
        const auto value = call.line.required(option, "design");
        if (!value) {
            return refuse(value.error());
        }
        *text = *value;
    }
    for (const auto& [option, text] :
         {std::pair{"bypass", &texts.bypass}, {"humidifier", &texts.humidifier}}) {
        const auto value = call.line.single(option);
        if (!value) {
            return refuse(value.error());
        }
        *text = *value;
    }
    const auto request = readDesign(season, texts, call.display);
    if (!request) {
        return refuse(request.error());
    }
    const auto figures = designFigures(*request, call.display);
    if (!figures) {
        return refuse(QStringLiteral("design: ") + figures.error(), kSomeFailed);
    }
    return written(designOutput(*figures, tableFormat(call), call.display.units).toUtf8());
}

// A project file (.milten) given instead of --point: its marks and its data. The file is
// opened once, by the reader; one that is not there or cannot be read at all is a mistake of
// the command line, one whose contents are refused is a failure.
Checked<std::optional<files::ProjectContents>> chartProject(const Invocation& call) {
    if (call.rest.isEmpty()) {
        return std::nullopt;
    }
    const QString& file = call.rest.constFirst();
    if (call.rest.size() > 1 || !file.endsWith(QStringLiteral(".milten"), Qt::CaseInsensitive) ||
        call.line.isSet("point")) {
        return std::unexpected(Refusal{
            QStringLiteral("chart: unexpected argument %1 (points go with --point, or give one "
                           ".milten file)")
                .arg(quoted(call.rest.size() > 1 ? call.rest.at(1) : file))});
    }
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) {
        return std::unexpected(Refusal{QStringLiteral("chart: cannot read %1").arg(quoted(file))});
    }
    auto contents = files::readProjectFile(file);
    if (!contents) {
        return std::unexpected(Refusal{contents.error(), kSomeFailed});
    }
    return std::optional(std::move(*contents));
}

// The file to write, its kind and, for a PNG, its resolution.
struct ChartTarget {
    QString path;
    ImageKind kind;
    double dotsPerInch;
};

Checked<ChartTarget> chartTarget(const CommandLine& line) {
    const auto refused = [](const QString& text) { return std::unexpected(Refusal{text}); };
    if (!line.isSet("output")) {
        return refused(QStringLiteral("chart: the output file is missing (-o FILE)"));
    }
    const QStringList outputs = line.values("output");
    if (outputs.size() > 1) {
        return refused(QStringLiteral("chart: give one output file"));
    }
    const QString path = outputs.constFirst();
    const auto kind = imageKindOf(path);
    if (!kind) {
        return refused(QStringLiteral("chart: unknown extension of %1 (.pdf, .svg or .png)")
                           .arg(quoted(path)));
    }
    double dpi = kDefaultDpi;
    if (line.isSet("dpi")) {
        const auto given = readNumber(line.value("dpi"));
        if (!given || !(*given >= kMinDpi && *given <= kMaxDpi)) {
            return refused(QStringLiteral("chart: --dpi takes a number from 10 to 1200, not %1")
                               .arg(quoted(line.value("dpi"))));
        }
        dpi = *given;
    }
    return ChartTarget{path, *kind, dpi};
}

// The pairs of --point, in order.
Checked<std::vector<std::array<Given, 2>>> pointPairs(const CommandLine& line) {
    std::vector<std::array<Given, 2>> pairs;
    for (const QString& point : line.values("point")) {
        const auto pair = readPair(splitItems(point));
        if (!pair) {
            return std::unexpected(
                Refusal{pairUsage(pair.error(), QStringLiteral("--point %1").arg(point))});
        }
        pairs.push_back(*pair);
    }
    return pairs;
}

// The data of --data and the zones of --zone under the chart, read at the pressure the chart
// is drawn for; none without either.
struct ChartData {
    std::optional<LoadedData> loaded;
    std::vector<data::Zone> zones;
    bool hours = false;  // --data-style=hours
};

Checked<ChartData> chartData(const CommandLine& line, const chart::Settings& drawnAt) {
    const auto refused = [](const QString& text) { return std::unexpected(Refusal{text}); };
    const auto dataFile = line.single("data");
    if (!dataFile) {
        return refused(QStringLiteral("chart: ") + dataFile.error());
    }
    const QString style = line.value("data-style");
    if (line.isSet("data-style") && style != QLatin1StringView("points") &&
        style != QLatin1StringView("hours")) {
        return refused(
            QStringLiteral("chart: unknown --data-style %1 (points or hours)").arg(quoted(style)));
    }
    const bool dataOnly = line.isSet("data-style") || line.isSet("encoding") ||
                          line.isSet("columns") || line.isSet("months") || line.isSet("hours") ||
                          line.isSet("date-order");
    if (dataOnly && !*dataFile) {
        return refused(QStringLiteral(
            "chart: --data-style, --encoding, --columns, --date-order, --months and --hours go "
            "with --data"));
    }
    ChartData out;
    out.hours = style == QLatin1StringView("hours");
    if (!line.isSet("zone") && !*dataFile) {
        return out;
    }
    const auto chosen = dataOptions(line, dataFile->value_or(QString{}));
    if (!chosen) {
        return refused(QStringLiteral("chart: ") + chosen.error());
    }
    out.zones = chosen->zones;
    if (!*dataFile) {
        out.loaded = LoadedData{};  // zones alone
        return out;
    }
    auto read = loadData(chosen->request, drawnAt);
    if (!read) {
        return std::unexpected(Refusal{read.error(), kSomeFailed});
    }
    out.loaded = std::move(*read);
    return out;
}

int runChart(const Invocation& call) {
    const CommandLine& line = call.line;
    const chart::Settings& display = call.display;
    auto project = chartProject(call);
    if (!project) {
        return refuse(project.error());
    }
    const auto target = chartTarget(line);
    if (!target) {
        return refuse(target.error());
    }
    const auto pairs = pointPairs(line);
    if (!pairs) {
        return refuse(pairs.error());
    }
    if (const auto writable = checkWritable(target->path); !writable) {
        return refuse(QStringLiteral("chart: ") + writable.error());
    }
    // A project is drawn at the units and pressure it was saved under; an option overrides only
    // what it names (--units the units, --pressure or --altitude the pressure).
    const std::optional<chart::Settings> saved =
        *project ? (*project)->work.settings : std::nullopt;
    chart::Settings drawnAt = saved.value_or(display);
    if (line.isSet("units")) {
        drawnAt.units = display.units;
    }
    if (line.isSet("pressure") || line.isSet("altitude")) {
        drawnAt.atmosphere = display.atmosphere;
    }
    auto underChart = chartData(line, drawnAt);
    if (!underChart) {
        return refuse(underChart.error());
    }

    std::vector<chart::PointMm> marks;
    const QStringList points = line.values("point");
    for (std::size_t k = 0; k < pairs->size(); ++k) {
        const auto state = solveState((*pairs)[k], display);
        if (!state) {
            // Nothing is drawn with a point missing: the numbering would be wrong.
            return refuse(QStringLiteral("--point %1: %2")
                              .arg(points[static_cast<qsizetype>(k)], state.error()),
                          kSomeFailed);
        }
        marks.push_back({state->X, state->Y});
    }

    // The work's own data first, then the file given with --data over it; the work's zones
    // with those of --zone.
    data::DataPart shownData = *project ? (*project)->data : data::DataPart{};
    std::vector<data::Zone> zones = shownData.zones;
    if (underChart->loaded) {
        shownData.layers.push_back(dataLayer(*underChart->loaded, underChart->hours));
    }
    const render::Underlay underlay = partUnderlay(shownData, drawnAt.atmosphere.ratio);
    zones.insert(zones.end(), underChart->zones.begin(), underChart->zones.end());
    const OverChart overChart =
        zones.empty() ? OverChart{} : [&zones, &drawnAt](chart::Picture& picture) {
            data::drawZones(picture, zones, drawnAt.atmosphere.ratio);
        };
    const auto drawn =
        writeChart(*project ? chartWithWork((*project)->work, drawnAt, zones)
                            : chartWithPoints(marks, line.isSet("join"), display, overChart),
                   drawnAt, target->path, target->kind, target->dotsPerInch, underlay);
    if (!drawn) {
        return refuse(QStringLiteral("chart: ") + drawn.error());
    }
    return kOk;
}

int runReportCommand(const Invocation& call) {
    const CommandLine& line = call.line;
    return runReport({.outputs = line.values("output"),
                      .formats = line.values("format"),
                      .files = call.rest,
                      .display = call.display,
                      .unitsGiven = line.isSet("units"),
                      .pressureGiven = line.isSet("pressure") || line.isSet("altitude")});
}

// Where a command runs: in a core application, or in a GUI application with the program's
// Japanese fonts (a picture or a laid-out text needs them).
enum class Application { Core, Gui };

// One command: its name, its lines in the synopsis of --help (after "milten-cli "; a line that
// starts with a blank goes on with the one above), the formats --format takes for it (the first
// the default; none where it takes no --format) and what runs it. Its options are those that
// name it (command_line.cpp).
struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::string_view formats;
    Application application;
    int (*run)(const Invocation&);
};

constexpr std::string_view kTableFormats = "text csv json";

constexpr std::array kCommands{
    Command{"state", "state [--format=FORMAT] [NAME=VALUE NAME=VALUE]", kTableFormats,
            Application::Core, runState},
    Command{"humidify",
            "humidify (--steam=TS | --water=TW) --air=G --target=PHI\n"
            "                           [--format=FORMAT] [NAME=VALUE NAME=VALUE]",
            kTableFormats, Application::Core, runHumidify},
    Command{"mix", "mix --air1=G1 --air2=G2 [--format=FORMAT] [STATE1 STATE2]", kTableFormats,
            Application::Core, runMix},
    Command{"cool", "cool --air=G [--format=FORMAT] [STATE1 STATE2]", kTableFormats,
            Application::Core, runCool},
    Command{"heat", "heat --air=G --to=T2 [--format=FORMAT] [NAME=VALUE NAME=VALUE]", kTableFormats,
            Application::Core, runHeat},
    Command{"design",
            "design cool|heat --room=PAIR --outdoor=PAIR --sensible=QS\n"
            "                           --latent=QL --outdoor-ratio=PERCENT --dt=DT\n"
            "                           [--bypass=BF | --humidifier=steam[:TS]|spray[:TW]]\n"
            "                           [--format=FORMAT]",
            kTableFormats, Application::Core, runDesign},
    Command{"chart",
            "chart -o FILE [--point=NAME=VALUE,NAME=VALUE]... [--join] [--dpi=N]\n"
            "chart -o FILE [--dpi=N] PROJECT.milten",
            "", Application::Gui, runChart},
    // The data drawn on the chart is shown beside the command that reads it.
    Command{"data",
            "data [--zone=ZONE]... [--format=FORMAT] FILE\n"
            "chart -o FILE --data=FILE [--data-style=STYLE] [--zone=ZONE]...",
            kTableFormats, Application::Core, runData},
    // Its --format (pdf or html, else by the file's extension) is the report's to read.
    Command{"report", "report -o FILE [--format=pdf|html] PROJECT.milten", "", Application::Gui,
            runReportCommand},
};

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString helpText() {
    QString out;
    for (const Command& command : kCommands) {
        for (const QString& line : text(command.synopsis).split(QLatin1Char('\n'))) {
            out += line.startsWith(QLatin1Char(' ')) ? line
                   : out.isEmpty()                   ? QStringLiteral("Usage: milten-cli ") + line
                                                     : QStringLiteral("  or:  milten-cli ") + line;
            out += QLatin1Char('\n');
        }
    }
    return out + QString::fromUtf8(kAbout) + QStringLiteral("\nOptions:\n") + optionsHelp() +
           QString::fromUtf8(kClosing);
}

}  // namespace

int run(int argc, char** argv) {
    // Standard error carries the program's own messages only, not Qt's notes about the
    // environment (a missing runtime folder, say).
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "milten-cli: %s\n", text.toUtf8().constData());
        }
    });
    QStringList arguments;
    for (int k = 0; k < argc; ++k) {
        arguments << QString::fromLocal8Bit(argv[k]);
    }
    CommandLine line;
    if (const auto parsed = line.parse(arguments); !parsed) {
        return refuse(parsed.error());
    }
    if (line.isSet("help")) {
        std::fputs(helpText().toUtf8().constData(), stdout);
        return kOk;
    }
    if (line.isSet("version")) {
        std::printf("milten-cli %s\n", MILTEN_VERSION);
        return kOk;
    }
    QStringList names;
    for (const Command& command : kCommands) {
        names << text(command.name);
    }
    QStringList rest = line.positional();
    if (rest.isEmpty()) {
        return refuse(QStringLiteral("missing command (%1); see 'milten-cli --help'")
                          .arg(listed(names, QLatin1StringView("or"))));
    }
    const QString name = rest.takeFirst();
    const Command* command = nullptr;
    for (const Command& candidate : kCommands) {
        command = name == text(candidate.name) ? &candidate : command;
    }
    if (command == nullptr) {
        return refuse(QStringLiteral("unknown command %1 (%2)")
                          .arg(quoted(name), listed(names, QLatin1StringView("or"))));
    }
    if (const auto stray = line.strayOption(command->name)) {
        return refuse(*stray);
    }
    const auto display = line.settings();
    if (!display) {
        return refuse(display.error());
    }
    QString format;
    if (!command->formats.empty()) {
        const auto chosen = line.format(command->formats);
        if (!chosen) {
            return refuse(chosen.error());
        }
        format = *chosen;
    }
    const Invocation call{line, rest, *display, format};
    if (command->application == Application::Gui) {
        // Offscreen unless the caller chose a platform: no display is needed. Qt reads none of
        // the command's own arguments.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        int guiArgc = 1;
        char program[] = "milten-cli";
        char* guiArgv[] = {program, nullptr};
        QGuiApplication application(guiArgc, guiArgv);
        render::installJapanese(application);
        return command->run(call);
    }
    QCoreApplication application(argc, argv);
    return command->run(call);
}

}  // namespace cli
