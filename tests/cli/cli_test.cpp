// milten-cli through its real process: states and processes against figures worked out by
// hand or by an independent script, batch rows, usage errors, each output format read back, and
// the chart files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/project_file.h"
#include "psychro/saturation.h"
#include "words/messages.h"

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& arguments, const QByteArray& input = {},
              const QString& folder = {}) {
    QProcess process;
    if (!folder.isEmpty()) {
        process.setWorkingDirectory(folder);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program chooses offscreen
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MILTEN_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString message(const char16_t* text) {
    return QString::fromUtf16(text);
}

double exactNumber(const QString& text) {
    const std::string s = text.toStdString();
    double value = std::nan("");
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    EXPECT_TRUE(error == std::errc{} && end == s.data() + s.size()) << s;
    return value;
}

QStringList lines(const QString& text) {
    QStringList all = text.split(QLatin1Char('\n'));
    if (!all.isEmpty() && all.constLast().isEmpty()) {
        all.removeLast();
    }
    return all;
}

// One pair of every kind of solution, each on the chart, with its eight columns worked out
// independently (the relations and the chart geometry evaluated in a separate script).
struct PairCase {
    const char* first;
    const char* second;
    std::array<double, 8> expected;  // x, i, t, tw, v, phi, X, Y
};

const std::vector<PairCase> kPairs{
    {"t=20",
     "phi=50",
     {0.00725669129764, 9.19842572933, 20, 13.7826179634, 0.839323025695, 50, 101.550277703,
      128.427219393}},
    {"x=0.01",
     "i=12",
     {0.01, 12, 24.6593838223, 17.8761125287, 0.856380664119, 51.6677970481, 117.233115016,
      116.491492732}},
    {"t=30",
     "tw=25",
     {0.0179415504002, 18.1538547658, 30, 25, 0.882692178567, 66.9583708191, 134.891146804,
      81.9389924009}},
    {"i=10",
     "v=0.85",
     {0.00704300463947, 10, 23.829992521, 15.0433454978, 0.85, 38.4247015389, 114.789758982,
      129.356938145}},
    {"tw=10",
     "phi=60",
     {0.00596161792965, 6.97121932284, 14.0557967113, 10, 0.820611686356, 60, 81.318762371,
      134.061890298}},
    {"v=0.86",
     "phi=40",
     {0.008647195465, 11.6405451048, 26.5595529326, 17.4099620923, 0.86, 40, 123.992901054,
      122.377343326}},
    {"tw=-2",
     "v=0.78",
     {0.00190587572836, 1.52775135274, 1.61672058657, -2, 0.78, 45.1031847982, 39.6761705419,
      151.707819202}},
};

TEST(CliState, EveryKindOfPairGivesItsIndependentlyComputedState) {
    // The searches stop within 1e-6 of their residuals, and the t′–v quadratic is built on
    // rounded coefficients: that state is the farthest off, by 1.4e-4 % in φ.
    constexpr std::array<double, 8> kTolerance{1e-8, 5e-6, 5e-6, 1e-5, 5e-9, 2e-4, 2e-5, 5e-5};
    QByteArray input;
    for (const PairCase& c : kPairs) {
        input += QByteArray(c.first) + " " + c.second + "\n";
    }
    const CliRun run = runCli({QStringLiteral("state"), QStringLiteral("--format=csv")}, input);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList rows = lines(run.out);
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(kPairs.size() + 1));
    EXPECT_EQ(rows[0], QStringLiteral("x,i,t,tw,v,phi,X,Y,error"));
    for (std::size_t k = 0; k < kPairs.size(); ++k) {
        const PairCase& c = kPairs[k];
        SCOPED_TRACE(std::string(c.first) + " " + c.second);
        const QStringList fields = rows[static_cast<qsizetype>(k + 1)].split(QLatin1Char(','));
        ASSERT_EQ(fields.size(), 9);
        for (std::size_t f = 0; f < c.expected.size(); ++f) {
            EXPECT_NEAR(exactNumber(fields[static_cast<qsizetype>(f)]), c.expected[f],
                        kTolerance[f])
                << f;
        }
        EXPECT_TRUE(fields[8].isEmpty());
    }
}

TEST(CliState, TextShowsTheOverviewStateRoundedAsTheProgramShowsIt) {
    // 20 °C, 50 %: x = 0.0072566913, i = 9.1984257, point (101.5503, 128.4272) by hand.
    const CliRun csv = runCli({QStringLiteral("state"), QStringLiteral("t=20"),
                               QStringLiteral("phi=50"), QStringLiteral("--format=csv")});
    ASSERT_EQ(csv.status, 0);
    const QStringList f = lines(csv.out).at(1).split(QLatin1Char(','));
    EXPECT_NEAR(exactNumber(f[0]), 0.0072566913, 1e-10);
    EXPECT_NEAR(exactNumber(f[1]), 9.1984257, 1e-7);
    EXPECT_NEAR(exactNumber(f[6]), 101.5503, 1e-4);
    EXPECT_NEAR(exactNumber(f[7]), 128.4272, 1e-4);

    const CliRun text =
        runCli({QStringLiteral("state"), QStringLiteral("t=20"), QStringLiteral("phi=50")});
    ASSERT_EQ(text.status, 0);
    const QStringList rows = lines(text.out);
    ASSERT_EQ(rows.size(), 3);
    const QStringList cells = rows[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // x half up to 5 decimals and i to 2 as the point dialog writes them; t, φ as the readout;
    // X, Y to 0.01 mm.
    EXPECT_EQ(cells, (QStringList{"0.00726", "9.2", "20", cells.value(3), cells.value(4), "50",
                                  "101.55", "128.43"}));
    // Columns line up under their names.
    EXPECT_EQ(rows[0].size(), rows[2].size());
}

TEST(CliState, BatchKeepsTheOrderAndGivesFailedLinesTheirRows) {
    const QByteArray input =
        "t=20 phi=50\n"
        "\n"
        "x=0.01,i=abc\r\n"
        "t=30, tw=25\n"
        "y=1 t=2\n"
        "t=1 t=2\n"
        "i=10 v=2\n"
        "t=200 phi=50\n"
        "t=20 phi=50 x=0.01\n"
        "x=0.01  i=12";  // no line end at the end of the file
    const CliRun run = runCli({QStringLiteral("state"), QStringLiteral("--format=json")}, input);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.isEmpty());
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    const QJsonArray rows = document.array();
    ASSERT_EQ(rows.size(), 10);
    const QString unknown = rows[4].toObject().value(QStringLiteral("error")).toString();
    const std::vector<QString> errors{
        {},
        message(words::kPairTextEmpty),
        message(words::kNotANumber),
        {},
        unknown,
        rows[5].toObject().value(QStringLiteral("error")).toString(),
        message(words::kEnthalpyVolumeMismatch),
        message(words::kNoAirState),
        message(words::kPairTextEmpty),
        {},
    };
    EXPECT_FALSE(unknown.isEmpty());
    EXPECT_TRUE(unknown.contains(QStringLiteral("phi")));
    EXPECT_FALSE(errors[5].isEmpty());
    for (qsizetype k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        const QJsonObject row = rows[k].toObject();
        const bool good = errors[static_cast<std::size_t>(k)].isEmpty();
        EXPECT_EQ(row.value(QStringLiteral("error")).isNull(), good);
        if (!good) {
            EXPECT_EQ(row.value(QStringLiteral("error")).toString(),
                      errors[static_cast<std::size_t>(k)]);
        }
        for (const char* name : {"x", "i", "t", "tw", "v", "phi", "X", "Y"}) {
            EXPECT_EQ(row.value(QLatin1String(name)).isDouble(), good) << name;
        }
    }
    EXPECT_DOUBLE_EQ(rows[3].toObject().value(QStringLiteral("tw")).toDouble(), 25.0);
    EXPECT_DOUBLE_EQ(rows[9].toObject().value(QStringLiteral("i")).toDouble(), 12.0);
}

TEST(CliState, CsvQuotesAMessageWithCommasAndJsonGivesOneObjectForOneState) {
    const CliRun csv =
        runCli({QStringLiteral("state"), QStringLiteral("--format=csv")}, "y=1 t=2\nt=20 phi=50\n");
    EXPECT_EQ(csv.status, 1);
    const QStringList rows = lines(csv.out);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral(",,,,,,,,\"")));
    EXPECT_TRUE(rows[1].endsWith(QLatin1Char('"')));
    EXPECT_EQ(rows[2].count(QLatin1Char(',')), 8);

    const CliRun json = runCli({QStringLiteral("state"), QStringLiteral("t=200"),
                                QStringLiteral("phi=50"), QStringLiteral("--format=json")});
    EXPECT_EQ(json.status, 1);  // a state asked for on the command line that does not exist
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(object.value(QStringLiteral("error")).toString(), message(words::kNoAirState));
    EXPECT_TRUE(object.value(QStringLiteral("x")).isNull());

    // x = 1e304 solves, but its enthalpy has 307 digits: refused as the dialogs refuse it
    const QString huge = QStringLiteral("x=1") + QString(304, QLatin1Char('0'));
    const CliRun far = runCli(
        {QStringLiteral("state"), huge, QStringLiteral("t=20"), QStringLiteral("--format=json")});
    EXPECT_EQ(far.status, 1);
    const QJsonObject farObject = QJsonDocument::fromJson(far.out.toUtf8()).object();
    EXPECT_EQ(farObject.value(QStringLiteral("error")).toString(), message(words::kNoAirState));

    // t′ = 88 with v = 0.87 solves to x = 1.58, within reach, but with φ = 5.8e24 %
    const CliRun fog = runCli({QStringLiteral("state"), QStringLiteral("tw=88"),
                               QStringLiteral("v=.87"), QStringLiteral("--format=json")});
    EXPECT_EQ(fog.status, 1);
    const QJsonObject fogObject = QJsonDocument::fromJson(fog.out.toUtf8()).object();
    EXPECT_EQ(fogObject.value(QStringLiteral("error")).toString(), message(words::kNoAirState));
}

// From 20 °C / 50 % at 1000 kg/h to 80 %: steam at 100 °C needs L = 4.9744 kg/h and ends at
// 20.7152 °C, a water spray at 15 °C L = 1.7111 kg/h ending at 15.8538 °C. The state after lies
// on the line x2 = x1 + L/G, i2 = i1 + u·L/G with u the enthalpy of the added water.
TEST(CliHumidify, SteamAndWaterSprayGiveTheKnownFigures) {
    struct Case {
        const char* humidifier;
        double u;  // kcal/kg: 597.3 + 0.441·100, or 15
        double L;  // kg/h, to 4 decimals
        double t;  // °C after, to 4 decimals
        const char* shownL;
    };
    const std::vector<Case> cases{
        {"--steam=100", 641.4, 4.9744, 20.7152, "5"},
        {"--water=15", 15.0, 1.7111, 15.8538, "1.7"},
    };
    constexpr double kX1 = 0.00725669129764;  // 20 °C, 50 %, to 12 digits
    constexpr double kI1 = 9.19842572933;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.humidifier);
        const QStringList arguments{QStringLiteral("humidify"),   QLatin1String(c.humidifier),
                                    QStringLiteral("--air=1000"), QStringLiteral("--target"),
                                    QStringLiteral("80"),         QStringLiteral("t=20"),
                                    QStringLiteral("phi=50")};
        const CliRun csv = runCli(arguments + QStringList{QStringLiteral("--format=csv")});
        ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
        const QStringList rows = lines(csv.out);
        ASSERT_EQ(rows.size(), 2);
        EXPECT_EQ(rows[0], QStringLiteral("L,x,i,t,tw,v,phi,X,Y,error"));
        const QStringList f = rows[1].split(QLatin1Char(','));
        ASSERT_EQ(f.size(), 10);
        const double L = exactNumber(f[0]);
        const double x2 = exactNumber(f[1]);
        EXPECT_NEAR(L, c.L, 5e-5);
        EXPECT_NEAR(exactNumber(f[3]), c.t, 5e-5);
        EXPECT_NEAR(exactNumber(f[6]), 80.0, 1e-5);
        EXPECT_NEAR(x2 - kX1, L / 1000.0, 1e-13);
        EXPECT_NEAR(exactNumber(f[2]) - kI1, c.u * L / 1000.0, 1e-9);
        EXPECT_TRUE(f[9].isEmpty());

        const QStringList text = lines(runCli(arguments).out);
        ASSERT_EQ(text.size(), 3);
        EXPECT_EQ(text[2].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0),
                  QLatin1String(c.shownL));
        EXPECT_EQ(text[0].size(), text[2].size());
    }
}

TEST(CliHumidify, BatchGivesARefusedStateItsRowAndGoesOn) {
    const QByteArray input =
        "t=20 phi=50\n"
        "t=20 phi=90\n"  // already above the 80 % to reach
        "t=20\n"
        "t=25 phi=40\n";
    const CliRun run = runCli(
        {QStringLiteral("humidify"), QStringLiteral("--water=15"), QStringLiteral("--air=1000"),
         QStringLiteral("--target=80"), QStringLiteral("--format=json")},
        input);
    EXPECT_EQ(run.status, 1);
    const QJsonArray rows = QJsonDocument::fromJson(run.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 4);
    const std::vector<QString> errors{
        {}, message(words::kTargetNotAbove), message(words::kPairTextEmpty), {}};
    for (qsizetype k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        const QJsonObject row = rows[k].toObject();
        const QString error = errors[static_cast<std::size_t>(k)];
        EXPECT_EQ(row.value(QStringLiteral("error")).toString(), error);
        EXPECT_EQ(row.value(QStringLiteral("L")).isDouble(), error.isEmpty());
        EXPECT_EQ(row.value(QStringLiteral("tw")).isDouble(), error.isEmpty());
    }
    EXPECT_NEAR(rows[0].toObject().value(QStringLiteral("L")).toDouble(), 1.71, 0.005);
    EXPECT_NEAR(rows[3].toObject().value(QStringLiteral("phi")).toDouble(), 80.0, 1e-5);
}

// A water flow of twenty digits cannot be written to one decimal: refused as the dialog does.
TEST(CliHumidify, AWaterFlowTooLargeToWriteIsRefused) {
    const CliRun run =
        runCli({QStringLiteral("humidify"), QStringLiteral("--steam=100"),
                QStringLiteral("--air=100000000000000000000"), QStringLiteral("--target=80"),
                QStringLiteral("--format=csv"), QStringLiteral("t=20"), QStringLiteral("phi=50")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.trimmed().endsWith(message(words::kNoResult))) << run.out.toStdString();
}

TEST(CliHumidify, UsageErrorsWriteNothing) {
    const QStringList pair{QStringLiteral("t=20"), QStringLiteral("phi=50")};
    const std::vector<QStringList> mistakes{
        QStringList{"humidify", "--air=1000", "--target=80"} + pair,
        QStringList{"humidify", "--steam=100", "--water=15", "--air=1000", "--target=80"} + pair,
        QStringList{"humidify", "--steam=100", "--target=80"} + pair,
        QStringList{"humidify", "--steam=100", "--air=1e3", "--target=80"} + pair,
        QStringList{"humidify", "--steam=100", "--air=1000", "--air=2000", "--target=80"} + pair,
        QStringList{"humidify", "--steam=90", "--air=1000", "--target=80"} + pair,
        QStringList{"humidify", "--water=15", "--air=1000", "--target=80", "t=20"},
        QStringList{"state", "--air=1000"} + pair,
    };
    for (const QStringList& arguments : mistakes) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("milten-cli: ")));
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
    }
    // A humidifier no state can use is refused in the dialog's words, before any input is read.
    const CliRun cold = runCli({QStringLiteral("humidify"), QStringLiteral("--steam=90"),
                                QStringLiteral("--air=1000"), QStringLiteral("--target=80")},
                               "t=20 phi=50\n");
    EXPECT_EQ(cold.status, 2);
    EXPECT_TRUE(cold.out.isEmpty());
    EXPECT_TRUE(cold.err.contains(message(words::kSteamTemperature)));
}

// The CSV row of a one-row run as column name → field.
QMap<QString, QString> csvFields(const QString& out) {
    const QStringList rows = lines(out);
    QMap<QString, QString> fields;
    if (rows.size() != 2) {
        ADD_FAILURE() << out.toStdString();
        return fields;
    }
    const QStringList names = rows[0].split(QLatin1Char(','));
    const QStringList values = rows[1].split(QLatin1Char(','));
    for (qsizetype k = 0; k < names.size() && k < values.size(); ++k) {
        fields[names[k]] = values[k];
    }
    return fields;
}

// Mixing, cooling and heating figures by hand: CSV in full, the text's first cell as the
// dialogs show it; a refused row has its dialog message, blank numbers and status 1.
TEST(CliProcesses, FiguresAndRefusedRows) {
    struct Case {
        QStringList arguments;
        std::vector<std::pair<const char*, double>> figures;  // CSV column, value
        double tolerance;
        const char* shown;  // first cell of the text row
        const char16_t* error = nullptr;
    };
    const QString mix = QStringLiteral("mix --air1=1000 --air2=3000 ");
    const auto args = [](const QString& line) { return line.split(QLatin1Char(' ')); };
    const std::vector<Case> cases{
        // (8·3000 + 12·1000)/4000 = 9; 0.008f·1000 is 8 in float, so x = (0.006·3000 + 8)/4000
        {args(mix + "i=12,x=0.008 i=8,x=0.006"), {{"i", 9.0}, {"x", 0.0065}}, 0.0, "0.0065"},
        // (12 − 7)·250
        {args("cool --air=250 i=12,x=0.008 i=7,x=0.007"), {{"Q", 1250.0}}, 0.0, "1250"},
        // (12 − 12.5)·2499 = −1249.5: ties go upward
        {args("cool --air=2499 i=12,x=0.008 i=12.5,x=0.007"), {{"Q", -1249.5}}, 0.0, "-1249"},
        // i2 = 0.24·30 + 0.0072566913·(597.3 + 0.441·30) = 11.6304277; (i2 − 9.1984257)·1000
        {args("heat --air=1000 --to=30 t=20 phi=50"),
         {{"Q", 2432.0020}, {"t", 30.0}, {"x", 0.0072566913}, {"i", 11.6304277}},
         1e-4,
         "2432"},
        // 2.4 + 0.0072566913·601.71 = 6.7664237
        {args("heat --air=1000 --to=10 t=20 phi=50"),
         {{"Q", -2432.0020}, {"i", 6.7664237}},
         1e-4,
         "-2432"},
        {args("heat --air=0 --to=30 t=20 phi=50"), {{"Q", 0.0}}, 0.0, "0"},  // an empty duct
        {args(mix + "t=200,phi=50 i=8,x=0.006"), {}, 0.0, "", words::kNoAirState},
        // i2·G2 overflows: no mixing point
        {args("mix --air1=1000 --air2=" + QString(308, QLatin1Char('9')) +
              " i=12,x=0.008 i=8,x=0.006"),
         {},
         0.0,
         "",
         words::kNoResult},
        // a load of 21 digits cannot be written whole
        {args("cool --air=100000000000000000000 i=12,x=0.008 i=7,x=0.007"),
         {},
         0.0,
         "",
         words::kNoResult},
        {args("heat --air=1000 --to=5000 t=20 phi=50"), {}, 0.0, "", words::kNoResult},
        // below the dew point of 5 °C, 80 % air (about 1.9 °C)
        {args("heat --air=1000 --to=-40 t=5 phi=80"), {}, 0.0, "", words::kNoAirState},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun csv = runCli(c.arguments + QStringList{QStringLiteral("--format=csv")});
        EXPECT_EQ(csv.status, c.error ? 1 : 0) << csv.err.toStdString();
        EXPECT_TRUE(csv.err.isEmpty());
        const auto fields = csvFields(csv.out);
        EXPECT_EQ(fields.value(QStringLiteral("error")), c.error ? message(c.error) : QString{});
        for (const auto& [name, value] : c.figures) {
            EXPECT_NEAR(exactNumber(fields.value(QLatin1String(name))), value, c.tolerance) << name;
        }
        if (c.error) {
            for (auto field = fields.cbegin(); field != fields.cend(); ++field) {
                EXPECT_TRUE(field.key() == QLatin1String("error") || field.value().isEmpty());
            }
            continue;
        }
        const QStringList text = lines(runCli(c.arguments).out);
        ASSERT_EQ(text.size(), 3);
        EXPECT_EQ(text[2].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0),
                  QLatin1String(c.shown));
        EXPECT_EQ(text[0].size(), text[2].size());  // the columns line up
    }

    // The mixing point's other properties are those `state` gives it.
    const CliRun mixed = runCli(args(mix + "i=12,x=0.008 i=8,x=0.006") +
                                QStringList{QStringLiteral("--format=csv")});
    const CliRun state = runCli({QStringLiteral("state"), QStringLiteral("i=9"),
                                 QStringLiteral("x=0.0065"), QStringLiteral("--format=csv")});
    EXPECT_EQ(mixed.out, state.out);
}

// Batch lines of mix and cool hold two states each; every line gets its row, in order.
TEST(CliProcesses, BatchLinesOfTwoStates) {
    const QByteArray input =
        "i=12,x=0.008 i=8,x=0.006\n"
        "i=12, x=0.008   i=8 ,x=0.006\r\n"  // blanks around the commas
        "i=12,x=0.008\n"
        "i=12 x=0.008 i=8 x=0.006\n"
        "\n"
        "i=12,x=0.008 t=200,phi=50\n"
        "i=12,x=0.008 i=8,y=0.006\n"
        "i=12,x=0.008 i=8";  // no line end at the end of the file
    const CliRun run = runCli({QStringLiteral("mix"), QStringLiteral("--air1=1000"),
                               QStringLiteral("--air2=3000"), QStringLiteral("--format=json")},
                              input);
    EXPECT_EQ(run.status, 1);
    const QJsonArray rows = QJsonDocument::fromJson(run.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 8);
    const std::vector<const char16_t*> errors{nullptr,
                                              nullptr,
                                              words::kTwoStates,
                                              words::kTwoStates,
                                              words::kTwoStates,
                                              words::kNoAirState,
                                              words::kUnknownName,
                                              words::kPairTextEmpty};
    for (qsizetype k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        const QJsonObject row = rows[k].toObject();
        const char16_t* error = errors[static_cast<std::size_t>(k)];
        EXPECT_EQ(row.value(QStringLiteral("error")).toString(),
                  error ? message(error) : QString{});
        EXPECT_EQ(row.value(QStringLiteral("i")).toDouble(-1.0), error ? -1.0 : 9.0);
    }

    // A cool row is the load alone.
    const CliRun cool = runCli(
        {QStringLiteral("cool"), QStringLiteral("--air=250"), QStringLiteral("--format=json")},
        "i=12,x=0.008 i=7,x=0.007\n");
    EXPECT_EQ(cool.status, 0);
    const QJsonObject load = QJsonDocument::fromJson(cool.out.toUtf8()).array().at(0).toObject();
    EXPECT_EQ(load.keys(), (QStringList{"Q", "error"}));
    EXPECT_EQ(load.value(QStringLiteral("Q")).toDouble(), 1250.0);
}

// Each mistake of a process command: status 2, one line on standard error, nothing written; an
// air quantity the dialogs refuse is refused in their words.
TEST(CliProcesses, UsageErrors) {
    const QString two = QStringLiteral(" i=12,x=0.008 i=8,x=0.006");
    const QString tiny = QStringLiteral("0.") + QString(50, QLatin1Char('0')) + QLatin1Char('1');
    const std::vector<std::pair<QString, bool>> mistakes{
        {"mix --air1=1000" + two, false},
        {"mix --air1=1000 --air2=abc" + two, false},
        {"mix --air1=0 --air2=3000" + two, true},
        {"mix --air1=" + tiny + " --air2=3000" + two, true},  // 0 in single precision
        {"mix --air1=1000 --air2=-1" + two, true},
        {"mix --air1=1000 --air2=3000 i=12,x=0.008", false},
        {"mix --air1=1000 --air2=3000 i=12 x=0.008 i=8 x=0.006", false},
        {"mix --air1=1000 --air2=3000 i=12,x=0.008 i=8,y=0.006", false},
        {"mix --air1=1000 --air2=3000 --air=5" + two, false},
        {"cool" + two, false},
        {"cool --air=0" + two, true},
        {"cool --air=250 --to=30" + two, false},
        {"cool --air=250 --air=300" + two, false},
        {"heat --to=30 t=20 phi=50", false},
        {"heat --air=1000 t=20 phi=50", false},
        {"heat --air=-1 --to=30 t=20 phi=50", true},
        {"heat --air=1000 --to=warm t=20 phi=50", false},
        {"heat --air=1000 --to=30 t=20", false},
        {"heat --air=1000 --to=30 --air1=3 t=20 phi=50", false},
        {"state --to=30 t=20 phi=50", false},
        {"chart -o a.png --air2=3", false},
    };
    for (const auto& [line, dialogWords] : mistakes) {
        SCOPED_TRACE(line.toStdString());
        const CliRun run = runCli(line.split(QLatin1Char(' ')), "i=12,x=0.008 i=8,x=0.006\n");
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("milten-cli: ")));
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
        EXPECT_EQ(run.err.contains(message(words::kGiveAirQuantity)), dialogWords);
    }
}

TEST(CliUsage, EachMistakeIsOneLineOnStandardErrorAndStatusTwo) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::vector<QStringList> mistakes{
        {},
        {"draw"},
        {"--bogus", "state"},
        {"state", "y=1", "t=2"},
        {"state", "t=1", "t=2"},
        {"state", "t=20"},
        {"state", "t=20", "phi=50", "x=0.01"},
        {"state", "t=abc", "phi=50"},
        {"state", "t", "phi=50"},
        {"state", "--format=xml", "t=20", "phi=50"},
        {"state", "-o", "a.pdf", "t=20", "phi=50"},
        {"chart"},
        {"chart", "-o", "a.jpg"},
        {"chart", "-o", "nowhere/a.pdf"},
        {"chart", "-o", "a.png", "--dpi", "0"},
        {"chart", "-o", "a.png", "--point", "t=20"},
        {"chart", "-o", "a.png", "--point", "t=20,u=3"},
        {"chart", "-o", "a.png", "t=20", "phi=50"},
        {"chart", "-o", "a.png", "--format=csv"},
        {"data"},
        {"data", "--zone=range:t=28..17,phi=40..70", "f.csv"},
        {"data", "--zone=pmv:met=1.1", "f.csv"},
        {"data", "--encoding=latin1", "f.csv"},
        {"state", "--zone=range:t=17..28,phi=40..70", "t=20", "phi=50"},
        {"chart", "-o", "a.png", "--data=f.csv", "--data-style=dots"},
        {"data", "--months=0..5", "f.csv"},
        {"chart", "-o", "a.png", "--hours=9..17"},
    };
    for (const QStringList& arguments : mistakes) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(arguments, {}, folder.path());
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("milten-cli: ")));
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
        EXPECT_TRUE(run.err.endsWith(QLatin1Char('\n')));
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(CliChart, PdfIsOneA4LandscapePage) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.pdf"));
    const CliRun run = runCli({QStringLiteral("chart"), QStringLiteral("-o"), path,
                               QStringLiteral("--point"), QStringLiteral("t=20,phi=50")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const auto match =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(text);
    ASSERT_TRUE(match.hasMatch()) << text.toStdString();
    EXPECT_NEAR(match.captured(1).toDouble(), 297.0 / 25.4 * 72.0, 1.0);
    EXPECT_NEAR(match.captured(2).toDouble(), 210.0 / 25.4 * 72.0, 1.0);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

TEST(CliChart, PngHasTheJoinLineAtTheMappedPointsAndNoFileOnAFailedPoint) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.png"));
    const CliRun run =
        runCli({QStringLiteral("chart"), QStringLiteral("-o"), path, QStringLiteral("--dpi=384"),
                QStringLiteral("--point=t=10,phi=40"), QStringLiteral("--point"),
                QStringLiteral("t=30 phi=40"), QStringLiteral("--join")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage image(path);
    const double dotsPerMm = 384.0 / 25.4;
    EXPECT_EQ(image.width(), static_cast<int>(std::ceil(267.0 * dotsPerMm)));
    // The two points by the chart geometry, worked out independently.
    struct PointMm {
        double X;
        double Y;
    };
    const PointMm a{68.0461218, 146.8273362};   // 10 °C, 40 %
    const PointMm b{135.6788814, 113.9027833};  // 30 °C, 40 %
    // The middle of the line joining the two marks is red, the chart under it hidden.
    const QPoint middle(static_cast<int>((a.X + b.X) / 2.0 * dotsPerMm),
                        static_cast<int>((a.Y + b.Y) / 2.0 * dotsPerMm));
    EXPECT_EQ(image.pixel(middle), qRgb(255, 0, 0));
    // The centre of a mark is inside its circle: not red.
    EXPECT_NE(
        image.pixel(QPoint(static_cast<int>(a.X * dotsPerMm), static_cast<int>(a.Y * dotsPerMm))),
        qRgb(255, 0, 0));

    const QString failed = folder.filePath(QStringLiteral("failed.svg"));
    const CliRun refused =
        runCli({QStringLiteral("chart"), QStringLiteral("-o"), failed,
                QStringLiteral("--point=t=20,phi=50"), QStringLiteral("--point=t=200,phi=50")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(message(words::kNoAirState)));
    EXPECT_FALSE(QFile::exists(failed));
}

TEST(CliChart, SvgIsTheSurfaceInMillimetres) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.SVG"));
    ASSERT_EQ(runCli({QStringLiteral("chart"), QStringLiteral("--output"), path}).status, 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(400);
    EXPECT_TRUE(head.contains("width=\"267mm\" height=\"189mm\""));
}

// --units, --pressure and --altitude: figures in SI and at a site's pressure, and the usage
// errors. x at t = 20 °C, φ = 50 % is 0.622·φ·ps / (P − φ·ps) at the total pressure P.
TEST(CliSettings, UnitsAndPressure) {
    const double ps = psychro::SaturationPressure(20.0);
    const auto xAt = [ps](double P) { return 0.622 * 0.5 * ps / (P - 0.5 * ps); };
    struct Case {
        QStringList arguments;
        int status;
        const char* column;  // a CSV column to read, or nullptr: `fragment` is in the output
        double value;
        double tolerance;
        QString fragment;
    };
    const QString range = QStringLiteral("の範囲で入力してください。");
    const Case cases[] = {
        // 9.1984257 kcal/kg(DA) · 4.1868
        {{"state", "--units=si", "--format=csv", "t=20", "phi=50"}, 0, "i", 38.51196872, 1e-6, {}},
        {{"state", "--units=si", "t=20", "phi=50"}, 0, nullptr, 0, 0, "kJ/kg(DA)"},
        {{"state", "--units=si", "t=20", "phi=50"}, 0, nullptr, 0, 0, " 38.51 "},
        // 12 → 7 kcal/kg(DA) at 250 kg/h: 1250 kcal/h = 1.45375 kW
        {{"cool", "--units=si", "--air=250", "--format=csv", "i=50.2416,x=0.008",
          "i=29.3076,x=0.007"},
         0,
         "Q",
         1.45375,
         1e-9,
         {}},
        {{"cool", "--units=si", "--air=250", "i=50.2416,x=0.008", "i=29.3076,x=0.007"},
         0,
         nullptr,
         0,
         0,
         "kW\n       1.454\n"},
        {{"state", "--units=engineering", "t=20", "phi=50"}, 0, nullptr, 0, 0, "kcal/kg(DA)"},
        {{"state", "--pressure=700mmHg", "--format=csv", "t=20", "phi=50"},
         0,
         "x",
         xAt(1.03323 * 700.0 / 760.0),
         1e-12,
         {}},
        {{"state", "--pressure=93.3kPa", "--format=csv", "t=20", "phi=50"},
         0,
         "x",
         xAt(1.03323 * 93.3 / 101.325),
         1e-12,
         {}},
        {{"state", "--altitude=1500", "--format=csv", "t=20", "phi=50"},
         0,
         "x",
         xAt(1.03323 * std::pow(1.0 - 2.25577e-5 * 1500.0, 5.2559)),
         1e-12,
         {}},
        // Wet bulbs by an ASHRAE-based library, which the boiling point of the site once took.
        {{"state", "--altitude=1500", "--format=csv", "t=65", "phi=90"}, 0, "tw", 62.76, 0.01, {}},
        {{"state", "--altitude=5000", "--format=csv", "t=80", "phi=50"}, 0, "tw", 64.11, 0.01, {}},
        {{"state", "--altitude=5000", "--format=csv", "t=80", "tw=64.11"},
         0,
         "tw",
         64.11,
         1e-6,
         {}},
        // Near 0 °C the balance has a root over water and one over ice: the given one is meant.
        {{"state", "--format=csv", "t=5", "tw=0.1"}, 0, "tw", 0.1, 1e-9, {}},
        {{"state", "--format=csv", "t=5", "tw=-0.1"}, 0, "tw", -0.1, 1e-9, {}},
        // steam must reach the site's boiling point: about 83.3 °C at 5,000 m, 101.7 °C at −500 m
        {{"humidify", "--altitude=5000", "--steam=90", "--air=1000", "--target=80", "--format=csv",
          "t=20", "phi=50"},
         0,
         "phi",
         80.0,
         1e-5,
         {}},
        {{"humidify", "--altitude=-500", "--steam=100", "--air=1000", "--target=80", "t=20",
          "phi=50"},
         2,
         nullptr,
         0,
         0,
         QStringLiteral("蒸気温度は101.7℃以上")},
        {{"state", "--pressure=700", "t=20", "phi=50"}, 2, nullptr, 0, 0, "--pressure"},
        {{"state", "--pressure=700psi", "t=20", "phi=50"}, 2, nullptr, 0, 0, "--pressure"},
        {{"state", "--pressure=abcmmHg", "t=20", "phi=50"}, 2, nullptr, 0, 0, "number"},
        {{"state", "--pressure=0mmHg", "t=20", "phi=50"}, 2, nullptr, 0, 0, range},
        {{"state", "--altitude=6000", "t=20", "phi=50"}, 2, nullptr, 0, 0, range},
        {{"state", "--altitude=-1000", "t=20", "phi=50"}, 2, nullptr, 0, 0, range},
        {{"state", "--units=kcal", "t=20", "phi=50"}, 2, nullptr, 0, 0, "unknown units"},
        {{"state", "--pressure=700mmHg", "--altitude=0", "t=20", "phi=50"},
         2,
         nullptr,
         0,
         0,
         "not both"},
        {{"chart", "-o", "x.pdf", "--pressure=700"}, 2, nullptr, 0, 0, "--pressure"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        if (c.column != nullptr) {
            EXPECT_NEAR(exactNumber(csvFields(run.out).value(QString::fromLatin1(c.column))),
                        c.value, c.tolerance);
        } else {
            EXPECT_TRUE((c.status == 0 ? run.out : run.err).contains(c.fragment))
                << run.out.toStdString() << run.err.toStdString();
        }
    }
}

// A project file's marks, drawn as the window draws them: the two joined points of the PNG test
// above, given as states (10 °C 40 %: x = 0.622·3.6836/756.316, i = 2.4 + x·601.71; 30 °C
// 40 %: x = 0.622·12.7296/747.270, i = 7.2 + x·610.53, with ps 9.209 and 31.824 mmHg).
TEST(CliChart, AProjectFileIsRenderedWithItsMarks) {
    const QTemporaryDir folder;
    const auto marked = [](const char* label, double x, double i) {
        const chart::PointMm p = chart::statePoint(i, 1000.0 * x);
        return chart::MarkedState{label, {static_cast<float>(p.X), static_cast<float>(p.Y)}, x, i};
    };
    chart::MarkedWork work{
        .chartDrawn = true, .entries = {}, .settings = std::nullopt, .title = {}};
    work.entries.push_back({chart::EntryKind::Point,
                            {marked("1点", 0.0030294, 4.22282)},
                            std::nullopt,
                            {},
                            {{"number", 1.0}}});
    work.entries.push_back({chart::EntryKind::Point,
                            {marked("2点", 0.0105958, 13.66906)},
                            work.entries[0].states[0].at,
                            {},
                            {{"number", 2.0}}});
    const QString project = folder.filePath(QStringLiteral("work.milten"));
    {
        QFile file(project);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(chart::writeProject(work)));
    }
    const QString path = folder.filePath(QStringLiteral("chart.png"));
    const CliRun run = runCli({QStringLiteral("chart"), QStringLiteral("-o"), path,
                               QStringLiteral("--dpi=384"), project});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage image(path);
    const double dotsPerMm = 384.0 / 25.4;
    const QPoint middle(static_cast<int>((68.0461218 + 135.6788814) / 2.0 * dotsPerMm),
                        static_cast<int>((146.8273362 + 113.9027833) / 2.0 * dotsPerMm));
    EXPECT_EQ(image.pixel(middle), qRgb(255, 0, 0));

    const QString broken = folder.filePath(QStringLiteral("broken.milten"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"format\": \"milten-project\", \"version\": 9}");
    }
    const QString refusedPath = folder.filePath(QStringLiteral("refused.svg"));
    const CliRun refused =
        runCli({QStringLiteral("chart"), QStringLiteral("-o"), refusedPath, broken});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(QFile::exists(refusedPath));
    // The message names the file and why: a newer version's.
    EXPECT_TRUE(
        refused.err.contains(QStringLiteral("「broken.milten」を開けません。新しいバージョン")))
        << refused.err.toStdString();

    // Saved at 1,500 m, drawn in SI units: the file's pressure stays (84.556 kPa there).
    work.settings =
        chart::Settings{chart::Units::Engineering, *psychro::atmosphereFromAltitude(1500.0)};
    {
        QFile file(project);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::fromStdString(chart::writeProject(work)));
    }
    const QString si = folder.filePath(QStringLiteral("si.svg"));
    ASSERT_EQ(runCli({QStringLiteral("chart"), QStringLiteral("--units=si"), QStringLiteral("-o"),
                      si, project})
                  .status,
              0);
    QFile svg(si);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    // The painter writes the line in several runs of text: the markup is left out.
    EXPECT_TRUE(QString::fromUtf8(svg.readAll())
                    .remove(QRegularExpression(QStringLiteral("<[^>]*>|\n")))
                    .contains(QStringLiteral("大気圧 = 84.556 kPa (標高 1500 m)")));
}

}  // namespace

namespace {

// A logger's file and a weather file with their rows counted by hand: the building hygiene
// law's range (17–28 °C, 40–70 %, edges inside) and the ISO 7730 votes of 22 °C 60 % (0.05)
// and 27 °C 60 % (1.17) at 1.6 met, 0.5 clo, 0.1 m/s.
struct DataCase {
    const char* file;
    QByteArray text;
    QStringList options;
    int status;
    QString expected;  // JSON, or the start of the message on standard error
};

TEST(CliData, CountsInsideZonesAndRefusesBrokenFiles) {
    const QTemporaryDir folder;
    QByteArray epw = "LOCATION,Site,,,,,,,,40\n";
    for (int k = 0; k < 7; ++k) {
        epw += "HEADER,0\n";
    }
    epw +=
        "2001,1,1,1,60,x,22,9,60,101325\n2001,1,1,2,60,x,27,9,60,101325\n"
        "2001,1,1,3,60,x,99.9,9,60,101325\n2001,1,1,4,60,x,17,9,40,101325\n";
    const QString hygiene = QStringLiteral("--zone=range:t=17..28,phi=40..70");
    const QString pmv = QStringLiteral("--zone=pmv:met=1.6,clo=0.5,vel=0.1");
    const std::vector<DataCase> cases{
        {"year.epw",
         epw,
         {hygiene, pmv},
         0,
         R"({"rows":3,"refused":1,"site":{"name":"Site","elevation":40.0},"refusedRows":[{"line":11,"reason":"欠測値です"}],"zones":[)"
         R"({"zone":"range:t=17..28,phi=40..70","inside":3,"share":1.0,"hours":3.0},)"
         R"({"zone":"pmv:met=1.6,clo=0.5,vel=0.1","inside":1,"share":0.3333333333333333,"hours":1.0}]})"},
        {"log.csv",
         "温度(℃),湿度(%)\n16.9,50\n22,70\nx,1\n",
         {hygiene},
         0,
         R"({"rows":2,"refused":1,"refusedRows":[{"line":4,"reason":"数値ではありません"}],"zones":[)"
         R"({"zone":"range:t=17..28,phi=40..70","inside":1,"share":0.5,"hours":0.0}]})"},
        {"cols.csv",
         "a,b\n22,60\n",
         {"--columns=t=1,phi=2", pmv},
         0,
         R"({"rows":1,"refused":0,"refusedRows":[],"zones":[)"
         R"({"zone":"pmv:met=1.6,clo=0.5,vel=0.1","inside":1,"share":1.0,"hours":0.0}]})"},
        {"year.epw",
         epw,
         {hygiene, "--hours=1..3"},
         0,
         R"({"rows":2,"refused":1,"site":{"name":"Site","elevation":40.0},"refusedRows":[{"line":11,"reason":"欠測値です"}],"zones":[)"
         R"({"zone":"range:t=17..28,phi=40..70","inside":2,"share":1.0,"hours":2.0}]})"},
        {"nodates.csv", "t,phi\n22,60\n", {"--months=6..8"}, 1, "milten-cli: "},
        {"names.csv", "a,b\n22,60\n", {}, 1, "milten-cli: "},
        {"none.csv", "t,phi\n22,150\n", {}, 1, "milten-cli: "},
        {"missing.csv", {}, {}, 1, "milten-cli: "},
    };
    for (const DataCase& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = folder.filePath(QLatin1String(c.file));
        if (!c.text.isEmpty()) {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.text);
        }
        const CliRun run =
            runCli(QStringList{"data", "--format=json"} + c.options + QStringList{path});
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        if (c.status == 0) {
            EXPECT_EQ(run.out.trimmed(), c.expected);
        } else {
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_TRUE(run.err.startsWith(c.expected + path)) << run.err.toStdString();
        }
    }
}

TEST(CliData, ChartShadesTheCellOfTheHours) {
    const QTemporaryDir folder;
    const QString data = folder.filePath(QStringLiteral("log.csv"));
    QFile out(data);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("t,x(g/kg)\n20.5,7.5\n20.6,7.4\n");
    out.close();
    // The first state, inside the cell 20–21 °C, 7–8 g/kg(DA): its dot, or its cell's shade,
    // over most of the 5 × 5 pixels around it (a line of the chart may cross them; a dot is
    // 3 × 3 pixels at 96 dpi).
    const chart::PointMm p = chart::statePoint(chart::enthalpyAt(20.5, 7.5), 7.5);
    for (const char* style : {"hours", "points"}) {
        const QString png = folder.filePath(QStringLiteral("c.png"));
        const CliRun run = runCli({"chart", "-o", png, "--dpi=96", "--data=" + data,
                                   QStringLiteral("--data-style=") + QLatin1String(style)});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QImage image(png);
        int reddish = 0;
        for (int dx = -2; dx <= 2; ++dx) {
            for (int dy = -2; dy <= 2; ++dy) {
                const QColor c = image.pixelColor(static_cast<int>(p.X * 96 / 25.4) + dx,
                                                  static_cast<int>(p.Y * 96 / 25.4) + dy);
                reddish += c.red() > c.green() + 60 && c.red() > c.blue() + 60 ? 1 : 0;
            }
        }
        EXPECT_GE(reddish, std::string(style) == "hours" ? 13 : 8) << style;
    }
}

// A work's file with its data: the shown layer's dot in its own colour (orange) at 20.5 °C,
// 7.5 g/kg(DA) (rows as little-endian float32, AACkQY/C9Ts=), the hidden layer's at 30 °C,
// 15 g/kg(DA) (AADwQY/CdTw=) left out; a broken colour refuses the file, naming the field.
TEST(CliData, AProjectFileDrawsItsShownLayers) {
    const QTemporaryDir folder;
    const auto layer = [](const char* states, bool shown) {
        return QStringLiteral(R"({"path": "a.csv", "name": "a", "style": "points", )"
                              R"("colour": "#ff8000", "shown": %1, "months": 4095, )"
                              R"("hours": 16777215, "hourly": false, "rows": 1, "states": "%2"})")
            .arg(shown ? "true" : "false", states);
    };
    const QString text = QStringLiteral(R"({"format": "milten-project", "version": 1, )"
                                        R"("chartDrawn": true, "entries": [], "data": [%1, %2]})")
                             .arg(layer("AACkQY/C9Ts=", true), layer("AADwQY/CdTw=", false));
    for (const bool broken : {false, true}) {
        const QString project = folder.filePath(QStringLiteral("work.milten"));
        QFile file(project);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((broken ? QString(text).replace("#ff8000", "#ff800") : text).toUtf8());
        file.close();
        const QString png = folder.filePath(QStringLiteral("c.png"));
        const CliRun run = runCli({"chart", "-o", png, "--dpi=96", project});
        if (broken) {
            EXPECT_TRUE(run.err.endsWith(QStringLiteral("（data[0].colour）。\n")))
                << run.err.toStdString();
            continue;
        }
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QImage image(png);
        for (const auto& [t, xg, drawn] : {std::tuple{20.5, 7.5, true}, {30.0, 15.0, false}}) {
            const chart::PointMm p = chart::statePoint(chart::enthalpyAt(t, xg), xg);
            int orange = 0;  // of the 5 × 5 pixels around it; a line of the chart may cross
            for (int dx = -2; dx <= 2; ++dx) {
                for (int dy = -2; dy <= 2; ++dy) {
                    const QColor c = image.pixelColor(static_cast<int>(p.X * 96 / 25.4) + dx,
                                                      static_cast<int>(p.Y * 96 / 25.4) + dy);
                    orange += c.red() > c.blue() + 150 && c.green() > c.blue() + 60 ? 1 : 0;
                }
            }
            EXPECT_EQ(orange >= 4, drawn) << t;
        }
    }
}

}  // namespace

// A design through the real process: figures worked by hand (see the psychro tests' worked
// designs; SI by 1 kcal/h = 4.1868/3600 W), text and CSV lines, refusals and usage errors.
TEST(CliDesign, FiguresRefusalsAndUsage) {
    const QStringList summer{"--room=t=26,phi=50", "--outdoor=t=33,phi=63", "--outdoor-ratio=25",
                             "--dt=10"};
    const QStringList winter{"--room=t=22,phi=40", "--outdoor=t=0,phi=50", "--sensible=8000",
                             "--latent=1000",      "--outdoor-ratio=25",   "--dt=10"};
    const QStringList cool{"design", "cool", "--sensible=10000", "--latent=2000"};
    struct Case {
        const char* name;
        QStringList arguments;
        int status;
        std::vector<std::pair<const char*, double>> json;  // "group/name" or "name", value
        QString line;  // a line the output (or standard error) holds
    };
    // clang-format off
    const std::vector<Case> cases{
        {"cooling, json", cool + summer + QStringList{"--format=json"}, 0,
         {{"airQuantity", 4093.8065}, {"bypassFactor", 0.26969}, {"adp/t", 11.618},
          {"loads/coil", 19759.90}, {"loads/dehumidifiedWater", 13.10365}, {"loads/outdoorAir", 7759.90}}, {}},
        {"cooling with reheat in SI: kW in, kW and kJ out",
         QStringList{"design", "cool", "--units=si", "--sensible=11.63", "--latent=2.326", "--bypass=0.1",
                     "--format=json"} + summer, 0,
         {{"airQuantity", 4093.8065}, {"room/i", 52.858}, {"coil/t", 14.493}, {"loads/coil", 24.73342},
          {"loads/reheat", 1.752660}}, {}},
        {"cooling, text", cool + summer, 0, {}, QStringLiteral("air quantity            4094 kg(DA)/h")},
        {"heating with spray, csv", QStringList{"design", "heat", "--humidifier=spray:15", "--format=csv"} + winter,
         0, {}, QStringLiteral("heated,0.005388085773816")},
        {"heating, steam at 100 °C by default", QStringList{"design", "heat"} + winter, 0, {},
         QStringLiteral("heater load            12170 kcal/h")},
        {"supply in the fog", cool + summer.mid(0, 3) + QStringList{"--dt=20"}, 1, {},
         message(words::kDesignSupplyImpossible)},
        {"room without a state", QStringList{"design", "heat", "--room=t=200,phi=50"} + winter.mid(1), 1, {},
         message(words::kNoAirState)},
        {"steam below boiling", QStringList{"design", "heat", "--humidifier=steam:90"} + winter, 2, {},
         message(words::kDesignSteamTemperature)},
        {"ratio above 100", cool + summer.mid(0, 2) + QStringList{"--outdoor-ratio=120", "--dt=10"}, 2, {},
         message(words::kDesignOutdoorRatio)},
        {"bypass with heating", QStringList{"design", "heat", "--bypass=0.1"} + winter, 2, {}, "--bypass"},
        {"unknown humidifier", QStringList{"design", "heat", "--humidifier=ice"} + winter, 2, {}, "--humidifier"},
        {"missing --dt", QStringList{"design", "heat"} + winter.mid(0, 5), 2, {}, "--dt=DT is missing"},
        {"neither cool nor heat", QStringList{"design", "dry"} + winter, 2, {}, "cool or heat"},
        {"design option on state", {"state", "--dt=10", "t=20", "phi=50"}, 2, {},
         "--dt belongs to the design command"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        if (!c.line.isEmpty()) {
            EXPECT_TRUE((c.status == 0 ? run.out : run.err).contains(c.line))
                << run.out.toStdString() << run.err.toStdString();
        }
        if (c.status != 0) {
            EXPECT_TRUE(run.out.isEmpty());
        }
        if (c.json.empty()) {
            continue;
        }
        const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
        for (const auto& [path, want] : c.json) {
            const QStringList parts = QString::fromLatin1(path).split(QLatin1Char('/'));
            const QJsonValue value =
                parts.size() == 1 ? object[parts[0]]
                : parts[0] == QLatin1String("loads")
                    ? object[QStringLiteral("loads")].toObject()[parts[1]]
                    : object[QStringLiteral("states")].toObject()[parts[0]].toObject()[parts[1]];
            ASSERT_TRUE(value.isDouble()) << path;
            EXPECT_NEAR(value.toDouble(), want, std::fabs(want) * 3e-5) << path;
        }
    }
}
