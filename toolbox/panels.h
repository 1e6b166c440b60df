// The two panel switches: the panel is only which controls are visible, and
// each switch sets them one after the other in this order.
#pragma once

#include <array>
#include <string_view>

namespace quorrin {

struct VisibilityStep {
    std::string_view control;
    bool visible;
};

// clang-format off
inline constexpr std::array<VisibilityStep, 20> kShowLookupPanel{{
    {"打开计算器", false}, {"打开记事本", false}, {"手机归属地", false}, {"画图工具", false},
    {"百度一下", false}, {"导航", false}, {"电脑应用", false}, {"手机应用", false},
    {"返回", true},
    {"卡号归属地显示框", true}, {"卡号类型显示框", true}, {"邮政编码显示框", true}, {"区号显示框", false},
    {"卡号归属地标签", true}, {"卡号类型标签", true}, {"邮政编码标签", true}, {"区号标签", false},
    {"编辑框1", true}, {"查询", true}, {"手机号码标签", true},
}};

inline constexpr std::array<VisibilityStep, 20> kShowLauncherPanel{{
    {"卡号归属地显示框", false}, {"卡号类型显示框", false}, {"邮政编码显示框", false}, {"区号显示框", false},
    {"卡号归属地标签", false}, {"卡号类型标签", false}, {"邮政编码标签", false}, {"区号标签", false},
    {"编辑框1", false}, {"查询", false}, {"手机号码标签", false},
    {"打开计算器", true}, {"打开记事本", true}, {"手机归属地", true}, {"画图工具", true},
    {"百度一下", true}, {"导航", true}, {"电脑应用", true}, {"手机应用", true},
    {"返回", false},
}};

// clang-format on

}  // namespace quorrin
