// Taking an http URL apart into host, port and object (path and query). Only
// "http://" is known, in any case; a URL without it starts with the host.
#pragma once

#include <cstdint>

#include "text/text.h"

namespace quorrin {

Text url_host(const Text& url);          // lower-cased; empty when the authority is
std::int32_t url_port(const Text& url);  // 80 when the URL gives none
Text url_object(const Text& url);        // never empty: "/" at least

}  // namespace quorrin
