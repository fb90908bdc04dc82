// The EPW reader with any bytes, with a progress hook and without: the checks of
// fuzz_data_checks.h.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_data_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    fuzz::ProgressCheck progress(text);
    const auto read = data::readEpw(text, progress.hook());
    const auto plain = data::readEpw(text);
    fuzz::checkDataRead(text, read, plain);
    return 0;
}
