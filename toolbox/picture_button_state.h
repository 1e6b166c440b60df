// How a picture button reacts to the mouse, apart from the window that shows
// it: the window passes each mouse event in and carries out the reaction
// (capture, repaint, click), in that order. No Windows API here.
#pragma once

namespace quorrin {

enum class ButtonState { normal, hover, pressed };

enum class CaptureRequest {
    none,     // leave the capture as it is
    set,      // capture the mouse for the button
    release,  // release the capture
};

struct ButtonReaction {
    ButtonState state = ButtonState::normal;  // the state after the event
    bool repaint = false;                     // the state changed: repaint at once
    CaptureRequest capture = CaptureRequest::none;
    bool click = false;  // run the click handler, after the repaint

    friend bool operator==(const ButtonReaction&, const ButtonReaction&) = default;
};

class PictureButtonState {
public:
    ButtonState state() const { return state_; }

    // The pointer moved. `over`: it is over the button and no other window
    // covers that point; `left_held`: the left button is down; `captured`:
    // the button holds the mouse capture. The caller asks the system for the
    // last one each time, since the system can take the capture away.
    ButtonReaction mouse_moved(bool over, bool left_held, bool captured);

    // The left button went down over the button (a single press).
    ButtonReaction left_down();

    // The second press of a double click: it neither shows the pressed state
    // nor captures, but its release still clicks.
    ButtonReaction left_double_click();

    // The left button went up; `over` as for mouse_moved.
    ButtonReaction left_up(bool over);

private:
    ButtonReaction become(ButtonState next, CaptureRequest capture, bool click = false);

    ButtonState state_ = ButtonState::normal;
};

}  // namespace quorrin
