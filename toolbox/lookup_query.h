// Making the lookup request's address from what the user typed. No Windows
// API here.
#pragma once

#include "text/text.h"

namespace quorrin {

// Percent-escapes every byte outside A-Z a-z 0-9 "-" "." "_" "~", so that
// pasted text ("&", "#", "%", blanks, control characters) cannot change the
// request; digits, "-" and "." go out as typed.
Text escape_query_value(const Text& typed);

// prefix + escaped typed text + "&t=html".
Text lookup_url(const Text& prefix, const Text& typed);

}  // namespace quorrin
