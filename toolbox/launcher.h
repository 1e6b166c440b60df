// What the launcher tiles start: three accessory programs and four web pages.
#pragma once

#include "text/text.h"

namespace quorrin {

// Starts a program from a command line; true when the process was created.
// Waits up to a second for it to be ready for input.
bool launch_program(const Text& command_line);

// Hands an address to the shell, which opens it in the default browser.
void open_web_page(const Text& address);

void open_calculator();
void open_paint();
void open_notepad();
void open_navigation_page();
void open_search_page();
void open_pc_software_page();
void open_phone_apps_page();

}  // namespace quorrin
