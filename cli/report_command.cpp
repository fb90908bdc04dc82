#include "cli/report_command.h"

#include <cstdio>

#include "chart/sheet.h"
#include "cli/chart_output.h"
#include "cli/data_command.h"
#include "files/project_files.h"
#include "report/report_files.h"
#include "report/report_model.h"

namespace cli {
namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

int usage(const QString& text) {
    std::fprintf(stderr, "milten-cli: report: %s\n", text.toUtf8().constData());
    return kUsage;
}

QString quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

}  // namespace

int runReport(const ReportArguments& arguments) {
    if (arguments.files.size() != 1 ||
        !arguments.files.constFirst().endsWith(QStringLiteral(".milten"), Qt::CaseInsensitive)) {
        return usage(arguments.files.isEmpty()
                         ? QStringLiteral("the project file is missing (PROJECT.milten)")
                         : QStringLiteral("give one .milten file, not %1")
                               .arg(quoted(arguments.files.join(u' '))));
    }
    if (arguments.outputs.size() != 1) {
        return usage(arguments.outputs.isEmpty()
                         ? QStringLiteral("the output file is missing (-o FILE)")
                         : QStringLiteral("give one output file"));
    }
    const QString path = arguments.outputs.constFirst();
    std::optional<report::ReportFormat> format = report::reportFormatOf(path);
    if (arguments.formats.size() > 1) {
        return usage(QStringLiteral("give --format once"));
    }
    if (!arguments.formats.isEmpty()) {
        const QString& name = arguments.formats.constFirst();
        if (name == QLatin1String("pdf")) {
            format = report::ReportFormat::Pdf;
        } else if (name == QLatin1String("html")) {
            format = report::ReportFormat::Html;
        } else {
            return usage(QStringLiteral("unknown format %1 (pdf or html)").arg(quoted(name)));
        }
    }
    if (!format) {
        return usage(QStringLiteral("unknown extension of %1 (.pdf or .html, or give --format)")
                         .arg(quoted(path)));
    }
    if (const auto writable = checkWritable(path); !writable) {
        return usage(writable.error());
    }
    auto project = files::readProjectFile(arguments.files.constFirst());
    if (!project) {
        std::fprintf(stderr, "milten-cli: %s\n", project.error().toUtf8().constData());
        return kRefused;
    }
    chart::Settings settings = project->work.settings.value_or(arguments.display);
    if (arguments.unitsGiven) {
        settings.units = arguments.display.units;
    }
    if (arguments.pressureGiven) {
        settings.atmosphere = arguments.display.atmosphere;
    }

    const chart::MarkedWork& work = project->work;
    const chart::Picture picture = report::workChart(work, settings, project->data.zones);
    const report::Report model = report::reportOf(work, settings, project->data, work.title);
    const auto written =
        report::writeReport(model, chart::sheetOf(picture, settings),
                            partUnderlay(project->data, settings.atmosphere.ratio), path, *format);
    if (!written) {
        return usage(written.error());
    }
    return kOk;
}

}  // namespace cli
