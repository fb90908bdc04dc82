#include "data/data_set.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace data {
namespace {

// Days from 1900-01-01 to y-m-d by the days-from-civil algorithm of H. Hinnant.
long daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25567;  // 25,567 days from 1900-01-01 to 1970-01-01
}

bool leap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : days[m - 1];
}

}  // namespace

std::uint32_t minutesOf(const CalendarTime& time) {
    if (time.year < 1900 || time.year > 9999 || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > daysInMonth(time.year, time.month) || time.hour < 0 || time.hour > 23 ||
        time.minute < 0 || time.minute > 59) {
        return kNoTime;
    }
    const long days = daysFromCivil(time.year, time.month, time.day);
    return static_cast<std::uint32_t>(days * 1440 + time.hour * 60 + time.minute);
}

CalendarTime calendarOf(std::uint32_t minutes) {
    const long z = static_cast<long>(minutes / 1440) - 25567 + 719468;
    const long era = z / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    const int ofDay = static_cast<int>(minutes % 1440);
    return {y, m, d, ofDay / 60, ofDay % 60};
}

void ReadReport::refuse(std::size_t line, RowFault fault) {
    ++rowsRefused;
    if (firstRefused.size() < kKeptRefusals) {
        firstRefused.push_back({line, fault});
    }
}

double DataSet::hoursOf(std::size_t rows) const {
    if (hourly) {
        return static_cast<double>(rows);
    }
    // The most common positive step among the first few thousand dated rows: a logger's
    // interval, unmoved by a gap or a restart.
    std::map<std::uint32_t, std::size_t> steps;
    const std::size_t end = std::min<std::size_t>(times.size(), 5000);
    for (std::size_t k = 1; k < end; ++k) {
        if (times[k] != kNoTime && times[k - 1] != kNoTime && times[k] > times[k - 1]) {
            ++steps[times[k] - times[k - 1]];
        }
    }
    if (steps.empty()) {
        return 0.0;
    }
    const auto common = std::max_element(steps.begin(), steps.end(),
                                         [](auto a, auto b) { return a.second < b.second; });
    return static_cast<double>(rows) * common->first / 60.0;
}

psychro::PressureRatio DataSet::pressureOf(std::size_t k, psychro::PressureRatio otherwise) const {
    if (pressures.empty()) {
        return otherwise;
    }
    return psychro::PressureRatio(pressures.size() == 1 ? pressures[0] : pressures[k]);
}

Measured DataSet::measured(std::size_t k, psychro::PressureRatio otherwise) const {
    const Reading r = readings[k];
    const double t = r.t;
    const double h = r.humidity;
    const psychro::PressureRatio own = pressureOf(k, otherwise);
    const double ps = psychro::SaturationPressure(t);
    switch (humidity) {
        case Humidity::Phi:
            return {t, h, psychro::humidityFromRelativeHumidity(h / 100.0, ps, own)};
        case Humidity::Dew: {
            // φ = pw/ps(t) with pw = ps(td), whatever the total pressure.
            const double x = psychro::saturationHumidity(psychro::SaturationPressure(h), own);
            return {t, psychro::relativeHumidityPercent(x, ps, own), x};
        }
        case Humidity::X:
            break;
    }
    return {t, psychro::relativeHumidityPercent(h, ps, own), h};
}

DataState DataSet::placed(std::size_t k, psychro::PressureRatio chart) const {
    const Reading r = readings[k];
    switch (humidity) {
        case Humidity::Phi:
            return {r.t, static_cast<float>(psychro::humidityFromRelativeHumidity(
                             r.humidity / 100.0, psychro::SaturationPressure(r.t), chart))};
        case Humidity::Dew:
            return {r.t, static_cast<float>(psychro::saturationHumidity(
                             psychro::SaturationPressure(r.humidity), chart))};
        case Humidity::X:
            break;
    }
    return {r.t, r.humidity};
}

void DataSet::sharePressures() {
    if (pressures.size() > 1 &&
        std::all_of(pressures.begin(), pressures.end(),
                    [first = pressures.front()](float p) { return p == first; })) {
        pressures = std::vector<float>{pressures.front()};  // one for every row
    }
}

std::vector<DataState> placedStates(const DataSet& set, psychro::PressureRatio chart) {
    std::vector<DataState> out;
    out.reserve(set.rows());
    for (std::size_t k = 0; k < set.rows(); ++k) {
        out.push_back(set.placed(k, chart));
    }
    return out;
}

namespace {

// Minutes into a year of 366 days by month, day and time alone.
std::uint32_t minuteOfYear(const CalendarTime& t) {
    constexpr int before[] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};
    return static_cast<std::uint32_t>((before[t.month - 1] + t.day - 1) * 1440 + t.hour * 60 +
                                      t.minute);
}

// Rows whose years differ, that go back in time or leap more than a month, and no two of which
// fall on the same minute of the year: months put together from different years.
bool typicalYear(const std::vector<std::uint32_t>& times) {
    std::optional<int> year;
    bool yearsDiffer = false;
    bool leaps = false;
    std::optional<std::uint32_t> previous;
    for (const std::uint32_t t : times) {
        if (t == kNoTime) {
            continue;
        }
        const int y = calendarOf(t).year;
        yearsDiffer = yearsDiffer || (year && *year != y);
        year = y;
        leaps = leaps || (previous && (t < *previous || t - *previous > 31U * 1440U));
        previous = t;
    }
    if (!yearsDiffer || !leaps) {
        return false;
    }
    std::vector<bool> seen(366U * 1440U, false);
    for (const std::uint32_t t : times) {
        if (t == kNoTime) {
            continue;
        }
        const std::uint32_t m = minuteOfYear(calendarOf(t));
        if (seen[m]) {
            return false;
        }
        seen[m] = true;
    }
    return true;
}

}  // namespace

std::optional<Period> periodOf(const DataSet& set) {
    const bool typical = typicalYear(set.times);
    std::optional<std::uint32_t> first;
    std::optional<std::uint32_t> last;
    const auto key = [&](std::uint32_t t) { return typical ? minuteOfYear(calendarOf(t)) : t; };
    for (const std::uint32_t t : set.times) {
        if (t == kNoTime) {
            continue;
        }
        if (!first || key(t) < key(*first)) {
            first = t;
        }
        if (!last || key(t) > key(*last)) {
            last = t;
        }
    }
    if (!first) {
        return std::nullopt;
    }
    return Period{calendarOf(*first), calendarOf(*last), typical};
}

std::string periodText(const DataSet& set) {
    const auto period = periodOf(set);
    if (!period) {
        return "—";
    }
    char text[96];
    if (period->typicalYear) {
        std::snprintf(text, sizeof text, "%d/%d – %d/%d (標準年)", period->first.month,
                      period->first.day, period->last.month, period->last.day);
    } else {
        std::snprintf(text, sizeof text, "%04d/%02d/%02d – %04d/%02d/%02d", period->first.year,
                      period->first.month, period->first.day, period->last.year, period->last.month,
                      period->last.day);
    }
    return text;
}

std::optional<std::uint32_t> bitRange(int first, int last, int count) {
    const int base = count == 12 ? 1 : 0;
    if ((count != 12 && count != 24) || first < base || first >= base + count || last < base ||
        last >= base + count) {
        return std::nullopt;
    }
    std::uint32_t bits = 0;
    for (int k = 0, at = first - base; k < count; ++k, at = (at + 1) % count) {
        bits |= 1U << at;
        if (at == last - base) {
            break;
        }
    }
    return bits;
}

namespace {

// "a～b" for each run of set bits (wrapping past the end), joined by "・", numbers from `base`;
// "" when all `count` bits are set.
std::string runsText(std::uint32_t bits, int count, int base) {
    if (bits == 0U) {
        return "—";  // none kept
    }
    const auto on = [&](int k) { return (bits >> ((k % count + count) % count) & 1U) != 0U; };
    std::string text;
    for (int k = 0; k < count; ++k) {
        if (!on(k) || on(k - 1)) {
            continue;  // not the start of a run
        }
        int end = k;
        while (end - k + 1 < count && on(end + 1)) {
            ++end;
        }
        text += text.empty() ? "" : "・";
        text += std::to_string(k + base);
        if (end != k) {
            text += "～";
            text += std::to_string(end % count + base);
        }
    }
    return text;
}

}  // namespace

std::string filterText(const TimeFilter& filter) {
    const std::uint32_t months = filter.months & 0x0FFFU;
    const std::uint32_t hours = filter.hours & 0x00FFFFFFU;
    std::string text;
    if (months != 0x0FFFU) {
        text += runsText(months, 12, 1);
        text += "月";
    }
    if (hours != 0x00FFFFFFU) {
        // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) of a text put before a
        // temporary one.
        if (!text.empty()) {
            text += ' ';
        }
        text += runsText(hours, 24, 0);
        text += "時";
    }
    return text;
}

DataSet filtered(const DataSet& set, const TimeFilter& filter) {
    if (filter.keepsAll() || set.times.empty()) {
        return set;
    }
    DataSet out;
    out.name = set.name;
    out.humidity = set.humidity;
    out.hourly = set.hourly;
    out.elevation = set.elevation;
    out.hasElevation = set.hasElevation;
    out.designConditions = set.designConditions;
    const bool ownPressures = set.pressures.size() > 1;
    if (!ownPressures) {
        out.pressures = set.pressures;
    }
    for (std::size_t k = 0; k < set.rows(); ++k) {
        if (set.times[k] == kNoTime) {
            continue;
        }
        const CalendarTime time = calendarOf(set.times[k]);
        if ((filter.months >> (time.month - 1) & 1U) != 0U &&
            (filter.hours >> time.hour & 1U) != 0U) {
            out.readings.push_back(set.readings[k]);
            out.times.push_back(set.times[k]);
            if (ownPressures) {
                out.pressures.push_back(set.pressures[k]);
            }
        }
    }
    return out;
}

}  // namespace data
