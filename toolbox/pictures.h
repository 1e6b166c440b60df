// The toolbox window's pictures, built into the program (drawn by
// tools/draw_pictures.sh, embedded by quorrin_embed); it reads no file.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorrin {

struct PictureFile {
    std::string_view name;  // the file's name under assets/
    std::span<const std::uint8_t> bytes;
};

// Every picture, background first; the order is not meaningful beyond that.
std::span<const PictureFile> toolbox_pictures();

// The picture with that file name; empty when there is none, which the
// picture button treats like a picture that cannot be decoded.
std::span<const std::uint8_t> toolbox_picture(std::string_view name);

}  // namespace quorrin
