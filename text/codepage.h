// The two code-page conversions of the platform. On Windows they are
// kernel32's MultiByteToWideChar and WideCharToMultiByte; the portable build
// has a small iconv layer with the same contract for code pages 65001 (UTF-8)
// and 936, which stands for the ANSI code page (0) there.
#pragma once

#include <cstdint>

namespace quorrin::codepage {

inline constexpr unsigned ansi = 0;
inline constexpr unsigned utf8 = 65001;

// As MultiByteToWideChar(code_page, 0, src, src_bytes, dst, dst_units): the
// number of UTF-16 units written, or needed when dst_units is 0; 0 on failure.
// dst holds UTF-16LE units as bytes.
int multi_byte_to_wide(unsigned code_page, const char* src, int src_bytes, std::uint8_t* dst, int dst_units);

// As WideCharToMultiByte(code_page, 0, src, src_units, dst, dst_bytes, NULL,
// NULL): src_units -1 converts up to and including the first zero unit.
// Returns the bytes written, or needed when dst_bytes is 0; 0 on failure.
int wide_to_multi_byte(unsigned code_page, const std::uint8_t* src, int src_units, char* dst, int dst_bytes);

}  // namespace quorrin::codepage
