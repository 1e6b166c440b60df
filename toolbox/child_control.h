// A child control of the toolbox window whose messages reach a C++ object.
// The object lives as long as the window it is attached to; detach() cuts the
// link before the object goes.
#pragma once

#include <windows.h>

#include <optional>

namespace quorrin {

class ChildControl {
public:
    ChildControl() = default;
    virtual ~ChildControl() = default;
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    HWND hwnd() const { return hwnd_; }
    void detach();

protected:
    // Registers (once) a window class whose procedure forwards to handle().
    static const char* register_class(const char* name, HCURSOR cursor);
    // Makes the window; for a class registered with register_class.
    void create(const char* class_name, const char* text, DWORD style, const RECT& rect, HWND parent, int id);
    // Takes over a window of a system class, keeping its procedure for the
    // messages this object leaves alone.
    void subclass(HWND hwnd);

    virtual std::optional<LRESULT> handle(UINT message, WPARAM wparam, LPARAM lparam) = 0;
    LRESULT default_procedure(UINT message, WPARAM wparam, LPARAM lparam);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    HWND hwnd_ = nullptr;
    WNDPROC system_procedure_ = nullptr;
};

}  // namespace quorrin
