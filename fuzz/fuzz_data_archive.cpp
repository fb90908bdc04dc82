// The reader of a work's data with any bytes: a refusal, or a part within its bounds whose every
// row is finite air and every zone valid; written again beside an empty work and read back, it
// is itself, and the work's own reader still reads that file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/project_file.h"
#include "data/data_archive.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = data::readDataPart(bytes);
    if (!read) {
        return 0;
    }
    FUZZ_CHECK(read->layers.size() <= data::kArchiveMaxLayers, std::string(bytes));
    FUZZ_CHECK(read->zones.size() <= data::kArchiveMaxZones, std::string(bytes));
    for (const data::DataLayer& layer : read->layers) {
        const data::DataSet& set = *layer.set;
        FUZZ_CHECK(set.times.empty() || set.times.size() == set.rows(), std::string(bytes));
        FUZZ_CHECK(set.pressures.size() <= 1 || set.pressures.size() == set.rows(),
                   std::string(bytes));
        for (const data::Reading& r : set.readings) {
            FUZZ_CHECK(std::isfinite(r.t) && std::isfinite(r.humidity), std::string(bytes));
        }
    }
    for (const data::Zone& zone : read->zones) {
        FUZZ_CHECK(data::zoneValid(zone), std::string(bytes));
    }
    const std::string written = data::writeProjectWithData(chart::MarkedWork{}, *read);
    const auto again = data::readDataPart(written);
    FUZZ_CHECK(again.has_value() && data::sameData(*again, *read), std::string(bytes));
    FUZZ_CHECK(chart::readProject(written).has_value(), std::string(bytes));
    return 0;
}
