// The rules of the number box (the phone-number edit box): which typed
// characters it takes, and how it rewrites its text when it loses the focus.
// No Windows API here.
#pragma once

#include <cstdint>

#include "text/text.h"

namespace quorrin {

inline constexpr std::int32_t kNumberBoxMaxLength = 11;

// Whether a typed character (the code of a character message) reaches the
// box: control codes below 32 (Backspace, the clipboard keys) always do, and
// of the rest only the digits, "-" and ".".
bool number_box_accepts(std::uint32_t code);

struct NumberBoxRewrite {
    Text text;
    bool changed = false;  // text differs from what the box holds
};

// The text the box shows after losing the focus: the number that its text
// begins with, written back in a normal form (see number_box.cpp). A zero
// becomes the empty text; a number too large for a double leaves the text
// as it is.
NumberBoxRewrite number_box_rewrite(const Text& text);

// Where the caret goes after a rewrite: where the selection began, but not
// beyond the end of the new text (0-based, as the edit control counts).
std::int32_t caret_after_rewrite(std::int32_t selection_start, const Text& new_text);

}  // namespace quorrin
