#include "web/url.h"

#include "text/text_ops.h"

namespace quorrin {
namespace {

// The part that names the server: after "http://" (when present) up to the
// first "/" that follows, or the whole rest.
Text authority(const Text& url) {
    if (text_compare(text_left(url, 7), "http://", Case::ignore) == 0) {
        const std::int32_t slash = text_find(url, "/", 8, Case::ignore);
        if (slash <= 0) return text_remove(url, 1, 7);
        return text_mid(url, 8, slash - 8);
    }
    const std::int32_t slash = text_find(url, "/", 1, Case::ignore);
    if (slash <= 0) return url;
    return text_left(url, slash - 1);
}

}  // namespace

Text url_host(const Text& url) {
    const Text a = authority(url);
    const std::int32_t colon = text_find(a, ":", 1, Case::ignore);
    return text_lower(colon > 0 ? text_left(a, colon - 1) : a);
}

std::int32_t url_port(const Text& url) {
    const Text a = authority(url);
    const std::int32_t colon = text_find(a, ":", 1, Case::ignore);
    const Text port = colon > 0 ? text_right(a, text_length(a) - colon) : Text("80");
    return truncate_to_int32(text_to_number(port));
}

Text url_object(const Text& url) {
    // The host is looked for where it can begin, after the "http://" prefix:
    // a host that is itself part of the word "http" ("t", "p") would
    // otherwise be found inside the prefix.
    const std::int32_t from = text_compare(text_left(url, 7), "http://", Case::ignore) == 0 ? 8 : 1;
    const Text host = url_host(url);
    const std::int32_t host_at = host.empty() ? from : text_find(url, host, from, Case::ignore);
    const std::int32_t slash = text_find(url, "/", host_at, Case::ignore);
    if (slash <= 0) return "/";
    return text_right(url, text_length(url) - slash + 1);
}

}  // namespace quorrin
