#include "toolbox/number_box.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

namespace quorrin {
namespace {

// The rewrite keeps every digit a phone number can have: a double holds 15
// significant decimal digits exactly, and the number is printed with as many.
constexpr int kSignificantDigits = 15;
constexpr int kExponentDigits = 3;
constexpr std::int64_t kExponentCap = 1'000'000'000;  // beyond any double; keeps the sum from overflowing

bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

struct LeadingNumber {
    bool negative = false;
    // Digits with an optional point, then an optional exponent part: the
    // number without its sign, empty when the text begins with none.
    std::string_view unsigned_part;
    bool zero = true;  // no digit of the mantissa other than 0
    // The decimal exponent of the first non-zero digit, roughly (the
    // exponent part is capped); tells an overflow from an underflow.
    std::int64_t magnitude = 0;
};

// The longest leading part of `s` that reads as a decimal number: blanks,
// an optional sign, digits with an optional point (at least one digit), and
// an exponent part that counts only when a digit follows the "e".
LeadingNumber scan_leading_number(std::string_view s) {
    LeadingNumber number;
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n && is_blank(s[i])) ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) number.negative = s[i++] == '-';
    const std::size_t start = i;

    while (i < n && is_digit(s[i])) {
        if (number.zero && s[i] != '0') {
            number.zero = false;
            number.magnitude = -1;  // counts the integer digits from here on
        }
        if (!number.zero) ++number.magnitude;
        ++i;
    }
    std::size_t mantissa_digits = i - start;
    if (i < n && s[i] == '.') {
        std::size_t j = i + 1;
        while (j < n && is_digit(s[j])) {
            if (number.zero && s[j] != '0') {
                number.zero = false;
                number.magnitude = -static_cast<std::int64_t>(j - i);
            }
            ++j;
        }
        mantissa_digits += j - i - 1;
        if (mantissa_digits > 0) i = j;  // a point alone is no number
    }
    if (mantissa_digits == 0) return LeadingNumber{};

    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative_exponent = false;
        if (j < n && (s[j] == '+' || s[j] == '-')) negative_exponent = s[j++] == '-';
        if (j < n && is_digit(s[j])) {
            std::int64_t exponent = 0;
            for (; j < n && is_digit(s[j]); ++j) exponent = std::min(exponent * 10 + (s[j] - '0'), kExponentCap);
            number.magnitude += negative_exponent ? -exponent : exponent;
            i = j;
        }
    }
    number.unsigned_part = s.substr(start, i - start);
    return number;
}

// printf's "%.15g", but with at least three exponent digits ("1e+020"), the
// form the box has always shown.
std::string format_number(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, kSignificantDigits);
    std::string out = error == std::errc{} ? std::string(buffer, end) : std::string();
    if (const auto e = out.find('e'); e != std::string::npos) {
        const std::size_t digits_at = e + 2;  // past "e" and the sign
        const std::size_t digits = out.size() - digits_at;
        if (digits < kExponentDigits) out.insert(digits_at, kExponentDigits - digits, '0');
    }
    return out;
}

}  // namespace

bool number_box_accepts(std::uint32_t code) {
    if (code < 32) return true;
    return (code >= '0' && code <= '9') || code == '-' || code == '.';
}

NumberBoxRewrite number_box_rewrite(const Text& text) {
    const LeadingNumber number = scan_leading_number(text.view());
    double value = 0;
    if (!number.zero) {
        const char* first = number.unsigned_part.data();
        const char* last = first + number.unsigned_part.size();
        const auto result = std::from_chars(first, last, value, std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range) {
            // Too large for a double: there is no number to write back ("inf"
            // is nothing the box would let anyone type), so the text stays.
            if (number.magnitude > 0) return NumberBoxRewrite{text, false};
            value = 0;  // too small: it is zero
        } else if (result.ec != std::errc{}) {
            value = 0;  // not reached: the scanned part is in from_chars's grammar
        }
        if (number.negative) value = -value;
    }
    // A zero is written as nothing, and so is a negative zero ("-0", or a
    // negative number too small for a double): "%g" would print "-0", which
    // is still no number anyone would want the box to hold.
    Text rewritten = value == 0 ? Text() : Text(format_number(value));
    const bool changed = rewritten != text;
    return NumberBoxRewrite{std::move(rewritten), changed};
}

std::int32_t caret_after_rewrite(std::int32_t selection_start, const Text& new_text) {
    return std::clamp(selection_start, 0, new_text.length());
}

}  // namespace quorrin
