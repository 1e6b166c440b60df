// Decoding the window's JPEG pictures into pixels that a 24-bit device-
// independent bitmap can take as they are. No Windows API here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorrin {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Rows run top to bottom; each row holds width pixels as blue, green, red
// bytes and is padded with zero bytes to a multiple of 4, as a DIB row is.
struct BgrImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t stride = 0;  // bytes per row
    std::vector<std::uint8_t> pixels;

    // (x, y) must lie inside the image.
    Rgb at(std::int32_t x, std::int32_t y) const {
        const std::uint8_t* p = pixels.data() + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3;
        return Rgb{p[2], p[1], p[0]};
    }
};

// Larger pictures are refused before anything is allocated for them: the
// window's largest is 380 x 308, and a damaged header must not be able to ask
// for gigabytes.
inline constexpr std::int64_t kMaxJpegPixels = 4096 * 4096;

// The whole picture, or nothing: data that is not a JPEG image, that ends
// early, that the library finds corrupt (even where it could carry on with a
// warning), in a colour model it cannot turn into RGB, or of more than
// max_pixels pixels gives std::nullopt. Never ends the process.
std::optional<BgrImage> decode_jpeg(std::span<const std::uint8_t> data, std::int64_t max_pixels = kMaxJpegPixels);

}  // namespace quorrin
