#pragma once

#include <QString>
#include <QStringList>

#include "chart/settings.h"

// `milten-cli report -o FILE [--format=pdf|html] PROJECT.milten`: the calculation report of a
// project file, the same the window writes: the chart, the site, the marked states, the
// processes, the designs and the data sets with their zones.
namespace cli {

struct ReportArguments {
    QStringList outputs;      // the values of -o / --output
    QStringList formats;      // the values of --format
    QStringList files;        // the arguments after the command
    chart::Settings display;  // from --units, --pressure, --altitude (else the defaults)
    bool unitsGiven = false;
    bool pressureGiven = false;
};

// Writes the report; the project's own units and pressure unless --units or --pressure/
// --altitude override them. Exit status: 0 written; 1 the project file refused (its message on
// standard error); 2 a usage error or a file that cannot be written (one line, nothing written).
// Runs within a GUI application with the program's Japanese fonts installed.
[[nodiscard]] int runReport(const ReportArguments& arguments);

}  // namespace cli
