// The request's failure paths that need no server; the exchanges with one are
// watched on the wire by http_request_wire.sh.
#include "web/http_request.h"

#include <gtest/gtest.h>
#include <winsock2.h>

#include <string>

namespace quorrin {
namespace {

std::string str(const Text& t) { return std::string(t.view()); }

// A loopback port with nothing listening: bound, never listened on, closed.
int closed_port() {
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 0;
    int port = 0;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    if (s != INVALID_SOCKET) closesocket(s);
    WSACleanup();
    return port;
}

TEST(HttpRequest, EmptyUrlCannotConnectAndLeavesTheHeadersAlone) {
    Text headers = "as before";
    EXPECT_EQ(str(http_request("", {}, std::nullopt, {}, {}, headers)), "");
    EXPECT_EQ(str(headers), "as before");
}

struct Unreachable {
    const char* name;
    const char* method;
    std::optional<Text> proxy;
};

void PrintTo(const Unreachable& c, std::ostream* os) { *os << c.name; }

class HttpRequestUnreachable : public testing::TestWithParam<Unreachable> {};

// The send fails, the first read reports nothing: an empty body. The response
// headers are whatever WinINet reports for a request without an answer (an
// error, or under Wine one empty line), never the blanks they are read into.
TEST_P(HttpRequestUnreachable, GivesEmptyBodyAndEmptyHeaders) {
    const int port = closed_port();
    ASSERT_GT(port, 0);
    const Text url(std::string("http://127.0.0.1:") + std::to_string(port) + "/api/mobile.php?m=1&t=html");
    const Unreachable& c = GetParam();
    Text headers = "as before";
    const std::optional<Text> proxy =
        c.proxy ? std::optional<Text>(Text(std::string(c.proxy->view()) + std::to_string(port))) : std::nullopt;
    EXPECT_EQ(str(http_request(url, c.method, proxy, {}, "a=1", headers)), "");
    EXPECT_TRUE(str(headers) == "" || str(headers) == "\r\n") << '"' << str(headers) << '"';
}

INSTANTIATE_TEST_SUITE_P(Unreachable, HttpRequestUnreachable,
                         testing::Values(Unreachable{"Get", "", std::nullopt},
                                         Unreachable{"Post", "POST", std::nullopt},
                                         Unreachable{"ThroughAProxy", "", Text("127.0.0.1:")}));

}  // namespace
}  // namespace quorrin
