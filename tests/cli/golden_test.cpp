// Every subcommand's answer, byte for byte: standard output, standard error and the exit status
// of one run per command and format, refusals among them, against the answers recorded in
// tests/cli/golden/ (<name>.out, and <name>.err where the run writes to standard error). The runs
// start in that folder, which also holds the data files they read.
//
// MILTEN_GOLDEN_RECORD=1 in the environment writes the answers instead of comparing them.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace {

struct GoldenCase {
    const char* name;
    QStringList arguments;
    QByteArray input;  // standard input; empty for none
    int status;
};

const QByteArray kStates = "t=20 phi=50\ny=1 t=2\nt=30, tw=25\nt=200 phi=50\n";
const QByteArray kTwoStates = "i=12,x=0.008 i=8,x=0.006\ni=12,x=0.008\ni=12,x=0.008 i=7,x=0.007\n";
const QStringList kSummer{"--room=t=26,phi=50", "--outdoor=t=33,phi=63", "--sensible=10000",
                          "--latent=2000",      "--outdoor-ratio=25",    "--dt=10"};
const QStringList kWinter{"--room=t=22,phi=40", "--outdoor=t=0,phi=50", "--sensible=8000",
                          "--latent=1000",      "--outdoor-ratio=25",   "--dt=10"};
const QString kZones = QStringLiteral("--zone=range:t=17..28,phi=40..70");
const QString kPmv = QStringLiteral("--zone=pmv:met=1.6,clo=0.5,vel=0.1");

// clang-format off
const std::vector<GoldenCase> kCases{
    {"help", {"--help"}, {}, 0},
    {"version", {"--version"}, {}, 0},
    {"no_command", {}, {}, 2},
    {"unknown_command", {"draw"}, {}, 2},
    {"unknown_option", {"--bogus", "state"}, {}, 2},
    {"state_text", {"state", "t=20", "phi=50"}, {}, 0},
    {"state_text_batch", {"state"}, kStates, 1},
    {"state_csv", {"state", "--format=csv"}, kStates, 1},
    {"state_json", {"state", "--format=json"}, kStates, 1},
    {"state_json_one", {"state", "--format=json", "t=200", "phi=50"}, {}, 1},
    {"state_si", {"state", "--units=si", "--altitude=1500", "t=20", "phi=50"}, {}, 0},
    {"state_bad_format", {"state", "--format=xml", "t=20", "phi=50"}, {}, 2},
    {"state_bad_pair", {"state", "t=abc", "phi=50"}, {}, 2},
    {"state_bad_pressure", {"state", "--pressure=700psi", "t=20", "phi=50"}, {}, 2},
    {"humidify_text", {"humidify", "--steam=100", "--air=1000", "--target=80", "t=20", "phi=50"}, {}, 0},
    {"humidify_csv", {"humidify", "--water=15", "--air=1000", "--target=80", "--format=csv"}, kStates, 1},
    {"humidify_json", {"humidify", "--water=15", "--air=1000", "--target=80", "--format=json"}, kStates, 1},
    {"humidify_cold_steam", {"humidify", "--steam=90", "--air=1000", "--target=80"}, kStates, 2},
    {"humidify_no_air", {"humidify", "--steam=100", "--target=80", "t=20", "phi=50"}, {}, 2},
    {"humidify_twice", {"humidify", "--steam=100", "--air=1", "--air=2", "--target=80", "t=20", "phi=50"}, {}, 2},
    {"mix_text", {"mix", "--air1=1000", "--air2=3000", "i=12,x=0.008", "i=8,x=0.006"}, {}, 0},
    {"mix_csv", {"mix", "--air1=1000", "--air2=3000", "--format=csv"}, kTwoStates, 1},
    {"mix_json", {"mix", "--air1=1000", "--air2=3000", "--format=json"}, kTwoStates, 1},
    {"mix_zero_air", {"mix", "--air1=0", "--air2=3000", "i=12,x=0.008", "i=8,x=0.006"}, {}, 2},
    {"mix_one_state", {"mix", "--air1=1000", "--air2=3000", "i=12,x=0.008"}, {}, 2},
    {"cool_text", {"cool", "--air=250", "i=12,x=0.008", "i=7,x=0.007"}, {}, 0},
    {"cool_si_csv", {"cool", "--units=si", "--air=250", "--format=csv"}, kTwoStates, 1},
    {"cool_json", {"cool", "--air=2499", "--format=json", "i=12,x=0.008", "i=12.5,x=0.007"}, {}, 0},
    {"cool_stray_option", {"cool", "--air=250", "--to=30", "i=12,x=0.008", "i=7,x=0.007"}, {}, 2},
    {"heat_text", {"heat", "--air=1000", "--to=30", "t=20", "phi=50"}, {}, 0},
    {"heat_csv", {"heat", "--air=1000", "--to=10", "--format=csv"}, kStates, 1},
    {"heat_json", {"heat", "--air=0", "--to=30", "--format=json", "t=20", "phi=50"}, {}, 0},
    {"heat_not_a_number", {"heat", "--air=1000", "--to=warm", "t=20", "phi=50"}, {}, 2},
    {"design_cool_text", QStringList{"design", "cool"} + kSummer, {}, 0},
    {"design_cool_csv", QStringList{"design", "cool", "--format=csv", "--bypass=0.1"} + kSummer, {}, 0},
    {"design_cool_json", QStringList{"design", "cool", "--format=json"} + kSummer, {}, 0},
    {"design_heat_si_json", QStringList{"design", "heat", "--units=si", "--humidifier=spray", "--format=json",
                                        "--room=t=22,phi=40", "--outdoor=t=0,phi=50", "--sensible=9.3",
                                        "--latent=1.16", "--outdoor-ratio=25", "--dt=10"}, {}, 0},
    {"design_heat_text", QStringList{"design", "heat"} + kWinter, {}, 0},
    {"design_fog", QStringList{"design", "cool"} + kSummer.mid(0, 5) + QStringList{"--dt=20"}, {}, 1},
    {"design_no_dt", QStringList{"design", "heat"} + kWinter.mid(0, 5), {}, 2},
    {"design_dry", QStringList{"design", "dry"} + kWinter, {}, 2},
    {"design_stray_option", {"state", "--dt=10", "t=20", "phi=50"}, {}, 2},
    {"data_text", {"data", kZones, kPmv, "site.epw"}, {}, 0},
    {"data_csv", {"data", "--format=csv", kZones, "log.csv"}, {}, 0},
    {"data_json", {"data", "--format=json", kZones, kPmv, "--hours=1..3", "site.epw"}, {}, 0},
    {"data_no_zone_csv", {"data", "--format=csv", "log.csv"}, {}, 0},
    {"data_missing_file", {"data", "missing.csv"}, {}, 1},
    {"data_bad_encoding", {"data", "--encoding=latin1", "log.csv"}, {}, 2},
    {"data_bad_months", {"data", "--months=0..5", "log.csv"}, {}, 2},
    {"data_two_files", {"data", "log.csv", "site.epw"}, {}, 2},
    {"chart_no_output", {"chart"}, {}, 2},
    {"chart_extension", {"chart", "-o", "a.jpg"}, {}, 2},
    {"chart_dpi", {"chart", "-o", "a.png", "--dpi", "0"}, {}, 2},
    // Every number of an option is read as a text box reads it: no exponents.
    {"chart_dpi_exponent", {"chart", "-o", "a.png", "--dpi=1e2"}, {}, 2},
    {"data_zone_exponent", {"data", "--zone=range:t=1e1..28,phi=40..70", "log.csv"}, {}, 2},
    {"data_zone_full_width", {"data", "--zone=range:t=１７..２８,phi=40..70", "log.csv"}, {}, 0},
    {"chart_stray_format", {"chart", "-o", "a.png", "--format=csv"}, {}, 2},
    {"chart_loose_pair", {"chart", "-o", "a.png", "t=20", "phi=50"}, {}, 2},
    {"chart_bad_point", {"chart", "-o", "a.png", "--point", "t=20,u=3"}, {}, 2},
    {"chart_hours_alone", {"chart", "-o", "a.png", "--hours=9..17"}, {}, 2},
    {"chart_data_style", {"chart", "-o", "a.png", "--data=log.csv", "--data-style=dots"}, {}, 2},
    {"chart_missing_project", {"chart", "-o", "a.svg", "missing.milten"}, {}, 2},
    {"chart_newer_project", {"chart", "-o", "a.svg", "newer.milten"}, {}, 1},
    {"chart_point_without_state", {"chart", "-o", "a.svg", "--point=t=20,phi=50", "--point=t=200,phi=50"}, {}, 1},
};
// clang-format on

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray{};
}

TEST(CliGolden, EveryCommandAnswersAsRecorded) {
    const QString folder = QStringLiteral(MILTEN_CLI_GOLDEN);
    const bool record = qEnvironmentVariableIsSet("MILTEN_GOLDEN_RECORD");
    for (const GoldenCase& c : kCases) {
        SCOPED_TRACE(c.name);
        QProcess process;
        process.setWorkingDirectory(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(MILTEN_CLI_PATH), c.arguments);
        ASSERT_TRUE(process.waitForStarted());
        process.write(c.input);
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(60000));
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray err = process.readAllStandardError();
        const QString base = folder + QLatin1Char('/') + QLatin1String(c.name);
        if (record) {
            for (const auto& [suffix, bytes] : {std::pair{".out", out}, {".err", err}}) {
                QFile file(base + QLatin1String(suffix));
                if (!bytes.isEmpty() || suffix == std::string_view(".out")) {
                    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                    file.write(bytes);
                }
            }
        }
        EXPECT_EQ(process.exitCode(), c.status) << err.toStdString();
        EXPECT_EQ(out.toStdString(), contents(base + QStringLiteral(".out")).toStdString());
        EXPECT_EQ(err.toStdString(), contents(base + QStringLiteral(".err")).toStdString());
    }
    // No run wrote a chart into the folder.
    for (const char* name : {"a.jpg", "a.png", "a.svg"}) {
        EXPECT_FALSE(QFile::exists(folder + QLatin1Char('/') + QLatin1String(name))) << name;
    }
}

// A chart is written and nothing said: the picture itself is the drawing tests' concern.
TEST(CliGolden, ChartsAreWrittenSilently) {
    const QTemporaryDir target;
    const QString folder = QStringLiteral(MILTEN_CLI_GOLDEN);
    const std::vector<QStringList> runs{
        {"chart", "-o", target.filePath("points.svg"), "--point=t=20,phi=50", "--point=t=30,tw=25",
         "--join"},
        {"chart", "-o", target.filePath("data.png"), "--dpi=50", "--data=site.epw",
         "--data-style=hours", "--zone=range:t=17..28,phi=40..70"},
        {"chart", "-o", target.filePath("work.pdf"), "work.milten"},
    };
    for (const QStringList& arguments : runs) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        QProcess process;
        process.setWorkingDirectory(folder);
        process.start(QStringLiteral(MILTEN_CLI_PATH), arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
        EXPECT_TRUE(process.readAllStandardError().isEmpty());
        EXPECT_GT(QFile(arguments[2]).size(), 1000);
    }
}

}  // namespace
