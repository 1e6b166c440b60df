// The stored description of a window and the rules by which it is loaded,
// shown and destroyed. A definition lives for the whole run; loading keeps a
// copy of it, and destruction puts that copy back, so nothing changed while a
// window was loaded outlives the window. No Windows API here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "text/text.h"

namespace quorrin {

struct ControlDefinition {
    std::string name;  // the design name, by which handlers address it
    bool visible = true;
};

// A window's menu, flattened: a top-level entry (level 0) is followed by the
// items below it (level 1). An entry's command identifier is 20000 plus its
// place in the list, counted from 0.
struct MenuEntry {
    Text caption;
    int level = 0;
};

inline constexpr int kFirstMenuCommand = 20000;

struct MenuItem {
    int command;
    Text caption;
};

// The items below the top-level entry with that caption, in order.
std::vector<MenuItem> menu_items_below(const std::vector<MenuEntry>& menu, const Text& entry);

struct WindowDefinition {
    std::string class_name;
    Text title;
    int width = 0;
    int height = 0;
    bool visible = false;
    bool in_taskbar = false;  // kept out of it by an owner window
    bool topmost = false;
    std::vector<ControlDefinition> controls;
    std::vector<MenuEntry> menu;

    std::optional<std::size_t> control_index(std::string_view name) const;
};

class WindowRecord {
public:
    explicit WindowRecord(WindowDefinition design) : definition_(std::move(design)) {}

    const WindowDefinition& definition() const { return definition_; }
    bool loaded() const { return load_copy_.has_value(); }
    bool destruction_pending() const { return destruction_pending_; }

    // Keeps the load-time copy; the window is made from definition().
    void mark_loaded();
    // The visible setting is stored whether or not the window is loaded.
    void set_visible(bool visible) { definition_.visible = visible; }
    void set_control_visible(std::size_t index, bool visible) { definition_.controls.at(index).visible = visible; }
    void mark_destruction_pending() {
        if (loaded()) destruction_pending_ = true;
    }
    // The window is gone: its definition goes back to the load-time copy.
    void mark_destroyed();

private:
    WindowDefinition definition_;
    std::optional<WindowDefinition> load_copy_;
    bool destruction_pending_ = false;
};

}  // namespace quorrin
