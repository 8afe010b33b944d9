// Menus: the simulator's plug-ins menu and the menus plug-ins hang in it or
// in the menu bar. Nothing is drawn; choosing an item calls its menu's
// handler as a click on it would.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "XPLMMenus.h"
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

constexpr uintptr_t kPluginsMenu = 1;  // the simulator's, always there

struct Item {
    std::string name;
    void* ref;
    XPLMPluginID owner;
};

struct Menu {
    uintptr_t id;
    XPLMPluginID owner;
    std::string name;
    uintptr_t parent;  // 0: in the menu bar
    XPLMMenuHandler_f handler;
    void* ref;
    std::vector<Item> items;
    // Each plug-in counts only its own items of a menu, as the SDK
    // promises; kept as they come, so that appending is constant time.
    std::map<XPLMPluginID, int> itemsBy;
};

std::vector<Menu> menuList;
uintptr_t lastMenuId = kPluginsMenu;  // IDs are never reused

Menu* lookup(XPLMMenuID id) {
    for (Menu& menu : menuList)
        if (menu.id == reinterpret_cast<uintptr_t>(id) && menu.id != 0) return &menu;
    return nullptr;
}

int itemsOf(const Menu& menu, XPLMPluginID owner) {
    const auto found = menu.itemsBy.find(owner);
    return found == menu.itemsBy.end() ? 0 : found->second;
}

// A menu goes with the menus hung below it.
void destroy(uintptr_t id) {
    std::vector<uintptr_t> children;
    for (const Menu& menu : menuList)
        if (menu.parent == id) children.push_back(menu.id);
    for (uintptr_t child : children) destroy(child);
    menuList.erase(std::remove_if(menuList.begin(), menuList.end(),
                                  [&](const Menu& menu) { return menu.id == id; }),
                   menuList.end());
}

}  // namespace

void resetMenus() {
    menuList.clear();
    menuList.push_back({kPluginsMenu, XPLM_PLUGIN_XPLANE, "Plugins", 0, nullptr, nullptr, {}, {}});
    lastMenuId = kPluginsMenu;
}

void forgetPluginMenus(XPLMPluginID id) {
    std::vector<uintptr_t> owned;
    for (const Menu& menu : menuList)
        if (menu.owner == id) owned.push_back(menu.id);
    for (uintptr_t menu : owned) destroy(menu);
    for (Menu& menu : menuList) {
        menu.items.erase(std::remove_if(menu.items.begin(), menu.items.end(),
                                        [&](const Item& item) { return item.owner == id; }),
                         menu.items.end());
        menu.itemsBy.erase(id);
    }
}

}  // namespace standin::detail

using namespace standin::detail;

namespace standin {

std::vector<MenuInfo> menus() {
    std::vector<MenuInfo> infos;
    for (const Menu& menu : menuList) {
        MenuInfo info{reinterpret_cast<XPLMMenuID>(menu.id), menu.owner, menu.name,
                      reinterpret_cast<XPLMMenuID>(menu.parent), {}};
        for (const Item& item : menu.items) info.items.push_back(item.name);
        infos.push_back(info);
    }
    return infos;
}

bool chooseMenuItem(XPLMMenuID id, int item) {
    const Menu* menu = lookup(id);
    if (menu == nullptr || item < 0 || static_cast<size_t>(item) >= menu->items.size() ||
        menu->handler == nullptr || !pluginEnabled(menu->owner))
        return false;
    const XPLMMenuHandler_f handler = menu->handler;
    void* const menuRef = menu->ref;
    void* const itemRef = menu->items[static_cast<size_t>(item)].ref;
    callPlugin(menu->owner, "a menu handler", [&] { handler(menuRef, itemRef); });
    return true;
}

}  // namespace standin

extern "C" {

XPLMMenuID XPLMFindPluginsMenu() {
    SdkCall call(SdkFunction::XPLMFindPluginsMenu);
    call.results(LoggedHandle{"menu", kPluginsMenu});
    return reinterpret_cast<XPLMMenuID>(kPluginsMenu);
}

// A sub-menu hangs from one of the caller's own items of its parent.
XPLMMenuID XPLMCreateMenu(const char* name, XPLMMenuID parent, int parentItem,
                          XPLMMenuHandler_f handler, void* menuRef) {
    SdkCall call(SdkFunction::XPLMCreateMenu, name, loggedHandle("menu", parent), parentItem);
    if (name == nullptr || name[0] == '\0') return nullptr;
    if (parent != nullptr) {
        const Menu* above = lookup(parent);
        if (above == nullptr || parentItem < 0 || parentItem >= itemsOf(*above, currentPlugin()))
            return nullptr;
    }
    menuList.push_back({++lastMenuId, currentPlugin(), name, reinterpret_cast<uintptr_t>(parent),
                        handler, menuRef, {}, {}});
    call.results(LoggedHandle{"menu", lastMenuId});
    return reinterpret_cast<XPLMMenuID>(lastMenuId);
}

void XPLMDestroyMenu(XPLMMenuID id) {
    SdkCall call(SdkFunction::XPLMDestroyMenu, loggedHandle("menu", id));
    const Menu* menu = lookup(id);
    if (menu != nullptr && menu->id != kPluginsMenu) destroy(menu->id);
}

int XPLMAppendMenuItem(XPLMMenuID id, const char* name, void* itemRef, int) {
    SdkCall call(SdkFunction::XPLMAppendMenuItem, loggedHandle("menu", id), name);
    Menu* menu = lookup(id);
    if (menu == nullptr) return call.returns(-1);
    menu->items.push_back({name == nullptr ? "" : name, itemRef, currentPlugin()});
    return call.returns(menu->itemsBy[currentPlugin()]++);
}

}  // extern "C"
