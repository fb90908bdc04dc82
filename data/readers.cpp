#include "data/readers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
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

enum class Column { T, Phi, X, Tw, Dew, DateTime, Date, Time };

struct NamedColumn {
    std::string_view name;
    Column column;
};

// Names as loggers and spreadsheets write them, matched after the unit is cut off and ASCII
// letters are lowered.
constexpr std::array kNames{
    NamedColumn{"温度", Column::T},
    NamedColumn{"気温", Column::T},
    NamedColumn{"乾球温度", Column::T},
    NamedColumn{"室温", Column::T},
    NamedColumn{"temperature", Column::T},
    NamedColumn{"temp", Column::T},
    NamedColumn{"t", Column::T},
    NamedColumn{"dry bulb", Column::T},
    NamedColumn{"相対湿度", Column::Phi},
    NamedColumn{"湿度", Column::Phi},
    NamedColumn{"rh", Column::Phi},
    NamedColumn{"humidity", Column::Phi},
    NamedColumn{"relative humidity", Column::Phi},
    NamedColumn{"phi", Column::Phi},
    NamedColumn{"絶対湿度", Column::X},
    NamedColumn{"x", Column::X},
    NamedColumn{"absolute humidity", Column::X},
    NamedColumn{"湿球温度", Column::Tw},
    NamedColumn{"tw", Column::Tw},
    NamedColumn{"wet bulb", Column::Tw},
    NamedColumn{"露点温度", Column::Dew},
    NamedColumn{"露点", Column::Dew},
    NamedColumn{"dew point", Column::Dew},
    NamedColumn{"dewpoint", Column::Dew},
    NamedColumn{"td", Column::Dew},
    NamedColumn{"日時", Column::DateTime},
    NamedColumn{"datetime", Column::DateTime},
    NamedColumn{"date/time", Column::DateTime},
    NamedColumn{"date time", Column::DateTime},
    NamedColumn{"timestamp", Column::DateTime},
    NamedColumn{"日付", Column::Date},
    NamedColumn{"date", Column::Date},
    NamedColumn{"時刻", Column::Time},
    NamedColumn{"time", Column::Time},
};

struct HeaderName {
    std::string name;  // lowered, without the unit
    std::string unit;  // the text in brackets, lowered
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

// "温度(℃)" → 温度 and ℃; "湿度[%RH]" → 湿度 and %rh; full-width brackets too.
HeaderName headerName(std::string_view field) {
    constexpr std::array<std::string_view, 4> opens{"(", "[", "\xEF\xBC\x88", "\xEF\xBC\xBB"};
    std::size_t cut = std::string_view::npos;
    for (const auto open : opens) {
        cut = std::min(cut, field.find(open));
    }
    if (cut == std::string_view::npos) {
        return {lowered(trimmedName(field)), {}};
    }
    return {lowered(trimmedName(field.substr(0, cut))), lowered(field.substr(cut))};
}

std::optional<Column> columnNamed(const std::string& name) {
    for (const auto& named : kNames) {
        if (named.name == name) {
            return named.column;
        }
    }
    return std::nullopt;
}

// The columns a header row names, or nullopt unless two of them fix a state.
std::optional<ColumnChoice> recognised(const std::vector<std::string_view>& fields) {
    ColumnChoice choice;
    int stateColumns = 0;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const HeaderName header = headerName(fields[k]);
        const auto column = columnNamed(header.name);
        if (!column) {
            continue;
        }
        auto take = [&](std::optional<std::size_t>& slot, bool state) {
            if (!slot) {
                slot = k;
                stateColumns += state ? 1 : 0;
            }
        };
        switch (*column) {
            case Column::T:
                take(choice.t, true);
                if (choice.t == k) {
                    choice.fahrenheit = header.unit.find("°f") != std::string::npos ||
                                        header.unit.find("\xE2\x84\x89") != std::string::npos;
                }
                break;
            case Column::Phi:
                take(choice.phi, true);
                break;
            case Column::X:
                take(choice.x, true);
                choice.xInGrams = choice.x == k && header.unit.find("g/kg") != std::string::npos &&
                                  header.unit.find("kg/kg") == std::string::npos;
                break;
            case Column::Tw:
                take(choice.tw, true);
                break;
            case Column::Dew:
                take(choice.dew, true);
                break;
            case Column::DateTime:
                take(choice.dateTime, false);
                break;
            case Column::Date:
                take(choice.date, false);
                break;
            case Column::Time:
                take(choice.time, false);
                break;
        }
    }
    if (stateColumns < 2) {
        return std::nullopt;
    }
    return choice;
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

// "YYYY-MM-DD", "YYYY/MM/DD" or "YYYY.MM.DD", then optionally " hh:mm[:ss]" or "Thh:mm[:ss]".
std::optional<CalendarTime> parseDate(std::string_view s) {
    std::size_t k = 0;
    const auto y = digits(s, k, 4);
    if (!y || k >= s.size() || (s[k] != '-' && s[k] != '/' && s[k] != '.')) {
        return std::nullopt;
    }
    const char sep = s[k++];
    const auto m = digits(s, k, 2);
    if (!m || k >= s.size() || s[k] != sep) {
        return std::nullopt;
    }
    ++k;
    const auto d = digits(s, k, 2);
    if (!d) {
        return std::nullopt;
    }
    CalendarTime time{*y, *m, *d, 0, 0};
    if (k < s.size() && (s[k] == ' ' || s[k] == 'T')) {
        while (k < s.size() && (s[k] == ' ' || s[k] == 'T')) {
            ++k;
        }
        const auto h = digits(s, k, 2);
        if (!h || k >= s.size() || s[k] != ':') {
            return std::nullopt;
        }
        ++k;
        const auto mi = digits(s, k, 2);
        if (!mi) {
            return std::nullopt;
        }
        time.hour = *h;
        time.minute = *mi;
        if (k < s.size() && s[k] == ':') {
            ++k;
            if (!digits(s, k, 2)) {
                return std::nullopt;
            }
            if (k < s.size() && s[k] == '.') {  // fractions of a second
                ++k;
                digits(s, k, 9);
            }
        }
    }
    return k == s.size() ? std::optional<CalendarTime>(time) : std::nullopt;
}

std::uint32_t rowTime(const ColumnChoice& c, const std::vector<std::string_view>& f) {
    std::string text;
    if (c.dateTime && *c.dateTime < f.size()) {
        text = f[*c.dateTime];
    } else if (c.date && *c.date < f.size()) {
        text = f[*c.date];
        if (c.time && *c.time < f.size() && !f[*c.time].empty()) {
            text += ' ';
            text += f[*c.time];
        }
    } else {
        return kNoTime;
    }
    const auto time = parseDate(text);
    return time ? minutesOf(*time) : kNoTime;
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
    std::optional<ColumnChoice> columns = options.columns;
    char delimiter = ',';
    std::vector<std::string> firstLine;
    std::size_t headerLine = columns ? columns->headerLine : 0;
    forEachLine(text->text(), [&](std::size_t number, std::string_view line) {
        if (number > kHeaderSearchLines && !columns) {
            return false;
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            return true;
        }
        const char here = line.find('\t') != std::string_view::npos ? '\t' : ',';
        if (columns) {
            // The header's delimiter, or the first row's where the file has no header (0).
            if (number >= headerLine) {
                delimiter = here;
                return false;
            }
            return true;
        }
        splitFields(line, here, fields);
        if (firstLine.empty()) {
            firstLine.assign(fields.begin(), fields.end());
        }
        if (auto found = recognised(fields)) {
            columns = found;
            columns->headerLine = number;
            headerLine = number;
            delimiter = here;
            return false;
        }
        return true;
    });
    if (!columns) {
        // Shift-JIS taken only on a guess shows its names in what may be the wrong characters.
        if (text->guessed) {
            return std::unexpected(ReadError{ReadFailure::EncodingUndecided, {}, {}});
        }
        return std::unexpected(ReadError{ReadFailure::ColumnsUnrecognised, firstLine, {}});
    }
    const auto pair = statePair(*columns);
    if (!pair) {
        return std::unexpected(ReadError{ReadFailure::ColumnsUnrecognised, firstLine, {}});
    }
    const bool dated = columns->dateTime || columns->date;

    CsvRead read{{}, {}, text->encoding, *columns};
    // A rough row count from the line ends keeps the vectors from growing step by step; capped,
    // so that a file of blank lines does not reserve room for rows it does not have.
    constexpr std::size_t kMostReserved = 2'000'000;
    const std::size_t lines = std::min(
        kMostReserved,
        static_cast<std::size_t>(std::count(text->text().begin(), text->text().end(), '\n')) + 1);
    read.set.states.reserve(lines);
    if (dated) {
        read.set.times.reserve(lines);
    }
    const std::size_t need = std::max((*pair)[0].column, (*pair)[1].column) + 1;
    std::optional<bool> xInGrams;
    if (options.columns || columns->xInGrams) {
        xInGrams = columns->xInGrams;
    }
    ReadReport& report = read.report;
    ProgressTicks ticks(options.progress, text->text());
    forEachLine(text->text(), [&](std::size_t number, std::string_view line) {
        if (!ticks.row(line)) {
            return false;
        }
        if (number <= headerLine || line.find_first_not_of(" \t") == std::string_view::npos) {
            return true;
        }
        splitFields(line, delimiter, fields);
        if (fields.size() < need) {
            report.refuse(number, RowFault::TooFewFields);
            return true;
        }
        std::array<double, 2> values{};
        for (std::size_t k = 0; k < 2; ++k) {
            const Given& given = (*pair)[k];
            const std::string_view field = fields[given.column];
            if (field.empty()) {
                report.refuse(number, RowFault::MissingValue);
                return true;
            }
            const auto value = readNumber(field);
            if (!value) {
                report.refuse(number, RowFault::NotANumber);
                return true;
            }
            double v = *value;
            const bool temperature = given.isDew || given.property == psychro::Property::t ||
                                     given.property == psychro::Property::tw;
            if (temperature && columns->fahrenheit) {
                v = (v - 32.0) / 1.8;
            }
            if (given.isDew) {
                const double ps = psychro::SaturationPressure(v);
                v = psychro::saturationHumidity(ps, options.pressure);
            } else if (given.property == psychro::Property::x) {
                // Without a unit, the first value says: no air holds 1 kg/kg(DA), so a
                // column whose values reach 1 holds grams.
                if (!xInGrams) {
                    xInGrams = v >= 1.0;
                }
                v = *xInGrams ? v / 1000.0 : v;
            }
            values[k] = v;
        }
        const auto state = stateOf((*pair)[0].property, values[0], (*pair)[1].property, values[1],
                                   options.pressure);
        if (!state) {
            report.refuse(number, RowFault::NoAirState);
            return true;
        }
        read.set.states.push_back(*state);
        if (dated) {
            read.set.times.push_back(rowTime(*columns, fields));
        }
        ++report.rowsRead;
        return true;
    });
    if (ticks.stopped() || !ticks.end()) {
        return std::unexpected(cancelled());
    }
    read.columns.xInGrams = xInGrams.value_or(false);
    if (report.rowsRead == 0) {
        return std::unexpected(ReadError{ReadFailure::NoUsableRow, {}, report});
    }
    read.set.states.shrink_to_fit();
    // A date column none of whose fields could be read gives no dates (a time of day alone,
    // say): the set is then undated, not dated nowhere.
    if (std::all_of(read.set.times.begin(), read.set.times.end(),
                    [](std::uint32_t t) { return t == kNoTime; })) {
        read.set.times.clear();
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
        read.set.states.push_back(*state);
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
