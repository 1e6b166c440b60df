#include "text/text_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace quorrin {
namespace {

constexpr std::int32_t kMin = INT_MIN;
constexpr std::int32_t kMax = INT_MAX;

std::string bytes(const Text& t) { return std::string(t.view()); }

struct CutCase {
    const char* name;
    Text (*op)(const Text&, std::int32_t, std::int32_t);
    const char* text;
    std::int32_t start;
    std::int32_t count;
    const char* expected;
    friend void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }
};

Text left(const Text& t, std::int32_t, std::int32_t n) { return text_left(t, n); }
Text right(const Text& t, std::int32_t, std::int32_t n) { return text_right(t, n); }

class Cutting : public testing::TestWithParam<CutCase> {};

TEST_P(Cutting, ClampsPositionsAndCounts) {
    const CutCase& c = GetParam();
    EXPECT_EQ(bytes(c.op(c.text, c.start, c.count)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(TextOps, Cutting,
                         testing::Values(CutCase{"left_zero", left, "abc", 0, 0, ""},
                                         CutCase{"left_more_than_length", left, "abc", 0, 5, "abc"},
                                         CutCase{"left_min", left, "abc", 0, kMin, ""},
                                         CutCase{"left_max", left, "abc", 0, kMax, "abc"},
                                         CutCase{"right_negative", right, "abc", 0, -1, ""},
                                         CutCase{"right_two", right, "abc", 0, 2, "bc"},
                                         CutCase{"right_max", right, "abc", 0, kMax, "abc"},
                                         CutCase{"mid_inside", text_mid, "abcdef", 3, 2, "cd"},
                                         CutCase{"mid_count_past_end", text_mid, "abc", 3, 9, "c"},
                                         CutCase{"mid_start_zero_not_moved", text_mid, "abc", 0, 2, ""},
                                         CutCase{"mid_start_past_end", text_mid, "abc", 4, 1, ""},
                                         CutCase{"mid_extremes", text_mid, "abc", kMax, kMax, ""},
                                         CutCase{"mid_start_one_count_max", text_mid, "abc", 1, kMax, "abc"},
                                         CutCase{"mid_negative_start", text_mid, "abc", kMin, 5, ""},
                                         CutCase{"remove_most", text_remove, "abcdefgh", 1, 7, "h"},
                                         CutCase{"remove_nothing", text_remove, "abc", 2, 0, "abc"},
                                         CutCase{"remove_past_end", text_remove, "abc", 2, 9, "a"},
                                         CutCase{"remove_start_below_one", text_remove, "abc", 0, 1, "bc"},
                                         CutCase{"remove_start_beyond_end", text_remove, "abc", 9, 1, "abc"},
                                         CutCase{"remove_extremes", text_remove, "abc", kMin, kMax, ""},
                                         CutCase{"remove_negative_count", text_remove, "abc", 1, kMin, "abc"},
                                         CutCase{"remove_at_end_plus_one", text_remove, "abc", kMax, kMax, "abc"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FindCase {
    const char* name;
    std::string searched;
    std::string sought;
    std::optional<std::int32_t> start;
    Case mode;
    std::int32_t expected;
    friend void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }
};

class Finding : public testing::TestWithParam<FindCase> {};

TEST_P(Finding, ReportsFirstCharacterAlignedOccurrence) {
    const FindCase& c = GetParam();
    EXPECT_EQ(text_find(Text(c.searched), Text(c.sought), c.start, c.mode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextOps, Finding,
    testing::Values(FindCase{"from_start_position", "abcabc", "c", 4, Case::sensitive, 6},
                    FindCase{"start_left_out", "abcabc", "c", std::nullopt, Case::sensitive, 3},
                    FindCase{"negative_start_counts_as_one", "abc", "b", -5, Case::sensitive, 2},
                    FindCase{"start_past_end", "abc", "b", 9, Case::sensitive, -1},
                    FindCase{"start_min", "abc", "b", kMin, Case::sensitive, 2},
                    FindCase{"start_max", "abc", "b", kMax, Case::sensitive, -1},
                    FindCase{"empty_sought_reports_one", "abc", "", 3, Case::sensitive, 1},
                    FindCase{"empty_sought_nothing_left", "abc", "", 4, Case::sensitive, -1},
                    FindCase{"empty_in_empty", "", "", std::nullopt, Case::sensitive, -1},
                    FindCase{"ignore_case", "ABC", "b", 1, Case::ignore, 2},
                    FindCase{"case_sensitive", "ABC", "b", 1, Case::sensitive, -1},
                    FindCase{"sought_longer", "ab", "abc", 1, Case::sensitive, -1},
                    FindCase{"whole_text", "abc", "abc", 1, Case::sensitive, 1},
                    FindCase{"second_byte_of_double_byte_char_skipped", "\x81\x41", "A", 1, Case::sensitive, -1},
                    FindCase{"single_byte_before_double_byte_char", "\x41\x81\x41", "A", 1, Case::sensitive, 1},
                    FindCase{"after_double_byte_char", "\x81\x41\x41", "A", 1, Case::sensitive, 3},
                    FindCase{"lead_byte_at_end_stops", "a\x81", "\x81", 1, Case::sensitive, 2},
                    FindCase{"start_inside_char_steps_from_there", "\x81\x41", "A", 2, Case::sensitive, 2},
                    FindCase{"ignore_case_folds_second_byte", "\xB0\x41", "\xB0\x61", 1, Case::ignore, 1},
                    FindCase{"ignore_case_only_ascii", "\xC0", "\xE0", 1, Case::ignore, -1},
                    FindCase{"gbk_word", "ab中文c", "文", 1, Case::sensitive, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextOps, CompareFoldsOnlyWhenAskedAndTellsOrder) {
    EXPECT_EQ(text_compare("HTTP://", "http://", Case::ignore), 0);
    EXPECT_NE(text_compare("HTTP://", "http://", Case::sensitive), 0);
    EXPECT_EQ(text_compare(Text(), Text(""), Case::sensitive), 0);
    EXPECT_LT(text_compare("ab", "abc"), 0);
    EXPECT_GT(text_compare("abd", "abc"), 0);
    EXPECT_GT(text_compare("\xB0", "a"), 0) << "bytes compare as unsigned";
    EXPECT_NE(text_compare("[", "{", Case::ignore), 0) << "only letters fold";
}

TEST(TextOps, CaseChangesStepOverDoubleByteCharacters) {
    EXPECT_EQ(bytes(text_upper("ab中c")), bytes("AB中C"));
    EXPECT_EQ(bytes(text_upper("\x81\x61")), "\x81\x61");
    EXPECT_EQ(bytes(text_lower("\x81\x41Z")), "\x81\x41z");
    EXPECT_EQ(bytes(text_upper("z\x81")), "Z\x81") << "a lead byte at the end";
    EXPECT_EQ(bytes(text_lower("@[`{")), "@[`{");
}

TEST(TextOps, ConcatJoinsTwoToFourParts) {
    EXPECT_EQ(bytes(text_concat("a", "")), "a");
    EXPECT_EQ(bytes(text_concat("a", "b", "c")), "abc");
    EXPECT_EQ(bytes(text_concat("", "b", "", "d")), "bd");
}

struct NumberCase {
    const char* text;
    double expected;
    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class ToNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(ToNumber, ReadsLeadingNumber) { EXPECT_DOUBLE_EQ(text_to_number(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(TextOps, ToNumber,
                         testing::Values(NumberCase{"80", 80}, NumberCase{" 81", 81}, NumberCase{"8080abc", 8080},
                                         NumberCase{"abc", 0}, NumberCase{"", 0}, NumberCase{"-3.7", -3.7},
                                         NumberCase{"1e3", 1000}, NumberCase{"2D2", 200}, NumberCase{"\t\r\n+5", 5},
                                         NumberCase{"1e", 1}, NumberCase{"1e+", 1}, NumberCase{".5", 0.5},
                                         NumberCase{"7.", 7}, NumberCase{"-", 0}, NumberCase{"80.9", 80.9},
                                         NumberCase{"1e-2x", 0.01}, NumberCase{"1e999", HUGE_VAL},
                                         NumberCase{"-1e999", -HUGE_VAL}, NumberCase{"1e-999", 0}));

TEST(TextOps, TruncationSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(truncate_to_int32(80.9), 80);
    EXPECT_EQ(truncate_to_int32(-2.5), -2);
    EXPECT_EQ(truncate_to_int32(1e300), kMax);
    EXPECT_EQ(truncate_to_int32(-1e300), kMin);
    EXPECT_EQ(truncate_to_int32(-2147483648.9), kMin);
    EXPECT_EQ(truncate_to_int32(std::nan("")), 0);
}

TEST(TextOps, NumberToTextWritesPlainDecimal) {
    EXPECT_EQ(bytes(number_to_text(0)), "0");
    EXPECT_EQ(bytes(number_to_text(-12)), "-12");
    EXPECT_EQ(bytes(number_to_text(kMin)), "-2147483648");
    EXPECT_EQ(bytes(number_to_text(kMax)), "2147483647");
}

TEST(TextOps, CharFromCodeKeepsLowEightBits) {
    EXPECT_EQ(bytes(char_from_code(65)), "A");
    EXPECT_EQ(bytes(char_from_code(321)), "A");
    EXPECT_EQ(bytes(char_from_code(-31)), "\xE1");
    EXPECT_TRUE(char_from_code(0).empty());
    EXPECT_TRUE(char_from_code(256).empty());
    EXPECT_TRUE(char_from_code(kMin).empty());
    EXPECT_EQ(bytes(char_from_code(kMax)), "\xFF");
}

TEST(TextOps, BlankText) {
    EXPECT_EQ(bytes(blank_text(3)), "   ");
    EXPECT_TRUE(blank_text(0).empty());
    EXPECT_TRUE(blank_text(kMin).empty());
}

TEST(TextOps, TextNeverHoldsAZeroByte) {
    EXPECT_EQ(bytes(Text(std::string("ab\0cd", 5))), "ab");
    EXPECT_EQ(Text(static_cast<const char*>(nullptr)), Text());
    EXPECT_EQ(text_length(Text(std::string_view("\0x", 2))), 0);
}

TEST(TextOps, ResultsDoNotShareStorageWithArguments) {
    const Text source("abcdef");
    const Text whole = text_left(source, 100);
    EXPECT_EQ(whole, source);
    EXPECT_NE(static_cast<const void*>(whole.c_str()), static_cast<const void*>(source.c_str()));
    const Text unchanged = text_remove(source, 1, 0);
    EXPECT_NE(static_cast<const void*>(unchanged.c_str()), static_cast<const void*>(source.c_str()));
}

}  // namespace
}  // namespace quorrin
