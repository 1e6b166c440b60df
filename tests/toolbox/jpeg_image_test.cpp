#include "toolbox/jpeg_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared already
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "toolbox/pictures.h"

extern "C" {
#include <jpeglib.h>
}

namespace quorrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes picture(std::string_view name) {
    const auto bytes = toolbox_picture(name);
    return Bytes(bytes.begin(), bytes.end());
}

std::size_t padded_stride(std::int32_t width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

// What every decoded image must be, whatever the input: a size within the
// limit, DIB-shaped rows, and zero bytes in the padding.
void expect_whole_image(const BgrImage& image, std::int64_t max_pixels = kMaxJpegPixels) {
    ASSERT_GT(image.width, 0);
    ASSERT_GT(image.height, 0);
    EXPECT_LE(static_cast<std::int64_t>(image.width) * image.height, max_pixels);
    ASSERT_EQ(image.stride, padded_stride(image.width));
    ASSERT_EQ(image.pixels.size(), image.stride * static_cast<std::size_t>(image.height));
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::size_t at = static_cast<std::size_t>(image.width) * 3; at < image.stride; ++at) {
            ASSERT_EQ(image.pixels[static_cast<std::size_t>(y) * image.stride + at], 0) << "row " << y;
        }
    }
}

void expect_near(Rgb actual, Rgb expected, int tolerance) {
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
}

// Offset of the first marker FF <code> in the header, before the entropy-
// coded data (where FF bytes are stuffed and the walk would go wrong).
std::size_t marker_offset(const Bytes& jpeg, std::uint8_t code) {
    std::size_t at = 2;  // past the start-of-image marker
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        if (jpeg[at + 1] == code) return at;
        if (jpeg[at + 1] == 0xDA) break;  // start of scan: the header ends here
        at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    }
    ADD_FAILURE() << "no marker FF " << std::hex << int{code};
    return 0;
}

// The end of the start-of-scan header: where the entropy-coded data begins.
std::size_t scan_data_offset(const Bytes& jpeg) {
    const std::size_t sos = marker_offset(jpeg, 0xDA);
    return sos + 2 + (jpeg[sos + 2] << 8 | jpeg[sos + 3]);
}

// A small encoder for sample pictures of any shape. Misuse of the library
// ends the test program through its default error handler, which fails it.
struct EncodeOptions {
    std::int32_t width;
    std::int32_t height;
    bool grey = false;
    bool progressive = false;
    bool subsampled = false;  // 4:2:0 chroma, the library's default
    // When above 0: a grey progressive file that sends each of the 63 AC
    // coefficients in this many scans of successive approximation, after
    // one scan for DC.
    int scans_per_coefficient = 0;
};

struct VectorDestination {
    jpeg_destination_mgr base;  // first: the library hands back a pointer to it
    Bytes* out;
    std::uint8_t buffer[4096];
};

void destination_init(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<VectorDestination*>(cinfo->dest);
    d->base.next_output_byte = d->buffer;
    d->base.free_in_buffer = sizeof d->buffer;
}

boolean destination_empty(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<VectorDestination*>(cinfo->dest);
    d->out->insert(d->out->end(), d->buffer, d->buffer + sizeof d->buffer);
    destination_init(cinfo);
    return TRUE;
}

void destination_term(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<VectorDestination*>(cinfo->dest);
    d->out->insert(d->out->end(), d->buffer, d->buffer + (sizeof d->buffer - d->base.free_in_buffer));
}

// Rises from 0 to 40 and falls back, again and again: no edges.
int triangle(std::int32_t v) { return v % 80 < 40 ? v % 80 : 80 - v % 80; }

// Gentle slopes only, so that JPEG keeps the colours close at any size.
Rgb sample_colour(std::int32_t x, std::int32_t y) {
    return Rgb{static_cast<std::uint8_t>(40 + 3 * triangle(x)), static_cast<std::uint8_t>(90 + 2 * triangle(y)),
               static_cast<std::uint8_t>(200 - 2 * triangle(x + y))};
}

std::uint8_t grey_of(Rgb c) { return c.g; }

Bytes encode(const EncodeOptions& options) {
    Bytes out;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    VectorDestination destination{};
    destination.out = &out;
    destination.base.init_destination = destination_init;
    destination.base.empty_output_buffer = destination_empty;
    destination.base.term_destination = destination_term;
    cinfo.dest = &destination.base;

    cinfo.image_width = static_cast<JDIMENSION>(options.width);
    cinfo.image_height = static_cast<JDIMENSION>(options.height);
    cinfo.input_components = options.grey ? 1 : 3;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (!options.grey && !options.subsampled) {
        cinfo.comp_info[0].h_samp_factor = 1;
        cinfo.comp_info[0].v_samp_factor = 1;
    }
    if (options.progressive) jpeg_simple_progression(&cinfo);
    std::vector<jpeg_scan_info> script;
    if (options.scans_per_coefficient > 0) {
        script.push_back({1, {0}, 0, 0, 0, 0});
        for (int k = 1; k <= 63; ++k) {
            const int lowest = options.scans_per_coefficient - 1;
            script.push_back({1, {0}, k, k, 0, lowest});
            for (int bit = lowest; bit > 0; --bit) script.push_back({1, {0}, k, k, bit, bit - 1});
        }
        cinfo.scan_info = script.data();
        cinfo.num_scans = static_cast<int>(script.size());
    }

    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(options.width) * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto y = static_cast<std::int32_t>(cinfo.next_scanline);
        for (std::int32_t x = 0; x < options.width; ++x) {
            const Rgb c = sample_colour(x, y);
            if (options.grey) {
                row[static_cast<std::size_t>(x)] = grey_of(c);
            } else {
                row[static_cast<std::size_t>(x) * 3] = c.r;
                row[static_cast<std::size_t>(x) * 3 + 1] = c.g;
                row[static_cast<std::size_t>(x) * 3 + 2] = c.b;
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return out;
}

// The window's own pictures, as built into the program: each one's size and
// its colour at one point (JPEG keeps flat colours within a few levels).
struct PictureCase {
    const char* file;
    std::int32_t width;
    std::int32_t height;
    std::int32_t x;
    std::int32_t y;
    Rgb colour;
};

std::ostream& operator<<(std::ostream& os, const PictureCase& c) {
    return os << c.file << " at (" << c.x << ", " << c.y << ")";
}

constexpr Rgb kWindowBlue{46, 131, 196};
constexpr Rgb kTileBlue{45, 130, 195};
constexpr Rgb kTileHoverBlue{28, 163, 219};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

const PictureCase kPictureCases[] = {
    {"background.jpg", 380, 308, 200, 150, kWindowBlue},
    {"background.jpg", 380, 308, 379, 307, kWindowBlue},
    {"background.jpg", 380, 308, 9, 16, kWhite},  // the stem of the "Q"
    {"button_minimise.jpg", 28, 28, 13, 16, kWhite},
    {"button_minimise.jpg", 28, 28, 13, 10, kWindowBlue},  // above the bar: rows run top-down
    {"button_minimise_hover.jpg", 28, 28, 13, 16, kBlack},
    {"button_minimise_hover.jpg", 28, 28, 13, 24, kWindowBlue},
    {"button_close.jpg", 36, 36, 18, 17, kWhite},  // where the strokes cross
    {"button_close.jpg", 36, 36, 18, 32, kWindowBlue},
    {"button_close_hover.jpg", 36, 36, 18, 17, kBlack},
    {"button_back.jpg", 56, 30, 2, 2, kWindowBlue},
    {"button_back_hover.jpg", 56, 30, 53, 27, kWindowBlue},
    {"button_lookup.jpg", 56, 30, 2, 2, kWindowBlue},
    {"button_lookup_hover.jpg", 56, 30, 53, 27, kWindowBlue},
    {"tile_calculator.jpg", 70, 70, 2, 2, kTileBlue},
    {"tile_calculator_hover.jpg", 70, 70, 2, 2, kTileHoverBlue},
    {"tile_paint.jpg", 70, 70, 67, 2, kTileBlue},
    {"tile_paint_hover.jpg", 70, 70, 67, 2, kTileHoverBlue},
    {"tile_phone_lookup.jpg", 70, 70, 2, 67, kTileBlue},
    {"tile_phone_lookup_hover.jpg", 70, 70, 2, 67, kTileHoverBlue},
    {"tile_notepad.jpg", 70, 70, 67, 67, kTileBlue},
    {"tile_notepad_hover.jpg", 70, 70, 67, 67, kTileHoverBlue},
    {"tile_navigation.jpg", 70, 70, 35, 3, kTileBlue},
    {"tile_navigation_hover.jpg", 70, 70, 35, 3, kTileHoverBlue},
    {"tile_search.jpg", 70, 70, 35, 66, kTileBlue},
    {"tile_search_hover.jpg", 70, 70, 35, 66, kTileHoverBlue},
    {"tile_pc_software.jpg", 70, 70, 3, 35, kTileBlue},
    {"tile_pc_software_hover.jpg", 70, 70, 3, 35, kTileHoverBlue},
    {"tile_phone_apps.jpg", 70, 70, 66, 35, kTileBlue},
    {"tile_phone_apps_hover.jpg", 70, 70, 66, 35, kTileHoverBlue},
};

class PictureDecode : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureDecode, HasItsSizeAndColour) {
    const PictureCase& c = GetParam();
    const auto image = decode_jpeg(toolbox_picture(c.file));
    ASSERT_TRUE(image.has_value());
    expect_whole_image(*image);
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height);
    expect_near(image->at(c.x, c.y), c.colour, 12);
}

INSTANTIATE_TEST_SUITE_P(Assets, PictureDecode, testing::ValuesIn(kPictureCases));

TEST(PictureTable, EveryBuiltInPictureIsChecked) {
    ASSERT_EQ(toolbox_pictures().size(), 25u);
    for (const PictureFile& file : toolbox_pictures()) {
        const bool listed = std::any_of(std::begin(kPictureCases), std::end(kPictureCases),
                                        [&](const PictureCase& c) { return file.name == c.file; });
        EXPECT_TRUE(listed) << file.name;
        EXPECT_FALSE(file.bytes.empty()) << file.name;
    }
}

TEST(PictureTable, UnknownPictureNameGivesNoBytes) {
    EXPECT_TRUE(toolbox_picture("tile_missing.jpg").empty());
    EXPECT_FALSE(decode_jpeg(toolbox_picture("tile_missing.jpg")).has_value());
}

TEST(PictureLayout, PixelsAreBlueGreenRedWithPaddedRows) {
    const auto image = decode_jpeg(toolbox_picture("tile_calculator.jpg"));
    ASSERT_TRUE(image.has_value());
    // 70 pixels make 210 bytes, padded to 212.
    EXPECT_EQ(image->stride, 212u);
    const std::size_t at = 5 * image->stride + 5 * 3;
    EXPECT_NEAR(image->pixels[at], kTileBlue.b, 12);
    EXPECT_NEAR(image->pixels[at + 1], kTileBlue.g, 12);
    EXPECT_NEAR(image->pixels[at + 2], kTileBlue.r, 12);
    EXPECT_EQ(image->pixels[5 * image->stride + 210], 0);
    EXPECT_EQ(image->pixels[5 * image->stride + 211], 0);
}

// Sample pictures in the shapes the window's own do not cover: every
// padding (widths 1 to 5), grey, progressive and subsampled files.
struct SampleCase {
    const char* name;
    EncodeOptions options;
};

std::ostream& operator<<(std::ostream& os, const SampleCase& c) { return os << c.name; }

const SampleCase kSampleCases[] = {
    {"Width1", {1, 3}},
    {"Width2", {2, 5}},
    {"Width3", {3, 2}},
    {"Width4", {4, 4}},
    {"Width5", {5, 1}},
    {"Wide", {333, 17}},
    {"Tall", {9, 260}},
    {"Grey", {37, 21, true}},
    {"GreyWidth3", {3, 3, true}},
    {"Progressive", {64, 48, false, true}},
    {"ProgressiveGrey", {19, 23, true, true}},
    {"Subsampled", {50, 30, false, false, true}},
    {"SubsampledOddSize", {17, 9, false, false, true}},
    {"ProgressiveSubsampled", {41, 33, false, true, true}},
};

class SampleDecode : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleDecode, MatchesWhatWasEncoded) {
    const EncodeOptions& o = GetParam().options;
    const auto image = decode_jpeg(encode(o));
    ASSERT_TRUE(image.has_value());
    expect_whole_image(*image);
    ASSERT_EQ(image->width, o.width);
    ASSERT_EQ(image->height, o.height);
    // Subsampled chroma blurs colour edges; the gradient has a few.
    const int tolerance = o.subsampled ? 40 : 16;
    for (std::int32_t y = 0; y < o.height; ++y) {
        for (std::int32_t x = 0; x < o.width; ++x) {
            const Rgb got = image->at(x, y);
            if (o.grey) {
                // A grey picture comes out with three equal channels.
                ASSERT_EQ(got.r, got.g);
                ASSERT_EQ(got.g, got.b);
                ASSERT_NEAR(got.g, grey_of(sample_colour(x, y)), tolerance) << x << ", " << y;
            } else {
                const Rgb want = sample_colour(x, y);
                ASSERT_NEAR(got.r, want.r, tolerance) << x << ", " << y;
                ASSERT_NEAR(got.g, want.g, tolerance) << x << ", " << y;
                ASSERT_NEAR(got.b, want.b, tolerance) << x << ", " << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, SampleDecode, testing::ValuesIn(kSampleCases),
                         [](const testing::TestParamInfo<SampleCase>& info) { return std::string(info.param.name); });

// However many scans a progressive file has, each one is a pass over the
// whole picture; beyond 500 the file is refused rather than decoded slowly.
TEST(DecodeLimit, ProgressiveFileOfUpTo500ScansDecodes) {
    EncodeOptions options{16, 16, true};
    options.scans_per_coefficient = 7;  // 1 + 63 * 7 = 442 scans
    const auto image = decode_jpeg(encode(options));
    ASSERT_TRUE(image.has_value());
    expect_whole_image(*image);
    const std::uint8_t grey = grey_of(sample_colour(9, 9));
    expect_near(image->at(9, 9), Rgb{grey, grey, grey}, 16);
}

TEST(DecodeLimit, ProgressiveFileOfMoreThan500ScansIsRefused) {
    EncodeOptions options{16, 16, true};
    options.scans_per_coefficient = 8;  // 1 + 63 * 8 = 505 scans
    EXPECT_FALSE(decode_jpeg(encode(options)).has_value());
}

TEST(DecodeLimit, PictureOfMorePixelsThanAllowedIsRefused) {
    const Bytes jpeg = encode({10, 10});
    EXPECT_FALSE(decode_jpeg(jpeg, 99).has_value());
    const auto image = decode_jpeg(jpeg, 100);
    ASSERT_TRUE(image.has_value());
    expect_whole_image(*image, 100);
}

// Data cut short anywhere: never an image with a made-up remainder.
struct CutCase {
    const char* file;
    std::ptrdiff_t end;  // bytes kept; when negative, bytes cut off the end
};

std::ostream& operator<<(std::ostream& os, const CutCase& c) { return os << c.file << " cut at " << c.end; }

class TruncatedDecode : public testing::TestWithParam<CutCase> {};

TEST_P(TruncatedDecode, GivesNothing) {
    const CutCase& c = GetParam();
    Bytes jpeg = picture(c.file);
    const auto size = static_cast<std::ptrdiff_t>(jpeg.size());
    const std::ptrdiff_t kept = c.end < 0 ? size + c.end : c.end;
    ASSERT_GE(kept, 0);
    ASSERT_LT(kept, size);
    jpeg.resize(static_cast<std::size_t>(kept));
    EXPECT_FALSE(decode_jpeg(jpeg).has_value());
}

std::vector<CutCase> cut_cases() {
    std::vector<CutCase> cases;
    for (const char* file : {"background.jpg", "button_minimise.jpg", "tile_search_hover.jpg"}) {
        for (std::ptrdiff_t end : {0, 1, 2, 3, 4, 20, 100, 300, 700, -400, -50, -3, -2, -1})
            cases.push_back({file, end});
    }
    return cases;
}

std::string cut_name(const testing::TestParamInfo<CutCase>& info) {
    std::string name(info.param.file);
    name.resize(name.find('.'));
    return name +
           (info.param.end < 0 ? "_less" + std::to_string(-info.param.end) : "_keep" + std::to_string(info.param.end));
}

INSTANTIATE_TEST_SUITE_P(Cuts, TruncatedDecode, testing::ValuesIn(cut_cases()), cut_name);

TEST(TruncatedPictures, HalfOfEveryPictureGivesNothing) {
    for (const PictureFile& file : toolbox_pictures()) {
        const auto half = file.bytes.first(file.bytes.size() / 2);
        EXPECT_FALSE(decode_jpeg(half).has_value()) << file.name;
    }
}

TEST(TrailingBytes, AfterTheEndMarkerAreIgnored) {
    Bytes jpeg = picture("button_close.jpg");
    const auto plain = decode_jpeg(jpeg);
    ASSERT_TRUE(plain.has_value());
    jpeg.insert(jpeg.end(), {0x00, 0x12, 0xFF, 0xD8, 0xFF});
    const auto padded = decode_jpeg(jpeg);
    ASSERT_TRUE(padded.has_value());
    EXPECT_EQ(padded->pixels, plain->pixels);
}

// Damage that the library reads past with a warning, making up what is
// missing or skipping what is extra: still no picture.
struct DataDamage {
    const char* name;
    std::function<void(Bytes&)> apply;
};

std::ostream& operator<<(std::ostream& os, const DataDamage& d) { return os << d.name; }

const DataDamage kDataDamage[] = {
    // The middle of the compressed data lost, the end marker still there.
    {"MiddleOfDataLost",
     [](Bytes& jpeg) {
         const std::size_t data = scan_data_offset(jpeg);
         jpeg.erase(jpeg.begin() + static_cast<std::ptrdiff_t>(data + (jpeg.size() - data) / 2), jpeg.end() - 2);
     }},
    {"GarbageBeforeEndMarker",
     [](Bytes& jpeg) {
         jpeg.insert(jpeg.end() - 2, {0x12, 0x34, 0x56, 0x78});
     }},
    {"RestartMarkerWithoutRestarts",
     [](Bytes& jpeg) {
         const std::size_t data = scan_data_offset(jpeg);
         jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(data + 8), {0xFF, 0xD3});
     }},
};

class DamagedData : public testing::TestWithParam<DataDamage> {};

TEST_P(DamagedData, GivesNothing) {
    Bytes jpeg = picture("tile_navigation.jpg");
    ASSERT_TRUE(decode_jpeg(jpeg).has_value());
    GetParam().apply(jpeg);
    EXPECT_FALSE(decode_jpeg(jpeg).has_value());
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedData, testing::ValuesIn(kDataDamage),
                         [](const testing::TestParamInfo<DataDamage>& info) { return std::string(info.param.name); });

// Header fields set to values the library refuses.
struct HeaderFault {
    const char* name;
    std::uint8_t marker;  // the segment changed (0xD8: the start of the file)
    std::size_t offset;   // from the segment's FF byte
    std::vector<std::uint8_t> bytes;
};

std::ostream& operator<<(std::ostream& os, const HeaderFault& c) { return os << c.name; }

const HeaderFault kHeaderFaults[] = {
    {"NoStartMarker", 0xD8, 1, {0xD9}},
    {"ZeroHeight", 0xC0, 5, {0, 0}},
    {"ZeroWidth", 0xC0, 7, {0, 0}},
    {"NoComponents", 0xC0, 9, {0}},
    {"ComponentCountBeyondLength", 0xC0, 9, {4}},
    {"TwelveBitSamples", 0xC0, 4, {12}},
    {"HugeSize", 0xC0, 5, {0xFF, 0xFF, 0xFF, 0xFF}},
    {"QuantisationTablesGone", 0xDB, 1, {0xFE}},  // made a comment
    {"FrameGone", 0xC0, 1, {0xFE}},
    {"ScanOfFiveComponents", 0xDA, 4, {5}},
    {"ScanLengthBeyondData", 0xDA, 2, {0xFF, 0xFF}},
    {"QuantisationLengthTooShort", 0xDB, 2, {0, 1}},
};

class CorruptHeader : public testing::TestWithParam<HeaderFault> {};

TEST_P(CorruptHeader, GivesNothing) {
    const HeaderFault& fault = GetParam();
    Bytes jpeg = picture("button_minimise.jpg");
    const std::size_t at = fault.marker == 0xD8 ? 0 : marker_offset(jpeg, fault.marker);
    ASSERT_LE(at + fault.offset + fault.bytes.size(), jpeg.size());
    std::copy(fault.bytes.begin(), fault.bytes.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at + fault.offset));
    EXPECT_FALSE(decode_jpeg(jpeg).has_value());
}

INSTANTIATE_TEST_SUITE_P(Faults, CorruptHeader, testing::ValuesIn(kHeaderFaults),
                         [](const testing::TestParamInfo<HeaderFault>& info) { return std::string(info.param.name); });

// Every byte of a header, or of the compressed data, changed in turn: the
// library may refuse or may make some picture of it, but the result is either
// nothing or a whole image, and nothing reads or writes out of bounds (the
// sanitizers watch).
struct Mutation {
    const char* name;
    bool in_scan_data;
    std::function<std::uint8_t(std::uint8_t)> change;
};

std::ostream& operator<<(std::ostream& os, const Mutation& m) { return os << m.name; }

const Mutation kMutations[] = {
    {"HeaderZero", false, [](std::uint8_t) { return std::uint8_t{0}; }},
    {"HeaderFF", false, [](std::uint8_t) { return std::uint8_t{0xFF}; }},
    {"HeaderHighBitFlipped", false, [](std::uint8_t b) { return static_cast<std::uint8_t>(b ^ 0x80); }},
    {"HeaderLowBitFlipped", false, [](std::uint8_t b) { return static_cast<std::uint8_t>(b ^ 0x01); }},
    {"DataInverted", true, [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); }},
    {"DataFF", true, [](std::uint8_t) { return std::uint8_t{0xFF}; }},
    {"DataZero", true, [](std::uint8_t) { return std::uint8_t{0}; }},
};

class MutatedDecode : public testing::TestWithParam<Mutation> {};

TEST_P(MutatedDecode, GivesNothingOrAWholeImage) {
    const Mutation& m = GetParam();
    const Bytes original = picture("button_minimise.jpg");
    const std::size_t data = scan_data_offset(original);
    const std::size_t first = m.in_scan_data ? data : 0;
    const std::size_t last = m.in_scan_data ? original.size() - 2 : data;  // the end marker stays
    int refused = 0;
    for (std::size_t at = first; at < last; ++at) {
        Bytes jpeg = original;
        jpeg[at] = m.change(jpeg[at]);
        const auto image = decode_jpeg(jpeg);
        if (!image) {
            ++refused;
            continue;
        }
        expect_whole_image(*image);
        if (testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "byte " << at;
            return;
        }
    }
    // Changes of this kind break at least some of these pictures.
    EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryByte, MutatedDecode, testing::ValuesIn(kMutations),
                         [](const testing::TestParamInfo<Mutation>& info) { return std::string(info.param.name); });

struct NotJpegCase {
    const char* name;
    Bytes bytes;
};

std::ostream& operator<<(std::ostream& os, const NotJpegCase& c) { return os << c.name; }

const NotJpegCase kNotJpeg[] = {
    {"Empty", {}},
    {"OneByte", {0xFF}},
    {"StartMarkerOnly", {0xFF, 0xD8}},
    {"StartMarkerAndHalfAMarker", {0xFF, 0xD8, 0xFF}},
    {"StartThenEnd", {0xFF, 0xD8, 0xFF, 0xD9}},
    {"Gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0}},
    {"Png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'}},
    {"Bitmap", {'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0}},
    {"Text", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}},
    {"Zeros", Bytes(64, 0)},
    {"FFs", Bytes(64, 0xFF)},
};

class NotJpeg : public testing::TestWithParam<NotJpegCase> {};

TEST_P(NotJpeg, GivesNothing) { EXPECT_FALSE(decode_jpeg(GetParam().bytes).has_value()); }

INSTANTIATE_TEST_SUITE_P(Inputs, NotJpeg, testing::ValuesIn(kNotJpeg),
                         [](const testing::TestParamInfo<NotJpegCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorrin
