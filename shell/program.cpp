#include "shell/program.h"

#include <windows.h>

#include "shell/handles.h"
#include "shell/process_list.h"
#include "shell/start_window.h"
#include "toolbox/toolbox_window.h"

namespace quorrin {
namespace {

// The hidden tool window that owns every window kept out of the task bar.
UniqueWindow make_owner_window() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorrinOwner";
    RegisterClassExA(&wc);
    return UniqueWindow(CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        wc.hInstance, nullptr));
}

struct Program {
    OleSession ole;
    // From here on the current directory is the program's folder.
    bool in_own_folder = SetCurrentDirectoryA(program_folder().c_str()) != FALSE;
    UniqueWindow owner_window = make_owner_window();
    PictureSet pictures;  // every picture decoded once, at start
    ToolboxWindow toolbox{owner_window.get(), pictures};
    StartWindow start{owner_window.get(), toolbox};
};

Program* running = nullptr;

}  // namespace

int program_entry() {
    Program program;
    running = &program;
    program.start.load();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    running = nullptr;
    return static_cast<int>(msg.wParam);
}

void end_program(int exit_code) {
    if (running) {
        // Destroying the owner destroys the start window first, and with it
        // the tray icon.
        running->owner_window.reset();
        running->ole.end();
    }
    ExitProcess(static_cast<UINT>(exit_code));
}

}  // namespace quorrin
