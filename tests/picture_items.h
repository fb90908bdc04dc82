#pragma once

#include <variant>
#include <vector>

#include "chart/picture.h"

// The items of one kind in a picture's display list, in drawing order.
template <typename Item>
std::vector<Item> itemsOf(const chart::Picture& picture) {
    std::vector<Item> found;
    for (const chart::PictureItem& item : picture.items()) {
        if (const auto* match = std::get_if<Item>(&item)) {
            found.push_back(*match);
        }
    }
    return found;
}
