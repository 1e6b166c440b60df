#include "toolbox/number_box.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace quorrin {
namespace {

struct FilterCase {
    std::uint32_t code;
    bool accepted;
};

std::ostream& operator<<(std::ostream& os, const FilterCase& c) { return os << "code " << c.code; }

// Control codes as the character messages carry them.
constexpr std::uint32_t kCtrlA = 1, kCtrlC = 3, kBackspace = 8, kCtrlV = 22, kCtrlX = 24, kCtrlZ = 26;

const FilterCase kFilterCases[] = {
    {'0', true},    {'5', true},    {'9', true},    {'-', true},    {'.', true},   {kBackspace, true}, {kCtrlA, true},
    {kCtrlC, true}, {kCtrlV, true}, {kCtrlX, true}, {kCtrlZ, true}, {0, true},     {31, true},         {' ', false},
    {'+', false},   {',', false},   {'/', false},   {':', false},   {'a', false},  {'e', false},       {'E', false},
    {'Z', false},   {127, false},   {0x80, false},  {0xB0, false},  {0xFF, false}, {0x4E2D, false},
};

class NumberBoxFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(NumberBoxFilter, TakesDigitsSignPointAndControlCodes) {
    EXPECT_EQ(number_box_accepts(GetParam().code), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Codes, NumberBoxFilter, testing::ValuesIn(kFilterCases));

struct RewriteCase {
    const char* typed;
    const char* shown;  // the text after the box lost the focus
};

std::ostream& operator<<(std::ostream& os, const RewriteCase& c) {
    return os << '"' << c.typed << "\" -> \"" << c.shown << '"';
}

const RewriteCase kRewriteCases[] = {
    // Phone numbers keep every digit.
    {"13800138000", "13800138000"},
    {"12345678901", "12345678901"},
    {"99999999999", "99999999999"},
    {"00013800138", "13800138"},
    // Trailing fraction zeros and a bare point go.
    {"123.450", "123.45"},
    {"123.", "123"},
    {"7.000", "7"},
    {"-.5", "-0.5"},
    {".25", "0.25"},
    {"+5", "5"},
    {"-5", "-5"},
    // Zero, and anything that does not begin with a number, is shown as nothing.
    {"0", ""},
    {"0.000", ""},
    {"-0", ""},
    {"+0", ""},
    {"abc", ""},
    {"", ""},
    {"   ", ""},
    {".", ""},
    {"-", ""},
    {"+", ""},
    {"-.", ""},
    {"e5", ""},
    {"inf", ""},
    {"nan", ""},
    {"0x1A", ""},
    // The longest leading number counts.
    {"  42abc", "42"},
    {"\t\n42", "42"},
    {"12.5.6", "12.5"},
    {"1-2", "1"},
    {"1,5", "1"},
    {"1e", "1"},
    {"1e+", "1"},
    {"1e-x", "1"},
    {"2E2", "200"},
    {"1.5e3", "1500"},
    {"1.5e+3", "1500"},
    {"15e-1", "1.5"},
    // Plain up to 15 digits before the point and down to 0.0001.
    {"0.0001", "0.0001"},
    {"0.00012345", "0.00012345"},
    {"0.00001", "1e-005"},
    {"123456789012345", "123456789012345"},
    {"1234567890123456", "1.23456789012346e+015"},
    {"99999999999999999", "1e+017"},
    {"1e14", "100000000000000"},
    {"1e15", "1e+015"},
    {"1e20", "1e+020"},
    {"-1e20", "-1e+020"},
    {"1.23456789e20", "1.23456789e+020"},
    {"1e100", "1e+100"},
    {"1e308", "1e+308"},
    {"1e-300", "1e-300"},
    {"2.5e-5", "2.5e-005"},
    // Fifteen significant digits, rounded.
    {"3.14159265358979323", "3.14159265358979"},
    {"0.1", "0.1"},
    {"2.0000000000000004", "2"},
    // Too small for a double: zero.
    {"1e-999", ""},
    {"-1e-999", ""},
};

class NumberBoxRewriteTable : public testing::TestWithParam<RewriteCase> {};

TEST_P(NumberBoxRewriteTable, ShowsTheLeadingNumber) {
    const Text typed(GetParam().typed);
    const Text shown(GetParam().shown);
    const NumberBoxRewrite result = number_box_rewrite(typed);
    EXPECT_EQ(std::string(result.text.view()), GetParam().shown);
    EXPECT_EQ(result.changed, shown != typed);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberBoxRewriteTable, testing::ValuesIn(kRewriteCases));

// A number beyond the range of a double has nothing to be written as: the
// text stays as typed.
class NumberBoxOverflow : public testing::TestWithParam<const char*> {};

TEST_P(NumberBoxOverflow, LeavesTheTextAlone) {
    const Text typed(GetParam());
    const NumberBoxRewrite result = number_box_rewrite(typed);
    EXPECT_EQ(result.text, typed);
    EXPECT_FALSE(result.changed);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberBoxOverflow,
                         testing::Values("1e999", "-1e999", "1e309", "9e99999999999999999999", "0.001e99999"));

// Pasted text is not held to the box's length.
TEST(NumberBoxRewriteLong, HundredsOfDigitsReadAsOneNumber) {
    const Text nines(std::string(400, '9'));
    const NumberBoxRewrite big = number_box_rewrite(nines);
    EXPECT_EQ(big.text, nines);  // beyond a double
    EXPECT_FALSE(big.changed);
    const NumberBoxRewrite tiny = number_box_rewrite(Text("0." + std::string(400, '0') + "1"));
    EXPECT_EQ(std::string(tiny.text.view()), "");
    EXPECT_TRUE(tiny.changed);
    const NumberBoxRewrite digits = number_box_rewrite(Text("1" + std::string(200, '0')));
    EXPECT_EQ(std::string(digits.text.view()), "1e+200");
}

struct CaretCase {
    std::int32_t selection_start;
    const char* new_text;
    std::int32_t caret;
};

std::ostream& operator<<(std::ostream& os, const CaretCase& c) {
    return os << c.selection_start << " in \"" << c.new_text << '"';
}

const CaretCase kCaretCases[] = {
    {0, "123.45", 0}, {3, "123.45", 3}, {6, "123.45", 6}, {7, "123.45", 6}, {11, "", 0}, {5, "42", 2}, {-1, "42", 0},
};

class NumberBoxCaret : public testing::TestWithParam<CaretCase> {};

TEST_P(NumberBoxCaret, StaysWhereTheSelectionBeganWithinTheNewText) {
    EXPECT_EQ(caret_after_rewrite(GetParam().selection_start, Text(GetParam().new_text)), GetParam().caret);
}

INSTANTIATE_TEST_SUITE_P(Positions, NumberBoxCaret, testing::ValuesIn(kCaretCases));

}  // namespace
}  // namespace quorrin
