// The text operations all logic is written in. Positions are 1-based byte
// positions; out-of-range positions and counts clamp, nothing fails.
#pragma once

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace quorrin {

std::int32_t text_length(const Text& t);

Text text_left(const Text& t, std::int32_t n);
Text text_right(const Text& t, std::int32_t n);
Text text_mid(const Text& t, std::int32_t start, std::int32_t n);
Text text_remove(const Text& t, std::int32_t start, std::int32_t n);

enum class Case { sensitive, ignore };

// Position of the first occurrence of `sought` at or after `start`, tried only
// where a character begins (a byte with its high bit set starts a two-byte
// character); -1 when there is none.
std::int32_t text_find(const Text& searched, const Text& sought, std::optional<std::int32_t> start = std::nullopt,
                       Case mode = Case::sensitive);

// 0 when equal; otherwise the sign says which sorts first.
std::int32_t text_compare(const Text& a, const Text& b, Case mode = Case::sensitive);

Text text_upper(const Text& t);
Text text_lower(const Text& t);

Text text_concat(const Text& a, const Text& b);
Text text_concat(const Text& a, const Text& b, const Text& c);
Text text_concat(const Text& a, const Text& b, const Text& c, const Text& d);

double text_to_number(const Text& t);
Text number_to_text(std::int32_t n);

// Truncates toward zero, saturating at the 32-bit limits (NaN gives 0), so
// that no real number can make the conversion undefined.
std::int32_t truncate_to_int32(double v);

Text char_from_code(std::int32_t code);
Text blank_text(std::int32_t n);

}  // namespace quorrin
