#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>

#include "words/number_reader.h"

namespace dialogs {

// The number in a text box, read by words::readNumber; nullopt when the text is not a number.
[[nodiscard]] inline std::optional<double> readNumber(const QString& text) {
    const QStringView view(text);
    return words::readNumber(
        std::u16string_view(view.utf16(), static_cast<std::size_t>(view.size())));
}

}  // namespace dialogs
