// The DESIGN CONDITIONS line of a weather file with any bytes: no crash, every condition it
// keeps within the EPW's range, a wet bulb at most its dry bulb, the kinds in order and each once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/design_conditions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(bytes), size);
    const auto conditions = data::readDesignConditions(line);
    int previous = -1;
    for (const data::DesignCondition& c : conditions) {
        const int kind = static_cast<int>(c.kind);
        if (kind <= previous || c.dryBulb < -70.0 || c.dryBulb > 70.0 ||
            (c.wetBulb && *c.wetBulb > c.dryBulb) ||
            data::designConditionNamed(data::designConditionName(c.kind)) != c.kind) {
            std::abort();
        }
        previous = kind;
    }
    return 0;
}
