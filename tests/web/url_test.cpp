#include "web/url.h"

#include <gtest/gtest.h>

#include <string>

namespace quorrin {
namespace {

struct UrlCase {
    const char* url;
    const char* host;
    std::int32_t port;
    const char* object;
    friend void PrintTo(const UrlCase& c, std::ostream* os) { *os << '"' << c.url << '"'; }
};

class UrlSplitting : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlSplitting, HostPortAndObject) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(std::string(url_host(c.url).view()), c.host);
    EXPECT_EQ(url_port(c.url), c.port);
    EXPECT_EQ(std::string(url_object(c.url).view()), c.object);
}

INSTANTIATE_TEST_SUITE_P(
    Url, UrlSplitting,
    testing::Values(
        UrlCase{"http://Host:8080/a/b?c=d", "host", 8080, "/a/b?c=d"}, UrlCase{"HTTP://host/x", "host", 80, "/x"},
        UrlCase{"http://host", "host", 80, "/"}, UrlCase{"http://MyHost/Path", "myhost", 80, "/Path"},
        UrlCase{"host:81/x", "host", 81, "/x"}, UrlCase{"host", "host", 80, "/"},
        UrlCase{"http://host:/x", "host", 0, "/x"}, UrlCase{"http://host:80.9/x", "host", 80, "/x"},
        UrlCase{"http://host?q=1", "host?q=1", 80, "/"}, UrlCase{"https://host/x", "https", 0, "//host/x"},
        UrlCase{"", "", 80, "/"}, UrlCase{"http://user:pw@host/x", "user", 0, "/x"},
        UrlCase{"http://host:99999999999/x", "host", 2147483647, "/x"}, UrlCase{"http://host:-5/x", "host", -5, "/x"},
        UrlCase{"http://127.0.0.1:8080/api/mobile.php?m=138&t=html", "127.0.0.1", 8080, "/api/mobile.php?m=138&t=html"},
        // What a user types after the prefix cannot move the host or port.
        UrlCase{"http://lookup.example/api/mobile.php?m=1@evil:99/&t=html", "lookup.example", 80,
                "/api/mobile.php?m=1@evil:99/&t=html"}));

}  // namespace
}  // namespace quorrin
