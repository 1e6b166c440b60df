#include "shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "shell/icon_resource.h"

namespace quorrin {
namespace {

// The record in its first, smallest form: every shell version takes it.
NOTIFYICONDATAA icon_record(HWND window, UINT flags, HICON icon, const Text& tooltip) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = flags;
    if (flags != 0) {
        record.uCallbackMessage = kTrayCallbackMessage;
        record.hIcon = icon;
        // At most 62 bytes of the tooltip, then zero bytes.
        const std::size_t n = std::min<std::size_t>(tooltip.view().size(), 62);
        std::memcpy(record.szTip, tooltip.view().data(), n);
    }
    return record;
}

UniqueIcon icon_for_width(std::span<const std::uint8_t> data, int width) {
    const auto image = choose_icon_image(data, width);
    if (!image) return {};
    auto* bytes = const_cast<PBYTE>(image->bytes.data());
    const auto size = static_cast<DWORD>(image->bytes.size());
    HICON icon = CreateIconFromResourceEx(bytes, size, TRUE, 0x00030000, image->width, image->height, LR_DEFAULTCOLOR);
    if (!icon && image->bit_count != 16) icon = CreateIconFromResource(bytes, size, TRUE, 0x00030000);
    return UniqueIcon(icon);
}

}  // namespace

UniqueIcon icon_from_file_bytes(std::span<const std::uint8_t> data) {
    if (data.empty()) return {};
    if (UniqueIcon icon = icon_for_width(data, 16)) return icon;
    return icon_for_width(data, 32);
}

void TrayIcon::set(HWND window, std::span<const std::uint8_t> icon_data, const Text& tooltip) {
    UniqueIcon fresh = icon_from_file_bytes(icon_data);
    constexpr UINT kAll = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (!icon_) {
        if (fresh) {
            NOTIFYICONDATAA record = icon_record(window, kAll, fresh.get(), tooltip);
            Shell_NotifyIconA(NIM_ADD, &record);
        }
    } else {
        NOTIFYICONDATAA record =
            fresh ? icon_record(window, kAll, fresh.get(), tooltip) : icon_record(window, 0, nullptr, {});
        Shell_NotifyIconA(fresh ? NIM_MODIFY : NIM_DELETE, &record);
    }
    icon_ = std::move(fresh);  // the old handle, if any, is destroyed here
    tooltip_ = icon_ ? tooltip : Text();
}

void TrayIcon::add_again(HWND window) const {
    if (!icon_) return;
    NOTIFYICONDATAA record = icon_record(window, NIF_MESSAGE | NIF_ICON | NIF_TIP, icon_.get(), tooltip_);
    Shell_NotifyIconA(NIM_ADD, &record);
}

}  // namespace quorrin
