// The peak memory of saving a project with a large data set: `save_rows ROWS FILE` makes a
// logger's set of ROWS dated rows with two zones and saves it to FILE as the window does;
// `save_rows ROWS` makes the set only. Run each under `/usr/bin/time -v`: the difference of the
// two "Maximum resident set size" figures is what saving costs.
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "data/data_part.h"
#include "files/project_files.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: save_rows ROWS [FILE]\n");
        return 2;
    }
    const auto rows = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    auto set = std::make_shared<data::DataSet>();
    set->name = "logger";
    set->states.reserve(rows);
    set->times.reserve(rows);
    for (std::uint32_t k = 0; k < rows; ++k) {
        set->states.push_back({20.0F + static_cast<float>(k % 100) * 0.1F, 0.008F});
        set->times.push_back(k);
    }
    const data::DataPart part{{{set, "room.csv", data::LayerStyle::Points, 0x1F77B4, true, {}}},
                              {data::RangeZone{"夏", 24, 28, false, 40, 70},
                               data::PmvZone{"PMV", 1.2, 0.5, 0.1, std::nullopt, 0.5}}};
    if (argc < 3) {
        return 0;
    }
    chart::MarkedWork work;
    work.settings = chart::Settings::standard();
    const auto saved = files::writeProjectFile(QString::fromLocal8Bit(argv[2]), work, part);
    if (!saved) {
        std::fprintf(stderr, "%s\n", saved.error().toUtf8().constData());
        return 1;
    }
    return 0;
}
