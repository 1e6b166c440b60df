// The least a tray program does: a hidden window, one notification-area icon
// (a square of the program's own blue, so the same screen search finds it),
// and a message loop. tests/bench/startup.sh times the program's start
// against this one. WM_CLOSE to the window (class QuorrinMinimalTray) takes
// the icon away and ends it.
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr UINT kIconId = 100;
constexpr int kSize = 16;

HICON make_icon() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour) return nullptr;
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < kSize * kSize; ++i) pixels[i] = 0xFF2E83C3;  // RGB(46,131,195), opaque
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, nullptr);
    ICONINFO icon{TRUE, 0, 0, mask, colour};
    HICON result = CreateIconIndirect(&icon);
    DeleteObject(mask);
    DeleteObject(colour);
    return result;
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) {
        NOTIFYICONDATAA data{};
        data.cbSize = sizeof data;
        data.hWnd = hwnd;
        data.uID = kIconId;
        Shell_NotifyIconA(NIM_DELETE, &data);
        DestroyWindow(hwnd);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = "QuorrinMinimalTray";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_APP + 100;
    data.hIcon = make_icon();
    lstrcpynA(data.szTip, "minimal", sizeof data.szTip);
    Shell_NotifyIconA(NIM_ADD, &data);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    if (data.hIcon) DestroyIcon(data.hIcon);
    return 0;
}
