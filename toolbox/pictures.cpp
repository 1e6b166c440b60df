#include "toolbox/pictures.h"

#include <array>
#include <cstddef>

// One entry per assets/<stem>.jpg; CMakeLists.txt embeds the same list as
// quorrin::assets::<stem>_jpg_data.
#define QUORRIN_TOOLBOX_PICTURES(X) \
    X(background)                   \
    X(button_minimise)              \
    X(button_minimise_hover)        \
    X(button_close)                 \
    X(button_close_hover)           \
    X(button_back)                  \
    X(button_back_hover)            \
    X(button_lookup)                \
    X(button_lookup_hover)          \
    X(tile_calculator)              \
    X(tile_calculator_hover)        \
    X(tile_paint)                   \
    X(tile_paint_hover)             \
    X(tile_phone_lookup)            \
    X(tile_phone_lookup_hover)      \
    X(tile_notepad)                 \
    X(tile_notepad_hover)           \
    X(tile_navigation)              \
    X(tile_navigation_hover)        \
    X(tile_search)                  \
    X(tile_search_hover)            \
    X(tile_pc_software)             \
    X(tile_pc_software_hover)       \
    X(tile_phone_apps)              \
    X(tile_phone_apps_hover)

namespace quorrin::assets {

#define QUORRIN_DECLARE_PICTURE(stem)             \
    extern const unsigned char stem##_jpg_data[]; \
    extern const std::size_t stem##_jpg_data_size;
QUORRIN_TOOLBOX_PICTURES(QUORRIN_DECLARE_PICTURE)
#undef QUORRIN_DECLARE_PICTURE

}  // namespace quorrin::assets

namespace quorrin {

std::span<const PictureFile> toolbox_pictures() {
#define QUORRIN_PICTURE_ENTRY(stem) PictureFile{#stem ".jpg", {assets::stem##_jpg_data, assets::stem##_jpg_data_size}},
    // Made on first use: the sizes live in other translation units.
    static const std::array pictures = {QUORRIN_TOOLBOX_PICTURES(QUORRIN_PICTURE_ENTRY)};
#undef QUORRIN_PICTURE_ENTRY
    return pictures;
}

std::span<const std::uint8_t> toolbox_picture(std::string_view name) {
    for (const PictureFile& picture : toolbox_pictures()) {
        if (picture.name == name) return picture.bytes;
    }
    return {};
}

}  // namespace quorrin
