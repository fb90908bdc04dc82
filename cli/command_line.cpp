#include "cli/command_line.h"

#include <QCommandLineOption>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "chart/pressure_text.h"
#include "cli/state_query.h"
#include "psychro/atmosphere.h"

namespace cli {
namespace {

using enum Takes;

constexpr std::string_view kTables = "state humidify mix cool heat data design report";
constexpr std::string_view kDesign = "design";
constexpr std::string_view kChart = "chart";
constexpr std::string_view kWithData = "data chart";

constexpr std::array kOptions{
    OptionSpec{"format", "", "FORMAT", Text, kTables,
               "output of 'state', 'humidify', 'mix', 'cool' and 'heat':\n"
               "text (default), csv or json; of 'report': pdf or html\n"
               "(default: by the extension of FILE)"},
    OptionSpec{"steam", "", "TS", Number, "humidify",
               "humidify with steam at TS °C (100 or more; 100 is usual)"},
    OptionSpec{"water", "", "TW", Number, "humidify",
               "humidify with a water spray at TW °C (0 to 100), evaporated\ncompletely"},
    OptionSpec{"air", "", "G", Number, "humidify cool heat",
               "air quantity, kg/h (above 0; for 'heat' 0 or more)"},
    OptionSpec{"target", "", "PHI", Number, "humidify",
               "relative humidity after humidifying, % (above that of\nstate 1, at most 100)"},
    OptionSpec{"air1", "", "G1", Number, "mix",
               "air quantity of state 1 in a mixing, kg/h (above 0)"},
    OptionSpec{"air2", "", "G2", Number, "mix",
               "air quantity of state 2 in a mixing, kg/h (above 0)"},
    OptionSpec{"to", "", "T2", Number, "heat", "temperature after heating, °C"},
    OptionSpec{"room", "", "PAIR", Text, kDesign, "room state of a design, e.g. t=26,phi=50"},
    OptionSpec{"outdoor", "", "PAIR", Text, kDesign,
               "outdoor state of a design, e.g. t=33,phi=63; or\n"
               "epw:FILE:KIND, a design condition of the weather file\n"
               "FILE, KIND one of cooling-0.4, cooling-1, cooling-2 (its\n"
               "dry bulb and mean coincident wet bulb), heating-99.6 or\n"
               "heating-99 (its dry bulb, and one more NAME=VALUE after\n"
               "a comma: epw:site.epw:heating-99.6,phi=70)"},
    OptionSpec{"sensible", "", "QS", Number, kDesign,
               "room sensible load, kcal/h (SI: kW), above 0"},
    OptionSpec{"latent", "", "QL", Number, kDesign, "room latent load, kcal/h (SI: kW), 0 or more"},
    OptionSpec{"outdoor-ratio", "", "PERCENT", Number, kDesign,
               "\noutdoor air in the supply, % (0 to 100)"},
    OptionSpec{"dt", "", "DT", Number, kDesign, "supply temperature difference, K (0.01 or more)"},
    OptionSpec{"bypass", "", "BF", Number, kDesign,
               "cooling with reheat at the coil's bypass factor (0 to below 1)"},
    OptionSpec{"humidifier", "", "KIND", Text, kDesign,
               "heating's humidifier: steam[:TS] or spray[:TW]"},
    OptionSpec{"output", "o", "FILE", Text, "chart report", "the chart or report file to write"},
    OptionSpec{"point", "", "PAIR", Text, kChart,
               "mark the state PAIR (NAME=VALUE,NAME=VALUE); repeat for more"},
    OptionSpec{"join", "", "", Nothing, kChart, "join the marked points in order"},
    OptionSpec{"dpi", "", "N", Number, kChart,
               "resolution of a PNG in dots per inch, 10 to 1200 (default 192)"},
    OptionSpec{"data", "", "FILE", Text, kChart, "draw the data of FILE on the chart (see 'data')"},
    OptionSpec{"data-style", "", "STYLE", Text, kChart,
               "points (default) or hours (hours per cell, with a legend)"},
    OptionSpec{"zone", "", "ZONE", Text, kWithData,
               "a zone to count or draw; repeat for more:\n"
               "  range:t=LOW..HIGH,phi=LOW..HIGH  (or x=LOW..HIGH, kg/kg(DA))\n"
               "  pmv:met=M,clo=C,vel=V[,tr=T][,limit=L]  (|PMV| <= L, 0.5\n"
               "  unless given; tr the mean radiant temperature, the air's\n"
               "  own unless given)"},
    OptionSpec{"encoding", "", "ENC", Text, kWithData,
               "of a CSV file whose encoding cannot be told: utf-8 or shift-jis"},
    OptionSpec{"columns", "", "LIST", Text, kWithData,
               "the columns of a CSV file whose names are not recognised, from\n"
               "1: t=N,phi=N[,x=N][,tw=N][,dew=N][,date=N][,time=N][,header=LINE]\n"
               "(header=0: the file has no header row)"},
    OptionSpec{"date-order", "", "ORDER", Text, kWithData,
               "of dates whose day and month could stand either way round:\n"
               "ymd, mdy (07/31/26) or dmy (31.07.2026)"},
    OptionSpec{"months", "", "M1..M2", Text, kWithData,
               "keep the rows of these months of a dated file (1-12; 12..2 is\n"
               "December to February)"},
    OptionSpec{"hours", "", "H1..H2", Text, kWithData,
               "keep the rows of these hours of the day (0-23; 9..17 is 9:00\n"
               "to 17:59, 22..5 the night)"},
    OptionSpec{"units", "", "UNITS", Text, "",
               "engineering (default: kcal/kg(DA), kcal/h) or si (kJ/kg(DA), kW)"},
    OptionSpec{"pressure", "", "P", Text, "",
               "the atmospheric pressure with its unit: 700mmHg or 93.3kPa,\n"
               "405.2 to 806.1 mmHg (54.02 to 107.47 kPa); default 760mmHg"},
    OptionSpec{"altitude", "", "METRES", Text, "",
               "the pressure of the standard atmosphere at METRES above sea\n"
               "level, -500 to 5000"},
    OptionSpec{"help", "h", "", Nothing, "", "display this help and exit"},
    OptionSpec{"version", "", "", Nothing, "", "output version information and exit"},
};

// Where the options' help texts start in --help.
constexpr qsizetype kHelpColumn = 24;

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QStringList words(std::string_view s) {
    return text(s).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

const OptionSpec& specOf(std::string_view name) {
    for (const OptionSpec& spec : kOptions) {
        if (spec.name == name) {
            return spec;
        }
    }
    // Every name asked for is one of the table's: a misspelt one is a fault of this program.
    std::fprintf(stderr, "milten-cli: no option --%.*s\n", static_cast<int>(name.size()),
                 name.data());
    std::abort();
}

QCommandLineOption qtOption(const OptionSpec& spec) {
    QStringList names;
    if (!spec.letter.empty()) {
        names << text(spec.letter);
    }
    names << text(spec.name);
    return spec.takes == Nothing ? QCommandLineOption(names)
                                 : QCommandLineOption(names, {}, text(spec.valueName));
}

// The pressure of --pressure=VALUEmmHg, --pressure=VALUEkPa or --altitude=METRES (a unit "m"
// may follow the metres); the standard atmosphere without either.
std::expected<psychro::Atmosphere, QString> chosenAtmosphere(const CommandLine& line) {
    const auto pressure = line.single("pressure");
    const auto altitude = line.single("altitude");
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
    const auto cut = [&number](QLatin1StringView suffix) {
        if (!number.endsWith(suffix, Qt::CaseInsensitive)) {
            return false;
        }
        number.chop(suffix.size());
        return true;
    };
    if (*pressure) {
        if (cut(QLatin1StringView("mmHg"))) {
            unit = psychro::PressureUnit::MmHg;
        } else if (cut(QLatin1StringView("kPa"))) {
            unit = psychro::PressureUnit::KPa;
        } else {
            return std::unexpected(
                QStringLiteral("--pressure takes a number with its unit, e.g. 700mmHg or 93.3kPa, "
                               "not %1")
                    .arg(quoted(given)));
        }
    } else {
        cut(QLatin1StringView("m"));
    }
    const QLatin1StringView option(*pressure ? "pressure" : "altitude");
    const auto value = readNumber(number);
    if (!value) {
        return std::unexpected(
            QStringLiteral("--%1 takes a number, not %2").arg(option, quoted(given)));
    }
    const auto atmosphere = psychro::atmosphereFrom(unit, *value);
    if (!atmosphere) {
        return std::unexpected(QStringLiteral("--%1=%2: ").arg(option, given) +
                               QString::fromStdString(chart::pressureRangeMessage(unit)));
    }
    return *atmosphere;
}

}  // namespace

std::span<const OptionSpec> optionSpecs() {
    return kOptions;
}

QString optionsHelp() {
    QString out;
    for (const OptionSpec& spec : kOptions) {
        QString head = spec.letter.empty()
                           ? QStringLiteral("      --")
                           : QStringLiteral("  -") + text(spec.letter) + QStringLiteral(", --");
        head += text(spec.name);
        if (!spec.valueName.empty()) {
            head += QLatin1Char('=') + text(spec.valueName);
        }
        const QStringList lines = text(spec.help).split(QLatin1Char('\n'));
        // A head that reaches the help's column keeps two blanks before its text.
        out += lines.constFirst().isEmpty() ? head
               : head.size() < kHelpColumn  ? head.leftJustified(kHelpColumn) + lines.constFirst()
                                            : head + QStringLiteral("  ") + lines.constFirst();
        for (qsizetype k = 1; k < lines.size(); ++k) {
            out += QLatin1Char('\n') + QString(kHelpColumn, QLatin1Char(' ')) + lines[k];
        }
        out += QLatin1Char('\n');
    }
    return out;
}

int refuse(const QString& text, int status) {
    std::fprintf(stderr, "milten-cli: %s\n", text.toUtf8().constData());
    return status;
}

QString quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString listed(const QStringList& names, QLatin1StringView conjunction) {
    if (names.size() < 2) {
        return names.join(QString{});
    }
    return names.first(names.size() - 1).join(QStringLiteral(", ")) + QLatin1Char(' ') +
           conjunction + QLatin1Char(' ') + names.constLast();
}

CommandLine::CommandLine() {
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionSpec& spec : kOptions) {
        parser_.addOption(qtOption(spec));
    }
}

std::expected<void, QString> CommandLine::parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) {
        return std::unexpected(parser_.errorText());
    }
    return {};
}

bool CommandLine::isSet(std::string_view option) const {
    return parser_.isSet(text(specOf(option).name));
}

QStringList CommandLine::values(std::string_view option) const {
    return parser_.values(text(specOf(option).name));
}

QString CommandLine::value(std::string_view option) const {
    return parser_.value(text(specOf(option).name));
}

QStringList CommandLine::positional() const {
    return parser_.positionalArguments();
}

std::optional<QString> CommandLine::strayOption(std::string_view command) const {
    for (const OptionSpec& spec : kOptions) {
        const QStringList commands = words(spec.commands);
        if (!commands.isEmpty() && parser_.isSet(text(spec.name)) &&
            !commands.contains(text(command))) {
            return QStringLiteral("--%1 belongs to the %2 command%3")
                .arg(text(spec.name), listed(commands, QLatin1StringView("and")),
                     QLatin1StringView(commands.size() > 1 ? "s" : ""));
        }
    }
    return std::nullopt;
}

std::expected<std::optional<QString>, QString> CommandLine::single(std::string_view option) const {
    const QStringList given = values(option);
    if (given.size() > 1) {
        return std::unexpected(QStringLiteral("give --%1 once").arg(text(option)));
    }
    return given.isEmpty() ? std::nullopt : std::optional<QString>(given.constFirst());
}

std::expected<QString, QString> CommandLine::required(std::string_view option,
                                                      std::string_view command) const {
    const auto given = single(option);
    if (!given) {
        return std::unexpected(given.error());
    }
    if (!*given) {
        return std::unexpected(
            QStringLiteral("%1: --%2=%3 is missing")
                .arg(text(command), text(option), text(specOf(option).valueName)));
    }
    return **given;
}

std::expected<double, QString> CommandLine::requiredNumber(std::string_view option,
                                                           std::string_view command) const {
    if (specOf(option).takes != Number) {
        std::abort();  // a text option read as a number: a fault of this program
    }
    if (values(option).size() > 1) {
        return std::unexpected(
            QStringLiteral("%1: give --%2 once").arg(text(command), text(option)));
    }
    const auto given = required(option, command);
    if (!given) {
        return std::unexpected(given.error());
    }
    const auto number = readNumber(*given);
    if (!number) {
        return std::unexpected(QStringLiteral("%1: --%2 takes a number, not %3")
                                   .arg(text(command), text(option), quoted(*given)));
    }
    return *number;
}

std::expected<QString, QString> CommandLine::format(std::string_view names) const {
    const QStringList formats = words(names);
    if (!isSet("format")) {
        return formats.constFirst();
    }
    const QString given = value("format");
    if (!formats.contains(given)) {
        return std::unexpected(QStringLiteral("unknown format %1 (%2)")
                                   .arg(quoted(given), listed(formats, QLatin1StringView("or"))));
    }
    return given;
}

std::expected<chart::Settings, QString> CommandLine::settings() const {
    chart::Settings settings = chart::Settings::standard();
    const auto units = single("units");
    if (!units) {
        return std::unexpected(units.error());
    }
    if (*units && **units == QLatin1StringView("si")) {
        settings.units = chart::Units::SI;
    } else if (*units && **units != QLatin1StringView("engineering")) {
        return std::unexpected(
            QStringLiteral("unknown units %1 (engineering or si)").arg(quoted(**units)));
    }
    const auto atmosphere = chosenAtmosphere(*this);
    if (!atmosphere) {
        return std::unexpected(atmosphere.error());
    }
    settings.atmosphere = *atmosphere;
    return settings;
}

}  // namespace cli
