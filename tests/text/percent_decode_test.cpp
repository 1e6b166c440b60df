// Runs natively (iconv stands in for the code-page calls) and under Wine with
// code page 936, where kernel32 does the conversions.
#include "text/percent_decode.h"

#include <gtest/gtest.h>

#include <string>

#include "text/byte_ops.h"

namespace quorrin {
namespace {

std::string decode(std::string_view in) { return std::string(percent_decode(Text(in)).view()); }

struct DecodeCase {
    const char* name;
    std::string input;
    std::string expected;
    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

class PercentDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(PercentDecode, GivesAnsiText) { EXPECT_EQ(decode(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Decoding, PercentDecode,
    testing::Values(DecodeCase{"empty", "", ""}, DecodeCase{"plain", "abc", "abc"},
                    DecodeCase{"plus_stays", "a+b", "a+b"}, DecodeCase{"two_escapes", "%41%42", "AB"},
                    DecodeCase{"lower_hex", "%4a", "J"}, DecodeCase{"upper_hex", "%4A", "J"},
                    DecodeCase{"escaped_utf8", "%E4%B8%ADx", "\xD6\xD0x"},
                    DecodeCase{"raw_utf8", "\xE4\xB8\xADx", "\xD6\xD0x"},
                    DecodeCase{"mixed_raw_and_escaped", "\xE4%B8%AD", "\xD6\xD0"},
                    DecodeCase{"percent_at_end", "x%", "x"}, DecodeCase{"one_digit_at_end", "x%3", "x0"},
                    DecodeCase{"zero_byte_dropped", "a%00b", "ab"},
                    // A text ending in a complete multi-byte character gets no terminator
                    // before the UTF-8 step; the whole text must still come out.
                    DecodeCase{"ends_with_multibyte_char", "%E4%B8%AD", "\xD6\xD0"},
                    DecodeCase{"ends_with_raw_multibyte_char", "ab\xE4\xB8\xAD", "ab\xD6\xD0"},
                    DecodeCase{"ends_with_del", "a%7F", "a\x7F"},
                    DecodeCase{"pattern_text", "%3Cp%3E%E5%8D%A1%E5%8F%B7%EF%BC%9A%3Cem%3E%E5%B9%BF%E4%B8%9C%3C/em%3E",
                               "<p>卡号：<em>广东</em>"}),
    [](const auto& info) { return std::string(info.param.name); });

// Digits that are not hexadecimal count as -2 before the UTF-8 step; the bytes
// they make are not UTF-8, so these are checked on the decoding loop's output
// by following each with an ASCII byte that survives the conversion.
TEST(Decoding, NonHexDigitsDecodeToTheDocumentedBytesAndTheRestSurvives) {
    for (const char* in : {"%1zq", "%z1q", "%zzq", "%%41q"}) {
        const std::string out = decode(in);
        ASSERT_FALSE(out.empty()) << in;
        EXPECT_EQ(out.back(), 'q') << in;
    }
    // 0x0E is plain ASCII and passes unchanged.
    EXPECT_EQ(decode("%1z"), "\x0E");
}

TEST(Decoding, InputEndingInsideAMultiByteCharacterStaysWithinTheBuffer) {
    for (const char* in : {"x%E4%B8", "x%E4", "\xE4\xB8\xAD%E4%B8"}) {
        const std::string out = decode(in);
        ASSERT_FALSE(out.empty()) << in;
        EXPECT_EQ(out.find(' '), std::string::npos) << "no blanks of the output buffer: " << in;
        EXPECT_EQ(out.find('\0'), std::string::npos) << in;
        EXPECT_LE(out.size(), 2 * std::string_view(in).size()) << in;
    }
    EXPECT_EQ(decode("x%E4%B8").substr(0, 1), "x");
    EXPECT_EQ(decode("\xE4\xB8\xAD%E4%B8").substr(0, 2), "\xD6\xD0");
}

TEST(Decoding, InvalidUtf8DoesNotStopTheConversion) {
    const std::string out = decode(
        "\xFF\xFE"
        "abc");
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out.substr(out.size() - 3), "abc");
}

TEST(Utf8ToLocal, AppendsTheTerminatorToTheCallersBufferOnlyAfterASmallLastByte) {
    ByteBuffer ascii(std::string_view("ab"));
    EXPECT_EQ(std::string(utf8_to_local(ascii).view()), "ab");
    EXPECT_EQ(ascii, ByteBuffer(std::string_view("ab\0", 3)));

    ByteBuffer multibyte(std::string_view("\xE4\xB8\xAD"));
    EXPECT_EQ(std::string(utf8_to_local(multibyte).view()), "\xD6\xD0");
    EXPECT_EQ(bytes_length(multibyte), 3);

    ByteBuffer empty;
    EXPECT_TRUE(utf8_to_local(empty).empty());
    EXPECT_EQ(bytes_length(empty), 1);
}

TEST(WideToLocal, ConvertsExactlyTheUnitsAndStopsAtAZeroUnit) {
    EXPECT_EQ(std::string(wide_to_local(ByteBuffer(std::string_view("\x2D\x4E", 2))).view()), "\xD6\xD0");
    EXPECT_EQ(std::string(wide_to_local(ByteBuffer(std::string_view("a\0\0\0b\0", 6))).view()), "a");
    EXPECT_TRUE(wide_to_local(ByteBuffer()).empty());
    EXPECT_TRUE(wide_to_local(ByteBuffer(std::string_view("a", 1))).empty()) << "half a unit is no unit";
}

TEST(WideToLocal, CharacterMissingFromTheCodePageBecomesTheDefaultCharacter) {
    // U+0E01, a Thai letter, is not in code page 936.
    EXPECT_EQ(std::string(wide_to_local(ByteBuffer(std::string_view("\x01\x0E", 2))).view()), "?");
}

}  // namespace
}  // namespace quorrin
