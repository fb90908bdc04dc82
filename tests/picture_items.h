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

// Whether two pictures hold the same lines and texts in the same order, to the last bit.
inline bool sameItems(const chart::Picture& a, const chart::Picture& b) {
    if (a.items().size() != b.items().size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.items().size(); ++k) {
        const chart::PictureItem& p = a.items()[k];
        const chart::PictureItem& q = b.items()[k];
        if (p.index() != q.index()) {
            return false;
        }
        if (const auto* l = std::get_if<chart::LineItem>(&p)) {
            const auto& m = std::get<chart::LineItem>(q);
            if (l->from.X != m.from.X || l->from.Y != m.from.Y || l->to.X != m.to.X ||
                l->to.Y != m.to.Y || l->colour != m.colour || l->widthPx != m.widthPx) {
                return false;
            }
        } else if (const auto* t = std::get_if<chart::TextItem>(&p)) {
            const auto& u = std::get<chart::TextItem>(q);
            if (t->text != u.text || t->position.X != u.position.X ||
                t->position.Y != u.position.Y || t->heightPx != u.heightPx ||
                t->angleDeg != u.angleDeg) {
                return false;
            }
        }
    }
    return true;
}
