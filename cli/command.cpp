#include "cli/command.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <expected>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/chart_output.h"
#include "cli/humidify_query.h"
#include "cli/output_format.h"
#include "cli/state_query.h"
#include "render/japanese.h"
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
  or:  milten-cli chart -o FILE [--point=NAME=VALUE,NAME=VALUE]... [--join] [--dpi=N]
Complete moist-air states at 760 mmHg (1.03323 kgf/cm2) from two of their properties,
size a humidifier, or draw the i-x chart with marked states to a PDF, SVG or PNG file.

Properties, in the units of the chart program:
  x    absolute humidity, kg/kg(DA)      i    enthalpy, kcal/kg(DA)
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

'chart' renders the chart by the program's own painter; the extension of FILE
chooses the format: .pdf (A4 landscape, 1 mm = 1 mm), .svg or .png.

Options:
      --format=FORMAT   output of 'state' and 'humidify': text (default), csv or json
      --steam=TS        humidify with steam at TS °C (100 or more; 100 is usual)
      --water=TW        humidify with a water spray at TW °C (0 to 100), evaporated
                        completely
      --air=G           air quantity, kg/h (above 0)
      --target=PHI      relative humidity after humidifying, % (above that of
                        state 1, at most 100)
  -o, --output=FILE     the chart file to write
      --point=PAIR      mark the state PAIR (NAME=VALUE,NAME=VALUE); repeat for more
      --join            join the marked points in order
      --dpi=N           resolution of a PNG in dots per inch, 10 to 1200 (default 192)
  -h, --help            display this help and exit
      --version         output version information and exit

Exit status:
  0  if OK,
  1  if a line or a point gave no air state (for 'humidify': no humidifier size),
  2  if the command line was wrong or the file could not be written.

Examples:
  milten-cli state t=20 phi=50
  milten-cli state --format=csv < measured.txt > states.csv
  milten-cli humidify --steam=100 --air=1000 --target=80 t=20 phi=50
  milten-cli humidify --water=15 --air=1000 --target=80 --format=csv < rooms.txt
  milten-cli chart -o chart.pdf --point t=20,phi=50 --point t=30,tw=25 --join
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

// The usage message for the first of `options` that is set: it belongs to another command.
std::optional<QString> foreignOption(const QCommandLineParser& parser,
                                     std::initializer_list<const QCommandLineOption*> options,
                                     const char* owner) {
    for (const QCommandLineOption* option : options) {
        if (parser.isSet(*option)) {
            return QStringLiteral("--%1 belongs to the %2 command")
                .arg(option->names().constLast(), QLatin1String(owner));
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

using RowOf = std::function<Row(const std::array<Given, 2>&)>;

// The row for the pair on the command line or, without one, a row for each line of standard
// input, in order.
int writeRows(Format format, Table table, const QString& command, const QStringList& items,
              const RowOf& rowOf) {
    if (!items.isEmpty()) {
        // A pair on the command line must be right before anything is written.
        const auto pair = readPair(items);
        if (!pair) {
            return usage(pairUsage(pair.error(), command));
        }
        RowWriter writer(format, false, table);
        const Row row = rowOf(*pair);
        writer.begin();
        writer.write(row);
        return finish(writer, !row.state);
    }

    RowWriter writer(format, true, table);
    writer.begin();
    bool anyFailed = false;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();  // a file saved with CR LF line ends
        }
        const auto pair = readPair(splitItems(QString::fromStdString(line)));
        const Row row = pair ? rowOf(*pair) : Row{std::nullopt, pairErrorMessage(pair.error())};
        anyFailed = anyFailed || !row.state;
        writer.write(row);
    }
    return finish(writer, anyFailed);
}

int runState(const QCommandLineParser& parser, const Options& options, const QStringList& items) {
    if (const auto foreign = foreignOption(
            parser, {&options.output, &options.point, &options.join, &options.dpi}, "chart")) {
        return usage(*foreign);
    }
    if (const auto foreign = foreignOption(
            parser, {&options.steam, &options.water, &options.air, &options.target}, "humidify")) {
        return usage(*foreign);
    }
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    return writeRows(*format, Table::State, QStringLiteral("state"), items,
                     [](const std::array<Given, 2>& pair) {
                         const auto state = solveState(pair);
                         return state ? Row{*state, {}} : Row{std::nullopt, state.error()};
                     });
}

// The number of an option that humidify needs, given once and read as a text box reads it.
std::expected<double, QString> humidifyNumber(const QCommandLineParser& parser,
                                              const QCommandLineOption& option) {
    const QString name = option.names().constLast();
    const QStringList values = parser.values(option);
    if (values.isEmpty()) {
        return std::unexpected(
            QStringLiteral("humidify: --%1=%2 is missing").arg(name, option.valueName()));
    }
    if (values.size() > 1) {
        return std::unexpected(QStringLiteral("humidify: give --%1 once").arg(name));
    }
    const auto value = readNumber(values.constFirst());
    if (!value) {
        return std::unexpected(QStringLiteral("humidify: --%1 takes a number, not %2")
                                   .arg(name, quoted(values.constFirst())));
    }
    return *value;
}

int runHumidify(const QCommandLineParser& parser, const Options& options,
                const QStringList& items) {
    if (const auto foreign = foreignOption(
            parser, {&options.output, &options.point, &options.join, &options.dpi}, "chart")) {
        return usage(*foreign);
    }
    const auto format = chosenFormat(parser, options);
    if (!format) {
        return usage(format.error());
    }
    const bool steam = parser.isSet(options.steam);
    if (steam == parser.isSet(options.water)) {
        return usage(QStringLiteral("humidify: give one humidifier, --steam=TS or --water=TW"));
    }
    const auto temperature = humidifyNumber(parser, steam ? options.steam : options.water);
    const auto air = humidifyNumber(parser, options.air);
    const auto target = humidifyNumber(parser, options.target);
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
    if (const auto refused = psychro::humidifierError(
            settings.airKgPerHour, settings.kind, settings.waterTemperature, settings.targetPhi)) {
        return usage(QStringLiteral("humidify: ") + message(words::humidifyErrorText(*refused)));
    }
    return writeRows(
        *format, Table::Humidify, QStringLiteral("humidify"), items,
        [&settings](const std::array<Given, 2>& pair) { return humidifyRow(settings, pair); });
}

int runChart(const QCommandLineParser& parser, const Options& options, const QStringList& rest) {
    if (parser.isSet(options.format)) {
        return usage(QStringLiteral("--format belongs to the state and humidify commands"));
    }
    if (const auto foreign = foreignOption(
            parser, {&options.steam, &options.water, &options.air, &options.target}, "humidify")) {
        return usage(*foreign);
    }
    if (!rest.isEmpty()) {
        return usage(QStringLiteral("chart: unexpected argument %1 (points go with --point)")
                         .arg(quoted(rest.constFirst())));
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

    std::vector<chart::PointMm> marks;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const auto state = solveState(pairs[k]);
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
    const auto written =
        writeChart(chartWithPoints(marks, parser.isSet(options.join)), path, *kind, dpi);
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
    parser.addOptions({options.format, options.output, options.point, options.join, options.dpi,
                       options.steam, options.water, options.air, options.target, options.help,
                       options.version});
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
        return usage(
            QStringLiteral("missing command (state, humidify or chart); see 'milten-cli --help'"));
    }
    const QString command = positional.takeFirst();
    if (command == QLatin1String("state")) {
        QCoreApplication application(argc, argv);
        return runState(parser, options, positional);
    }
    if (command == QLatin1String("humidify")) {
        QCoreApplication application(argc, argv);
        return runHumidify(parser, options, positional);
    }
    if (command == QLatin1String("chart")) {
        return runChart(parser, options, positional);
    }
    return usage(
        QStringLiteral("unknown command %1 (state, humidify or chart)").arg(quoted(command)));
}

}  // namespace cli
