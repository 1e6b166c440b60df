// Owning wrappers for Windows handles: each handle the program makes is
// released exactly once, by the wrapper that holds it.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <utility>

namespace quorrin {

template <class Handle, auto Release, Handle Empty = Handle{}>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle h) noexcept : h_(h) {}
    Unique(Unique&& other) noexcept : h_(std::exchange(other.h_, Empty)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.h_, Empty));
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Empty; }
    Handle release() noexcept { return std::exchange(h_, Empty); }
    void reset(Handle h = Empty) noexcept {
        if (h_ != Empty) Release(h_);
        h_ = h;
    }

private:
    Handle h_ = Empty;
};

inline void close_handle(HANDLE h) { CloseHandle(h); }
inline void destroy_icon(HICON h) { DestroyIcon(h); }
inline void destroy_menu(HMENU h) { DestroyMenu(h); }
inline void destroy_window(HWND h) { DestroyWindow(h); }
inline void delete_dc(HDC h) { DeleteDC(h); }

using UniqueHandle = Unique<HANDLE, close_handle>;
// Toolhelp snapshots report failure as INVALID_HANDLE_VALUE rather than null.
inline UniqueHandle adopt_invalid_or(HANDLE h) { return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }
using UniqueIcon = Unique<HICON, destroy_icon>;
using UniqueMenu = Unique<HMENU, destroy_menu>;
using UniqueWindow = Unique<HWND, destroy_window>;
using UniqueMemoryDC = Unique<HDC, delete_dc>;

// An object selected into a device context, put back when the scope ends.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class Painting {
public:
    explicit Painting(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~Painting() { EndPaint(window_, &ps_); }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

template <class GdiHandle>
inline void delete_object(GdiHandle h) {
    DeleteObject(h);
}
template <class GdiHandle>
using UniqueGdi = Unique<GdiHandle, delete_object<GdiHandle>>;

// OLE for the thread, released when the session ends.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() { end(); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    void end() {
        if (std::exchange(ok_, false)) OleUninitialize();
    }

private:
    bool ok_;
};

}  // namespace quorrin
