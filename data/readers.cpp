#include "data/readers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <utility>

#include "data/text_lines.h"
#include "psychro/air_state.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace data {
namespace {

using detail::forEachLine;
using detail::readNumber;
using detail::splitFields;

constexpr std::size_t kHeaderSearchLines = 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The air of the two given properties at the pressure ratio, as t and x; nullopt where there is
// none: no solution, x below zero, φ above 100 % (a rounding margin aside) or a temperature
// outside the solver's −50 … 100 °C.
std::optional<DataState> stateOf(psychro::Property a, double va, psychro::Property b, double vb,
                                 psychro::PressureRatio pressure) {
    const auto solved = psychro::solvePair(a, va, b, vb, pressure);
    if (!solved) {
        return std::nullopt;
    }
    const double t = psychro::temperatureFromEnthalpy(solved->i, solved->x);
    if (!(solved->x >= 0.0) || !(t >= -50.0 && t <= 100.0)) {
        return std::nullopt;
    }
    const double phi =
        psychro::relativeHumidityPercent(solved->x, psychro::SaturationPressure(t), pressure);
    if (!(phi <= 100.0 + 1e-6)) {
        return std::nullopt;
    }
    return DataState{static_cast<float>(t), static_cast<float>(solved->x)};
}

// Tells `progress` how far the read is every kProgressRows rows; false once it asks to stop.
class ProgressTicks {
  public:
    ProgressTicks(const ReadProgress& progress, std::string_view text)
        : progress_(progress), text_(text) {}

    // One more row, ending where `line` ends.
    [[nodiscard]] bool row(std::string_view line) {
        if (!progress_ || ++rows_ < kProgressRows) {
            return true;
        }
        rows_ = 0;
        return tell(static_cast<std::size_t>(line.data() + line.size() - text_.data()));
    }
    // The end of the text.
    [[nodiscard]] bool end() { return !progress_ || tell(text_.size()); }
    [[nodiscard]] bool stopped() const { return stopped_; }

  private:
    bool tell(std::size_t done) {
        stopped_ = !progress_(std::min(done, text_.size()), text_.size());
        return !stopped_;
    }

    const ReadProgress& progress_;
    std::string_view text_;
    std::size_t rows_ = 0;
    bool stopped_ = false;
};

ReadError cancelled() {
    return ReadError{ReadFailure::Cancelled, {}, {}};
}

// ---- CSV -----------------------------------------------------------------------------------

enum class Column { T, Phi, X, Tw, Dew, DateTime, Date, Time, Pressure };

struct NamedColumn {
    std::string_view name;
    Column column;
};

// Names as loggers, weather services and spreadsheets write them, matched after the unit is cut
// off and ASCII letters are lowered.
constexpr std::array kNames{
    NamedColumn{"温度", Column::T},
    NamedColumn{"気温", Column::T},
    NamedColumn{"乾球温度", Column::T},
    NamedColumn{"室温", Column::T},
    NamedColumn{"平均気温", Column::T},
    NamedColumn{"temperature", Column::T},
    NamedColumn{"temp", Column::T},
    NamedColumn{"t", Column::T},
    NamedColumn{"dry bulb", Column::T},
    NamedColumn{"dry-bulb", Column::T},
    NamedColumn{"drybulb", Column::T},
    NamedColumn{"dry bulb temperature", Column::T},
    NamedColumn{"dry-bulb temperature", Column::T},
    NamedColumn{"air temperature", Column::T},
    NamedColumn{"temperatur", Column::T},
    NamedColumn{"相対湿度", Column::Phi},
    NamedColumn{"湿度", Column::Phi},
    NamedColumn{"平均湿度", Column::Phi},
    NamedColumn{"rh", Column::Phi},
    NamedColumn{"rhum", Column::Phi},
    NamedColumn{"humidity", Column::Phi},
    NamedColumn{"relative humidity", Column::Phi},
    NamedColumn{"phi", Column::Phi},
    NamedColumn{"rf", Column::Phi},
    NamedColumn{"relative feuchte", Column::Phi},
    NamedColumn{"luftfeuchte", Column::Phi},
    NamedColumn{"絶対湿度", Column::X},
    NamedColumn{"x", Column::X},
    NamedColumn{"absolute humidity", Column::X},
    NamedColumn{"湿球温度", Column::Tw},
    NamedColumn{"tw", Column::Tw},
    NamedColumn{"wet bulb", Column::Tw},
    NamedColumn{"wet-bulb", Column::Tw},
    NamedColumn{"露点温度", Column::Dew},
    NamedColumn{"露点", Column::Dew},
    NamedColumn{"dew point", Column::Dew},
    NamedColumn{"dew-point", Column::Dew},
    NamedColumn{"dewpoint", Column::Dew},
    NamedColumn{"dew point temperature", Column::Dew},
    NamedColumn{"td", Column::Dew},
    NamedColumn{"taupunkt", Column::Dew},
    NamedColumn{"日時", Column::DateTime},
    NamedColumn{"年月日時", Column::DateTime},
    NamedColumn{"日付 時刻", Column::DateTime},
    NamedColumn{"datetime", Column::DateTime},
    NamedColumn{"date/time", Column::DateTime},
    NamedColumn{"date time", Column::DateTime},
    NamedColumn{"timestamp", Column::DateTime},
    NamedColumn{"zeit", Column::DateTime},
    NamedColumn{"日付", Column::Date},
    NamedColumn{"年月日", Column::Date},
    NamedColumn{"date", Column::Date},
    NamedColumn{"datum", Column::Date},
    NamedColumn{"時刻", Column::Time},
    NamedColumn{"time", Column::Time},
    NamedColumn{"気圧", Column::Pressure},
    NamedColumn{"現地気圧", Column::Pressure},
    NamedColumn{"pressure", Column::Pressure},
    NamedColumn{"station pressure", Column::Pressure},
    NamedColumn{"atmospheric pressure", Column::Pressure},
    NamedColumn{"luftdruck", Column::Pressure},
};

struct HeaderName {
    std::string name;  // lowered, without the unit
    std::string unit;  // what follows the name (a bracket or a comma), lowered
};

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::string_view trimmedName(std::string_view s) {
    constexpr std::string_view ideographicSpace = "\xE3\x80\x80";
    while (true) {
        if (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
            s.remove_prefix(1);
        } else if (s.starts_with(ideographicSpace)) {
            s.remove_prefix(ideographicSpace.size());
        } else {
            break;
        }
    }
    while (true) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
        } else if (s.ends_with(ideographicSpace)) {
            s.remove_suffix(ideographicSpace.size());
        } else {
            break;
        }
    }
    return s;
}

// "温度(℃)" → 温度 and ℃; "湿度[%RH]" → 湿度 and %rh; full-width brackets too; "Temp, °C (LGR
// S/N: 1234)" → temp and °c: a unit may follow a comma, and a serial number in brackets is no
// unit.
HeaderName headerName(std::string_view field) {
    constexpr std::array<std::string_view, 5> opens{"(", "[", "\xEF\xBC\x88", "\xEF\xBC\xBB", ","};
    std::size_t cut = std::string_view::npos;
    for (const auto open : opens) {
        cut = std::min(cut, field.find(open));
    }
    if (cut == std::string_view::npos) {
        return {lowered(trimmedName(field)), {}};
    }
    std::string unit = lowered(field.substr(cut));
    for (std::size_t serial = unit.find("s/n"); serial != std::string::npos;
         serial = unit.find("s/n")) {
        const std::size_t open = unit.rfind('(', serial);
        const std::size_t close = unit.find(')', serial);
        unit.erase(open == std::string::npos ? serial : open,
                   close == std::string::npos
                       ? std::string::npos
                       : close + 1 - (open == std::string::npos ? serial : open));
    }
    return {lowered(trimmedName(field.substr(0, cut))), unit};
}

std::optional<Column> columnNamed(const std::string& name) {
    for (const auto& named : kNames) {
        if (named.name == name) {
            return named.column;
        }
    }
    return std::nullopt;
}

bool fahrenheitUnit(const std::string& unit) {
    return unit.find("°f") != std::string::npos || unit.find("\xE2\x84\x89") != std::string::npos ||
           unit == "(f)" || unit == "[f]";
}

bool gramsUnit(const std::string& unit) {
    return unit.find("g/kg") != std::string::npos && unit.find("kg/kg") == std::string::npos;
}

// kPa per unit of a pressure column's unit; 0 where it names none.
double kPaPerUnit(const std::string& unit) {
    if (unit.find("mbar") != std::string::npos || unit.find("hpa") != std::string::npos) {
        return 0.1;
    }
    if (unit.find("kpa") != std::string::npos) {
        return 1.0;
    }
    if (unit.find("mmhg") != std::string::npos) {
        return psychro::kStandardKPa / psychro::kStandardMmHg;
    }
    return unit.find("pa") != std::string::npos ? 0.001 : 0.0;
}

// The date order a date column's unit names: (MM/DD/YYYY), (DD.MM.YYYY), (YYYY-MM-DD).
std::optional<DateOrder> orderNamed(const std::string& unit) {
    const std::size_t m = unit.find("mm");
    const std::size_t d = unit.find("dd");
    const std::size_t y = unit.find("yy");
    if (m == std::string::npos || d == std::string::npos || y == std::string::npos) {
        return std::nullopt;
    }
    if (y < m && y < d) {
        return DateOrder::Ymd;
    }
    return m < d ? DateOrder::Mdy : DateOrder::Dmy;
}

struct Recognised {
    ColumnChoice columns;
    std::optional<DateOrder> dateOrder;
};

class Recogniser {
  public:
    // Takes a column for `what` at k, unless one was taken before.
    void take(Column what, std::size_t k, const std::string& unit) {
        ColumnChoice& c = found_.columns;
        auto slot = [&](std::optional<std::size_t>& s, bool state) {
            if (s) {
                return false;
            }
            s = k;
            states_ += state ? 1 : 0;
            return true;
        };
        switch (what) {
            case Column::T:
                if (slot(c.t, true)) {
                    c.fahrenheit = fahrenheitUnit(unit);
                }
                break;
            case Column::Phi:
                slot(c.phi, true);
                break;
            case Column::X:
                if (slot(c.x, true)) {
                    c.xInGrams = gramsUnit(unit);
                }
                break;
            case Column::Tw:
                slot(c.tw, true);
                break;
            case Column::Dew:
                slot(c.dew, true);
                break;
            case Column::DateTime:
                if (slot(c.dateTime, false)) {
                    found_.dateOrder = orderNamed(unit);
                }
                break;
            case Column::Date:
                if (slot(c.date, false)) {
                    found_.dateOrder = orderNamed(unit);
                }
                break;
            case Column::Time:
                slot(c.time, false);
                break;
            case Column::Pressure:
                if (slot(c.pressure, false)) {
                    c.pressureKPa = kPaPerUnit(unit);
                }
                break;
        }
    }
    [[nodiscard]] std::optional<Recognised> found() const {
        if (states_ < 2) {
            return std::nullopt;
        }
        return found_;
    }

  private:
    Recognised found_;
    int states_ = 0;
};

// The columns a header row names, or nullopt unless two of them fix a state.
std::optional<Recognised> recognised(const std::vector<std::string_view>& fields) {
    Recogniser r;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const HeaderName header = headerName(fields[k]);
        if (const auto column = columnNamed(header.name)) {
            r.take(*column, k, header.unit);
        }
    }
    return r.found();
}

// The quantity a unit alone says: ℃ or °C a temperature, % or %RH the relative humidity, g/kg
// the absolute humidity.
std::optional<Column> columnOfUnit(const std::string& unit) {
    static constexpr std::array<std::pair<std::string_view, Column>, 14> kUnits{{
        {"\xE2\x84\x83", Column::T},  // ℃
        {"°c", Column::T},
        {"degc", Column::T},
        {"\xE2\x84\x89", Column::T},  // ℉
        {"°f", Column::T},
        {"%", Column::Phi},
        {"\xEF\xBC\x85", Column::Phi},  // ％
        {"%rh", Column::Phi},
        {"rh%", Column::Phi},
        {"% rh", Column::Phi},
        {"g/kg", Column::X},
        {"g/kg(da)", Column::X},
        {"g/kg'", Column::X},
        {"kg/kg", Column::X},
    }};
    for (const auto& [text, column] : kUnits) {
        if (text == unit) {
            return column;
        }
    }
    return std::nullopt;
}

// A row of units under a row of names that the names alone do not place ("No.1", "No.2"):
// each unit decides its column; the named date columns above are kept.
std::optional<Recognised> recognisedByUnits(const std::vector<std::string>& names,
                                            const std::vector<std::string_view>& units) {
    Recogniser r;
    for (std::size_t k = 0; k < units.size() && k < names.size(); ++k) {
        const HeaderName header = headerName(names[k]);
        const auto named = columnNamed(header.name);
        const std::string unit = lowered(trimmedName(units[k]));
        if (named) {
            r.take(*named, k, header.unit.empty() ? unit : header.unit);
        } else if (const auto column = columnOfUnit(unit)) {
            r.take(*column, k, unit);
        }
    }
    return r.found();
}

// Reads an unsigned number of 1 … `most` digits from `s` at `k`, moving `k` past it.
std::optional<int> digits(std::string_view s, std::size_t& k, std::size_t most) {
    int value = 0;
    std::size_t count = 0;
    while (k < s.size() && count < most && s[k] >= '0' && s[k] <= '9') {
        value = value * 10 + (s[k] - '0');
        ++k;
        ++count;
    }
    return count == 0 ? std::nullopt : std::optional<int>(value);
}

// A date's three numbers with the separator between them ('-', '/' or '.'), then optionally
// " h:mm[:ss[.fff]][ AM|PM]" or "Th:mm…": the minutes since 1900 in the order given (a year
// first of four digits is always year-month-day; a two-digit year is 2000 … 2069 or 1970 …
// 1999); kNoTime where it is no date. 24:00 is the end of the day.
std::uint32_t parseDate(std::string_view s, DateOrder order) {
    std::size_t k = 0;
    const std::size_t start = k;
    const auto a = digits(s, k, 4);
    const std::size_t firstDigits = k - start;
    if (!a || k >= s.size() || (s[k] != '-' && s[k] != '/' && s[k] != '.')) {
        return kNoTime;
    }
    const char sep = s[k++];
    const auto b = digits(s, k, 2);
    if (!b || k >= s.size() || s[k] != sep) {
        return kNoTime;
    }
    ++k;
    const std::size_t third = k;
    const auto c = digits(s, k, 4);
    if (!c) {
        return kNoTime;
    }
    const std::size_t thirdDigits = k - third;
    CalendarTime time{};
    if (firstDigits == 4 || order == DateOrder::Ymd) {
        if (thirdDigits > 2) {
            return kNoTime;
        }
        time = {*a, *b, *c, 0, 0};
    } else {
        if (firstDigits > 2 || (thirdDigits != 2 && thirdDigits != 4)) {
            return kNoTime;
        }
        const int year = thirdDigits == 2 ? (*c < 70 ? 2000 + *c : 1900 + *c) : *c;
        time = order == DateOrder::Mdy ? CalendarTime{year, *a, *b, 0, 0}
                                       : CalendarTime{year, *b, *a, 0, 0};
    }
    bool endOfDay = false;
    if (k < s.size() && (s[k] == ' ' || s[k] == 'T')) {
        while (k < s.size() && (s[k] == ' ' || s[k] == 'T')) {
            ++k;
        }
        const auto h = digits(s, k, 2);
        if (!h || k >= s.size() || s[k] != ':') {
            return kNoTime;
        }
        ++k;
        const auto mi = digits(s, k, 2);
        if (!mi) {
            return kNoTime;
        }
        time.hour = *h;
        time.minute = *mi;
        if (k < s.size() && s[k] == ':') {
            ++k;
            if (!digits(s, k, 2)) {
                return kNoTime;
            }
            if (k < s.size() && s[k] == '.') {  // fractions of a second
                ++k;
                digits(s, k, 9);
            }
        }
        std::size_t blank = k;
        while (blank < s.size() && s[blank] == ' ') {
            ++blank;
        }
        const std::string half = lowered(s.substr(blank));
        if ((half == "am" || half == "pm") && time.hour >= 1 && time.hour <= 12) {
            time.hour = time.hour % 12 + (half == "pm" ? 12 : 0);
            k = s.size();
        }
        if (time.hour == 24 && time.minute == 0) {
            time.hour = 0;
            endOfDay = true;
        }
    }
    if (k != s.size()) {
        return kNoTime;
    }
    const std::uint32_t minutes = minutesOf(time);
    return minutes == kNoTime || !endOfDay ? minutes : minutes + 1440U;
}

// The text of a row's date: its date-time field, or its date and time fields joined by a blank
// (in `joined`, reused between rows).
std::string_view dateText(const ColumnChoice& c, const std::vector<std::string_view>& f,
                          std::string& joined) {
    if (c.dateTime && *c.dateTime < f.size()) {
        return f[*c.dateTime];
    }
    if (!c.date || *c.date >= f.size()) {
        return {};
    }
    if (!c.time || *c.time >= f.size() || f[*c.time].empty()) {
        return f[*c.date];
    }
    joined.assign(f[*c.date]);
    joined += ' ';
    joined += f[*c.time];
    return joined;
}

struct Given {
    psychro::Property property;
    std::size_t column;
    bool isDew;
};

// The two columns each row's state comes from: the first two given of t, φ, x, t′, and the
// dew point (which stands for x, so it is taken only without an x column).
std::optional<std::array<Given, 2>> statePair(const ColumnChoice& c) {
    std::vector<Given> given;
    if (c.t)
        given.push_back({psychro::Property::t, *c.t, false});
    if (c.phi)
        given.push_back({psychro::Property::phi, *c.phi, false});
    if (c.x)
        given.push_back({psychro::Property::x, *c.x, false});
    if (c.tw)
        given.push_back({psychro::Property::tw, *c.tw, false});
    if (c.dew && !c.x)
        given.push_back({psychro::Property::x, *c.dew, true});
    if (given.size() < 2) {
        return std::nullopt;
    }
    return std::array<Given, 2>{given[0], given[1]};
}

// What a set read by the pair keeps: the dry bulb with φ, the dew point or x as read; any other
// pair keeps t and x at the row's pressure.
Humidity keptHumidity(const std::array<Given, 2>& pair) {
    if (pair[0].property != psychro::Property::t) {
        return Humidity::X;
    }
    if (pair[1].isDew) {
        return Humidity::Dew;
    }
    return pair[1].property == psychro::Property::phi ? Humidity::Phi : Humidity::X;
}

struct Decoded {
    std::string_view bytes;  // the file's own bytes, when they are UTF-8
    std::string owned;       // the UTF-8 text, when it had to be decoded
    Encoding encoding;
    bool guessed;  // Shift-JIS taken because the bytes are no UTF-8

    // Not kept as a member: a moved string may move its characters.
    [[nodiscard]] std::string_view text() const {
        return encoding == Encoding::Utf8 ? bytes : std::string_view(owned);
    }
};

std::optional<Decoded> decoded(std::string_view bytes, std::optional<Encoding> chosen) {
    if (bytes.starts_with(kUtf8Bom) && chosen != Encoding::ShiftJis) {
        bytes.remove_prefix(kUtf8Bom.size());
        if (!detail::validUtf8(bytes)) {
            return std::nullopt;
        }
        return Decoded{bytes, {}, Encoding::Utf8, false};
    }
    if (chosen != Encoding::ShiftJis && detail::validUtf8(bytes)) {
        return Decoded{bytes, {}, Encoding::Utf8, false};
    }
    if (chosen == Encoding::Utf8) {
        return std::nullopt;
    }
    auto text = detail::shiftJisToUtf8(bytes);
    if (!text) {
        return std::nullopt;
    }
    return Decoded{{}, std::move(*text), Encoding::ShiftJis, !chosen.has_value()};
}

// Whether decoded text shows Japanese (kana or kanji, U+3000 … U+9FFF): Shift-JIS then was
// the file's encoding, not a guess that turned other bytes into katakana.
bool showsJapanese(std::string_view text) {
    for (std::size_t k = 0; k + 2 < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if (c >= 0xE3 && c <= 0xE9) {
            return true;
        }
    }
    return false;
}

// Tab where the line has one, else a semicolon where it has one, else a comma.
char delimiterOf(std::string_view line) {
    if (line.find('\t') != std::string_view::npos) {
        return '\t';
    }
    return line.find(';') != std::string_view::npos ? ';' : ',';
}

bool blankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A number with a decimal comma ("21,5") read through `buffer`.
std::optional<double> readCommaNumber(std::string_view field, std::string& buffer) {
    buffer.assign(field);
    std::replace(buffer.begin(), buffer.end(), ',', '.');
    return readNumber(buffer);
}

// Whether successive times keep one step: none goes back, and the most common step between
// them is at least nine in ten of the steps.
bool steady(const std::vector<std::uint32_t>& times) {
    std::map<std::uint32_t, std::size_t> steps;
    std::size_t count = 0;
    for (std::size_t k = 1; k < times.size(); ++k) {
        if (times[k] < times[k - 1]) {
            return false;
        }
        ++steps[times[k] - times[k - 1]];
        ++count;
    }
    if (count == 0) {
        return true;
    }
    const auto most = std::max_element(steps.begin(), steps.end(),
                                       [](auto a, auto b) { return a.second < b.second; });
    return most->second * 10 >= count * 9;
}

// The order of day and month in `dates` (the first rows' date texts): the one order in which
// every date reads, or of those, the one that gives a steady step; where day and month stand
// either way round, a dot separator is read day first (DD.MM.YYYY), a slash is asked about.
// Ymd where no date reads in any order (the column is then said to be unread).
std::optional<DateOrder> decidedOrder(const std::vector<std::string>& dates) {
    std::vector<DateOrder> reading;
    std::vector<DateOrder> steadyOrders;
    bool anyRead = false;
    for (const DateOrder order : {DateOrder::Ymd, DateOrder::Mdy, DateOrder::Dmy}) {
        std::vector<std::uint32_t> times;
        for (const std::string& d : dates) {
            const std::uint32_t t = parseDate(d, order);
            if (t != kNoTime) {
                times.push_back(t);
            }
        }
        anyRead = anyRead || !times.empty();
        if (!times.empty() && times.size() == dates.size()) {
            reading.push_back(order);
            if (steady(times)) {
                steadyOrders.push_back(order);
            }
        }
    }
    if (!anyRead || dates.empty()) {
        return DateOrder::Ymd;
    }
    // A year written first reads the same in every order.
    if (reading.size() == 3) {
        return DateOrder::Ymd;
    }
    if (reading.size() == 1) {
        return reading.front();
    }
    if (steadyOrders.size() == 1) {
        return steadyOrders.front();
    }
    if (reading.empty()) {
        return DateOrder::Ymd;
    }
    if (dates.front().find('.') != std::string::npos &&
        std::find(reading.begin(), reading.end(), DateOrder::Dmy) != reading.end()) {
        return DateOrder::Dmy;
    }
    return std::nullopt;
}

// What the header search found.
struct Layout {
    Recognised found;
    std::vector<std::string> names;
    char delimiter = ',';
};

constexpr std::size_t kSampleRows = 200;

}  // namespace

std::expected<CsvRead, ReadError> readCsv(std::string_view bytes, const CsvOptions& options) {
    if (bytes.size() > kMaxFileBytes) {
        return std::unexpected(ReadError{ReadFailure::TooLarge, {}, {}});
    }
    if (!detail::looksLikeText(bytes)) {
        return std::unexpected(ReadError{ReadFailure::NotText, {}, {}});
    }
    auto text = decoded(bytes, options.encoding);
    if (!text) {
        return std::unexpected(ReadError{ReadFailure::EncodingUndecided, {}, {}});
    }

    std::vector<std::string_view> fields;
    std::optional<Layout> layout;
    if (options.columns) {
        layout = Layout{{*options.columns, std::nullopt}, {}, ','};
    }
    std::vector<std::string> firstLine;
    std::vector<std::string> above;  // the previous line's fields, names a unit row may follow
    std::size_t headerLine = layout ? layout->found.columns.headerLine : 0;
    forEachLine(text->text(), [&](std::size_t number, std::string_view line) {
        if (number > kHeaderSearchLines && !layout) {
            return false;
        }
        if (blankLine(line)) {
            return true;
        }
        const char here = delimiterOf(line);
        if (layout) {
            // The header's delimiter, or the first row's where the file has no header (0).
            if (number >= headerLine) {
                layout->delimiter = here;
                if (number == headerLine) {
                    splitFields(line, here, fields);
                    layout->names.assign(fields.begin(), fields.end());
                }
                return false;
            }
            return true;
        }
        for (const char delimiter : {here, ','}) {
            splitFields(line, delimiter, fields);
            if (firstLine.empty()) {
                firstLine.assign(fields.begin(), fields.end());
            }
            auto found = recognised(fields);
            std::vector<std::string> names(fields.begin(), fields.end());
            if (!found && above.size() == fields.size()) {
                found = recognisedByUnits(above, fields);
                names = above;
            }
            if (found) {
                found->columns.headerLine = number;
                headerLine = number;
                layout = Layout{*found, std::move(names), delimiter};
                return false;
            }
            if (delimiter == ',') {
                break;
            }
        }
        splitFields(line, here, fields);
        above.assign(fields.begin(), fields.end());
        return true;
    });
    if (!layout) {
        // Shift-JIS taken only on a guess shows its names in what may be the wrong characters;
        // where it shows Japanese, the encoding was right and the columns are what is missing.
        if (text->guessed && !showsJapanese(text->text().substr(0, 4096))) {
            return std::unexpected(ReadError{ReadFailure::EncodingUndecided, {}, {}});
        }
        return std::unexpected(ReadError{ReadFailure::ColumnsUnrecognised, firstLine, {}});
    }
    ColumnChoice& columns = layout->found.columns;
    const auto pair = statePair(columns);
    if (!pair) {
        return std::unexpected(ReadError{ReadFailure::ColumnsUnrecognised, firstLine, {}});
    }
    const bool dated = columns.dateTime || columns.date;
    const char delimiter = layout->delimiter;

    // The first rows decide the decimal mark and the order of day and month.
    bool decimalComma = false;
    std::vector<std::string> sampleDates;
    {
        std::size_t sampled = 0;
        std::string joined;
        forEachLine(text->text(), [&](std::size_t number, std::string_view line) {
            if (number <= headerLine || blankLine(line)) {
                return true;
            }
            splitFields(line, delimiter, fields);
            for (const Given& given : *pair) {
                const std::string_view f =
                    given.column < fields.size() ? fields[given.column] : std::string_view{};
                if (delimiter != ',' && f.find(',') != std::string_view::npos && !readNumber(f) &&
                    readCommaNumber(f, joined)) {
                    decimalComma = true;
                }
            }
            if (dated) {
                const std::string_view d = dateText(columns, fields, joined);
                if (!d.empty()) {
                    sampleDates.emplace_back(d);
                }
            }
            return ++sampled < kSampleRows;
        });
    }
    DateOrder dateOrder = DateOrder::Ymd;
    if (options.dateOrder) {
        dateOrder = *options.dateOrder;
    } else if (layout->found.dateOrder) {
        dateOrder = *layout->found.dateOrder;
    } else if (dated) {
        const auto decided = decidedOrder(sampleDates);
        if (!decided) {
            return std::unexpected(ReadError{ReadFailure::DateOrderUndecided, layout->names, {}});
        }
        dateOrder = *decided;
    }

    CsvRead read{{}, {}, text->encoding, columns, layout->names, dateOrder, false};
    read.set.humidity = keptHumidity(*pair);
    // A rough row count from the line ends keeps the vectors from growing step by step; capped,
    // so that a file of blank lines does not reserve room for rows it does not have.
    constexpr std::size_t kMostReserved = 2'000'000;
    const std::size_t lines = std::min(
        kMostReserved,
        static_cast<std::size_t>(std::count(text->text().begin(), text->text().end(), '\n')) + 1);
    read.set.readings.reserve(lines);
    if (dated) {
        read.set.times.reserve(lines);
    }
    if (columns.pressure) {
        read.set.pressures.reserve(lines);
    }
    const std::size_t need = std::max((*pair)[0].column, (*pair)[1].column) + 1;
    std::optional<bool> xInGrams;
    if (options.columns || columns.xInGrams) {
        xInGrams = columns.xInGrams;
    }
    const auto number = [&](std::string_view field, std::string& buffer) {
        return decimalComma ? readCommaNumber(field, buffer) : readNumber(field);
    };
    const double lowest = psychro::lowestPressureRatio().value();
    const double highest = psychro::highestPressureRatio().value();
    // The row's pressure from its pressure column; the site's where the field holds none.
    const auto rowPressure = [&](const std::vector<std::string_view>& f,
                                 std::string& buffer) -> std::optional<double> {
        if (!columns.pressure || *columns.pressure >= f.size()) {
            return options.pressure.value();
        }
        const auto value = number(f[*columns.pressure], buffer);
        if (!value) {
            return options.pressure.value();
        }
        double perUnit = columns.pressureKPa;
        if (perUnit == 0.0) {  // Pa, hPa or kPa by the size of the number
            perUnit = *value > 2000.0 ? 0.001 : *value > 200.0 ? 0.1 : 1.0;
        }
        const double ratio = *value * perUnit / psychro::kStandardKPa;
        return ratio >= lowest && ratio <= highest ? std::optional<double>(ratio) : std::nullopt;
    };
    ReadReport& report = read.report;
    // The lines taken for the header's before the first row; refused after all where no row
    // follows them.
    ReadReport asHeader;
    ProgressTicks ticks(options.progress, text->text());
    bool anyRow = false;
    std::string buffer;
    std::string joined;
    forEachLine(text->text(), [&](std::size_t lineNumber, std::string_view line) {
        if (!ticks.row(line)) {
            return false;
        }
        if (lineNumber <= headerLine || blankLine(line)) {
            return true;
        }
        splitFields(line, delimiter, fields);
        // Before the first row, a line whose state fields hold no number is one more line of
        // the header (a weather service's row of quality marks under its names).
        const auto headerLike = [&] {
            return !anyRow && std::none_of(pair->begin(), pair->end(), [&](const Given& g) {
                return g.column < fields.size() && number(fields[g.column], buffer).has_value();
            });
        };
        const auto refuse = [&](RowFault fault) {
            (headerLike() ? asHeader : report).refuse(lineNumber, fault);
        };
        if (fields.size() < need) {
            refuse(RowFault::TooFewFields);
            return true;
        }
        std::array<double, 2> values{};
        std::array<double, 2> asRead{};
        for (std::size_t k = 0; k < 2; ++k) {
            const Given& given = (*pair)[k];
            const std::string_view field = fields[given.column];
            if (field.empty()) {
                refuse(RowFault::MissingValue);
                return true;
            }
            const auto value = number(field, buffer);
            if (!value) {
                refuse(RowFault::NotANumber);
                return true;
            }
            values[k] = *value;
        }
        const auto pressure = rowPressure(fields, buffer);
        if (!pressure) {
            report.refuse(lineNumber, RowFault::BadPressure);
            return true;
        }
        const psychro::PressureRatio ratio(*pressure);
        for (std::size_t k = 0; k < 2; ++k) {
            const Given& given = (*pair)[k];
            double v = values[k];
            const bool temperature = given.isDew || given.property == psychro::Property::t ||
                                     given.property == psychro::Property::tw;
            if (temperature && columns.fahrenheit) {
                v = (v - 32.0) / 1.8;
            }
            asRead[k] = v;
            if (given.isDew) {
                v = psychro::saturationHumidity(psychro::SaturationPressure(v), ratio);
            } else if (given.property == psychro::Property::x) {
                // Without a unit, the first value says: no air holds 1 kg/kg(DA), so a
                // column whose values reach 1 holds grams.
                if (!xInGrams) {
                    xInGrams = v >= 1.0;
                }
                v = *xInGrams ? v / 1000.0 : v;
                asRead[k] = v;
            }
            values[k] = v;
        }
        const auto state =
            stateOf((*pair)[0].property, values[0], (*pair)[1].property, values[1], ratio);
        if (!state) {
            report.refuse(lineNumber, RowFault::NoAirState);
            return true;
        }
        anyRow = true;
        read.set.readings.push_back(
            read.set.humidity == Humidity::X && (*pair)[0].property != psychro::Property::t
                ? Reading{state->t, state->x}
            : read.set.humidity == Humidity::X && (*pair)[1].property != psychro::Property::x
                ? Reading{static_cast<float>(asRead[0]), state->x}
                : Reading{static_cast<float>(asRead[0]), static_cast<float>(asRead[1])});
        if (columns.pressure) {
            read.set.pressures.push_back(static_cast<float>(*pressure));
        }
        if (dated) {
            read.set.times.push_back(parseDate(dateText(columns, fields, joined), dateOrder));
        }
        ++report.rowsRead;
        return true;
    });
    if (ticks.stopped() || !ticks.end()) {
        return std::unexpected(cancelled());
    }
    read.columns.xInGrams = xInGrams.value_or(false);
    if (report.rowsRead == 0) {
        ReadReport all;
        std::vector<RefusedRow> refused = report.firstRefused;
        refused.insert(refused.end(), asHeader.firstRefused.begin(), asHeader.firstRefused.end());
        std::sort(refused.begin(), refused.end(),
                  [](const RefusedRow& a, const RefusedRow& b) { return a.line < b.line; });
        for (const RefusedRow& row : refused) {
            all.refuse(row.line, row.fault);
        }
        all.rowsRefused = report.rowsRefused + asHeader.rowsRefused;
        return std::unexpected(ReadError{ReadFailure::NoUsableRow, {}, all});
    }
    read.set.readings.shrink_to_fit();
    read.set.pressures.shrink_to_fit();
    read.set.sharePressures();
    // A date column none of whose fields could be read gives no dates (a time of day alone,
    // say): the set is then undated, not dated nowhere, and the read says so.
    if (dated && std::all_of(read.set.times.begin(), read.set.times.end(),
                             [](std::uint32_t t) { return t == kNoTime; })) {
        read.set.times.clear();
        read.datesUnread = true;
    }
    read.set.times.shrink_to_fit();
    return read;
}

// ---- EPW -----------------------------------------------------------------------------------

std::expected<EpwRead, ReadError> readEpw(std::string_view bytes, const ReadProgress& progress) {
    if (bytes.size() > kMaxFileBytes) {
        return std::unexpected(ReadError{ReadFailure::TooLarge, {}, {}});
    }
    if (!detail::looksLikeText(bytes)) {
        return std::unexpected(ReadError{ReadFailure::NotText, {}, {}});
    }
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    if (!bytes.starts_with("LOCATION,")) {
        return std::unexpected(ReadError{ReadFailure::NotWeatherFile, {}, {}});
    }
    constexpr std::size_t kHeaderLines = 8;
    EpwRead read;
    read.set.hourly = true;
    read.set.humidity = Humidity::Phi;
    std::vector<std::string_view> fields;
    bool headerWhole = false;
    ProgressTicks ticks(progress, bytes);
    forEachLine(bytes, [&](std::size_t number, std::string_view line) {
        if (!ticks.row(line)) {
            return false;
        }
        if (number == 1) {
            splitFields(line, ',', fields);
            read.set.name = fields.size() > 1 ? std::string(fields[1]) : std::string();
            if (const auto elevation = fields.size() > 9 ? readNumber(fields[9]) : std::nullopt) {
                read.set.elevation = *elevation;
                read.set.hasElevation = true;
            }
            return true;
        }
        if (number == 2) {
            read.set.designConditions = readDesignConditions(line);
        }
        if (number <= kHeaderLines) {
            headerWhole = number == kHeaderLines;
            return true;
        }
        if (line.empty()) {
            return true;
        }
        splitFields(line, ',', fields);
        if (fields.size() < 10) {
            read.report.refuse(number, RowFault::TooFewFields);
            return true;
        }
        std::array<double, 7> v{};  // year, month, day, hour, dry bulb, φ, pressure
        constexpr std::array<std::size_t, 7> at{0, 1, 2, 3, 6, 8, 9};
        for (std::size_t k = 0; k < at.size(); ++k) {
            const std::string_view field = fields[at[k]];
            if (field.empty()) {
                read.report.refuse(number, RowFault::MissingValue);
                return true;
            }
            const auto value = readNumber(field);
            if (!value) {
                read.report.refuse(number, RowFault::NotANumber);
                return true;
            }
            v[k] = *value;
        }
        // Hour 1 … 24 is the hour ending then; kept as the hour it began.
        const auto whole = [](double value, double low, double high) {
            return value >= low && value <= high ? static_cast<int>(value) : -1;
        };
        const std::uint32_t minutes = minutesOf({whole(v[0], 1900, 9999), whole(v[1], 1, 12),
                                                 whole(v[2], 1, 31), whole(v[3], 1, 24) - 1, 0});
        const double t = v[4];
        const double phi = v[5];
        const double pascal = v[6];
        if (t >= 99.9 || phi >= 999.0 || pascal >= 999999.0) {
            read.report.refuse(number, RowFault::MissingMarker);
            return true;
        }
        const double ratio = pascal / (psychro::kStandardKPa * 1000.0);
        if (!(ratio >= psychro::lowestPressureRatio().value() &&
              ratio <= psychro::highestPressureRatio().value())) {
            read.report.refuse(number, RowFault::BadPressure);
            return true;
        }
        const auto state = stateOf(psychro::Property::t, t, psychro::Property::phi, phi,
                                   psychro::PressureRatio(ratio));
        if (!state) {
            read.report.refuse(number, RowFault::NoAirState);
            return true;
        }
        read.set.readings.push_back({static_cast<float>(t), static_cast<float>(phi)});
        read.set.pressures.push_back(static_cast<float>(ratio));
        read.set.times.push_back(minutes);
        ++read.report.rowsRead;
        return true;
    });
    if (ticks.stopped() || !ticks.end()) {
        return std::unexpected(cancelled());
    }
    if (!headerWhole) {
        return std::unexpected(ReadError{ReadFailure::NotWeatherFile, {}, {}});
    }
    if (read.report.rowsRead == 0) {
        return std::unexpected(ReadError{ReadFailure::NoUsableRow, {}, read.report});
    }
    read.set.sharePressures();
    return read;
}

std::expected<std::string, ReadFailure> fileBytes(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        return std::unexpected(ReadFailure::CannotOpen);
    }
    if (size > kMaxFileBytes) {
        return std::unexpected(ReadFailure::TooLarge);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::unexpected(ReadFailure::CannotOpen);
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (static_cast<std::size_t>(in.gcount()) != size) {
        return std::unexpected(ReadFailure::CannotOpen);
    }
    return bytes;
}

std::string failureText(ReadFailure failure) {
    switch (failure) {
        case ReadFailure::CannotOpen:
            return "ファイルを読めません。";
        case ReadFailure::TooLarge:
            return "ファイルが大きすぎます（200 MB まで）。";
        case ReadFailure::NotText:
            return "テキストのファイルではありません。";
        case ReadFailure::EncodingUndecided:
            return "文字コードを決められません（UTF-8 か Shift-JIS を選んでください）。";
        case ReadFailure::ColumnsUnrecognised:
            return "列の名前から温度・湿度の列がわかりません。";
        case ReadFailure::DateOrderUndecided:
            return "日付の年・月・日の順がわかりません（年月日・月日年・日月年から選んでください）"
                   "。";
        case ReadFailure::NotWeatherFile:
            return "EPW 気象データのファイルではありません（LOCATION "
                   "行と8行の見出しがありません）。";
        case ReadFailure::NoUsableRow:
            return "使える行がありません。";
        case ReadFailure::Cancelled:
            return "読み込みを取り消しました。";
    }
    return {};
}

std::string faultText(RowFault fault) {
    switch (fault) {
        case RowFault::TooFewFields:
            return "列が足りません";
        case RowFault::MissingValue:
            return "値がありません";
        case RowFault::NotANumber:
            return "数値ではありません";
        case RowFault::MissingMarker:
            return "欠測値です";
        case RowFault::NoAirState:
            return "空気の状態になりません";
        case RowFault::BadPressure:
            return "気圧が範囲外です";
    }
    return {};
}

}  // namespace data
