// Stand-in for the two Windows conversions in the portable build. Invalid
// UTF-8 becomes U+FFFD per bad byte and a character that code page 936 lacks
// becomes '?', as the platform conversions with flags 0 do.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "text/codepage.h"

namespace quorrin::codepage {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`, putting `replacement` in place of each input unit
    // of `unit` bytes that cannot be converted.
    std::string run(std::string_view in, std::size_t unit, std::string_view replacement) {
        std::string out;
        out.reserve(in.size() * 2 + 4);
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char buf[4096];
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (left > 0) {
            char* dst = buf;
            std::size_t room = sizeof buf;
            std::size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                out.append(replacement);
                std::size_t skip = std::min(unit, left);
                src += skip;
                left -= skip;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

// Opening a converter loads a conversion module; one per direction and thread
// is kept for the thread's life. "CP936" is the one name used for both code
// page 0 and 936, so the pair of names identifies the converter.
Converter& converter(const char* to, const char* from) {
    thread_local std::map<std::pair<std::string, std::string>, Converter> open;
    return open.try_emplace({to, from}, to, from).first->second;
}

const char* iconv_name(unsigned code_page) {
    switch (code_page) {
        case utf8:
            return "UTF-8";
        case ansi:
        case 936:
            return "CP936";
        default:
            return nullptr;
    }
}

}  // namespace

int multi_byte_to_wide(unsigned code_page, const char* src, int src_bytes, std::uint8_t* dst, int dst_units) {
    const char* from = iconv_name(code_page);
    if (!from || !src || src_bytes == 0 || src_bytes < -1 || dst_units < 0) return 0;
    std::size_t n = src_bytes == -1 ? std::strlen(src) + 1 : static_cast<std::size_t>(src_bytes);
    Converter& conv = converter("UTF-16LE", from);
    if (!conv.ok()) return 0;
    const std::string wide = conv.run(std::string_view(src, n), 1, "\xFD\xFF");
    const int units = static_cast<int>(wide.size() / 2);
    if (dst_units == 0) return units;
    if (units > dst_units) return 0;  // ERROR_INSUFFICIENT_BUFFER
    std::memcpy(dst, wide.data(), wide.size());
    return units;
}

int wide_to_multi_byte(unsigned code_page, const std::uint8_t* src, int src_units, char* dst, int dst_bytes) {
    const char* to = iconv_name(code_page);
    if (!to || !src || src_units == 0 || src_units < -1 || dst_bytes < 0) return 0;
    std::size_t units = static_cast<std::size_t>(src_units);
    if (src_units == -1) {
        units = 0;
        while (src[units * 2] != 0 || src[units * 2 + 1] != 0) ++units;
        ++units;  // the zero unit is converted too
    }
    Converter& conv = converter(to, "UTF-16LE");
    if (!conv.ok()) return 0;
    const std::string bytes = conv.run(std::string_view(reinterpret_cast<const char*>(src), units * 2), 2, "?");
    const int count = static_cast<int>(bytes.size());
    if (dst_bytes == 0) return count;
    if (count > dst_bytes) return 0;
    std::memcpy(dst, bytes.data(), bytes.size());
    return count;
}

}  // namespace quorrin::codepage
