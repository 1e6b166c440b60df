// The text and byte-buffer operations driven with random texts and random
// 32-bit positions and counts, the extremes included. Each result is checked
// against what the operation promises, worked out independently here.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_check.h"
#include "text/byte_ops.h"
#include "text/text_ops.h"

namespace quorrin {
namespace {

using fuzz::byte_at;
using fuzz::character_starts;
using fuzz::folded;
using fuzz::lead_byte;

using Wide = std::int64_t;

// Huge counts really ask for gigabytes; the fuzzer's memory limit would call
// that a finding, so counts that allocate stay below this.
constexpr std::int32_t kMaxAllocation = 1 << 16;

std::int32_t any_int(FuzzedDataProvider& in, std::size_t near) {
    static constexpr std::int32_t edges[] = {INT_MIN, INT_MIN + 1, -2, -1, 0, 1, 2, INT_MAX - 1, INT_MAX};
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return in.PickValueInArray(edges);
        case 1:
            return in.ConsumeIntegralInRange<std::int32_t>(-3, static_cast<std::int32_t>(near) + 3);
        default:
            return in.ConsumeIntegral<std::int32_t>();
    }
}

Text any_text(FuzzedDataProvider& in) { return Text(in.ConsumeRandomLengthString(64)); }

// Often a piece of `from`, sometimes in another case, so that searches and
// comparisons have something to find.
Text related_text(FuzzedDataProvider& in, const Text& from) {
    if (in.ConsumeBool() || from.empty()) return any_text(in);
    const std::string_view v = from.view();
    const std::size_t at = in.ConsumeIntegralInRange<std::size_t>(0, v.size() - 1);
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, v.size() - at);
    Text piece(v.substr(at, n));
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return text_upper(piece);
        case 1:
            return text_lower(piece);
        default:
            return piece;
    }
}

int sign(Wide v) { return (v > 0) - (v < 0); }

void check_cutting(const Text& t, std::int32_t start, std::int32_t n) {
    const std::string_view v = t.view();
    const Wide len = t.length();
    FUZZ_CHECK(text_length(t) == len);

    const Wide keep = std::clamp<Wide>(n, 0, len);
    FUZZ_CHECK(text_left(t, n).view() == v.substr(0, static_cast<std::size_t>(keep)));
    FUZZ_CHECK(text_right(t, n).view() == v.substr(static_cast<std::size_t>(len - keep)));

    // text_mid does not move a start outside the text: nothing comes back.
    const Text mid = text_mid(t, start, n);
    FUZZ_CHECK(mid.length() <= std::min<Wide>(std::max<Wide>(n, 0), len));
    if (start >= 1 && start <= len && n > 0)
        FUZZ_CHECK(mid.view() == v.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
    else
        FUZZ_CHECK(mid.empty());

    // text_remove does: the start clamps into 1..len+1.
    const Text removed = text_remove(t, start, n);
    if (n <= 0) {
        FUZZ_CHECK(removed == t);
    } else {
        const Wide from = std::clamp<Wide>(start, 1, len + 1) - 1;
        const Wide cut = std::min<Wide>(n, len - from);
        FUZZ_CHECK(removed.length() == len - cut);
        FUZZ_CHECK(removed.view().substr(0, static_cast<std::size_t>(from)) ==
                   v.substr(0, static_cast<std::size_t>(from)));
        FUZZ_CHECK(removed.view().substr(static_cast<std::size_t>(from)) ==
                   v.substr(static_cast<std::size_t>(from + cut)));
    }
}

bool occurs_at(std::string_view searched, Wide at, std::string_view sought, Case mode) {
    const std::string_view here = searched.substr(static_cast<std::size_t>(at), sought.size());
    return mode == Case::ignore ? folded(here) == folded(sought) : here == sought;
}

void check_find(const Text& searched, const Text& sought, std::optional<std::int32_t> start, Case mode) {
    const std::string_view v = searched.view();
    const std::string_view w = sought.view();
    const Wide len = searched.length();
    const Wide need = sought.length();
    const Wide from = std::max<Wide>(start.value_or(1), 1) - 1;

    // The first character start, walking from `from`, where the sought text
    // occurs; the empty text is reported at position 1 while any is left.
    Wide want = -1;
    if (from < len && need == 0) want = 1;
    if (from < len && need > 0) {
        const auto starts = character_starts(v, static_cast<std::size_t>(from));
        for (Wide at = from; at + need <= len; ++at) {
            if (starts[static_cast<std::size_t>(at)] && occurs_at(v, at, w, mode)) {
                want = at + 1;
                break;
            }
        }
    }
    const std::int32_t got = text_find(searched, sought, start, mode);
    FUZZ_CHECK(got == want);
    if (got > 0 && need > 0) {
        FUZZ_CHECK(got - 1 >= from && got - 1 + need <= len);
        FUZZ_CHECK(occurs_at(v, got - 1, w, mode));
    }
    // Ignoring case can only find the same place or an earlier one.
    if (mode == Case::sensitive && got > 0) {
        const std::int32_t folded_at = text_find(searched, sought, start, Case::ignore);
        FUZZ_CHECK(folded_at > 0 && folded_at <= got);
    }
}

void check_compare(const Text& a, const Text& b, Case mode) {
    const std::int32_t got = text_compare(a, b, mode);
    // std::string compares char as unsigned bytes, as the texts must.
    const int want = mode == Case::ignore ? folded(a.view()).compare(folded(b.view())) : a.view().compare(b.view());
    FUZZ_CHECK(sign(got) == sign(want));
    FUZZ_CHECK(sign(text_compare(b, a, mode)) == -sign(got));
    FUZZ_CHECK(text_compare(a, a, mode) == 0);
}

void check_case(const Text& t) {
    const Text up = text_upper(t);
    const Text low = text_lower(t);
    const std::string_view v = t.view(), u = up.view(), l = low.view();
    FUZZ_CHECK(u.size() == v.size() && l.size() == v.size());
    for (std::size_t i = 0; i < v.size();) {
        const unsigned char b = byte_at(v, i);
        if (lead_byte(b)) {  // a two-byte character stays as it is
            FUZZ_CHECK(u.substr(i, 2) == v.substr(i, 2) && l.substr(i, 2) == v.substr(i, 2));
            i += 2;
        } else {
            FUZZ_CHECK(byte_at(u, i) == fuzz::ascii_upper(b) && byte_at(l, i) == fuzz::ascii_lower(b));
            i += 1;
        }
    }
    FUZZ_CHECK(text_lower(up) == low && text_upper(low) == up);
    FUZZ_CHECK(text_upper(up) == up && text_lower(low) == low);
    FUZZ_CHECK(text_compare(t, up, Case::ignore) == 0 && text_compare(t, low, Case::ignore) == 0);
}

void check_concat(const Text& a, const Text& b, const Text& c, const Text& d) {
    const std::string va(a.view()), vb(b.view()), vc(c.view()), vd(d.view());
    FUZZ_CHECK(text_concat(a, b).view() == va + vb);
    FUZZ_CHECK(text_concat(a, b, c).view() == va + vb + vc);
    FUZZ_CHECK(text_concat(a, b, c, d).view() == va + vb + vc + vd);
    FUZZ_CHECK(text_concat(a, b).length() == a.length() + b.length());
}

void check_numbers(std::int32_t n, const Text& t, double v) {
    const Text written = number_to_text(n);
    FUZZ_CHECK(written.view() == std::to_string(n));
    FUZZ_CHECK(text_to_number(written) == static_cast<double>(n));
    FUZZ_CHECK(truncate_to_int32(text_to_number(written)) == n);

    const double read = text_to_number(t);
    FUZZ_CHECK(!std::isnan(read));
    // Leading white space is skipped, and reading stops where the number does.
    FUZZ_CHECK(text_to_number(text_concat(" \t\r\n", t)) == read);
    FUZZ_CHECK(text_to_number(text_concat(t, "x")) == read);

    // Truncation toward zero, saturating; NaN gives 0.
    const std::int32_t r = truncate_to_int32(v);
    if (std::isnan(v))
        FUZZ_CHECK(r == 0);
    else if (std::trunc(v) > INT_MAX)
        FUZZ_CHECK(r == INT_MAX);
    else if (std::trunc(v) < INT_MIN)
        FUZZ_CHECK(r == INT_MIN);
    else
        FUZZ_CHECK(static_cast<double>(r) == std::trunc(v));

    const Text c = char_from_code(n);
    const auto low_byte = static_cast<unsigned char>(static_cast<std::uint32_t>(n) & 0xFFu);
    if (low_byte == 0)
        FUZZ_CHECK(c.empty());
    else
        FUZZ_CHECK(c.length() == 1 && c.byte(0) == low_byte);

    const std::int32_t count = n > kMaxAllocation ? n % kMaxAllocation : n;
    const Text blank = blank_text(count);
    FUZZ_CHECK(blank.length() == std::max(count, 0));
    FUZZ_CHECK(blank.view().find_first_not_of(' ') == std::string_view::npos);
}

double any_double(FuzzedDataProvider& in) {
    static constexpr double edges[] = {
        2147483647.0, 2147483647.9, 2147483648.0, -2147483648.0, -2147483648.9, -2147483649.0, -0.0,
        0.5,          -0.5,         1e300,        -1e300,        HUGE_VAL,      -HUGE_VAL,     NAN};
    if (in.ConsumeBool()) return in.PickValueInArray(edges);
    return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());  // NaNs, infinities, denormals too
}

// The little-endian number that `raw` starts with, missing bytes as zero.
double read_le(std::string_view raw, NumberKind kind) {
    const auto width = [&]() -> std::size_t {
        switch (kind) {
            case NumberKind::u8:
                return 1;
            case NumberKind::i16:
                return 2;
            case NumberKind::i32:
            case NumberKind::f32:
                return 4;
            case NumberKind::i64:
            case NumberKind::f64:
                return 8;
        }
        return 0;
    }();
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < std::min(width, raw.size()); ++i) bits |= std::uint64_t{byte_at(raw, i)} << (8 * i);
    switch (kind) {
        case NumberKind::u8:
            return static_cast<double>(bits);
        case NumberKind::i16:
            return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
        case NumberKind::i32:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        case NumberKind::i64:
            return static_cast<double>(static_cast<std::int64_t>(bits));
        case NumberKind::f32:
            return std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        case NumberKind::f64:
            return std::bit_cast<double>(bits);
    }
    return 0.0;
}

void check_bytes(const std::string& raw_a, const std::string& raw_b, const Text& t, std::int32_t n,
                 std::int32_t kind_code) {
    const ByteBuffer a(raw_a), b(raw_b);  // zero bytes kept
    const Wide len = a.length();
    FUZZ_CHECK(bytes_length(a) == static_cast<Wide>(raw_a.size()));
    FUZZ_CHECK(text_to_bytes(t).view() == t.view());
    FUZZ_CHECK(bytes_to_text(a).view() == std::string_view(raw_a).substr(0, raw_a.find('\0')));

    const Wide keep = std::clamp<Wide>(n, 0, len);
    FUZZ_CHECK(bytes_left(a, n).view() == a.view().substr(0, static_cast<std::size_t>(keep)));
    FUZZ_CHECK(bytes_right(a, n).view() == a.view().substr(static_cast<std::size_t>(len - keep)));
    FUZZ_CHECK(bytes_concat(a, b).view() == raw_a + raw_b);

    const std::int32_t count = n > kMaxAllocation ? n % kMaxAllocation : n;
    const ByteBuffer blank = bytes_blank(count);
    FUZZ_CHECK(blank.length() == std::max(count, 0));
    FUZZ_CHECK(std::all_of(blank.view().begin(), blank.view().end(), [](char c) { return c == 0; }));

    // Any 32-bit value is a valid NumberKind; the unknown ones read as 0.
    const auto kind = static_cast<NumberKind>(kind_code);
    const double got = bytes_read_value(a, kind);
    const double want = read_le(raw_a, kind);
    FUZZ_CHECK((std::isnan(got) && std::isnan(want)) || got == want);
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorrin;
    FuzzedDataProvider in(data, size);
    for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 6)) {
            case 0: {
                const Text t = any_text(in);
                const std::int32_t start = any_int(in, t.view().size());
                check_cutting(t, start, any_int(in, t.view().size()));
                break;
            }
            case 1: {
                const Text searched = any_text(in);
                const Text sought = related_text(in, searched);
                std::optional<std::int32_t> start;
                if (in.ConsumeBool()) start = any_int(in, searched.view().size());
                check_find(searched, sought, start, in.ConsumeBool() ? Case::ignore : Case::sensitive);
                break;
            }
            case 2: {
                const Text a = any_text(in);
                check_compare(a, related_text(in, a), in.ConsumeBool() ? Case::ignore : Case::sensitive);
                break;
            }
            case 3:
                check_case(any_text(in));
                break;
            case 4: {
                const Text a = any_text(in), b = any_text(in), c = any_text(in), d = any_text(in);
                check_concat(a, b, c, d);
                break;
            }
            case 5: {
                const std::int32_t n = any_int(in, 16);
                const Text t = any_text(in);
                check_numbers(n, t, any_double(in));
                break;
            }
            default: {
                const std::string a = in.ConsumeRandomLengthString(32);
                const std::string b = in.ConsumeRandomLengthString(32);
                const Text t = any_text(in);
                const std::int32_t n = any_int(in, a.size());
                const std::int32_t kind = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 7) : any_int(in, 8);
                check_bytes(a, b, t, n, kind);
                break;
            }
        }
    }
    return 0;
}
