#include "shell/icon_resource.h"

#include <cstddef>

namespace quorrin {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;

std::uint32_t read_u16(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint32_t>(d[at] | d[at + 1] << 8);
}

std::uint32_t read_u32(std::span<const std::uint8_t> d, std::size_t at) {
    return read_u16(d, at) | read_u16(d, at + 2) << 16;
}

std::int32_t read_i32(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::int32_t>(read_u32(d, at));
}

// The image an entry points at, when it lies inside the data and starts with
// a BITMAPINFOHEADER of a positive size (a version 4 or 5 header is longer).
std::optional<IconImage> entry_image(std::span<const std::uint8_t> data, std::size_t entry) {
    const std::uint32_t size = read_u32(data, entry + 8);
    const std::uint32_t offset = read_u32(data, entry + 12);
    // Compared so that no sum can wrap around.
    if (offset > data.size() || size > data.size() - offset || size < kBitmapHeaderSize) return std::nullopt;
    const std::span<const std::uint8_t> image = data.subspan(offset, size);
    if (read_u32(image, 0) < kBitmapHeaderSize || read_u32(image, 0) > size) return std::nullopt;
    const std::int32_t width = read_i32(image, 4);
    const std::int32_t height = read_i32(image, 8) / 2;
    if (width <= 0 || height <= 0) return std::nullopt;
    return IconImage{image, width, height, static_cast<int>(read_u16(image, 14))};
}

}  // namespace

std::optional<IconImage> choose_icon_image(std::span<const std::uint8_t> data, int width) {
    if (data.size() < kDirectorySize) return std::nullopt;
    const std::uint32_t type = read_u16(data, 2);
    const std::size_t count = read_u16(data, 4);
    if ((type != 1 && type != 2) || count == 0) return std::nullopt;
    if (count > (data.size() - kDirectorySize) / kEntrySize) return std::nullopt;

    std::optional<IconImage> last;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectorySize + i * kEntrySize;
        std::optional<IconImage> image = entry_image(data, entry);
        if (!image) continue;
        // A width byte of 0 means 256 pixels; a colour count of 0 means 256
        // or more colours, which this rule does not count as more than 15.
        const int entry_width = data[entry] == 0 ? 256 : data[entry];
        if (entry_width == width && data[entry + 2] > 15) return image;
        last = image;
    }
    return last;
}

}  // namespace quorrin
