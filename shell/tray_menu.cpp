#include "shell/tray_menu.h"

#include "shell/handles.h"

namespace quorrin {

void popup_tray_menu(HWND window, const WindowDefinition& definition, const Text& entry) {
    POINT at{};
    GetCursorPos(&at);
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const MenuItem& item : menu_items_below(definition.menu, entry))
        AppendMenuA(menu.get(), MF_STRING | MF_ENABLED | MF_UNCHECKED, static_cast<UINT_PTR>(item.command),
                    item.caption.c_str());
    // Foreground first and a message after, or the menu would not close when
    // the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(menu.get(), TPM_RIGHTALIGN, at.x - 5, at.y - 5, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}

}  // namespace quorrin
