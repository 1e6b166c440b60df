// Deciding from the running processes' file names whether another copy of
// the program runs. No Windows API here, so it is tested natively.
#pragma once

#include <vector>

#include "text/text.h"

namespace quorrin {

// The part of a path after its last backslash; a backslash is looked for only
// where a character begins, so the second byte of a two-byte character is
// never taken for one. A path without a backslash is its own file name.
Text file_name_from_path(const Text& path);

// True when at least two of the snapshot's names are the program's own file
// name, compared without regard to ASCII case. Whole names are compared: a
// process whose name merely contains the program's name is someone else.
bool another_copy_running(const std::vector<Text>& process_names, const Text& own_name);

}  // namespace quorrin
