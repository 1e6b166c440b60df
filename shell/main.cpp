#include <windows.h>

#include <cstdio>

#include <jpeglib.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    jpeg_error_mgr errors{};
    jpeg_std_error(&errors);
    return 0;
}
