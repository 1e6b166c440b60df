// Text: bytes in the system's ANSI code page, never holding a zero byte.
// The empty and the missing text are one value (a default-constructed Text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorrin {

class Text {
public:
    Text() = default;
    // A C string: the bytes before its terminator.
    Text(const char* s) : bytes_(s ? std::string_view(s) : std::string_view()) {}
    // Any bytes: the text is what comes before the first zero byte.
    explicit Text(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}
    explicit Text(std::string&& bytes) : bytes_(std::move(bytes)) {
        if (auto zero = bytes_.find('\0'); zero != std::string::npos) bytes_.resize(zero);
    }

    const char* c_str() const noexcept { return bytes_.c_str(); }
    std::string_view view() const noexcept { return bytes_; }
    std::int32_t length() const noexcept { return static_cast<std::int32_t>(bytes_.size()); }
    bool empty() const noexcept { return bytes_.empty(); }
    unsigned char byte(std::size_t index) const noexcept { return static_cast<unsigned char>(bytes_[index]); }

    friend bool operator==(const Text&, const Text&) = default;

private:
    std::string bytes_;
};

// Builds a Text piece by piece in amortised constant time per byte, so that a
// result described as a chain of concatenations costs linear time.
class TextBuilder {
public:
    void reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    void append(std::string_view bytes) { bytes_.append(bytes.substr(0, bytes.find('\0'))); }
    void append(const Text& text) { bytes_.append(text.view()); }
    // A zero byte cannot be part of a Text; it is dropped.
    void append_byte(unsigned char b) {
        if (b != 0) bytes_.push_back(static_cast<char>(b));
    }
    std::size_t size() const noexcept { return bytes_.size(); }
    Text take() { return Text(std::move(bytes_)); }

private:
    std::string bytes_;
};

}  // namespace quorrin
