#include "text/byte_ops.h"

#include <algorithm>
#include <cstring>

namespace quorrin {
namespace {

template <class T>
T read_le(const ByteBuffer& b) {
    unsigned char raw[sizeof(T)] = {};
    const std::size_t have = std::min<std::size_t>(sizeof(T), static_cast<std::size_t>(b.length()));
    // Little-endian: the bytes present are the low-order ones. Every target of
    // this program is little-endian, so the copy is the value's layout.
    if (have > 0) std::memcpy(raw, b.data(), have);
    T value;
    std::memcpy(&value, raw, sizeof(T));
    return value;
}

}  // namespace

ByteBuffer text_to_bytes(const Text& t) { return ByteBuffer(t.view()); }

Text bytes_to_text(const ByteBuffer& b) { return Text(b.view()); }

ByteBuffer bytes_blank(std::int32_t n) {
    if (n <= 0) return {};
    return ByteBuffer(std::vector<std::uint8_t>(static_cast<std::size_t>(n), 0));
}

std::int32_t bytes_length(const ByteBuffer& b) { return b.length(); }

ByteBuffer bytes_left(const ByteBuffer& b, std::int32_t n) {
    const auto take = static_cast<std::size_t>(std::clamp<std::int32_t>(n, 0, b.length()));
    return ByteBuffer(b.view().substr(0, take));
}

ByteBuffer bytes_right(const ByteBuffer& b, std::int32_t n) {
    const auto take = static_cast<std::size_t>(std::clamp<std::int32_t>(n, 0, b.length()));
    return ByteBuffer(b.view().substr(b.view().size() - take));
}

ByteBuffer bytes_concat(const ByteBuffer& a, const ByteBuffer& b) {
    ByteBuilder out;
    out.reserve(a.view().size() + b.view().size());
    out.append(a);
    out.append(b);
    return out.take();
}

double bytes_read_value(const ByteBuffer& b, NumberKind kind) {
    switch (kind) {
        case NumberKind::u8:
            return read_le<std::uint8_t>(b);
        case NumberKind::i16:
            return read_le<std::int16_t>(b);
        case NumberKind::i32:
            return read_le<std::int32_t>(b);
        case NumberKind::i64:
            return static_cast<double>(read_le<std::int64_t>(b));
        case NumberKind::f32:
            return read_le<float>(b);
        case NumberKind::f64:
            return read_le<double>(b);
    }
    return 0.0;
}

}  // namespace quorrin
