#include "shell/window.h"

namespace quorrin {
namespace {

// Posted by destroy(); carried out by the message loop.
constexpr UINT kDestroyRequest = WM_APP + 1;

}  // namespace

Window::Window(WindowDefinition design, HWND owner_window) : record_(std::move(design)), owner_window_(owner_window) {}

Window::~Window() {
    if (hwnd_) SetWindowLongPtrA(hwnd_.get(), GWLP_USERDATA, 0);
}

void Window::register_class() const {
    WNDCLASSEXA wc{};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), definition().class_name.c_str(), &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Window::procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = definition().class_name.c_str();
    RegisterClassExA(&wc);
}

void Window::load() {
    if (loaded() && record_.destruction_pending()) carry_out_destruction();
    if (loaded()) {
        if (IsIconic(hwnd()))
            ShowWindow(hwnd(), SW_RESTORE);
        else
            SetActiveWindow(hwnd());
        return;
    }
    record_.mark_loaded();
    ++load_count_;
    register_class();
    const WindowDefinition& d = definition();
    const int left = (GetSystemMetrics(SM_CXSCREEN) - d.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - d.height) / 2;
    DWORD ex_style = d.topmost ? WS_EX_TOPMOST : 0;
    ex_style |= d.in_taskbar ? WS_EX_APPWINDOW : 0;
    HWND owner = d.in_taskbar ? nullptr : owner_window_;
    controls_.assign(d.controls.size(), nullptr);
    // The procedure attaches this object to the window on WM_NCCREATE.
    CreateWindowExA(ex_style, d.class_name.c_str(), d.title.c_str(), WS_POPUP | WS_CLIPCHILDREN, left, top, d.width,
                    d.height, owner, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd_) {
        record_.mark_destroyed();
        return;
    }
    create_controls();
    created();
    if (hwnd_ && definition().visible) ShowWindow(hwnd(), SW_SHOW);
}

void Window::set_visible(bool visible) {
    record_.set_visible(visible);
    if (hwnd_) ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
}

void Window::set_control_visible(std::string_view name, bool visible) {
    const auto index = definition().control_index(name);
    if (!index) return;
    record_.set_control_visible(*index, visible);
    if (HWND c = controls_.empty() ? nullptr : controls_[*index]) ShowWindow(c, visible ? SW_SHOW : SW_HIDE);
}

void Window::destroy() {
    if (!hwnd_) return;
    record_.mark_destruction_pending();
    PostMessageA(hwnd(), kDestroyRequest, 0, 0);
}

void Window::carry_out_destruction() {
    if (hwnd_) DestroyWindow(hwnd_.get());  // WM_NCDESTROY settles the record
}

HWND Window::control(std::string_view name) const {
    const auto index = definition().control_index(name);
    return index && *index < controls_.size() ? controls_[*index] : nullptr;
}

void Window::add_control(std::string_view name, HWND control) {
    if (const auto index = definition().control_index(name); index && *index < controls_.size())
        controls_[*index] = control;
}

std::optional<LRESULT> Window::on_message(UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->hwnd_.reset(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);

    switch (message) {
        case kDestroyRequest:
            if (self->record_.destruction_pending()) self->carry_out_destruction();
            return 0;
        case WM_DESTROY:
            self->destroying();
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->hwnd_.release();  // already on its way out
            self->controls_.clear();
            self->record_.mark_destroyed();
            return DefWindowProcA(hwnd, message, wparam, lparam);
        default:
            break;
    }
    if (const auto result = self->on_message(message, wparam, lparam)) return *result;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace quorrin
