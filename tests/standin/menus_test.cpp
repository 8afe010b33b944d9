// Menus: the plug-ins menu, sub-menus hung from items, items and their
// indices, choosing an item, and destroying menus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "XPLMMenus.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;

std::vector<std::pair<void*, void*>> chosen;  // (menu ref, item ref)

void handle(void* menuRef, void* itemRef) { chosen.emplace_back(menuRef, itemRef); }

class Menus : public HostTest {};

TEST_F(Menus, SubMenusItemsChoicesAndDestruction) {
    const XPLMMenuID plugins = XPLMFindPluginsMenu();
    ASSERT_NE(plugins, nullptr);
    EXPECT_EQ(XPLMAppendMenuItem(plugins, "Lua", nullptr, 0), 0);
    int menuRef = 0, reloadRef = 0, quietRef = 0;
    const XPLMMenuID lua = XPLMCreateMenu("Lua", plugins, 0, handle, &menuRef);
    ASSERT_NE(lua, nullptr);
    EXPECT_EQ(XPLMAppendMenuItem(lua, "Reload", &reloadRef, 0), 0);
    EXPECT_EQ(XPLMAppendMenuItem(lua, "Quiet", &quietRef, 0), 1);
    EXPECT_EQ(XPLMAppendMenuItem(reinterpret_cast<XPLMMenuID>(0x999), "Lost", nullptr, 0), -1);

    struct Refused {
        const char* name;
        XPLMMenuID parent;
        int item;
    };
    const Refused refused[] = {
        {nullptr, plugins, 0}, {"", plugins, 0},                      // no title
        {"Sub", plugins, 1},   {"Sub", plugins, -1},                  // no such item
        {"Sub", reinterpret_cast<XPLMMenuID>(0x999), 0},              // no such menu
    };
    for (const Refused& r : refused)
        EXPECT_EQ(XPLMCreateMenu(r.name, r.parent, r.item, handle, nullptr), nullptr)
            << (r.name ? r.name : "null") << " " << r.item;
    const XPLMMenuID inBar = XPLMCreateMenu("Bar", nullptr, 0, nullptr, nullptr);
    EXPECT_NE(inBar, nullptr);

    struct Choice {
        XPLMMenuID menu;
        int item;
        bool handled;
        void* itemRef;
    };
    const Choice choices[] = {
        {lua, 1, true, &quietRef}, {lua, 0, true, &reloadRef},
        {lua, 2, false, nullptr},   {plugins, 0, false, nullptr},  // the simulator's menu
        {inBar, 0, false, nullptr},
    };
    for (const Choice& c : choices) {
        chosen.clear();
        EXPECT_EQ(standin::chooseMenuItem(c.menu, c.item), c.handled) << c.item;
        if (c.handled) {
            ASSERT_EQ(chosen.size(), 1u);
            EXPECT_EQ(chosen[0].first, &menuRef);
            EXPECT_EQ(chosen[0].second, c.itemRef);
        }
    }
    const std::vector<standin::MenuInfo> before = standin::menus();
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[1].items, (std::vector<std::string>{"Reload", "Quiet"}));
    EXPECT_EQ(before[1].parent, plugins);

    XPLMCreateMenu("Deeper", lua, 0, handle, nullptr);
    XPLMDestroyMenu(lua);  // with the menu hung below it
    XPLMDestroyMenu(plugins);  // the simulator's stays
    std::vector<std::string> left;
    for (const standin::MenuInfo& menu : standin::menus()) left.push_back(menu.name);
    EXPECT_EQ(left, (std::vector<std::string>{"Plugins", "Bar"}));
    EXPECT_FALSE(standin::chooseMenuItem(lua, 0));
}

// The hostile plug-in is built for Linux only.
#ifndef _WIN32
// Appending takes the same time however long the menu: 200000 items
// load well within the test's time limit (tests/CMakeLists.txt), which
// appending in quadratic time overran.
TEST_F(Menus, AHostilePlugInsHugeMenuLoads) {
    setenv("QUIL_HOSTILE", "menu", 1);
    const XPLMPluginID hostile = standin::loadPlugin(QUIL_BUILD_DIR "/hostile/64/lin.xpl");
    unsetenv("QUIL_HOSTILE");
    ASSERT_NE(hostile, XPLM_NO_PLUGIN_ID);
    size_t items = 0;
    for (const standin::MenuInfo& menu : standin::menus())
        if (menu.owner == hostile) items = menu.items.size();
    EXPECT_EQ(items, 200000u);
}
#endif

}  // namespace
