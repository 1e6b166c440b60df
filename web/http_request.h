// One HTTP request through WinINet, run on the user-interface thread.
#pragma once

#include <functional>
#include <optional>

#include "text/text.h"

namespace quorrin {

// Sends `method` ("POST" in any case, else GET) to `url` and returns the body
// of the response up to its first zero byte. Every failure shows as the empty
// Text; nothing is reported otherwise.
//
// - proxy: when given at all, even empty, the request goes through the HTTP
//   proxy "http=" + proxy; when left out, the connection is direct.
// - headers: the caller's header lines, each ending in "\r\n"; the default
//   Accept, Referer and Accept-Language lines fill in what they lack.
// - body: sent only with a POST.
// - response_headers: when given, receives the raw response headers (empty
//   when they cannot be read); left as it was when the request cannot even be
//   opened.
//
// While the body is read, the thread's waiting window messages run
// (process_pending_events): before the first read, and before any later read
// once 10 ms have passed since they last ran. So any handler, a second request
// included, may run inside this call; each read asks only for what has
// arrived, so the window is never held longer than the network makes it wait.
Text http_request(const Text& url, const Text& method = {}, const std::optional<Text>& proxy = std::nullopt,
                  const Text& headers = {}, const Text& body = {},
                  std::optional<std::reference_wrapper<Text>> response_headers = std::nullopt);

}  // namespace quorrin
