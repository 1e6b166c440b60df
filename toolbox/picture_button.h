// A push button drawn only from pictures: normal, hover and pressed. It never
// takes the keyboard focus.
#pragma once

#include <climits>
#include <functional>

#include "toolbox/child_control.h"
#include "toolbox/picture_button_state.h"
#include "toolbox/picture_set.h"

namespace quorrin {

class PictureButton final : public ChildControl {
public:
    struct Pictures {
        Picture normal;
        Picture hover;  // hover and pressed share one picture
    };

    // `name` is the window text, so the button can be found by its name.
    PictureButton(HWND parent, const char* name, const RECT& rect, int id, bool visible, bool hand_pointer,
                  Pictures pictures, std::function<void()> on_click);

private:
    std::optional<LRESULT> handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool pointer_over(LPARAM client_point) const;
    bool pointer_moved(LPARAM client_point);
    void react(const ButtonReaction& reaction);
    void paint();

    Pictures pictures_;
    std::function<void()> on_click_;
    PictureButtonState state_;
    bool hand_pointer_;
    POINT last_point_{LONG_MIN, LONG_MIN};  // on the screen, from the last mouse message
};

}  // namespace quorrin
