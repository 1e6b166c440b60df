#include "shell/start_window.h"

#include "assets/assets.h"
#include "shell/instance_guard.h"
#include "shell/process_list.h"
#include "shell/program.h"
#include "shell/tray_menu.h"

namespace quorrin {
namespace {

const Text kTrayMenu = "托盘菜单";
constexpr int kOpenToolboxCommand = kFirstMenuCommand + 1;
constexpr int kExitCommand = kFirstMenuCommand + 2;

}  // namespace

StartWindow::StartWindow(HWND owner_window, Window& toolbox)
    : Window(design(), owner_window), toolbox_(toolbox), taskbar_created_(RegisterWindowMessageA("TaskbarCreated")) {}

WindowDefinition StartWindow::design() {
    WindowDefinition d;
    d.class_name = "QuorrinStart";
    d.visible = false;
    d.in_taskbar = false;
    d.menu = {{kTrayMenu, 0}, {"打开工具箱", 1}, {"退出", 1}};
    return d;
}

// The start-up logic: refuse to run beside another copy, otherwise load the
// toolbox hidden and put the icon into the notification area.
void StartWindow::created() {
    if (another_copy_running(process_list(), program_file_name())) {
        MessageBoxA(nullptr, "程序正在运行中...\r\n请勿重复运行...", "温馨提示",
                    MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        end_program(0);
    }
    toolbox_.load();
    tray_.set(hwnd(), assets::tray_icon_ico(), "Quorrin");
}

void StartWindow::destroying() { tray_.remove(hwnd()); }

std::optional<LRESULT> StartWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kTrayCallbackMessage) {
        if (const auto operation = tray_operation(static_cast<std::uint32_t>(lparam))) tray_event(*operation);
        return 0;
    }
    if (message == taskbar_created_ && taskbar_created_ != 0) {
        tray_.add_again(hwnd());
        return 0;
    }
    if (message == WM_COMMAND && HIWORD(wparam) == 0) {
        switch (LOWORD(wparam)) {
            case kOpenToolboxCommand:
                open_toolbox_selected();
                return 0;
            case kExitCommand:
                exit_selected();
                return 0;
            default:
                break;
        }
    }
    return std::nullopt;
}

void StartWindow::tray_event(TrayOperation operation) {
    switch (operation) {
        case TrayOperation::menu:
            popup_tray_menu(hwnd(), definition(), kTrayMenu);
            break;
        case TrayOperation::click:
            toolbox_.set_visible(true);
            break;
        case TrayOperation::double_click:
            break;
    }
}

void StartWindow::open_toolbox_selected() { toolbox_.load(); }

void StartWindow::exit_selected() { end_program(0); }

}  // namespace quorrin
