// Files built into the program (cmake/Embed.cmake): it reads none at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorrin::assets {

// assets/tray_icon.ico: the notification-area icon.
extern const unsigned char tray_icon_ico_data[];
extern const std::size_t tray_icon_ico_data_size;

inline std::span<const std::uint8_t> tray_icon_ico() { return {tray_icon_ico_data, tray_icon_ico_data_size}; }

}  // namespace quorrin::assets
