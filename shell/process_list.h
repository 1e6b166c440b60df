// What the system says about the running processes and this program's file.
#pragma once

#include <vector>

#include "text/text.h"

namespace quorrin {

// The executable file names of one process snapshot, in its order; empty when
// no snapshot can be taken.
std::vector<Text> process_list();

// The running program's file name without its folder, e.g. "tool.exe".
Text program_file_name();

// The folder of the running program's file.
Text program_folder();

}  // namespace quorrin
