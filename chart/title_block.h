#pragma once

#include <cstddef>
#include <string>

namespace chart {

// What heads every page of a calculation report: the job, who designed it and when. Kept with
// the work in its project file (a file without it reads as all empty); plain text, each at most
// kTitleBlockMaxChars characters.
struct TitleBlock {
    std::string subject;   // 件名
    std::string designer;  // 設計者
    std::string date;      // 日付, as the user writes it

    [[nodiscard]] bool empty() const { return subject.empty() && designer.empty() && date.empty(); }
    bool operator==(const TitleBlock&) const = default;
};

inline constexpr std::size_t kTitleBlockMaxChars = 200;

}  // namespace chart
