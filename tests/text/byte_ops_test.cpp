#include "text/byte_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace quorrin {
namespace {

ByteBuffer buf(std::string_view b) { return ByteBuffer(b); }
std::string bytes(const ByteBuffer& b) { return std::string(b.view()); }

TEST(ByteOps, CrossingsBetweenTextAndBuffer) {
    EXPECT_EQ(bytes(text_to_bytes("AB")), "AB");
    EXPECT_TRUE(text_to_bytes("").empty());
    EXPECT_EQ(std::string(bytes_to_text(buf(std::string_view("A\0B", 3))).view()), "A");
    EXPECT_EQ(std::string(bytes_to_text(buf("xyz")).view()), "xyz");
    EXPECT_TRUE(bytes_to_text(ByteBuffer()).empty());
}

TEST(ByteOps, BlankIsZeroFilledAndClamped) {
    EXPECT_EQ(bytes(bytes_blank(3)), std::string(3, '\0'));
    EXPECT_TRUE(bytes_blank(-1).empty());
    EXPECT_TRUE(bytes_blank(INT_MIN).empty());
    EXPECT_EQ(bytes_length(ByteBuffer()), 0);
}

TEST(ByteOps, LeftAndRightClampCounts) {
    const ByteBuffer ten =
        buf(std::string_view("0123\0"
                             "56789",
                             10));
    EXPECT_EQ(bytes_left(ten, 1000), ten);
    EXPECT_TRUE(bytes_left(ten, 0).empty());
    EXPECT_TRUE(bytes_left(ten, INT_MIN).empty());
    EXPECT_EQ(bytes(bytes_left(ten, 5)), std::string("0123\0", 5));
    EXPECT_EQ(bytes(bytes_right(ten, 3)), "789");
    EXPECT_EQ(bytes_right(ten, INT_MAX), ten);
    EXPECT_TRUE(bytes_right(ten, -4).empty());
    EXPECT_TRUE(bytes_right(ByteBuffer(), 1).empty());
}

TEST(ByteOps, ConcatKeepsZeroBytes) {
    EXPECT_EQ(bytes(bytes_concat(buf(std::string_view("a\0", 2)), buf(std::string_view("\0b", 2)))),
              std::string("a\0\0b", 4));
    EXPECT_TRUE(bytes_concat(ByteBuffer(), ByteBuffer()).empty());
}

struct ReadCase {
    const char* name;
    std::string bytes;
    NumberKind kind;
    double expected;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ReadValue : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadValue, ReadsLittleEndianWithMissingHighBytesZero) {
    EXPECT_EQ(bytes_read_value(buf(GetParam().bytes), GetParam().kind), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ByteOps, ReadValue,
    testing::Values(ReadCase{"one_byte_as_i32_is_unsigned", "\xE4", NumberKind::i32, 228},
                    ReadCase{"empty_reads_zero", "", NumberKind::i32, 0},
                    ReadCase{"u8_takes_first_byte", "\xFF\x01", NumberKind::u8, 255},
                    ReadCase{"i16_negative", "\xFE\xFF", NumberKind::i16, -2},
                    ReadCase{"i16_one_byte", "\xFE", NumberKind::i16, 254},
                    ReadCase{"i32_full", std::string("\x01\x02\x03\x80", 4), NumberKind::i32, -2147286527.0},
                    ReadCase{"i64_small", std::string("\x05\0\0\0\0\0\0\0\x99", 9), NumberKind::i64, 5},
                    ReadCase{"f32_one", std::string("\0\0\x80\x3F", 4), NumberKind::f32, 1.0},
                    ReadCase{"f64_two", std::string("\0\0\0\0\0\0\0\x40", 8), NumberKind::f64, 2.0},
                    ReadCase{"unknown_kind", "\x07", static_cast<NumberKind>(9), 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorrin
