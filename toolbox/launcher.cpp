#include "toolbox/launcher.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "shell/handles.h"

// The hosts are settings of the build (CMake cache); paths and queries belong
// to the pages.
#ifndef QUORRIN_NAVIGATION_HOST
#error "QUORRIN_NAVIGATION_HOST is set by the build"
#endif

namespace quorrin {

bool launch_program(const Text& command_line) {
    std::string line(command_line.view());  // CreateProcessA may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    WaitForInputIdle(process.get(), 1000);
    return true;
}

void open_web_page(const Text& address) {
    HWND browser = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(browser, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void open_calculator() { launch_program("calc.exe"); }
void open_paint() { launch_program("mspaint"); }
void open_notepad() { launch_program("notepad.exe"); }

void open_navigation_page() { open_web_page("http://" QUORRIN_NAVIGATION_HOST "/?kbaidupo"); }
void open_search_page() { open_web_page("http://" QUORRIN_SEARCH_HOST); }
void open_pc_software_page() { open_web_page("http://" QUORRIN_PC_SOFTWARE_HOST "/"); }
void open_phone_apps_page() { open_web_page("http://" QUORRIN_PHONE_APPS_HOST "/?from=as"); }

}  // namespace quorrin
