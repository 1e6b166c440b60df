// The hidden window that starts the program and carries its tray icon and
// tray menu.
#pragma once

#include "shell/tray_event.h"
#include "shell/tray_icon.h"
#include "shell/window.h"

namespace quorrin {

class StartWindow final : public Window {
public:
    StartWindow(HWND owner_window, Window& toolbox);
    static WindowDefinition design();

protected:
    void created() override;
    void destroying() override;
    std::optional<LRESULT> on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void tray_event(TrayOperation operation);
    void open_toolbox_selected();
    void exit_selected();

    Window& toolbox_;
    TrayIcon tray_;
    // Sent by the shell when its notification area is built anew.
    const UINT taskbar_created_;
};

}  // namespace quorrin
