// The words of a `milten-cli` command line (split at line ends) read by the options' one parser:
// refused with one line of usage, or read; every option then either refused in one line or
// taken, a number the command needs finite, a pressure within the chart's range.
#include <QString>
#include <QStringList>
#include <cmath>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "fuzz_checks.h"

namespace {

// A usage message: one line, not empty.
void checkMessage(const QString& text, const std::string& detail) {
    FUZZ_CHECK(!text.isEmpty() && !text.contains(QLatin1Char('\n')),
               detail + " -> " + text.toStdString());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string detail = text.toStdString();
    QStringList arguments{QStringLiteral("milten-cli")};
    arguments += text.split(QLatin1Char('\n'));
    cli::CommandLine line;
    const auto parsed = line.parse(arguments);
    if (!parsed) {
        FUZZ_CHECK(!parsed.error().isEmpty(), detail);
        return 0;
    }
    const QStringList positional = line.positional();
    const std::string command =
        positional.isEmpty() ? std::string("state") : positional.constFirst().toStdString();
    if (const auto stray = line.strayOption(command)) {
        checkMessage(*stray, detail);
    }
    for (const cli::OptionSpec& spec : cli::optionSpecs()) {
        if (spec.takes == cli::Takes::Nothing) {
            continue;
        }
        if (const auto single = line.single(spec.name); !single) {
            checkMessage(single.error(), detail);
        }
        if (spec.takes == cli::Takes::Number) {
            const auto number = line.requiredNumber(spec.name, command);
            if (number) {
                FUZZ_CHECK(std::isfinite(*number), detail);
            } else {
                checkMessage(number.error(), detail);
            }
        }
    }
    if (const auto format = line.format("text csv json"); format) {
        FUZZ_CHECK(*format == QLatin1String("text") || *format == QLatin1String("csv") ||
                       *format == QLatin1String("json"),
                   detail);
    } else {
        checkMessage(format.error(), detail);
    }
    const auto settings = line.settings();
    if (settings) {
        const double ratio = settings->atmosphere.ratio.value();
        FUZZ_CHECK(ratio > 0.5 && ratio < 1.1, detail);
    } else {
        checkMessage(settings.error(), detail);
    }
    return 0;
}
