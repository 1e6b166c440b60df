// Shared by the fuzz targets. A broken invariant aborts, which libFuzzer
// reports as a crash and saves the input for.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                \
    do {                                                                                     \
        if (!(condition)) ::quorrin::fuzz::invariant_broken(#condition, __FILE__, __LINE__); \
    } while (0)

namespace quorrin::fuzz {

[[noreturn]] inline void invariant_broken(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

inline unsigned char byte_at(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

inline bool lead_byte(unsigned char b) { return (b & 0x80) != 0; }

// Which bytes start a character when walking from `from`: a byte with its
// high bit set starts a two-byte character, so the byte after it does not.
inline std::vector<bool> character_starts(std::string_view s, std::size_t from = 0) {
    std::vector<bool> starts(s.size(), false);
    for (std::size_t i = from; i < s.size(); i += lead_byte(byte_at(s, i)) ? 2 : 1) starts[i] = true;
    return starts;
}

inline unsigned char ascii_lower(unsigned char b) {
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b;
}
inline unsigned char ascii_upper(unsigned char b) {
    return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - 32) : b;
}

// Every byte with A-Z folded, as the case-ignoring comparisons see it.
inline std::string folded(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(ascii_lower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace quorrin::fuzz
