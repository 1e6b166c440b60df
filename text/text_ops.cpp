#include "text/text_ops.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quorrin {
namespace {

// Positions arrive as any 32-bit value; doing the arithmetic in 64 bits keeps
// s - 1, len - s + 1 and the like from overflowing.
using Wide = std::int64_t;

Text slice(const Text& t, Wide offset, Wide count) {
    return Text(t.view().substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(count)));
}

bool high_bit(unsigned char b) { return (b & 0x80) != 0; }

unsigned char fold(unsigned char b) { return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b; }

bool equal_at(const Text& t, Wide at, const Text& w, Case mode) {
    for (Wide k = 0; k < w.length(); ++k) {
        unsigned char a = t.byte(static_cast<std::size_t>(at + k));
        unsigned char b = w.byte(static_cast<std::size_t>(k));
        if (mode == Case::ignore ? fold(a) != fold(b) : a != b) return false;
    }
    return true;
}

// Changes single-byte characters only; a lead byte and the byte after it are
// one two-byte character and stay as they are.
template <class Change>
Text change_case(const Text& t, Change change) {
    std::string out(t.view());
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto b = static_cast<unsigned char>(out[i]);
        if (high_bit(b))
            ++i;
        else
            out[i] = static_cast<char>(change(b));
    }
    return Text(std::move(out));
}

Text concat(std::initializer_list<const Text*> parts) {
    TextBuilder out;
    std::size_t total = 0;
    for (const Text* p : parts) total += p->view().size();
    out.reserve(total);
    for (const Text* p : parts) out.append(*p);
    return out.take();
}

bool is_space(unsigned char b) { return b == ' ' || (b >= '\t' && b <= '\r'); }
bool is_digit(unsigned char b) { return b >= '0' && b <= '9'; }

}  // namespace

std::int32_t text_length(const Text& t) { return t.length(); }

Text text_left(const Text& t, std::int32_t n) {
    if (n <= 0) return {};
    return slice(t, 0, std::min<Wide>(n, t.length()));
}

Text text_right(const Text& t, std::int32_t n) {
    if (n <= 0) return {};
    Wide take = std::min<Wide>(n, t.length());
    return slice(t, t.length() - take, take);
}

Text text_mid(const Text& t, std::int32_t start, std::int32_t n) {
    Wide len = t.length();
    if (start <= 0 || start > len || n <= 0) return {};
    return slice(t, start - 1, std::min<Wide>(n, len - start + 1));
}

Text text_remove(const Text& t, std::int32_t start, std::int32_t n) {
    Wide len = t.length();
    Wide s = std::clamp<Wide>(start, 1, len + 1);
    if (n <= 0) return t;
    Wide cut = std::min<Wide>(n, len - s + 1);
    std::string out(t.view());
    out.erase(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(cut));
    return Text(std::move(out));
}

std::int32_t text_find(const Text& searched, const Text& sought, std::optional<std::int32_t> start, Case mode) {
    const Wide len = searched.length();
    const Wide need = sought.length();
    Wide at = std::max<Wide>(start.value_or(1), 1) - 1;
    if (at >= len) return -1;
    if (need == 0) return 1;
    while (len - at >= need) {
        if (equal_at(searched, at, sought, mode)) return static_cast<std::int32_t>(at + 1);
        if (high_bit(searched.byte(static_cast<std::size_t>(at)))) {
            if (at + 1 >= len) break;  // a lead byte with the terminator behind it
            at += 2;
        } else {
            at += 1;
        }
    }
    return -1;
}

std::int32_t text_compare(const Text& a, const Text& b, Case mode) {
    const std::size_t n = std::min(a.view().size(), b.view().size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = a.byte(i), y = b.byte(i);
        if (mode == Case::ignore) x = fold(static_cast<unsigned char>(x)), y = fold(static_cast<unsigned char>(y));
        if (x != y) return x - y;
    }
    if (a.view().size() == b.view().size()) return 0;
    return a.view().size() < b.view().size() ? -1 : 1;
}

Text text_upper(const Text& t) {
    return change_case(t, [](unsigned char b) { return (b >= 'a' && b <= 'z') ? b - 32 : b; });
}

Text text_lower(const Text& t) {
    return change_case(t, [](unsigned char b) { return (b >= 'A' && b <= 'Z') ? b + 32 : b; });
}

Text text_concat(const Text& a, const Text& b) { return concat({&a, &b}); }
Text text_concat(const Text& a, const Text& b, const Text& c) { return concat({&a, &b, &c}); }
Text text_concat(const Text& a, const Text& b, const Text& c, const Text& d) { return concat({&a, &b, &c, &d}); }

double text_to_number(const Text& t) {
    const std::string_view s = t.view();
    std::size_t i = 0;
    while (i < s.size() && is_space(static_cast<unsigned char>(s[i]))) ++i;

    // Copy what reads as a number into the one form strtod takes in every
    // locale: [sign] digits [. digits] [e [sign] digits].
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
    bool digits = false;
    while (i < s.size() && is_digit(static_cast<unsigned char>(s[i]))) number.push_back(s[i++]), digits = true;
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && is_digit(static_cast<unsigned char>(s[i]))) number.push_back(s[i++]), digits = true;
    }
    if (!digits) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
        if (j < s.size() && is_digit(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && is_digit(static_cast<unsigned char>(s[j]))) exponent.push_back(s[j++]);
            number += exponent;
        }
    }
    // Overflow gives +-HUGE_VAL and underflow 0, both as strtod reports them.
    return std::strtod(number.c_str(), nullptr);
}

Text number_to_text(std::int32_t n) {
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, n);
    return Text(std::string_view(buf, static_cast<std::size_t>(end - buf)));
}

std::int32_t truncate_to_int32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

Text char_from_code(std::int32_t code) {
    const char byte = static_cast<char>(static_cast<std::uint32_t>(code) & 0xFFu);
    return Text(std::string_view(&byte, 1));
}

Text blank_text(std::int32_t n) {
    if (n <= 0) return {};
    return Text(std::string(static_cast<std::size_t>(n), ' '));
}

}  // namespace quorrin
