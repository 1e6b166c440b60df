// The portable half of an HTTP request: which method goes out, and the header
// block sent with it.
#pragma once

#include "text/text.h"

namespace quorrin {

// "POST" in any mix of capitals and small letters goes out exactly as written;
// every other method, the empty one included, becomes "GET".
Text settle_method(const Text& method);

// The caller's header lines, followed by each of the default Accept, Referer
// and Accept-Language lines that the block lacks (searched anywhere in the
// block, ASCII letters folded), then, when the settled method is not "GET"
// and the body is not empty, the Content-Type and Content-Length lines.
Text header_block(const Text& url, const Text& settled_method, const Text& headers, const Text& body);

}  // namespace quorrin
