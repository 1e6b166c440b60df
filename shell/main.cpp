#include <windows.h>

#include "shell/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return quorrin::program_entry(); }
