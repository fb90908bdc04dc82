#include "cli/command.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <expected>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/pressure_text.h"
#include "chart/settings.h"
#include "cli/chart_output.h"
#include "cli/data_command.h"
#include "cli/design_query.h"
#include "cli/humidify_query.h"
#include "cli/output_format.h"
#include "cli/process_query.h"
#include "cli/state_query.h"
#include "data/data_layer.h"
#include "psychro/processes.h"
#include "render/japanese.h"
#include "render/project_files.h"
#include "words/messages.h"

namespace cli {
namespace {

constexpr int kOk = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsage = 2;
constexpr double kDefaultDpi = 192.0;
constexpr double kMinDpi = 10.0;
constexpr double kMaxDpi = 1200.0;

constexpr char kHelp[] = R"(Usage: milten-cli state [--format=FORMAT] [NAME=VALUE NAME=VALUE]
  or:  milten-cli humidify (--steam=TS | --water=TW) --air=G --target=PHI
                           [--format=FORMAT] [NAME=VALUE NAME=VALUE]
  or:  milten-cli mix --air1=G1 --air2=G2 [--format=FORMAT] [STATE1 STATE2]
  or:  milten-cli cool --air=G [--format=FORMAT] [STATE1 STATE2]
  or:  milten-cli heat --air=G --to=T2 [--format=FORMAT] [NAME=VALUE NAME=VALUE]
  or:  milten-cli design cool|heat --room=PAIR --outdoor=PAIR --sensible=QS
                           --latent=QL --outdoor-ratio=PERCENT --dt=DT
                           [--bypass=BF | --humidifier=steam[:TS]|spray[:TW]]
                           [--format=FORMAT]
  or:  milten-cli chart -o FILE [--point=NAME=VALUE,NAME=VALUE]... [--join] [--dpi=N]
  or:  milten-cli chart -o FILE [--dpi=N] PROJECT.milten
  or:  milten-cli data [--zone=ZONE]... [--format=FORMAT] FILE
  or:  milten-cli chart -o FILE --data=FILE [--data-style=STYLE] [--zone=ZONE]...
Complete moist-air states at 760 mmHg (1.03323 kgf/cm2, or the pressure that --pressure
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

Options:
      --format=FORMAT   output of 'state', 'humidify', 'mix', 'cool' and 'heat':
                        text (default), csv or json
      --steam=TS        humidify with steam at TS °C (100 or more; 100 is usual)
      --water=TW        humidify with a water spray at TW °C (0 to 100), evaporated
                        completely
      --air=G           air quantity, kg/h (above 0; for 'heat' 0 or more)
      --target=PHI      relative humidity after humidifying, % (above that of
                        state 1, at most 100)
      --air1=G1         air quantity of state 1 in a mixing, kg/h (above 0)
      --air2=G2         air quantity of state 2 in a mixing, kg/h (above 0)
      --to=T2           temperature after heating, °C
      --room=PAIR       room state of a design, e.g. t=26,phi=50
      --outdoor=PAIR    outdoor state of a design, e.g. t=33,phi=63
      --sensible=QS     room sensible load, kcal/h (SI: kW), above 0
      --latent=QL       room latent load, kcal/h (SI: kW), 0 or more
      --outdoor-ratio=PERCENT
                        outdoor air in the supply, % (0 to 100)
      --dt=DT           supply temperature difference, K (0.01 or more)
      --bypass=BF       cooling with reheat at the coil's bypass factor (0 to below 1)
      --humidifier=KIND heating's humidifier: steam[:TS] or spray[:TW]
  -o, --output=FILE     the chart file to write
      --point=PAIR      mark the state PAIR (NAME=VALUE,NAME=VALUE); repeat for more
      --join            join the marked points in order
      --dpi=N           resolution of a PNG in dots per inch, 10 to 1200 (default 192)
      --data=FILE       draw the data of FILE on the chart (see 'data')
      --data-style=STYLE  points (default) or hours (hours per cell, with a legend)
      --zone=ZONE       a zone to count or draw; repeat for more:
                          range:t=LOW..HIGH,phi=LOW..HIGH  (or x=LOW..HIGH, kg/kg(DA))
                          pmv:met=M,clo=C,vel=V[,tr=T][,limit=L]  (|PMV| <= L, 0.5
                          unless given; tr the mean radiant temperature, the air's
                          own unless given)
      --encoding=ENC    of a CSV file whose encoding cannot be told: utf-8 or shift-jis
      --columns=LIST    the columns of a CSV file whose names are not recognised, from
                        1: t=N,phi=N[,x=N][,tw=N][,dew=N][,date=N][,time=N][,header=LINE]
                        (header=0: the file has no header row)
      --months=M1..M2   keep the rows of these months of a dated file (1-12; 12..2 is
                        December to February)
      --hours=H1..H2    keep the rows of these hours of the day (0-23; 9..17 is 9:00
                        to 17:59, 22..5 the night)
      --units=UNITS     engineering (default: kcal/kg(DA), kcal/h) or si (kJ/kg(DA), kW)
      --pressure=P      the atmospheric pressure with its unit: 700mmHg or 93.3kPa,
                        405.2 to 806.1 mmHg (54.02 to 107.47 kPa); default 760mmHg
      --altitude=METRES the pressure of the standard atmosphere at METRES above sea
                        level, -500 to 5000
  -h, --help            display this help and exit
      --version         output version information and exit

Exit status:
  0  if OK,
  1  if a line or a point gave no result (no air state, no humidifier size,
     no mixing point or no load),
  2  if the command line was wrong or the file could not be written.

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
)";

// A usage error: one line on standard error.
int usage(const QString& text) {
    std::fprintf(stderr, "milten-cli: %s\n", text.toUtf8().constData());
    return kUsage;
}

QString quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

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

struct Options {
    QCommandLineOption format{QStringLiteral("format"), {}, QStringLiteral("FORMAT")};
    QCommandLineOption output{
        {QStringLiteral("o"), QStringLiteral("output")}, {}, QStringLiteral("FILE")};
    QCommandLineOption point{QStringLiteral("point"), {}, QStringLiteral("PAIR")};
    QCommandLineOption join{QStringLiteral("join")};
    QCommandLineOption dpi{QStringLiteral("dpi"), {}, QStringLiteral("N")};
    QCommandLineOption steam{QStringLiteral("steam"), {}, QStringLiteral("TS")};
    QCommandLineOption water{QStringLiteral("water"), {}, QStringLiteral("TW")};
    QCommandLineOption air{QStringLiteral("air"), {}, QStringLiteral("G")};
    QCommandLineOption target{QStringLiteral("target"), {}, QStringLiteral("PHI")};
    QCommandLineOption air1{QStringLiteral("air1"), {}, QStringLiteral("G1")};
    QCommandLineOption air2{QStringLiteral("air2"), {}, QStringLiteral("G2")};
    QCommandLineOption to{QStringLiteral("to"), {}, QStringLiteral("T2")};
    QCommandLineOption room{QStringLiteral("room"), {}, QStringLiteral("PAIR")};
    QCommandLineOption outdoor{QStringLiteral("outdoor"), {}, QStringLiteral("PAIR")};
    QCommandLineOption sensible{QStringLiteral("sensible"), {}, QStringLiteral("QS")};
    QCommandLineOption latent{QStringLiteral("latent"), {}, QStringLiteral("QL")};
    QCommandLineOption outdoorRatio{QStringLiteral("outdoor-ratio"), {}, QStringLiteral("PERCENT")};
    QCommandLineOption dt{QStringLiteral("dt"), {}, QStringLiteral("DT")};
    QCommandLineOption bypass{QStringLiteral("bypass"), {}, QStringLiteral("BF")};
    QCommandLineOption humidifier{QStringLiteral("humidifier"), {}, QStringLiteral("KIND")};
    QCommandLineOption units{QStringLiteral("units"), {}, QStringLiteral("UNITS")};
    QCommandLineOption pressure{QStringLiteral("pressure"), {}, QStringLiteral("P")};
    QCommandLineOption altitude{QStringLiteral("altitude"), {}, QStringLiteral("METRES")};
    QCommandLineOption data{QStringLiteral("data"), {}, QStringLiteral("FILE")};
    QCommandLineOption dataStyle{QStringLiteral("data-style"), {}, QStringLiteral("STYLE")};
    QCommandLineOption zone{QStringLiteral("zone"), {}, QStringLiteral("ZONE")};
    QCommandLineOption encoding{QStringLiteral("encoding"), {}, QStringLiteral("ENC")};
    QCommandLineOption columns{QStringLiteral("columns"), {}, QStringLiteral("LIST")};
    QCommandLineOption months{QStringLiteral("months"), {}, QStringLiteral("M1..M2")};
    QCommandLineOption hours{QStringLiteral("hours"), {}, QStringLiteral("H1..H2")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{QStringLiteral("version")};
};

int finish(RowWriter& writer, bool anyFailed) {
    writer.end();
    if (!writer.ok()) {
        return usage(QStringLiteral("cannot write to standard output"));
    }
    return anyFailed ? kSomeFailed : kOk;
}

// Which commands take each option; --help and --version go with any.
std::vector<std::pair<const QCommandLineOption*, QStringList>> owners(const Options& o) {
    const QStringList tables{"state", "humidify", "mix", "cool", "heat", "data", "design"};
    const QStringList design{"design"};
    const QStringList chart{"chart"};
    const QStringList withData{"data", "chart"};
    return {
        {&o.format, tables},      {&o.output, chart},        {&o.point, chart},
        {&o.join, chart},         {&o.dpi, chart},           {&o.steam, {"humidify"}},
        {&o.water, {"humidify"}}, {&o.target, {"humidify"}}, {&o.air, {"humidify", "cool", "heat"}},
        {&o.air1, {"mix"}},       {&o.air2, {"mix"}},        {&o.to, {"heat"}},
        {&o.data, chart},         {&o.dataStyle, chart},     {&o.zone, withData},
        {&o.encoding, withData},  {&o.columns, withData},    {&o.months, withData},
        {&o.hours, withData},     {&o.room, design},         {&o.outdoor, design},
        {&o.sensible, design},    {&o.latent, design},       {&o.outdoorRatio, design},
        {&o.dt, design},          {&o.bypass, design},       {&o.humidifier, design},
    };
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList& names) {
    if (names.size() < 2) {
        return names.join(QString{});
    }
    return names.first(names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           names.constLast();
}

// The usage message for the first option set that `command` does not take.
std::optional<QString> strayOption(const QCommandLineParser& parser, const Options& options,
                                   const QString& command) {
    for (const auto& [option, commands] : owners(options)) {
        if (parser.isSet(*option) && !commands.contains(command)) {
            return QStringLiteral("--%1 belongs to the %2 command%3")
                .arg(option->names().constLast(), listed(commands),
                     QLatin1String(commands.size() > 1 ? "s" : ""));
        }
    }
    return std::nullopt;
}

std::expected<Format, QString> chosenFormat(const QCommandLineParser& parser,
                                            const Options& options) {
    const auto format = formatNamed(parser.value(options.format));
    if (parser.isSet(options.format) && !format) {
        return std::unexpected(QStringLiteral("unknown format %1 (text, csv or json)")
                                   .arg(quoted(parser.value(options.format))));
    }
    return format.value_or(Format::Text);
}

// The one value of an option given at most once, or the usage message.
std::expected<std::optional<QString>, QString> singleValue(const QCommandLineParser& parser,
                                                           const QCommandLineOption& option) {
    const QStringList values = parser.values(option);
    if (values.size() > 1) {
        return std::unexpected(QStringLiteral("give --%1 once").arg(option.names().constLast()));
    }
    return values.isEmpty() ? std::nullopt : std::optional<QString>(values.constFirst());
}

// The pressure of --pressure=VALUEmmHg, --pressure=VALUEkPa or --altitude=METRES (a unit "m"
// may follow the metres); the standard atmosphere without either.
std::expected<psychro::Atmosphere, QString> chosenAtmosphere(const QCommandLineParser& parser,
                                                             const Options& options) {
    const auto pressure = singleValue(parser, options.pressure);
    const auto altitude = singleValue(parser, options.altitude);
    if (!pressure || !altitude) {
        return std::unexpected(!pressure ? pressure.error() : altitude.error());
    }
    if (*pressure && *altitude) {
        return std::unexpected(QStringLiteral("give --pressure or --altitude, not both"));
    }
    if (!*pressure && !*altitude) {
        return psychro::Atmosphere::standard();
    }
    const QString given = *pressure ? **pressure : **altitude;
    psychro::PressureUnit unit = psychro::PressureUnit::Altitude;
    QString number = given.trimmed();
    const auto cut = [&number](QLatin1String suffix) {
        if (!number.endsWith(suffix, Qt::CaseInsensitive)) {
            return false;
        }
        number.chop(suffix.size());
        return true;
    };
    if (*pressure) {
        if (cut(QLatin1String("mmHg"))) {
            unit = psychro::PressureUnit::MmHg;
        } else if (cut(QLatin1String("kPa"))) {
            unit = psychro::PressureUnit::KPa;
        } else {
            return std::unexpected(
                QStringLiteral("--pressure takes a number with its unit, e.g. 700mmHg or 93.3kPa, "
                               "not %1")
                    .arg(quoted(given)));
        }
    } else {
        cut(QLatin1String("m"));
    }
    const auto value = readNumber(number);
    if (!value) {
        return std::unexpected(
            QStringLiteral("--%1 takes a number, not %2")
                .arg(QLatin1String(*pressure ? "pressure" : "altitude"), quoted(given)));
    }
    const auto atmosphere = psychro::atmosphereFrom(unit, *value);
    if (!atmosphere) {
        return std::unexpected(QStringLiteral("--%1=%2: ")
                                   .arg(QLatin1String(*pressure ? "pressure" : "altitude"), given) +
                               QString::fromStdString(chart::pressureRangeMessage(unit)));
    }
    return *atmosphere;
}

// The units and the pressure of the command line.
std::expected<chart::Settings, QString> chosenSettings(const QCommandLineParser& parser,
                                                       const Options& options) {
    chart::Settings settings = chart::Settings::standard();
    const auto units = singleValue(parser, options.units);
    if (!units) {
        return std::unexpected(units.error());
    }
    if (*units && **units == QLatin1String("si")) {
        settings.units = chart::Units::SI;
    } else if (*units && **units != QLatin1String("engineering")) {
        return std::unexpected(
            QStringLiteral("unknown units %1 (engineering or si)").arg(quoted(**units)));
    }
    const auto atmosphere = chosenAtmosphere(parser, options);
    if (!atmosphere) {
        return std::unexpected(atmosphere.error());
    }
    settings.atmosphere = *atmosphere;
    return settings;
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
int writeRows(Format format, Table table, const QStringList& items,
              const StatesReader<States>& reader, const RowOf& rowOf, chart::Units units) {
    if (!items.isEmpty()) {
        // States on the command line must be right before anything is written.
        const auto states = reader.fromArguments(items);
        if (!states) {
            return usage(states.error());
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

int runState(const QCommandLineParser& parser, const Options& options, const QStringList& items,
             const chart::Settings& display) {
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    return writeRows(
        *format, Table::State, items, onePair(QStringLiteral("state")),
        [&display](const std::array<Given, 2>& pair) {
            const auto state = solveState(pair, display);
            return state ? Row{*state, {}} : Row{std::nullopt, state.error()};
        },
        display.units);
}

// The number of an option that `command` needs, given once and read as a text box reads it.
std::expected<double, QString> optionNumber(const QCommandLineParser& parser,
                                            const QCommandLineOption& option, const char* command) {
    const QString name = option.names().constLast();
    const QStringList values = parser.values(option);
    if (values.isEmpty()) {
        return std::unexpected(QStringLiteral("%1: --%2=%3 is missing")
                                   .arg(QLatin1String(command), name, option.valueName()));
    }
    if (values.size() > 1) {
        return std::unexpected(
            QStringLiteral("%1: give --%2 once").arg(QLatin1String(command), name));
    }
    const auto value = readNumber(values.constFirst());
    if (!value) {
        return std::unexpected(QStringLiteral("%1: --%2 takes a number, not %3")
                                   .arg(QLatin1String(command), name, quoted(values.constFirst())));
    }
    return *value;
}

// An air quantity the dialog would refuse, in its words.
QString airUsage(const QCommandLineParser& parser, const QCommandLineOption& option,
                 const char* command) {
    return QStringLiteral("%1: --%2=%3: ")
               .arg(QLatin1String(command), option.names().constLast(), parser.value(option)) +
           message(words::kGiveAirQuantity);
}

int runHumidify(const QCommandLineParser& parser, const Options& options, const QStringList& items,
                const chart::Settings& display) {
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    const bool steam = parser.isSet(options.steam);
    if (steam == parser.isSet(options.water)) {
        return usage(QStringLiteral("humidify: give one humidifier, --steam=TS or --water=TW"));
    }
    const auto temperature =
        optionNumber(parser, steam ? options.steam : options.water, "humidify");
    const auto air = optionNumber(parser, options.air, "humidify");
    const auto target = optionNumber(parser, options.target, "humidify");
    for (const auto* number : {&temperature, &air, &target}) {
        if (!*number) {
            return usage(number->error());
        }
    }
    const HumidifierSettings settings{
        steam ? psychro::Humidifier::Steam : psychro::Humidifier::WaterSpray, *temperature, *air,
        *target};
    // What no state 1 can mend is a mistake of the command line: refused before any row, in
    // the dialog's words.
    if (const auto refused = psychro::humidifierError(settings.airKgPerHour, settings.kind,
                                                      settings.waterTemperature, settings.targetPhi,
                                                      display.atmosphere.ratio)) {
        return usage(
            QStringLiteral("humidify: ") +
            message(words::humidifyErrorMessage(*refused, display.atmosphere.ratio).c_str()));
    }
    return writeRows(
        *format, Table::Humidify, items, onePair(QStringLiteral("humidify")),
        [&](const std::array<Given, 2>& pair) { return humidifyRow(settings, pair, display); },
        display.units);
}

// Stream 1's quantity is kept in single precision and must be above 0 there, as the dialog
// keeps its point 1; stream 2's is only read.
int runMix(const QCommandLineParser& parser, const Options& options, const QStringList& items,
           const chart::Settings& display) {
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    const auto air1 = optionNumber(parser, options.air1, "mix");
    const auto air2 = optionNumber(parser, options.air2, "mix");
    for (const auto* number : {&air1, &air2}) {
        if (!*number) {
            return usage(number->error());
        }
    }
    const auto first = psychro::keptAirQuantity(*air1);
    if (!first) {
        return usage(airUsage(parser, options.air1, "mix"));
    }
    if (!(*air2 > 0.0)) {
        return usage(airUsage(parser, options.air2, "mix"));
    }
    const MixSettings settings{*first, *air2};
    return writeRows(
        *format, Table::State, items, twoStates(QStringLiteral("mix")),
        [&](const TwoStates& states) { return mixRow(settings, states, display); }, display.units);
}

// The load is computed with the air quantity of state 1, kept as the dialog keeps it.
int runCool(const QCommandLineParser& parser, const Options& options, const QStringList& items,
            const chart::Settings& display) {
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    const auto air = optionNumber(parser, options.air, "cool");
    if (!air) {
        return usage(air.error());
    }
    const auto kept = psychro::keptAirQuantity(*air);
    if (!kept) {
        return usage(airUsage(parser, options.air, "cool"));
    }
    return writeRows(
        *format, Table::Cool, items, twoStates(QStringLiteral("cool")),
        [kept = *kept, &display](const TwoStates& states) {
            return coolRow(kept, states, display);
        },
        display.units);
}

// An air quantity of 0 is an empty duct with no load, as in the dialog.
int runHeat(const QCommandLineParser& parser, const Options& options, const QStringList& items,
            const chart::Settings& display) {
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    const auto air = optionNumber(parser, options.air, "heat");
    const auto to = optionNumber(parser, options.to, "heat");
    for (const auto* number : {&air, &to}) {
        if (!*number) {
            return usage(number->error());
        }
    }
    if (*air < 0.0) {
        return usage(airUsage(parser, options.air, "heat"));
    }
    const HeatSettings settings{*air, *to};
    return writeRows(
        *format, Table::Heat, items, onePair(QStringLiteral("heat")),
        [&](const std::array<Given, 2>& pair) { return heatRow(settings, pair, display); },
        display.units);
}

// The zones of --zone, the encoding and columns of --encoding and --columns, and the file.
struct DataOptions {
    std::vector<data::Zone> zones;
    DataRequest request;
};

std::expected<DataOptions, QString> dataOptions(const QCommandLineParser& parser,
                                                const Options& options, const QString& path) {
    DataOptions out;
    out.request.path = path;
    for (const QString& text : parser.values(options.zone)) {
        auto zone = zoneOption(text);
        if (!zone) {
            return std::unexpected(zone.error());
        }
        out.zones.push_back(std::move(*zone));
    }
    const auto encoding = singleValue(parser, options.encoding);
    const auto columns = singleValue(parser, options.columns);
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
    for (const auto& [option, count] : {std::pair{&options.months, 12}, {&options.hours, 24}}) {
        const auto text = singleValue(parser, *option);
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
                    .arg(option->names().constLast(),
                         QLatin1String(count == 12 ? "months 1 to 12" : "hours 0 to 23"),
                         quoted(**text)));
        }
        if (count == 12) {
            out.request.filter.months = static_cast<std::uint16_t>(*bits);
        } else {
            out.request.filter.hours = *bits;
        }
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

int runData(const QCommandLineParser& parser, const Options& options, const QStringList& rest,
            const chart::Settings& display) {
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    if (rest.size() != 1) {
        return usage(QStringLiteral("data: give one data file (CSV, TSV or .epw)"));
    }
    const auto chosen = dataOptions(parser, options, rest.constFirst());
    if (!chosen) {
        return usage(chosen.error());
    }
    const auto loaded = loadData(chosen->request, display);
    if (!loaded) {
        std::fprintf(stderr, "milten-cli: %s\n", loaded.error().toUtf8().constData());
        return kSomeFailed;
    }
    if (!writeDataReport(*loaded, chosen->zones, *format, display)) {
        return usage(QStringLiteral("cannot write to standard output"));
    }
    return kOk;
}

// One design, cooling or heating, from the options; no batch.
int runDesign(const QCommandLineParser& parser, const Options& options, const QStringList& rest,
              const chart::Settings& display) {
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    if (rest.size() != 1 || (rest.constFirst() != QLatin1String("cool") &&
                             rest.constFirst() != QLatin1String("heat"))) {
        return usage(QStringLiteral("design: give cool or heat, and the states as options"));
    }
    const Season season =
        rest.constFirst() == QLatin1String("cool") ? Season::Cooling : Season::Heating;
    DesignTexts texts;
    const std::pair<const QCommandLineOption*, QString*> required[] = {
        {&options.room, &texts.room},
        {&options.outdoor, &texts.outdoor},
        {&options.sensible, &texts.sensible},
        {&options.latent, &texts.latent},
        {&options.outdoorRatio, &texts.outdoorRatio},
        {&options.dt, &texts.supplyDifference}};
    for (const auto& [option, text] : required) {
        const auto value = singleValue(parser, *option);
        if (!value || !*value) {
            return usage(!value ? value.error()
                                : QStringLiteral("design: --%1=%2 is missing")
                                      .arg(option->names().constLast(), option->valueName()));
        }
        *text = **value;
    }
    for (const auto& [option, text] :
         {std::pair{&options.bypass, &texts.bypass}, {&options.humidifier, &texts.humidifier}}) {
        const auto value = singleValue(parser, *option);
        if (!value) {
            return usage(value.error());
        }
        *text = *value;
    }
    const auto request = readDesign(season, texts, display);
    if (!request) {
        return usage(request.error());
    }
    const auto figures = designFigures(*request, display);
    if (!figures) {
        std::fprintf(stderr, "milten-cli: design: %s\n", figures.error().toUtf8().constData());
        return kSomeFailed;
    }
    const QByteArray bytes = designOutput(*figures, *format, display.units).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    if (std::ferror(stdout) != 0) {
        return usage(QStringLiteral("cannot write to standard output"));
    }
    return kOk;
}

int runChart(const QCommandLineParser& parser, const Options& options, const QStringList& rest,
             const chart::Settings& display) {
    // One project file (.milten) may give the marks instead of --point, and its data.
    std::optional<chart::MarkedWork> project;
    data::DataPart projectData;
    if (!rest.isEmpty()) {
        const QString& file = rest.constFirst();
        if (rest.size() > 1 || !file.endsWith(QStringLiteral(".milten"), Qt::CaseInsensitive) ||
            parser.isSet(options.point)) {
            return usage(QStringLiteral("chart: unexpected argument %1 (points go with --point, "
                                        "or give one .milten file)")
                             .arg(quoted(rest.size() > 1 ? rest.at(1) : file)));
        }
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) {
            return usage(QStringLiteral("chart: cannot read %1").arg(quoted(file)));
        }
        auto work = render::readProjectFile(file);
        if (!work) {
            std::fprintf(stderr, "milten-cli: %s\n", work.error().toUtf8().constData());
            return kSomeFailed;
        }
        project = std::move(work->work);
        projectData = std::move(work->data);
    }
    if (!parser.isSet(options.output)) {
        return usage(QStringLiteral("chart: the output file is missing (-o FILE)"));
    }
    const QStringList outputs = parser.values(options.output);
    if (outputs.size() > 1) {
        return usage(QStringLiteral("chart: give one output file"));
    }
    const QString path = outputs.constFirst();
    const auto kind = imageKindOf(path);
    if (!kind) {
        return usage(QStringLiteral("chart: unknown extension of %1 (.pdf, .svg or .png)")
                         .arg(quoted(path)));
    }
    double dpi = kDefaultDpi;
    if (parser.isSet(options.dpi)) {
        bool number = false;
        dpi = parser.value(options.dpi).toDouble(&number);
        if (!number || !(dpi >= kMinDpi && dpi <= kMaxDpi)) {
            return usage(QStringLiteral("chart: --dpi takes a number from 10 to 1200, not %1")
                             .arg(quoted(parser.value(options.dpi))));
        }
    }

    std::vector<std::array<Given, 2>> pairs;
    const QStringList points = parser.values(options.point);
    for (qsizetype k = 0; k < points.size(); ++k) {
        const auto pair = readPair(splitItems(points[k]));
        if (!pair) {
            return usage(pairUsage(pair.error(), QStringLiteral("--point %1").arg(points[k])));
        }
        pairs.push_back(*pair);
    }
    if (const auto writable = checkWritable(path); !writable) {
        return usage(QStringLiteral("chart: ") + writable.error());
    }
    // Data under the chart: read before anything is drawn, at the pressure the chart is drawn
    // for.
    std::optional<LoadedData> loaded;
    std::vector<data::Zone> zones;
    const auto dataFile = singleValue(parser, options.data);
    if (!dataFile) {
        return usage(QStringLiteral("chart: ") + dataFile.error());
    }
    const QString style = parser.value(options.dataStyle);
    if (parser.isSet(options.dataStyle) && style != QLatin1String("points") &&
        style != QLatin1String("hours")) {
        return usage(
            QStringLiteral("chart: unknown --data-style %1 (points or hours)").arg(quoted(style)));
    }
    if ((parser.isSet(options.dataStyle) || parser.isSet(options.encoding) ||
         parser.isSet(options.columns) || parser.isSet(options.months) ||
         parser.isSet(options.hours)) &&
        !*dataFile) {
        return usage(QStringLiteral(
            "chart: --data-style, --encoding, --columns, --months and --hours go with --data"));
    }
    // A project is drawn at the units and pressure it was saved under; an option overrides only
    // what it names (--units the units, --pressure or --altitude the pressure).
    chart::Settings drawnAt = project && project->settings ? *project->settings : display;
    if (parser.isSet(options.units)) {
        drawnAt.units = display.units;
    }
    if (parser.isSet(options.pressure) || parser.isSet(options.altitude)) {
        drawnAt.atmosphere = display.atmosphere;
    }
    if (parser.isSet(options.zone) || *dataFile) {
        const auto chosen = dataOptions(parser, options, dataFile->value_or(QString{}));
        if (!chosen) {
            return usage(QStringLiteral("chart: ") + chosen.error());
        }
        zones = chosen->zones;
        if (*dataFile) {
            auto read = loadData(chosen->request, drawnAt);
            if (!read) {
                std::fprintf(stderr, "milten-cli: %s\n", read.error().toUtf8().constData());
                return kSomeFailed;
            }
            loaded = std::move(*read);
        } else {
            loaded = LoadedData{};  // zones alone
        }
    }

    std::vector<chart::PointMm> marks;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const auto state = solveState(pairs[k], display);
        if (!state) {
            // Nothing is drawn with a point missing: the numbering would be wrong.
            std::fprintf(stderr, "milten-cli: --point %s: %s\n",
                         points[static_cast<qsizetype>(k)].toUtf8().constData(),
                         state.error().toUtf8().constData());
            return kSomeFailed;
        }
        marks.push_back({state->X, state->Y});
    }

    // Rendering needs a GUI application for the fonts; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "milten-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    render::installJapanese(application);
    const chart::Settings& shown = drawnAt;
    // The work's own data first, then the file given with --data over it; the work's zones
    // with those of --zone.
    data::DataPart shownData = projectData;
    if (loaded) {
        shownData.layers.push_back(dataLayer(*loaded, style == QLatin1String("hours")));
    }
    const render::Underlay underlay = partUnderlay(shownData);
    zones.insert(zones.begin(), projectData.zones.begin(), projectData.zones.end());
    const OverChart overChart =
        zones.empty() ? OverChart{} : [&zones, &shown](chart::Picture& picture) {
            data::drawZones(picture, zones, shown.atmosphere.ratio);
        };
    const auto written =
        writeChart(project ? chartWithWork(*project, shown, zones)
                           : chartWithPoints(marks, parser.isSet(options.join), display, overChart),
                   shown, path, *kind, dpi, underlay);
    if (!written) {
        return usage(QStringLiteral("chart: ") + written.error());
    }
    return kOk;
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
    Options options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(
        {options.format, options.output,       options.point, options.join,     options.dpi,
         options.steam,  options.water,        options.air,   options.target,   options.air1,
         options.air2,   options.to,           options.units, options.pressure, options.altitude,
         options.data,   options.dataStyle,    options.zone,  options.encoding, options.columns,
         options.months, options.hours,        options.room,  options.outdoor,  options.sensible,
         options.latent, options.outdoorRatio, options.dt,    options.bypass,   options.humidifier,
         options.help,   options.version});
    if (!parser.parse(arguments)) {
        return usage(parser.errorText());
    }
    if (parser.isSet(options.help)) {
        std::fputs(kHelp, stdout);
        return kOk;
    }
    if (parser.isSet(options.version)) {
        std::printf("milten-cli %s\n", MILTEN_VERSION);
        return kOk;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        return usage(QStringLiteral(
            "missing command (state, humidify, mix, cool, heat, design, chart or data); see "
            "'milten-cli --help'"));
    }
    const QString command = positional.takeFirst();
    const QStringList commands{"state", "humidify", "mix",   "cool",
                               "heat",  "design",   "chart", "data"};
    if (!commands.contains(command)) {
        return usage(
            QStringLiteral(
                "unknown command %1 (state, humidify, mix, cool, heat, design, chart or data)")
                .arg(quoted(command)));
    }
    if (const auto stray = strayOption(parser, options, command)) {
        return usage(*stray);
    }
    const auto display = chosenSettings(parser, options);
    if (!display) {
        return usage(display.error());
    }
    if (command == QLatin1String("chart")) {
        return runChart(parser, options, positional, *display);
    }
    QCoreApplication application(argc, argv);
    if (command == QLatin1String("data")) {
        return runData(parser, options, positional, *display);
    }
    if (command == QLatin1String("humidify")) {
        return runHumidify(parser, options, positional, *display);
    }
    if (command == QLatin1String("mix")) {
        return runMix(parser, options, positional, *display);
    }
    if (command == QLatin1String("cool")) {
        return runCool(parser, options, positional, *display);
    }
    if (command == QLatin1String("heat")) {
        return runHeat(parser, options, positional, *display);
    }
    if (command == QLatin1String("design")) {
        return runDesign(parser, options, positional, *display);
    }
    return runState(parser, options, positional, *display);
}

}  // namespace cli
