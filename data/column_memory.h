#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/readers.h"

// The column choices a user confirmed, remembered by the header of the file they were made for,
// so that the next file with that header is read the same way without asking. Kept as short
// texts (one a header) in the user's settings; reading them back trusts nothing.
namespace data {

// How many headers are remembered; the oldest is forgotten first.
inline constexpr std::size_t kRememberedHeaders = 32;

struct RememberedColumns {
    std::string key;  // headerKey of the header the choice was made for
    CsvChoice choice;
    bool operator==(const RememberedColumns&) const = default;
};

// The header a choice is remembered by: the file's lines 1 … headerLine decoded in `encoding`
// (without a byte-order mark), joined by a line feed whatever the file's line ends. nullopt
// where the file has fewer lines, is not in that encoding, or the choice names no header line.
// Only the first 64 KiB of `bytes` are looked at.
[[nodiscard]] std::optional<std::string> headerText(std::string_view bytes, Encoding encoding,
                                                    std::size_t headerLine);

// A 64-bit FNV-1a hash of the header text as 16 lower-case hex digits.
[[nodiscard]] std::string headerKey(std::string_view header);

// A choice as text, "1;u;1;t;φ;x;t′;dew;datetime;date;time;pressure;kPa;g;F;order" (version,
// encoding, header line, the columns with "-" for one not taken, kPa per unit, x in grams, °F,
// the order of dates or "-"), and back; a remembered one is its header's key, ";" and that. The
// readers take only what the writers write: any other text, a column past kMaxRememberedColumn
// or a header line outside 1 … 20 gives nullopt.
inline constexpr std::size_t kMaxRememberedColumn = 1023;
[[nodiscard]] std::string choiceText(const CsvChoice& choice);
[[nodiscard]] std::optional<CsvChoice> choiceFromText(std::string_view text);
[[nodiscard]] std::string rememberedText(const RememberedColumns& remembered);
[[nodiscard]] std::optional<RememberedColumns> rememberedFromText(std::string_view text);

// The choice of `stored` (texts as rememberedText writes them, newest last; at most the last
// kRememberedHeaders are looked at) whose header the file starting with `bytes` has, and whose
// columns all lie within the header line's fields; nullopt otherwise. Malformed texts are
// passed over.
[[nodiscard]] std::optional<CsvChoice> rememberedFor(std::string_view bytes,
                                                     const std::vector<std::string>& stored);

// `stored` with `choice` for the file starting with `bytes` put last (replacing one of the same
// header) and cut to the newest kRememberedHeaders; unchanged where the choice names no header
// line or the file has no such header.
[[nodiscard]] std::vector<std::string> remembering(std::vector<std::string> stored,
                                                   std::string_view bytes, const CsvChoice& choice);

}  // namespace data
