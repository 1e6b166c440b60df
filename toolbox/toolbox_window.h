// The window the user works in: the launcher panel with its eight tiles and
// the lookup panel, on a blue background picture, without a frame.
#pragma once

#include <memory>
#include <vector>

#include "shell/window.h"
#include "text/text.h"
#include "toolbox/picture_set.h"
#include "toolbox/toolbox_design.h"

namespace quorrin {

class ChildControl;
class NumberBoxControl;

class ToolboxWindow final : public Window {
public:
    ToolboxWindow(HWND owner_window, const PictureSet& pictures);
    ~ToolboxWindow() override;
    static WindowDefinition design();

    void show_lookup_panel();
    void show_launcher_panel();
    void hide_toolbox_window();
    void close_toolbox_window();

    // The text of the number box; empty when the window is not loaded.
    Text number_text() const;
    // Sets a label's caption; nothing when the window is not loaded.
    void set_caption(std::string_view label, const Text& caption);

protected:
    void create_controls() override;
    void destroying() override;
    std::optional<LRESULT> on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void run(Action action);
    void paint();

    const PictureSet& pictures_;
    UniqueGdi<HFONT> font_;
    std::vector<std::unique_ptr<ChildControl>> controls_;
    NumberBoxControl* number_box_ = nullptr;  // one of controls_
};

}  // namespace quorrin
