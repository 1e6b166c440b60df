#include "shell/window_model.h"

namespace quorrin {

std::optional<std::size_t> WindowDefinition::control_index(std::string_view name) const {
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name) return i;
    return std::nullopt;
}

std::vector<MenuItem> menu_items_below(const std::vector<MenuEntry>& menu, const Text& entry) {
    std::vector<MenuItem> items;
    bool below = false;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].level == 0) {
            if (below) break;
            below = menu[i].caption == entry;
        } else if (below) {
            items.push_back({kFirstMenuCommand + static_cast<int>(i), menu[i].caption});
        }
    }
    return items;
}

void WindowRecord::mark_loaded() {
    load_copy_ = definition_;
    destruction_pending_ = false;
}

void WindowRecord::mark_destroyed() {
    if (load_copy_) definition_ = std::move(*load_copy_);
    load_copy_.reset();
    destruction_pending_ = false;
}

}  // namespace quorrin
