#include "toolbox/picture_button_state.h"

namespace quorrin {

ButtonReaction PictureButtonState::become(ButtonState next, CaptureRequest capture, bool click) {
    const bool changed = next != state_;
    state_ = next;
    return ButtonReaction{next, changed, capture, click};
}

ButtonReaction PictureButtonState::mouse_moved(bool over, bool left_held, bool captured) {
    if (over) {
        // Capturing on the way in is how the button learns that the pointer
        // has left again: it keeps getting moves from outside.
        return become(left_held ? ButtonState::pressed : ButtonState::hover,
                      captured ? CaptureRequest::none : CaptureRequest::set);
    }
    if (captured) {
        // A held button keeps the capture, so that coming back before the
        // release shows the pressed picture again and a release outside is
        // still seen (and runs nothing).
        return become(ButtonState::normal, left_held ? CaptureRequest::none : CaptureRequest::release);
    }
    return become(state_, CaptureRequest::none);
}

ButtonReaction PictureButtonState::left_down() { return become(ButtonState::pressed, CaptureRequest::set); }

ButtonReaction PictureButtonState::left_double_click() { return become(state_, CaptureRequest::none); }

ButtonReaction PictureButtonState::left_up(bool over) {
    if (over) return become(ButtonState::normal, CaptureRequest::release, true);
    return become(state_, CaptureRequest::release);
}

}  // namespace quorrin
