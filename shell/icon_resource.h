// Picking one image out of the bytes of an icon (or cursor) file, in the form
// CreateIconFromResourceEx takes. No Windows API here, so it is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quorrin {

struct IconImage {
    std::span<const std::uint8_t> bytes;  // the image, from its BITMAPINFOHEADER on
    int width = 0;                        // as the image's own header says
    int height = 0;                       // half the header's: it counts the AND mask too
    int bit_count = 0;
};

// The first image `width` pixels wide with more than 15 colours in the file's
// directory, otherwise the last image. Images that do not lie wholly inside
// the data, or lack a BITMAPINFOHEADER, are never chosen; nothing when the
// data is no icon or cursor directory or holds no usable image.
std::optional<IconImage> choose_icon_image(std::span<const std::uint8_t> data, int width);

}  // namespace quorrin
