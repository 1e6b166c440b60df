// Run only where the class cannot be made (its server is switched off for the
// process), selected by name from the same program as the other cases.
#include <gtest/gtest.h>

#include <string>

#include "regex/regex_object.h"
#include "toolbox/lookup_pattern.h"

namespace quorrin {
namespace {

std::string str(const Text& t) { return std::string(t.view()); }

TEST(RegexObjectUnavailable, CreateFailsAndEveryReadIsEmpty) {
    RegexObject r;
    EXPECT_FALSE(r.create(lookup_pattern));
    EXPECT_FALSE(r.create("a(b)?c", true, true, true));
    EXPECT_EQ(r.expression_object(), nullptr);
    EXPECT_EQ(r.search("ac xAC"), 0);
    EXPECT_EQ(r.match_count(), 0);
    EXPECT_EQ(r.submatch_count(), 0);
    EXPECT_EQ(str(r.pattern()), "");
    EXPECT_EQ(str(r.replace("a1b22", "#")), "");
    EXPECT_EQ(str(r.match_text(1)), "");
    EXPECT_EQ(str(r.submatch(1, 1)), "");

    const RegexObject copy = r.copy();
    EXPECT_EQ(copy.match_count(), 0);
    EXPECT_EQ(str(copy.match_text(1)), "");
    EXPECT_EQ(str(copy.pattern()), "");
}

}  // namespace
}  // namespace quorrin
