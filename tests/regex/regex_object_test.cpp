#include "regex/regex_object.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "toolbox/lookup_pattern.h"

namespace quorrin {
namespace {

std::string str(const Text& t) { return std::string(t.view()); }

// How many references the object has besides the one taken here.
ULONG others_holding(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

TEST(RegexObject, FindsMatchesAndGroupsWithTheOptionsLeftOut) {
    RegexObject r;
    ASSERT_TRUE(r.create("a(b)?c"));
    EXPECT_EQ(r.search("ac xAC"), 2);
    EXPECT_EQ(r.match_count(), 2);
    EXPECT_EQ(str(r.match_text(1)), "ac");
    EXPECT_EQ(str(r.match_text(2)), "AC");
    EXPECT_EQ(str(r.submatch(1, 1)), "");  // the group took no part
    EXPECT_EQ(r.submatch_count(), 1);
    EXPECT_EQ(r.search("xabc"), 1);
    EXPECT_EQ(str(r.submatch(1, 1)), "b");
}

TEST(RegexObject, ReadsThePatternBack) {
    RegexObject r;
    EXPECT_EQ(str(r.pattern()), "");
    ASSERT_TRUE(r.create("a(b)?c"));
    EXPECT_EQ(str(r.pattern()), "a(b)?c");
    ASSERT_TRUE(r.create(lookup_pattern));
    EXPECT_EQ(str(r.pattern()), lookup_pattern);
}

struct ReplaceCase {
    const char* pattern;
    const char* source;
    std::optional<const char*> replacement;
    const char* expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
    *os << c.pattern << " in " << c.source << " by " << (c.replacement ? *c.replacement : "(left out)");
}

class RegexReplace : public testing::TestWithParam<ReplaceCase> {};

TEST_P(RegexReplace, ReplacesEveryMatch) {
    const ReplaceCase& c = GetParam();
    RegexObject r;
    ASSERT_TRUE(r.create(c.pattern));
    const Text result = c.replacement ? r.replace(c.source, *c.replacement) : r.replace(c.source);
    EXPECT_EQ(str(result), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Replace, RegexReplace,
                         testing::Values(ReplaceCase{"[0-9]+", "a1b22", "#", "a#b#"},
                                         ReplaceCase{"[0-9]+", "a1b22", std::nullopt, "ab"},
                                         ReplaceCase{"[0-9]+", "ab", "#", "ab"}, ReplaceCase{"B", "abcb", "-", "a-c-"},
                                         ReplaceCase{"号", "号码号", "#", "#码#"}));

struct OptionCase {
    const char* name;
    const char* pattern;
    std::optional<bool> ignore_case, multiline, global;
    const char* subject;
    std::int32_t matches;
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }

class RegexOptions : public testing::TestWithParam<OptionCase> {};

TEST_P(RegexOptions, DecideWhatMatches) {
    const OptionCase& c = GetParam();
    RegexObject r;
    ASSERT_TRUE(r.create(c.pattern, c.ignore_case, c.multiline, c.global));
    EXPECT_EQ(r.search(c.subject), c.matches);
}

INSTANTIATE_TEST_SUITE_P(Options, RegexOptions,
                         testing::Values(OptionCase{"AllLeftOutAreTrue", "^b", {}, {}, {}, "B\nb", 2},
                                         OptionCase{"CaseKeptWhenAsked", "a", false, {}, {}, "aAa", 2},
                                         OptionCase{"CaseIgnoredWhenAsked", "a", true, {}, {}, "aAa", 3},
                                         OptionCase{"SingleLineWhenAsked", "^b", {}, false, {}, "b\nb", 1},
                                         OptionCase{"FirstMatchOnlyWhenNotGlobal", "a", {}, {}, false, "aaa", 1},
                                         OptionCase{"AllFalse", "^A", false, false, false, "a\nA", 0},
                                         OptionCase{"DotStopsAtALineBreak", "x.y", {}, {}, {}, "x\ny xzy", 1}));

TEST(RegexObject, OutOfRangeNumbersGiveEmptyTexts) {
    RegexObject r;
    ASSERT_TRUE(r.create("a(b)?c"));
    ASSERT_EQ(r.search("abc ac"), 2);
    for (std::int32_t i : {0, -1, 3, INT_MIN, INT_MAX}) {
        EXPECT_EQ(str(r.match_text(i)), "") << i;
        EXPECT_EQ(str(r.submatch(i, 1)), "") << i;
    }
    for (std::int32_t j : {0, -1, 2, INT_MIN, INT_MAX}) EXPECT_EQ(str(r.submatch(1, j)), "") << j;
    EXPECT_EQ(str(r.submatch(1, 1)), "b");
}

TEST(RegexObject, BeforeAnySearchThereIsNothing) {
    RegexObject r;
    ASSERT_TRUE(r.create("a"));
    EXPECT_EQ(r.match_count(), 0);
    EXPECT_EQ(r.submatch_count(), 0);
    EXPECT_EQ(str(r.match_text(1)), "");
    EXPECT_EQ(str(r.submatch(1, 1)), "");
}

TEST(RegexObject, NoMatchGivesZeroAndEmptyTexts) {
    RegexObject r;
    ASSERT_TRUE(r.create("a(b)c"));
    EXPECT_EQ(r.search("xyz"), 0);
    EXPECT_EQ(str(r.match_text(1)), "");
    EXPECT_EQ(str(r.submatch(1, 1)), "");
    EXPECT_EQ(r.submatch_count(), 0);
}

TEST(RegexObject, WithoutCreateEveryReadIsEmpty) {
    RegexObject r;
    EXPECT_EQ(r.search("abc"), 0);
    EXPECT_EQ(str(r.replace("abc", "x")), "");
    EXPECT_EQ(str(r.pattern()), "");
    EXPECT_EQ(str(r.match_text(1)), "");
    EXPECT_EQ(str(r.submatch(1, 1)), "");
    EXPECT_EQ(r.submatch_count(), 0);
}

TEST(RegexObject, ARefusedPatternShowsOnlyWhenSearching) {
    RegexObject r;
    ASSERT_TRUE(r.create("a("));
    EXPECT_EQ(r.search("a("), 0);
    EXPECT_EQ(str(r.match_text(1)), "");
    EXPECT_EQ(str(r.replace("a(", "x")), "");
}

TEST(RegexObject, ACopyOutlivesItsSourceAndSearchesOnItsOwn) {
    RegexObject source;
    ASSERT_TRUE(source.create("a(b)?c"));
    ASSERT_EQ(source.search("ac xAC"), 2);
    RegexObject copy = source.copy();
    RegexObject second = source.copy();
    EXPECT_EQ(copy.expression_object(), source.expression_object());
    EXPECT_EQ(copy.match_collection(), source.match_collection());
    source.destroy();
    EXPECT_EQ(source.match_count(), 0);
    EXPECT_EQ(str(source.match_text(1)), "");

    EXPECT_EQ(copy.match_count(), 2);
    EXPECT_EQ(str(copy.match_text(2)), "AC");
    EXPECT_EQ(copy.submatch_count(), 1);
    EXPECT_EQ(str(copy.pattern()), "a(b)?c");

    EXPECT_EQ(copy.search("abc"), 1);
    EXPECT_EQ(str(copy.submatch(1, 1)), "b");
    EXPECT_EQ(second.match_count(), 2);
    EXPECT_EQ(str(second.match_text(1)), "ac");
}

TEST(RegexObject, ASecondCreateReleasesTheOldObjects) {
    RegexObject r;
    ASSERT_TRUE(r.create("a"));
    ASSERT_EQ(r.search("aa"), 2);
    IDispatch* old_expression = r.expression_object();
    IDispatch* old_matches = r.match_collection();
    old_expression->AddRef();
    old_matches->AddRef();
    ASSERT_TRUE(r.create("b"));
    EXPECT_NE(r.expression_object(), nullptr);
    EXPECT_EQ(r.match_collection(), nullptr);
    EXPECT_EQ(r.match_count(), 0);
    EXPECT_EQ(str(r.pattern()), "b");
    EXPECT_EQ(old_matches->Release(), 0u);
    EXPECT_EQ(old_expression->Release(), 0u);
}

// Every path through the reading operations gives back what it took: after
// them, only the object's own references (and the one taken here) remain.
TEST(RegexObject, ReadingLeavesNoReferencesBehind) {
    RegexObject r;
    ASSERT_TRUE(r.create("a(b)?c"));
    ASSERT_EQ(r.search("abc ac"), 2);
    IDispatch* expression = r.expression_object();
    IDispatch* matches = r.match_collection();
    const ULONG expression_refs = others_holding(expression);
    const ULONG match_refs = others_holding(matches);
    for (std::int32_t i = -1; i <= 3; ++i) {
        r.match_text(i);
        for (std::int32_t j = -1; j <= 2; ++j) r.submatch(i, j);
    }
    r.submatch_count();
    r.pattern();
    r.replace("abc", "x");
    r.copy().search("ac");
    EXPECT_EQ(others_holding(expression), expression_refs);
    EXPECT_EQ(others_holding(matches), match_refs);

    expression->AddRef();
    matches->AddRef();
    r.destroy();
    EXPECT_EQ(r.expression_object(), nullptr);
    EXPECT_EQ(matches->Release(), 0u);
    EXPECT_EQ(expression->Release(), 0u);
}

// The lookup service's answer, decoded into code page 936, against the lookup
// pattern: only an answer in the exact form gives the four fields.
struct AnswerCase {
    const char* name;
    std::string answer;
    std::vector<std::string> groups;  // of the first match; empty when nothing matches
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

std::string answer_of(const char* region, const char* type, const char* area, const char* postal) {
    return std::string("<p>卡号归属地：<em>") + region + "</em>   类型：<em>" + type + "</em> 区号：<em>" + area +
           "</em>     邮政编码：<em>" + postal + "</em></p>";
}

class LookupAnswer : public testing::TestWithParam<AnswerCase> {};

TEST_P(LookupAnswer, GivesTheFourFieldsOfTheFirstMatch) {
    const AnswerCase& c = GetParam();
    RegexObject r;
    ASSERT_TRUE(r.create(lookup_pattern));
    const std::int32_t found = r.search(Text(c.answer));
    if (c.groups.empty()) {
        EXPECT_EQ(found, 0);
    } else {
        EXPECT_GE(found, 1);
        EXPECT_EQ(r.submatch_count(), 4);
    }
    for (std::int32_t j = 1; j <= 4; ++j) {
        const std::string expected = c.groups.empty() ? "" : c.groups[static_cast<std::size_t>(j - 1)];
        EXPECT_EQ(str(r.submatch(1, j)), expected) << "group " << j;
    }
}

const std::vector<std::string> beijing = {"北京", "移动全球通卡", "010", "100000"};

INSTANTIATE_TEST_SUITE_P(
    Lookup, LookupAnswer,
    testing::Values(AnswerCase{"Plain",
                               "<html><body>" + answer_of("北京", "移动全球通卡", "010", "100000") + "</body></html>",
                               beijing},
                    AnswerCase{"TwiceGivesTheFirst",
                               answer_of("北京", "移动全球通卡", "010", "100000") + "\r\n" +
                                   answer_of("上海", "联通如意通卡", "021", "200000"),
                               beijing},
                    AnswerCase{"TagsInCapitals",
                               "<P>卡号归属地：<EM>北京</EM>   类型：<EM>移动全球通卡</EM> 区号：<EM>010</EM>     "
                               "邮政编码：<EM>100000</EM></P>",
                               beijing},
                    AnswerCase{"EmptyField", answer_of("北京", "", "010", "100000"), {"北京", "", "010", "100000"}},
                    AnswerCase{"OtherBlankCount",
                               "<p>卡号归属地：<em>北京</em>  类型：<em>移动全球通卡</em> 区号：<em>010</em>     "
                               "邮政编码：<em>100000</em></p>",
                               {}},
                    AnswerCase{"FieldSpanningALineBreak", answer_of("北\r\n京", "移动全球通卡", "010", "100000"), {}},
                    AnswerCase{"AsciiColons",
                               "<p>卡号归属地:<em>北京</em>   类型:<em>移动全球通卡</em> 区号:<em>010</em>     "
                               "邮政编码:<em>100000</em></p>",
                               {}}));

}  // namespace
}  // namespace quorrin
