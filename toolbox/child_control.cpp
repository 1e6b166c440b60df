#include "toolbox/child_control.h"

namespace quorrin {

const char* ChildControl::register_class(const char* name, HCURSOR cursor) {
    WNDCLASSEXA wc{};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc)) return name;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &ChildControl::procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
    return name;
}

void ChildControl::create(const char* class_name, const char* text, DWORD style, const RECT& rect, HWND parent,
                          int id) {
    CreateWindowExA(0, class_name, text, WS_CHILD | WS_CLIPSIBLINGS | style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
}

void ChildControl::subclass(HWND hwnd) {
    if (!hwnd) return;
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    system_procedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildControl::procedure)));
}

void ChildControl::detach() {
    if (!hwnd_) return;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    if (system_procedure_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system_procedure_));
    hwnd_ = nullptr;
}

LRESULT ChildControl::default_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
    if (system_procedure_) return CallWindowProcA(system_procedure_, hwnd_, message, wparam, lparam);
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK ChildControl::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ChildControl*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ChildControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = self->default_procedure(message, wparam, lparam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    if (const auto result = self->handle(message, wparam, lparam)) return *result;
    return self->default_procedure(message, wparam, lparam);
}

}  // namespace quorrin
