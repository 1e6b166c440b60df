#include "toolbox/panels.h"

#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>

#include "toolbox/toolbox_design.h"

namespace quorrin {
namespace {

using Visibility = std::map<std::string, bool>;

Visibility as_loaded() {
    Visibility v;
    for (const ControlDesign& c : kToolboxControls) v[std::string(c.name)] = c.visible;
    return v;
}

template <class Steps>
void apply(Visibility& v, const Steps& steps) {
    for (const VisibilityStep& s : steps) {
        ASSERT_TRUE(v.count(std::string(s.control))) << "no control named " << s.control;
        v[std::string(s.control)] = s.visible;
    }
}

TEST(Panels, LookupPanelShowsTheLookupRowsButNotTheAreaCode) {
    Visibility v = as_loaded();
    apply(v, kShowLookupPanel);
    for (const char* hidden : {"打开计算器", "画图工具", "手机归属地", "打开记事本", "导航", "百度一下", "电脑应用",
                               "手机应用", "区号标签", "区号显示框"})
        EXPECT_FALSE(v[hidden]) << hidden;
    for (const char* shown : {"最小化", "关闭窗口", "返回", "手机号码标签", "编辑框1", "查询", "卡号归属地标签",
                              "卡号归属地显示框", "卡号类型标签", "卡号类型显示框", "邮政编码标签", "邮政编码显示框"})
        EXPECT_TRUE(v[shown]) << shown;
}

TEST(Panels, BackToTheLauncherGivesExactlyTheLoadedWindow) {
    Visibility v = as_loaded();
    apply(v, kShowLookupPanel);
    apply(v, kShowLauncherPanel);
    EXPECT_EQ(v, as_loaded());
    apply(v, kShowLauncherPanel);
    EXPECT_EQ(v, as_loaded()) << "switching to the panel shown changes nothing";
}

TEST(Panels, SwitchesLeaveTheWindowButtonsAlone) {
    for (const auto& steps :
         {std::span<const VisibilityStep>(kShowLookupPanel), std::span<const VisibilityStep>(kShowLauncherPanel)})
        for (const VisibilityStep& s : steps) {
            EXPECT_NE(s.control, "最小化");
            EXPECT_NE(s.control, "关闭窗口");
        }
}

TEST(ToolboxDesign, CaptionsAreTwelveBytesSoTheColonsLineUp) {
    int captions = 0;
    for (const ControlDesign& c : kToolboxControls) {
        if (c.caption.empty()) continue;
        ++captions;
        EXPECT_EQ(c.caption.size(), 12u) << c.name;
        EXPECT_EQ(c.caption.substr(10), "\xA3\xBA") << "ends in the full-width colon: " << c.name;
    }
    EXPECT_EQ(captions, 5);
}

TEST(ToolboxDesign, NamesAreUniqueAndEveryButtonHasAPictureAndAnAction) {
    std::map<std::string_view, int> seen;
    for (const ControlDesign& c : kToolboxControls) {
        EXPECT_EQ(++seen[c.name], 1) << c.name;
        if (c.kind == ControlKind::picture_button) {
            EXPECT_FALSE(c.picture.empty()) << c.name;
            EXPECT_NE(c.action, Action::none) << c.name;
        }
    }
}

}  // namespace
}  // namespace quorrin
