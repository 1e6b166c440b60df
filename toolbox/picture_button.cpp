#include "toolbox/picture_button.h"

#include <windowsx.h>

#include "shell/handles.h"

namespace quorrin {

PictureButton::PictureButton(HWND parent, const char* name, const RECT& rect, int id, bool visible, bool hand_pointer,
                             Pictures pictures, std::function<void()> on_click)
    : pictures_(pictures), on_click_(std::move(on_click)), hand_pointer_(hand_pointer) {
    const char* cls = register_class("QuorrinPictureButton", LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    create(cls, name, visible ? WS_VISIBLE : 0, rect, parent, id);
}

// Over the button, and not under another window at that point.
bool PictureButton::pointer_over(LPARAM client_point) const {
    POINT p{GET_X_LPARAM(client_point), GET_Y_LPARAM(client_point)};
    RECT client;
    GetClientRect(hwnd(), &client);
    if (!PtInRect(&client, p)) return false;
    ClientToScreen(hwnd(), &p);
    return WindowFromPoint(p) == hwnd();
}

// Whether the pointer is somewhere else than at the last mouse message, and
// remembers where it is now. The system repeats the pointer's position as a
// move when the capture is released; that is no move of the mouse, and
// taken as one it would bring the hover picture back right after a click.
bool PictureButton::pointer_moved(LPARAM client_point) {
    POINT p{GET_X_LPARAM(client_point), GET_Y_LPARAM(client_point)};
    ClientToScreen(hwnd(), &p);
    const bool moved = p.x != last_point_.x || p.y != last_point_.y;
    last_point_ = p;
    return moved;
}

void PictureButton::react(const ButtonReaction& reaction) {
    if (reaction.capture == CaptureRequest::set) SetCapture(hwnd());
    if (reaction.capture == CaptureRequest::release && GetCapture() == hwnd()) ReleaseCapture();
    if (reaction.repaint) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        UpdateWindow(hwnd());
    }
    // The handler may run a message loop of its own or close the window; it
    // comes last, and the copy keeps it alive whatever happens to this button.
    if (reaction.click && on_click_) {
        const auto handler = on_click_;
        handler();
    }
}

void PictureButton::paint() {
    const Painting painting(hwnd());
    HDC dc = painting.dc();
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const Picture& normal = pictures_.normal;
    const Picture& hover = pictures_.hover.bitmap ? pictures_.hover : normal;
    draw_picture(dc, state_.state() == ButtonState::normal ? normal : hover, 0, 0);
}

std::optional<LRESULT> PictureButton::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            if (!pointer_moved(lparam)) return 0;
            react(state_.mouse_moved(pointer_over(lparam), (wparam & MK_LBUTTON) != 0, GetCapture() == hwnd()));
            return 0;
        case WM_LBUTTONDOWN:
            pointer_moved(lparam);
            react(state_.left_down());
            return 0;
        case WM_LBUTTONDBLCLK:
            pointer_moved(lparam);
            react(state_.left_double_click());
            return 0;
        case WM_LBUTTONUP:
            pointer_moved(lparam);
            react(state_.left_up(pointer_over(lparam)));
            return 0;
        case WM_SETCURSOR:
            if (hand_pointer_ && LOWORD(lparam) == HTCLIENT) {
                SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
                return TRUE;
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace quorrin
