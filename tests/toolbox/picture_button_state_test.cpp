#include "toolbox/picture_button_state.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace quorrin {

static const char* name_of(ButtonState s) {
    switch (s) {
        case ButtonState::normal:
            return "normal";
        case ButtonState::hover:
            return "hover";
        case ButtonState::pressed:
            return "pressed";
    }
    return "?";
}

// Outside the unnamed namespace, where argument-dependent lookup finds it, so
// that gtest prints reactions readably.
static std::ostream& operator<<(std::ostream& os, const ButtonReaction& r) {
    return os << "{" << name_of(r.state) << (r.repaint ? ", repaint" : "")
              << (r.capture == CaptureRequest::set       ? ", capture"
                  : r.capture == CaptureRequest::release ? ", release"
                                                         : "")
              << (r.click ? ", click" : "") << "}";
}

namespace {

using enum ButtonState;

enum class Kind { move, down, double_down, up };

struct Input {
    Kind kind;
    bool over = true;
    bool held = false;
};

Input move_over(bool held = false) { return {Kind::move, true, held}; }
Input move_away(bool held = false) { return {Kind::move, false, held}; }
Input press() { return {Kind::down}; }
Input double_press() { return {Kind::double_down}; }
Input release_over() { return {Kind::up, true}; }
Input release_away() { return {Kind::up, false}; }

constexpr auto kKeep = CaptureRequest::none;
constexpr auto kSet = CaptureRequest::set;
constexpr auto kRelease = CaptureRequest::release;

struct Step {
    Input input;
    ButtonReaction expected;
};

struct Sequence {
    const char* name;
    std::vector<Step> steps;
    int clicks;
};

std::ostream& operator<<(std::ostream& os, const Sequence& s) { return os << s.name; }

// Each step: the input, then the state after it, whether it repaints, what
// happens to the capture and whether the click handler runs. The harness
// plays the system's part in keeping the capture.
const Sequence kSequences[] = {
    {"HoverThenLeave",
     {
         {move_over(), {hover, true, kSet, false}},
         {move_over(), {hover, false, kKeep, false}},
         {move_away(), {normal, true, kRelease, false}},
     },
     0},
    {"Click",
     {
         {move_over(), {hover, true, kSet, false}},
         {press(), {pressed, true, kSet, false}},
         {release_over(), {normal, true, kRelease, true}},
     },
     1},
    {"ClickWithoutMovingFirst",
     {
         {press(), {pressed, true, kSet, false}},
         {release_over(), {normal, true, kRelease, true}},
     },
     1},
    {"NormalAfterClickUntilTheMouseMoves",
     {
         {move_over(), {hover, true, kSet, false}},
         {press(), {pressed, true, kSet, false}},
         {release_over(), {normal, true, kRelease, true}},
         {move_over(), {hover, true, kSet, false}},
     },
     1},
    {"LeaveWithButtonHeldThenReleaseOutside",
     {
         {move_over(), {hover, true, kSet, false}},
         {press(), {pressed, true, kSet, false}},
         {move_away(true), {normal, true, kKeep, false}},
         {move_away(true), {normal, false, kKeep, false}},
         {release_away(), {normal, false, kRelease, false}},
     },
     0},
    {"LeaveWithButtonHeldComeBackAndRelease",
     {
         {move_over(), {hover, true, kSet, false}},
         {press(), {pressed, true, kSet, false}},
         {move_away(true), {normal, true, kKeep, false}},
         {move_over(true), {pressed, true, kKeep, false}},
         {move_over(true), {pressed, false, kKeep, false}},
         {release_over(), {normal, true, kRelease, true}},
     },
     1},
    {"DoubleClick",
     {
         {move_over(), {hover, true, kSet, false}},
         {press(), {pressed, true, kSet, false}},
         {release_over(), {normal, true, kRelease, true}},
         {double_press(), {normal, false, kKeep, false}},
         {release_over(), {normal, false, kRelease, true}},
     },
     2},
    {"DoubleClickAfterTheMouseMoved",
     {
         {move_over(), {hover, true, kSet, false}},
         {press(), {pressed, true, kSet, false}},
         {release_over(), {normal, true, kRelease, true}},
         {move_over(), {hover, true, kSet, false}},
         {double_press(), {hover, false, kKeep, false}},
         {release_over(), {normal, true, kRelease, true}},
     },
     2},
    {"DoubleClickThenMoveWithButtonHeldShowsPressed",
     {
         {move_over(), {hover, true, kSet, false}},
         {double_press(), {hover, false, kKeep, false}},
         {move_over(true), {pressed, true, kKeep, false}},
         {release_over(), {normal, true, kRelease, true}},
     },
     1},
    {"EnterWithButtonHeld",
     {
         {move_over(true), {pressed, true, kSet, false}},
         {move_away(true), {normal, true, kKeep, false}},
         {move_away(false), {normal, false, kRelease, false}},
     },
     0},
    {"MoveOutsideWithoutCaptureChangesNothing",
     {
         {move_away(), {normal, false, kKeep, false}},
         {move_away(true), {normal, false, kKeep, false}},
     },
     0},
    // The pointer left between the last move and the release: the release
    // outside changes nothing, and the next move over the button fixes it.
    {"ReleasedOutsideWhilePressed",
     {
         {press(), {pressed, true, kSet, false}},
         {release_away(), {pressed, false, kRelease, false}},
         {move_over(), {hover, true, kSet, false}},
     },
     0},
};

class PictureButtonSequence : public testing::TestWithParam<Sequence> {};

TEST_P(PictureButtonSequence, ReactsStepByStep) {
    PictureButtonState button;
    ASSERT_EQ(button.state(), normal);
    bool captured = false;
    int clicks = 0;
    for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
        const Step& step = GetParam().steps[i];
        ButtonReaction got;
        switch (step.input.kind) {
            case Kind::move:
                got = button.mouse_moved(step.input.over, step.input.held, captured);
                break;
            case Kind::down:
                got = button.left_down();
                break;
            case Kind::double_down:
                got = button.left_double_click();
                break;
            case Kind::up:
                got = button.left_up(step.input.over);
                break;
        }
        EXPECT_EQ(got, step.expected) << "step " << i + 1;
        EXPECT_EQ(button.state(), got.state) << "step " << i + 1;
        if (got.capture == kSet) captured = true;
        if (got.capture == kRelease) captured = false;
        if (got.click) ++clicks;
    }
    EXPECT_EQ(clicks, GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(Sequences, PictureButtonSequence, testing::ValuesIn(kSequences),
                         [](const testing::TestParamInfo<Sequence>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorrin
