// A window of the program, loaded from and kept in step with its definition:
// load_window, set_visible and destroy_window act on it. Each kind of window
// derives from it and adds its controls and messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "shell/handles.h"
#include "shell/window_model.h"

namespace quorrin {

class Window {
public:
    // owner_window owns every window kept out of the task bar.
    Window(WindowDefinition design, HWND owner_window);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window from its definition, or, when it is loaded, restores
    // it from minimised or activates it; a hidden window stays hidden.
    void load();
    // Stored in the definition; applied at once when the window is loaded.
    void set_visible(bool visible);
    void set_control_visible(std::string_view control, bool visible);
    // Queued: the window goes when the message loop next runs (or at the next
    // load, whichever comes first).
    void destroy();

    HWND hwnd() const { return hwnd_.get(); }
    bool loaded() const { return record_.loaded(); }
    // Counts the loads that created the window: tells a window loaded anew
    // from the one a handler started with.
    std::uint64_t load_count() const { return load_count_; }
    const WindowDefinition& definition() const { return record_.definition(); }

protected:
    // Called while the window is created, before it is shown.
    virtual void create_controls() {}
    virtual void created() {}
    // The window is about to go (WM_DESTROY).
    virtual void destroying() {}
    virtual std::optional<LRESULT> on_message(UINT message, WPARAM wparam, LPARAM lparam);

    // The control made for the design entry of that name (null when none).
    HWND control(std::string_view name) const;
    void add_control(std::string_view name, HWND control);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void register_class() const;
    void carry_out_destruction();

    WindowRecord record_;
    HWND owner_window_;
    UniqueWindow hwnd_;
    std::vector<HWND> controls_;  // by design index; destroyed with the window
    std::uint64_t load_count_ = 0;
};

}  // namespace quorrin
