#include "toolbox/transparent_label.h"

#include <string>

#include "shell/handles.h"

namespace quorrin {

TransparentLabel::TransparentLabel(HWND parent, const char* caption, const RECT& rect, int id, bool visible, HFONT font,
                                   COLORREF colour, Picture background)
    : font_(font), colour_(colour), background_(background), origin_{rect.left, rect.top} {
    const char* cls = register_class("QuorrinLabel", LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    create(cls, caption, visible ? WS_VISIBLE : 0, rect, parent, id);
}

void TransparentLabel::paint() {
    const Painting painting(hwnd());
    HDC dc = painting.dc();
    // What the window shows here, then the characters on top of it.
    draw_picture(dc, background_, -origin_.x, -origin_.y);
    const int length = GetWindowTextLengthA(hwnd());
    if (length > 0) {
        std::string caption(static_cast<std::size_t>(length) + 1, '\0');
        GetWindowTextA(hwnd(), caption.data(), length + 1);
        RECT client;
        GetClientRect(hwnd(), &client);
        const Selection font(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour_);
        DrawTextA(dc, caption.c_str(), length, &client, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

std::optional<LRESULT> TransparentLabel::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT: {
            // The old caption goes at once: the background is painted again
            // under the new one.
            const LRESULT result = default_procedure(message, wparam, lparam);
            InvalidateRect(hwnd(), nullptr, FALSE);
            UpdateWindow(hwnd());
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return 0;  // a press here does not move the window
        default:
            return std::nullopt;
    }
}

}  // namespace quorrin
