// Operations on byte buffers, and the crossings between Text and ByteBuffer.
#pragma once

#include <cstdint>

#include "text/byte_buffer.h"
#include "text/text.h"

namespace quorrin {

ByteBuffer text_to_bytes(const Text& t);
Text bytes_to_text(const ByteBuffer& b);

ByteBuffer bytes_blank(std::int32_t n);
std::int32_t bytes_length(const ByteBuffer& b);
ByteBuffer bytes_left(const ByteBuffer& b, std::int32_t n);
ByteBuffer bytes_right(const ByteBuffer& b, std::int32_t n);
ByteBuffer bytes_concat(const ByteBuffer& a, const ByteBuffer& b);

enum class NumberKind : std::int32_t { u8 = 1, i16 = 2, i32 = 3, i64 = 4, f32 = 5, f64 = 6 };

// The little-endian number of that kind at the start of the buffer; missing
// high-order bytes read as zero. A 64-bit integer beyond 2^53 is rounded to
// the nearest double; an unknown kind reads as 0.
double bytes_read_value(const ByteBuffer& b, NumberKind kind);

}  // namespace quorrin
