#include "toolbox/number_box_control.h"

#include <string>

#include "shell/handles.h"
#include "toolbox/number_box.h"

namespace quorrin {
namespace {

// One line of the font plus the edit control's own edges.
int height_for_font(HWND edit, HFONT font) {
    HDC dc = GetDC(edit);
    if (!dc) return 0;
    TEXTMETRICA metrics{};
    {
        const Selection selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        GetTextMetricsA(dc, &metrics);
    }
    ReleaseDC(edit, dc);
    return metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
}

}  // namespace

NumberBoxControl::NumberBoxControl(HWND parent, const RECT& rect, int id, bool visible, HFONT font) {
    const DWORD style =
        WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL | (visible ? WS_VISIBLE : 0);
    HWND edit =
        CreateWindowExA(0, "EDIT", "", style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!edit) return;
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(edit, EM_LIMITTEXT, kNumberBoxMaxLength, 0);
    if (const int needed = height_for_font(edit, font); needed > rect.bottom - rect.top)
        SetWindowPos(edit, nullptr, 0, 0, rect.right - rect.left, needed, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    subclass(edit);
}

Text NumberBoxControl::text() const {
    if (!hwnd()) return {};
    const int length = GetWindowTextLengthA(hwnd());
    std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd(), bytes.data(), length + 1);
    return Text(std::move(bytes));
}

void NumberBoxControl::rewrite() {
    const auto result = number_box_rewrite(text());
    if (!result.changed) return;
    DWORD selection_start = 0;
    SendMessageA(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&selection_start), 0);
    SetWindowTextA(hwnd(), result.text.c_str());
    const auto caret = caret_after_rewrite(static_cast<std::int32_t>(selection_start), result.text);
    SendMessageA(hwnd(), EM_SETSEL, static_cast<WPARAM>(caret), caret);
}

std::optional<LRESULT> NumberBoxControl::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CHAR:
            if (wparam == VK_ESCAPE) return 0;  // Esc closes the window (WM_KEYDOWN) and types nothing
            if (!number_box_accepts(static_cast<std::uint32_t>(wparam))) return 0;
            return std::nullopt;
        case WM_KEYDOWN:
            if (wparam == VK_ESCAPE) {
                PostMessageA(GetParent(hwnd()), WM_CLOSE, 0, 0);
                return 0;
            }
            return std::nullopt;
        case WM_KILLFOCUS: {
            const LRESULT result = default_procedure(message, wparam, lparam);
            rewrite();
            return result;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace quorrin
