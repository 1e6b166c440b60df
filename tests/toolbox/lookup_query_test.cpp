#include "toolbox/lookup_query.h"

#include <gtest/gtest.h>

#include <string>

namespace quorrin {
namespace {

struct EscapeCase {
    const char* typed;
    const char* sent;
    friend void PrintTo(const EscapeCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }
};

class LookupQuery : public testing::TestWithParam<EscapeCase> {};

TEST_P(LookupQuery, TypedTextCannotChangeTheRequest) {
    EXPECT_EQ(std::string(lookup_url("http://h/api/mobile.php?m=", GetParam().typed).view()),
              std::string("http://h/api/mobile.php?m=") + GetParam().sent + "&t=html");
}

INSTANTIATE_TEST_SUITE_P(Lookup, LookupQuery,
                         testing::Values(EscapeCase{"13800138000", "13800138000"}, EscapeCase{"", ""},
                                         EscapeCase{"-1.5", "-1.5"}, EscapeCase{"a_b~Z", "a_b~Z"},
                                         EscapeCase{"1&t=x", "1%26t%3Dx"}, EscapeCase{"1#f", "1%23f"},
                                         EscapeCase{"50%", "50%25"}, EscapeCase{"1 2", "1%202"},
                                         EscapeCase{"\t\r\n", "%09%0D%0A"}, EscapeCase{"a/b?c", "a%2Fb%3Fc"},
                                         EscapeCase{"中", "%D6%D0"}, EscapeCase{"+", "%2B"}));

}  // namespace
}  // namespace quorrin
