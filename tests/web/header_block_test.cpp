#include "web/header_block.h"

#include <gtest/gtest.h>

#include <string>

namespace quorrin {
namespace {

const std::string url = "http://127.0.0.1:8080/api/mobile.php?m=1380013&t=html";
const std::string accept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
const std::string referer = "Referer: " + url + "\r\n";
const std::string language = "Accept-Language: zh-cn\r\n";
const std::string form = "Content-Type: application/x-www-form-urlencoded\r\n";
const std::string lead_byte = "\xb0";  // the first byte of a two-byte character

struct MethodCase {
    const char* given;
    const char* sent;
};

class MethodSettling : public testing::TestWithParam<MethodCase> {};

TEST_P(MethodSettling, OnlyPostInAnyCaseSurvives) {
    EXPECT_EQ(std::string(settle_method(GetParam().given).view()), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Method, MethodSettling,
                         testing::Values(MethodCase{"POST", "POST"}, MethodCase{"post", "post"},
                                         MethodCase{"pOsT", "pOsT"}, MethodCase{"GET", "GET"}, MethodCase{"get", "GET"},
                                         MethodCase{"PUT", "GET"}, MethodCase{"", "GET"}, MethodCase{"POST ", "GET"},
                                         MethodCase{" POST", "GET"}, MethodCase{"POS", "GET"},
                                         MethodCase{"POSTS", "GET"}));

struct BlockCase {
    const char* name;
    std::string method;  // as the caller gave it
    std::string headers;
    std::string body;
    std::string expected;
    std::string request_url = url;
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class HeaderBlock : public testing::TestWithParam<BlockCase> {};

TEST_P(HeaderBlock, IsBuiltExactly) {
    const BlockCase& c = GetParam();
    const Text block = header_block(Text(c.request_url), settle_method(Text(c.method)), Text(c.headers), Text(c.body));
    EXPECT_EQ(std::string(block.view()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Block, HeaderBlock,
    testing::Values(
        BlockCase{"UrlAloneGivesTheThreeDefaultLinesInOrder", "", "", "", accept + referer + language},
        BlockCase{"AcceptFoundIgnoringCase", "", "accept: text/html\r\n", "",
                  "accept: text/html\r\n" + referer + language},
        BlockCase{"OwnLanguageKeepsAcceptAndReferer", "", "Accept-Language: en\r\n", "",
                  "Accept-Language: en\r\n" + accept + referer},
        BlockCase{"RefererFoundInsideAnotherName", "", "X-Referer: a\r\n", "", "X-Referer: a\r\n" + accept + language},
        BlockCase{"AcceptFoundInsideAnotherName", "", "X-Accept: 1\r\n", "", "X-Accept: 1\r\n" + referer + language},
        BlockCase{"NameWithoutItsBlankIsNotFound", "", "Accept:text/html\r\n", "",
                  "Accept:text/html\r\n" + accept + referer + language},
        BlockCase{"AllThreeGivenAddsNothing", "", "REFERER: r\r\nACCEPT: a\r\naccept-language: l\r\n", "",
                  "REFERER: r\r\nACCEPT: a\r\naccept-language: l\r\n"},
        // The search steps over a two-byte character as one unit, so a name
        // whose first letter is the second byte of one is not found.
        BlockCase{"NameBehindALeadByteIsNotFound", "", lead_byte + "Accept: x\r\n", "",
                  lead_byte + "Accept: x\r\n" + accept + referer + language},
        BlockCase{"PostWithBodyAddsContentLines", "POST", "", "a=1&b=2",
                  accept + referer + language + form + "Content-Length: 7\r\n"},
        BlockCase{"LowerCasePostIsAPost", "post", "", "a=1&b=2",
                  accept + referer + language + form + "Content-Length: 7\r\n"},
        BlockCase{"PostWithEmptyBodyAddsNoContentLines", "POST", "", "", accept + referer + language},
        BlockCase{"ContentLinesAlreadyPresentAreAppendedAgain", "POST", form + "Content-Length: 7\r\n", "a=1&b=2",
                  form + "Content-Length: 7\r\n" + accept + referer + language + form + "Content-Length: 7\r\n"},
        BlockCase{"GetWithBodyAddsNoContentLines", "GET", "", "a=1&b=2", accept + referer + language},
        BlockCase{"PutBecomesGetWithoutContentLines", "PUT", "", "a=1&b=2", accept + referer + language},
        BlockCase{"LengthCountsBytes", "POST", "", "m=\xc9\xcf\xba\xa3&x=" + std::string(1000, 'y'),
                  accept + referer + language + form + "Content-Length: 1009\r\n"},
        // The Referer line is part of the block by the time Accept-Language is
        // looked for.
        BlockCase{"UrlInRefererCanHoldALaterName", "", "", "", accept + "Referer: http://h/?Accept-Language: x\r\n",
                  "http://h/?Accept-Language: x"},
        BlockCase{"EmptyUrlStillGivesAReferer", "", "", "", accept + "Referer: \r\n" + language, ""}));

}  // namespace
}  // namespace quorrin
