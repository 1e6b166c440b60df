// The mouse messages the shell reports for the notification-area icon, and
// what each means to the program.
#pragma once

#include <cstdint>
#include <optional>

namespace quorrin {

enum class TrayOperation : std::int32_t { click = 1, double_click = 2, menu = 3 };

constexpr std::optional<TrayOperation> tray_operation(std::uint32_t mouse_message) {
    switch (mouse_message) {
        case 0x0202:
            return TrayOperation::click;  // WM_LBUTTONUP
        case 0x0203:
            return TrayOperation::double_click;  // WM_LBUTTONDBLCLK
        case 0x0205:                             // WM_RBUTTONUP
        case 0x007B:
            return TrayOperation::menu;  // WM_CONTEXTMENU
        default:
            return std::nullopt;
    }
}

}  // namespace quorrin
