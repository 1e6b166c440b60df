// url_host, url_port and url_object on any bytes, as they come and after an
// "http://" prefix.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_check.h"
#include "text/text_ops.h"
#include "web/url.h"

namespace quorrin {
namespace {

using fuzz::byte_at;
using fuzz::character_starts;

// Where the URL's parts are, found the way the splitting promises: the host
// starts after "http://" (in any case) or at the start, and runs to the first
// ':' or '/' character; the authority runs to the first '/' character. A byte
// that is the second of a two-byte character is neither.
struct Layout {
    std::size_t host_from = 0;
    std::size_t host_end = 0;
    std::size_t colon = std::string_view::npos;  // inside the authority
    std::size_t slash = std::string_view::npos;  // ends the authority
};

Layout layout_of(std::string_view url) {
    Layout at;
    if (url.size() >= 7 && fuzz::folded(url.substr(0, 7)) == "http://") at.host_from = 7;
    const auto starts = character_starts(url, at.host_from);
    for (std::size_t i = at.host_from; i < url.size(); ++i) {
        if (!starts[i]) continue;
        if (url[i] == ':' && at.colon == std::string_view::npos) at.colon = i;
        if (url[i] == '/') {
            at.slash = i;
            break;
        }
    }
    at.host_end = std::min({at.colon, at.slash, url.size()});
    return at;
}

void check_url(const Text& url) {
    const std::string_view v = url.view();
    const Layout at = layout_of(v);
    const std::size_t authority_end = std::min(at.slash, v.size());

    const Text host = url_host(url);
    FUZZ_CHECK(host == text_lower(Text(v.substr(at.host_from, at.host_end - at.host_from))));
    // Lower-cased, and no ':' or '/' where a character starts.
    const std::string_view h = host.view();
    const auto host_starts = character_starts(h);
    for (std::size_t i = 0; i < h.size(); ++i) {
        if (!host_starts[i]) continue;
        FUZZ_CHECK(!(h[i] >= 'A' && h[i] <= 'Z'));
        FUZZ_CHECK(h[i] != ':' && h[i] != '/');
    }

    const std::int32_t port = url_port(url);
    if (at.colon == std::string_view::npos)
        FUZZ_CHECK(port == 80);
    else
        FUZZ_CHECK(port ==
                   truncate_to_int32(text_to_number(Text(v.substr(at.colon + 1, authority_end - at.colon - 1)))));

    const Text object = url_object(url);
    const std::string_view o = object.view();
    FUZZ_CHECK(!o.empty() && o.front() == '/');
    // The object is everything from the '/' that ends the authority.
    FUZZ_CHECK(o == (at.slash == std::string_view::npos ? std::string_view("/") : v.substr(at.slash)));
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const quorrin::Text url(std::string_view(reinterpret_cast<const char*>(data), size));
    quorrin::check_url(url);
    quorrin::check_url(quorrin::text_concat("http://", url));
    return 0;
}
