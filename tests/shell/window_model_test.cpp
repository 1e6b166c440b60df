#include "shell/window_model.h"

#include <gtest/gtest.h>

#include "shell/tray_event.h"

namespace quorrin {
namespace {

class WindowModel : public testing::Test {
protected:
    static WindowDefinition design() {
        WindowDefinition d;
        d.class_name = "W";
        d.visible = false;
        d.controls = {{"a", true}, {"b", false}};
        return d;
    }
    WindowRecord record{design()};
};

TEST_F(WindowModel, VisibleSettingIsStoredWhileNotLoadedAndKeptByTheNextLoad) {
    record.set_visible(true);
    EXPECT_FALSE(record.loaded());
    record.mark_loaded();
    EXPECT_TRUE(record.definition().visible);
    record.mark_destroyed();
    EXPECT_TRUE(record.definition().visible) << "the load-time copy had it on";
}

TEST_F(WindowModel, DestructionPutsBackTheDefinitionOfTheLoad) {
    record.mark_loaded();
    record.set_visible(true);
    record.set_control_visible(0, false);
    record.set_control_visible(1, true);
    record.mark_destruction_pending();
    EXPECT_TRUE(record.destruction_pending());
    EXPECT_TRUE(record.loaded()) << "pending is still loaded";
    record.mark_destroyed();
    EXPECT_FALSE(record.loaded());
    EXPECT_FALSE(record.destruction_pending());
    EXPECT_FALSE(record.definition().visible);
    EXPECT_TRUE(record.definition().controls[0].visible);
    EXPECT_FALSE(record.definition().controls[1].visible);
}

TEST_F(WindowModel, ChangesBetweenLoadsSurviveOnlyWhenMadeWhileNotLoaded) {
    record.mark_loaded();  // loaded hidden
    record.mark_destroyed();
    record.set_visible(true);  // a click on the tray icon while closed
    record.mark_loaded();
    record.set_visible(false);
    record.mark_destroyed();
    EXPECT_TRUE(record.definition().visible);
}

TEST_F(WindowModel, PendingDestructionNeedsALoadedWindow) {
    record.mark_destruction_pending();
    EXPECT_FALSE(record.destruction_pending());
}

TEST(WindowDefinition, FindsControlsByDesignName) {
    WindowDefinition d;
    d.controls = {{"最小化"}, {"关闭窗口"}};
    EXPECT_EQ(d.control_index("关闭窗口"), 1u);
    EXPECT_EQ(d.control_index("关闭"), std::nullopt);
}

TEST(Menu, ItemsBelowAnEntryCarry20000PlusTheirPlace) {
    const std::vector<MenuEntry> menu = {{"托盘菜单", 0}, {"打开工具箱", 1}, {"退出", 1}, {"其他", 0}, {"x", 1}};
    const auto items = menu_items_below(menu, "托盘菜单");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].command, 20001);
    EXPECT_EQ(items[0].caption, Text("打开工具箱"));
    EXPECT_EQ(items[1].command, 20002);
    EXPECT_EQ(items[1].caption, Text("退出"));
    const auto other = menu_items_below(menu, "其他");
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].command, 20004);
    EXPECT_TRUE(menu_items_below(menu, "none").empty());
}

TEST(TrayOperation, MapsTheShellsMouseMessages) {
    EXPECT_EQ(tray_operation(0x0202), TrayOperation::click);
    EXPECT_EQ(tray_operation(0x0203), TrayOperation::double_click);
    EXPECT_EQ(tray_operation(0x0205), TrayOperation::menu);
    EXPECT_EQ(tray_operation(0x007B), TrayOperation::menu);
    for (std::uint32_t ignored : {0x0200u, 0x0201u, 0x0204u, 0x0206u, 0x0207u, 0x0208u, 0u})
        EXPECT_EQ(tray_operation(ignored), std::nullopt) << ignored;
}

}  // namespace
}  // namespace quorrin
