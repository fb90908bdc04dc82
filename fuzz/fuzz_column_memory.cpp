// The remembered column choices, as a settings store may hold them, with any file: a text is
// taken only as the writer writes it, a choice found fits the file's header line, and what is
// kept stays within its bound.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/column_memory.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider input(bytes, size);
    std::vector<std::string> stored;
    const std::size_t texts = input.ConsumeIntegralInRange<std::size_t>(0, 40);
    for (std::size_t k = 0; k < texts; ++k) {
        stored.push_back(input.ConsumeRandomLengthString(120));
    }
    const std::string file = input.ConsumeRemainingBytesAsString();

    for (const std::string& text : stored) {
        if (const auto remembered = data::rememberedFromText(text)) {
            FUZZ_CHECK(data::rememberedText(*remembered) == text, text);
            FUZZ_CHECK(data::rememberedFromText(data::rememberedText(*remembered)) == remembered,
                       text);
        }
    }
    const auto found = data::rememberedFor(file, stored);
    if (found) {
        FUZZ_CHECK(found->columns.headerLine >= 1 && found->columns.headerLine <= 20, file);
        const auto read = data::readCsv(file, {psychro::PressureRatio::standard(),
                                               found->encoding,
                                               found->columns,
                                               {},
                                               found->dateOrder});
        (void)read;  // refused or read, never past the row
        const auto kept = data::remembering(stored, file, *found);
        FUZZ_CHECK(kept.size() <= data::kRememberedHeaders, file);
        FUZZ_CHECK(data::rememberedFor(file, kept) == found, file);
    }
    return 0;
}
