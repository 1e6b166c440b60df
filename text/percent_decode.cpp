#include "text/percent_decode.h"

#include <string>

#include "text/byte_ops.h"
#include "text/codepage.h"
#include "text/text_ops.h"

namespace quorrin {
namespace {

// The digit's index in "0123456789ABCDEF" after upper-casing; a missing byte
// counts as 0 (an empty text is found at position 1) and any other byte as -2
// (not found, -1, less one).
int digit_value(const std::string_view in, std::size_t at) {
    if (at >= in.size()) return 0;
    const auto b = static_cast<unsigned char>(in[at]);
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'A' && b <= 'F') return b - 'A' + 10;
    if (b >= 'a' && b <= 'f') return b - 'a' + 10;
    return -2;
}

}  // namespace

Text percent_decode(const Text& answer) {
    const std::string_view in = answer.view();
    ByteBuilder decoded;
    decoded.reserve(in.size() + 1);
    std::size_t p = 0;
    while (p < in.size()) {
        const std::size_t escape = in.find('%', p);
        const std::size_t plain_end = escape == std::string_view::npos ? in.size() : escape;
        decoded.append(in.substr(p, plain_end - p));
        if (plain_end == in.size()) break;
        const int v = 16 * digit_value(in, escape + 1) + digit_value(in, escape + 2);
        const auto byte = static_cast<unsigned char>(static_cast<unsigned>(v) & 0xFFu);
        if (byte != 0) decoded.append(std::string_view(reinterpret_cast<const char*>(&byte), 1));
        p = escape + 3;
    }
    ByteBuffer bytes = decoded.take();
    return utf8_to_local(bytes);
}

Text utf8_to_local(ByteBuffer& utf8) {
    const auto last = static_cast<std::int32_t>(bytes_read_value(bytes_right(utf8, 1), NumberKind::i32));
    if (last < 127) {
        ByteBuilder terminated;
        terminated.reserve(utf8.view().size() + 1);
        terminated.append(utf8);
        terminated.append(std::string_view("\0", 1));
        utf8 = terminated.take();
    }
    const auto* src = reinterpret_cast<const char*>(utf8.data());
    const int units = codepage::multi_byte_to_wide(codepage::utf8, src, utf8.length(), nullptr, 0);
    ByteBuffer wide = bytes_blank(units * 2);
    if (units > 0) codepage::multi_byte_to_wide(codepage::utf8, src, utf8.length(), wide.data(), units);
    return wide_to_local(wide);
}

Text wide_to_local(const ByteBuffer& wide) {
    const int units = bytes_length(wide) / 2;
    if (units <= 0) return {};
    // Two bytes per unit hold any ANSI code page's conversion of it.
    std::string local(static_cast<std::size_t>(units) * 2, '\0');
    const int written = codepage::wide_to_multi_byte(codepage::ansi, wide.data(), units, local.data(), units * 2);
    local.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return Text(std::move(local));  // up to the first zero byte
}

}  // namespace quorrin
