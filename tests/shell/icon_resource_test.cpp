#include "shell/icon_resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <utility>
#include <vector>

#include "assets/assets.h"

namespace quorrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

struct Entry {
    int width;    // directory entry's width byte
    int colours;  // directory entry's colour count
    int image_width;
    int image_height;  // the picture's; the header says twice as much
    int bits;
};

// A file whose images are headers plus 8 bytes each, one after another.
Bytes icon_file(std::uint32_t type, const std::vector<Entry>& entries) {
    constexpr std::size_t kImageSize = 48;
    const std::size_t first_image = 6 + 16 * entries.size();
    Bytes b(first_image + kImageSize * entries.size());
    put16(b, 2, type);
    put16(b, 4, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::size_t image = first_image + kImageSize * i;
        b[entry] = static_cast<std::uint8_t>(entries[i].width);
        b[entry + 1] = static_cast<std::uint8_t>(entries[i].width);
        b[entry + 2] = static_cast<std::uint8_t>(entries[i].colours);
        put32(b, entry + 8, kImageSize);
        put32(b, entry + 12, static_cast<std::uint32_t>(image));
        put32(b, image, 40);
        put32(b, image + 4, static_cast<std::uint32_t>(entries[i].image_width));
        put32(b, image + 8, static_cast<std::uint32_t>(entries[i].image_height * 2));
        put16(b, image + 12, 1);
        put16(b, image + 14, static_cast<std::uint32_t>(entries[i].bits));
    }
    return b;
}

Bytes with16(Bytes b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    return b;
}

Bytes with32(Bytes b, std::size_t at, std::uint32_t v) {
    put32(b, at, v);
    return b;
}

Bytes first(Bytes b, std::size_t n) {
    b.resize(n);
    return b;
}

Bytes tray_icon() {
    const auto icon = assets::tray_icon_ico();
    return Bytes(icon.begin(), icon.end());
}

// Where the chosen image lies in the data and what it says of itself.
struct Chosen {
    std::size_t offset;
    std::size_t size;
    int width;
    int height;
    int bits;
};

struct IconCase {
    const char* name;
    Bytes data;
    int width;
    std::optional<Chosen> chosen;
    friend void PrintTo(const IconCase& c, std::ostream* os) { *os << c.name; }
};

// Images of icon_file() start after the directory, 48 bytes apart.
constexpr std::size_t image_at(std::size_t count, std::size_t index) { return 6 + 16 * count + 48 * index; }

const Entry k16x8{16, 16, 16, 16, 8};
const Entry k32x32{32, 0, 32, 32, 32};

class IconChoice : public testing::TestWithParam<IconCase> {};

TEST_P(IconChoice, PicksTheImageTheRuleNames) {
    const IconCase& c = GetParam();
    const auto image = choose_icon_image(c.data, c.width);
    ASSERT_EQ(image.has_value(), c.chosen.has_value());
    if (!image) return;
    EXPECT_EQ(image->bytes.data() - c.data.data(), static_cast<std::ptrdiff_t>(c.chosen->offset));
    EXPECT_EQ(image->bytes.size(), c.chosen->size);
    EXPECT_EQ(image->width, c.chosen->width);
    EXPECT_EQ(image->height, c.chosen->height);
    EXPECT_EQ(image->bit_count, c.chosen->bits);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, IconChoice,
    testing::Values(
        // One 64 px image with a colour count of 0: no pass picks it, so it
        // is chosen as the last image.
        IconCase{"tray_icon_16", tray_icon(), 16, Chosen{22, 12840, 64, 64, 24}},
        IconCase{"tray_icon_32", tray_icon(), 32, Chosen{22, 12840, 64, 64, 24}},
        IconCase{"first_16px_with_16_colours_wins", icon_file(1, {k16x8, k32x32}), 16,
                 Chosen{image_at(2, 0), 48, 16, 16, 8}},
        IconCase{"otherwise_the_last_image", icon_file(1, {k16x8, k32x32}), 32, Chosen{image_at(2, 1), 48, 32, 32, 32}},
        IconCase{"32px_pass_picks_a_middle_image",
                 icon_file(1, {{48, 0, 48, 48, 32}, {32, 16, 32, 32, 4}, {64, 0, 64, 64, 32}}), 32,
                 Chosen{image_at(3, 1), 48, 32, 32, 4}},
        IconCase{"first_of_two_matches", icon_file(1, {{16, 8, 16, 16, 4}, {16, 16, 16, 16, 4}, {16, 255, 16, 16, 8}}),
                 16, Chosen{image_at(3, 1), 48, 16, 16, 4}},
        IconCase{"fifteen_colours_are_too_few", icon_file(1, {{16, 15, 16, 16, 4}, k32x32}), 16,
                 Chosen{image_at(2, 1), 48, 32, 32, 32}},
        IconCase{"colour_count_0_is_not_more_than_15", icon_file(1, {{16, 0, 16, 16, 32}, k32x32}), 16,
                 Chosen{image_at(2, 1), 48, 32, 32, 32}},
        // The image's own header, not the directory, gives the size.
        IconCase{"size_from_the_image_header", icon_file(1, {{16, 16, 20, 24, 8}}), 16,
                 Chosen{image_at(1, 0), 48, 20, 24, 8}},
        IconCase{"cursor_file", icon_file(2, {k16x8}), 16, Chosen{image_at(1, 0), 48, 16, 16, 8}},
        IconCase{"type_3", icon_file(3, {k16x8}), 16, std::nullopt},
        IconCase{"type_0", icon_file(0, {k16x8}), 16, std::nullopt},
        IconCase{"count_0", icon_file(1, {}), 16, std::nullopt}, IconCase{"empty", Bytes{}, 16, std::nullopt},
        IconCase{"shorter_than_a_directory", Bytes{0, 0, 1, 0, 1}, 16, std::nullopt},
        IconCase{"directory_cut_short", first(tray_icon(), 21), 16, std::nullopt},
        IconCase{"image_cut_short", first(tray_icon(), 12861), 16, std::nullopt},
        IconCase{"count_larger_than_the_directory", with16(icon_file(1, {k16x8}), 4, 5), 16, std::nullopt},
        IconCase{"offset_past_the_end", with32(icon_file(1, {k16x8}), 6 + 12, 10000), 16, std::nullopt},
        // offset + size wraps around to a small number in 32 bits.
        IconCase{"offset_and_size_wrap", with32(with32(icon_file(1, {k16x8}), 6 + 12, 0xFFFFFFF0u), 6 + 8, 0x40), 16,
                 std::nullopt},
        IconCase{"size_past_the_end", with32(icon_file(1, {k16x8}), 6 + 8, 49), 16, std::nullopt},
        // An unusable image is never chosen, not even as the first match.
        IconCase{"out_of_bounds_match_is_passed_over", with32(icon_file(1, {k16x8, k32x32}), 6 + 12, 0x7FFFFFFF), 16,
                 Chosen{image_at(2, 1), 48, 32, 32, 32}},
        IconCase{"image_smaller_than_its_header", with32(icon_file(1, {k16x8}), 6 + 8, 39), 16, std::nullopt},
        IconCase{"png_image", with32(icon_file(1, {k16x8}), image_at(1, 0), 0x474E5089u), 16, std::nullopt},
        IconCase{"header_size_below_40", with32(icon_file(1, {k16x8}), image_at(1, 0), 12), 16, std::nullopt},
        IconCase{"zero_height", icon_file(1, {{16, 16, 16, 0, 8}}), 16, std::nullopt},
        IconCase{"negative_width", icon_file(1, {{16, 16, -16, 16, 8}}), 16, std::nullopt}));

TEST(TrayIconFile, IsTheOneImageIconItHasAlwaysBeen) {
    const auto icon = assets::tray_icon_ico();
    ASSERT_EQ(icon.size(), 12862u);
    const Bytes head(icon.begin(), icon.begin() + 62);
    const Bytes expected{
        0,    0,    1, 0, 1,  0,                            // reserved, type 1 (icon), one image
        64,   64,   0, 0, 0,  0, 8, 0,                      // 64x64, colour count 0, planes 0, bit count 8
        0x28, 0x32, 0, 0, 22, 0, 0, 0,                      // 12,840 bytes at offset 22
        40,   0,    0, 0, 64, 0, 0, 0, 128, 0, 0, 0, 1, 0,  // header size, width, height (with mask), planes
        24,   0,    0, 0, 0,  0,                            // 24 bits, BI_RGB
        0,    0,    0, 0, 0,  0, 0, 0, 0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // image size .. colours important
    EXPECT_EQ(head, expected);
}

TEST(TrayIconFile, IsAWhiteLetterOnBlueWithAnEmptyMask) {
    const auto icon = assets::tray_icon_ico();
    ASSERT_EQ(icon.size(), 12862u);
    const auto pixels = icon.subspan(62, 64 * 64 * 3);
    const auto mask = icon.subspan(62 + 64 * 64 * 3);
    ASSERT_EQ(mask.size(), 512u);
    EXPECT_TRUE(std::all_of(mask.begin(), mask.end(), [](std::uint8_t b) { return b == 0; }));
    auto pixel_is = [&](int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        const std::size_t at = (static_cast<std::size_t>(63 - y) * 64 + x) * 3;  // bottom row first
        return pixels[at] == b && pixels[at + 1] == g && pixels[at + 2] == r;
    };
    const std::pair<int, int> blue[] = {{0, 0}, {63, 0}, {0, 63}, {63, 63}, {32, 30}};
    for (auto [x, y] : blue) {
        EXPECT_TRUE(pixel_is(x, y, 46, 131, 195)) << x << "," << y;  // corners and the bowl's middle
    }
    EXPECT_TRUE(pixel_is(32, 11, 255, 255, 255));  // top of the ring
    EXPECT_TRUE(pixel_is(32, 49, 255, 255, 255));  // bottom of the ring
    EXPECT_TRUE(pixel_is(48, 52, 255, 255, 255));  // the tail
    int white = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) white += pixel_is(x, y, 255, 255, 255);
    EXPECT_GT(white, 600);
    EXPECT_LT(white, 64 * 64 / 2);
}

}  // namespace
}  // namespace quorrin
