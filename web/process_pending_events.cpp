#include "web/process_pending_events.h"

#include <windows.h>

namespace quorrin {

void process_pending_events() {
    MSG msg;
    // Look before taking, so a waiting WM_QUIT is never taken off the queue.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        if (msg.message == WM_QUIT) {
            // Posted from another thread between the two looks: put it back.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace quorrin
