// Any bytes through percent_decode and the two conversions behind it.
#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_check.h"
#include "text/byte_buffer.h"
#include "text/percent_decode.h"

namespace quorrin {
namespace {

using fuzz::byte_at;

bool no_zero_byte(const Text& t) { return t.view().find('\0') == std::string_view::npos; }

// The same bytes with some of them (chosen from their values and places, so
// the choice is repeatable) written as %XX, in either case of hex digits.
std::string escape_some(std::string_view plain) {
    static constexpr char upper[] = "0123456789ABCDEF";
    static constexpr char lower[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const unsigned char b = byte_at(plain, i);
        if (((b * 31u + i) >> 2 & 1u) == 0) {
            out.push_back(static_cast<char>(b));
            continue;
        }
        const char* hex = (i & 4u) ? lower : upper;
        out += {'%', hex[b >> 4], hex[b & 0xF]};
    }
    return out;
}

void check_percent_decode(std::string_view data) {
    const Text answer(data);  // up to the first zero byte, as any Text
    const std::string_view in = answer.view();
    const Text out = percent_decode(answer);
    FUZZ_CHECK(no_zero_byte(out));
    // An escape is at least as long as its byte, and no character comes out
    // of the conversions longer than its UTF-8 form.
    FUZZ_CHECK(out.length() <= answer.length());

    bool has_percent = false, ascii_only = true;
    for (std::size_t i = 0; i < in.size(); ++i) {
        has_percent = has_percent || in[i] == '%';
        ascii_only = ascii_only && byte_at(in, i) < 0x80;
    }
    if (!has_percent && ascii_only) FUZZ_CHECK(out == answer);

    if (!has_percent) {
        // Without escapes the decoding loop hands the bytes on unchanged.
        ByteBuffer utf8(in);
        FUZZ_CHECK(utf8_to_local(utf8) == out);
    }

    // Escaping is transparent: the same bytes, some of them as %XX, decode to
    // the same text. '%' itself is left out so the plain form stays plain.
    std::string plain;
    for (char c : in)
        if (c != '%') plain.push_back(c);
    const Text from_plain = percent_decode(Text(plain));
    FUZZ_CHECK(percent_decode(Text(escape_some(plain))) == from_plain);
}

void check_utf8_to_local(std::string_view data) {
    ByteBuffer utf8(data);  // zero bytes allowed here
    const bool gains_zero = data.empty() || byte_at(data, data.size() - 1) < 127;
    const Text out = utf8_to_local(utf8);
    FUZZ_CHECK(no_zero_byte(out));
    if (gains_zero) {
        FUZZ_CHECK(utf8.view().size() == data.size() + 1);
        FUZZ_CHECK(utf8.view().substr(0, data.size()) == data);
        FUZZ_CHECK(utf8.view().back() == '\0');
    } else {
        FUZZ_CHECK(utf8.view() == data);
    }
}

void check_wide_to_local(std::string_view data) {
    const ByteBuffer wide(data);
    const Text out = wide_to_local(wide);
    FUZZ_CHECK(no_zero_byte(out));
    const std::size_t units = data.size() / 2;
    FUZZ_CHECK(static_cast<std::size_t>(out.length()) <= units * 2);
    // The text ends at the first zero unit: what follows it cannot matter.
    for (std::size_t u = 0; u < units; ++u) {
        if (data[2 * u] == 0 && data[2 * u + 1] == 0) {
            FUZZ_CHECK(wide_to_local(ByteBuffer(data.substr(0, 2 * u))) == out);
            break;
        }
    }
}

}  // namespace
}  // namespace quorrin

// The portable build's conversions open an iconv converter per call, and
// glibc unloads a conversion module when its last converter closes, so every
// call would load it again: a few hundred inputs a second instead of tens of
// thousands. Converters kept open for the whole run keep the modules loaded.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static const iconv_t kept[] = {iconv_open("UTF-16LE", "UTF-8"), iconv_open("CP936", "UTF-16LE")};
    for (iconv_t cd : kept) FUZZ_CHECK(cd != reinterpret_cast<iconv_t>(-1));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    quorrin::check_percent_decode(bytes);
    quorrin::check_utf8_to_local(bytes);
    quorrin::check_wide_to_local(bytes);
    return 0;
}
