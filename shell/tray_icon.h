// The notification-area icon of a window: added, changed or removed by the
// icon handle the window has registered.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "shell/handles.h"
#include "text/text.h"

namespace quorrin {

inline constexpr UINT kTrayIconId = 100;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 100;

class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() = default;  // the owner removes the icon while its window exists

    // Empty icon data removes the icon (and gives up the registered handle).
    void set(HWND window, std::span<const std::uint8_t> icon_data, const Text& tooltip);
    void remove(HWND window) { set(window, {}, {}); }
    // Adds the registered icon again, after the shell's notification area was
    // rebuilt (the shell restarted) and had forgotten it.
    void add_again(HWND window) const;

private:
    UniqueIcon icon_;
    Text tooltip_;
};

// Makes an icon from the bytes of an icon file; none when they hold no usable
// image.
UniqueIcon icon_from_file_bytes(std::span<const std::uint8_t> data);

}  // namespace quorrin
