// ByteBuffer: a count and that many bytes, zero bytes allowed. The empty and
// the missing buffer are one value.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorrin {

class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    explicit ByteBuffer(std::string_view bytes) : bytes_(bytes.begin(), bytes.end()) {}

    const std::uint8_t* data() const noexcept { return bytes_.data(); }
    std::uint8_t* data() noexcept { return bytes_.data(); }
    std::int32_t length() const noexcept { return static_cast<std::int32_t>(bytes_.size()); }
    bool empty() const noexcept { return bytes_.empty(); }
    std::string_view view() const noexcept { return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()}; }

    friend bool operator==(const ByteBuffer&, const ByteBuffer&) = default;

private:
    friend class ByteBuilder;
    std::vector<std::uint8_t> bytes_;
};

// Appends in amortised constant time per byte (see TextBuilder).
class ByteBuilder {
public:
    void reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    void append(std::string_view bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void append(const ByteBuffer& buffer) { append(buffer.view()); }
    std::size_t size() const noexcept { return bytes_.size(); }
    ByteBuffer take() { return ByteBuffer(std::move(bytes_)); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace quorrin
