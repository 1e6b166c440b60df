// The toolbox window's design: every control with its place, size, pictures,
// caption and what a click on it runs. Fixed data; no Windows API here.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorrin {

enum class ControlKind { picture_button, label, number_box };

// What a click on a picture button runs.
enum class Action {
    none,
    hide_window,
    close_window,
    open_calculator,
    open_paint,
    show_lookup_panel,
    open_notepad,
    open_navigation_page,
    open_search_page,
    open_pc_software_page,
    open_phone_apps_page,
    show_launcher_panel,
    lookup_phone_number,
};

struct ControlDesign {
    std::string_view name;  // the design name; also the control's id order
    ControlKind kind;
    int left, top, width, height;
    bool visible;
    bool hand_pointer;
    Action action;
    std::string_view picture;       // picture stem (assets/<stem>.jpg); hover/pressed is <stem>_hover
    std::string_view caption;       // labels only
    std::uint32_t text_colour = 0;  // 0x00BBGGRR, labels only
};

inline constexpr int kToolboxWidth = 380;
inline constexpr int kToolboxHeight = 215;
inline constexpr std::string_view kBackgroundPicture = "background";
inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kBlack = 0x00000000;
// Control identifiers: 1001 for the first design entry, and so on.
inline constexpr int kFirstControlId = 1001;

// clang-format off
inline constexpr std::array<ControlDesign, 22> kToolboxControls{{
    {"最小化", ControlKind::picture_button, 310, 0, 28, 28, true, false, Action::hide_window, "button_minimise", {}, 0},
    {"关闭窗口", ControlKind::picture_button, 338, 0, 28, 28, true, false, Action::close_window, "button_close", {}, 0},
    {"打开计算器", ControlKind::picture_button, 20, 40, 70, 70, true, true, Action::open_calculator, "tile_calculator", {}, 0},
    {"画图工具", ControlKind::picture_button, 110, 40, 70, 70, true, true, Action::open_paint, "tile_paint", {}, 0},
    {"手机归属地", ControlKind::picture_button, 200, 40, 70, 70, true, true, Action::show_lookup_panel, "tile_phone_lookup", {}, 0},
    {"打开记事本", ControlKind::picture_button, 290, 40, 70, 70, true, true, Action::open_notepad, "tile_notepad", {}, 0},
    {"导航", ControlKind::picture_button, 20, 126, 70, 70, true, true, Action::open_navigation_page, "tile_navigation", {}, 0},
    {"百度一下", ControlKind::picture_button, 110, 126, 70, 70, true, true, Action::open_search_page, "tile_search", {}, 0},
    {"电脑应用", ControlKind::picture_button, 200, 126, 70, 70, true, true, Action::open_pc_software_page, "tile_pc_software", {}, 0},
    {"手机应用", ControlKind::picture_button, 290, 126, 70, 70, true, true, Action::open_phone_apps_page, "tile_phone_apps", {}, 0},
    {"返回", ControlKind::picture_button, 0, 35, 56, 30, false, true, Action::show_launcher_panel, "button_back", {}, 0},
    {"手机号码标签", ControlKind::label, 56, 72, 120, 32, false, false, Action::none, {}, "  手机号码：", kWhite},
    {"编辑框1", ControlKind::number_box, 168, 72, 120, 24, false, false, Action::none, {}, {}, 0},
    {"查询", ControlKind::picture_button, 288, 72, 56, 30, false, true, Action::lookup_phone_number, "button_lookup", {}, 0},
    {"卡号归属地标签", ControlKind::label, 56, 104, 120, 24, false, false, Action::none, {}, "卡号归属地：", kWhite},
    {"卡号归属地显示框", ControlKind::label, 168, 104, 152, 24, false, false, Action::none, {}, {}, kBlack},
    {"卡号类型标签", ControlKind::label, 56, 136, 120, 24, false, false, Action::none, {}, "  卡号类型：", kWhite},
    {"卡号类型显示框", ControlKind::label, 168, 136, 152, 24, false, false, Action::none, {}, {}, kBlack},
    {"邮政编码标签", ControlKind::label, 56, 168, 120, 24, false, false, Action::none, {}, "  邮政编码：", kWhite},
    {"邮政编码显示框", ControlKind::label, 168, 168, 152, 24, false, false, Action::none, {}, {}, kBlack},
    {"区号标签", ControlKind::label, 56, 200, 120, 24, false, false, Action::none, {}, "      区号：", kWhite},
    {"区号显示框", ControlKind::label, 168, 200, 152, 24, false, false, Action::none, {}, {}, kBlack},
}};
// clang-format on

}  // namespace quorrin
