#pragma once

#include <windows.h>

#include "shell/window_model.h"

namespace quorrin {

// Shows the items below a top-level menu entry of the window as a pop-up menu
// whose top-right corner is 5 pixels left of and above the mouse pointer. A
// chosen item arrives later as WM_COMMAND with its command identifier.
void popup_tray_menu(HWND window, const WindowDefinition& definition, const Text& entry);

}  // namespace quorrin
