#pragma once

namespace quorrin {

// Starts the program and runs its message loop; returns when the loop ends.
int program_entry();

// Removes the tray icon, releases the program's resources and ends the
// process with the exit code. Does not return.
[[noreturn]] void end_program(int exit_code);

}  // namespace quorrin
