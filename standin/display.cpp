// Draw callbacks by phase, the window stack and the mouse.
#include <algorithm>
#include <vector>

#include "XPLMDisplay.h"
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

// Registrations are keyed by all four values, as the simulator keys them.
struct DrawCallback {
    XPLMDrawCallback_f callback;
    XPLMDrawingPhase phase;
    bool before;
    void* refcon;
    XPLMPluginID owner;
    bool removed = false;
};

struct Window {
    uintptr_t serial;  // the handle; never reused, so stale handles miss
    XPLMPluginID owner;
    int left, top, right, bottom;
    bool visible;
    XPLMDrawWindow_f draw;
    XPLMHandleMouseClick_f mouse;
    void* refcon;
};

struct Mouse {
    int x = 0, y = 0;
    uintptr_t captor = 0;  // the window that took the press
};

std::vector<DrawCallback> drawCallbacks;
int drawCallbackWalks = 0;  // nesting of runDrawCallbacks
std::vector<Window> stack;  // back to front
uintptr_t nextSerial = 1;
Mouse mouse;

bool knownPhase(XPLMDrawingPhase phase) {
    return phase >= xplm_Phase_FirstScene && phase <= xplm_Phase_LastCockpit && phase % 5 == 0;
}

Window* find(XPLMWindowID id) {
    const auto serial = reinterpret_cast<uintptr_t>(id);
    for (Window& window : stack) {
        if (window.serial == serial) return &window;
    }
    return nullptr;
}

XPLMWindowID handleOf(const Window& window) {
    return reinterpret_cast<XPLMWindowID>(window.serial);
}

bool contains(const Window& window, int x, int y) {
    return x >= window.left && x <= window.right && y >= window.bottom && y <= window.top;
}

// Callbacks may create, move or destroy windows, so the stack is walked by
// handle, never by reference across a call.
std::vector<uintptr_t> serialsBackToFront() {
    std::vector<uintptr_t> serials;
    for (const Window& window : stack) serials.push_back(window.serial);
    return serials;
}

int sendMouse(uintptr_t serial, int x, int y, XPLMMouseStatus status) {
    Window* window = find(reinterpret_cast<XPLMWindowID>(serial));
    if (window == nullptr || window->mouse == nullptr || !pluginEnabled(window->owner)) return 0;
    const XPLMHandleMouseClick_f handler = window->mouse;
    void* const refcon = window->refcon;
    int taken = 0;
    callPlugin(window->owner, "a window's mouse handler", [&] {
        taken = handler(reinterpret_cast<XPLMWindowID>(serial), x, y, status, refcon);
    });
    return taken;
}

// Entries are only marked while the callbacks are being walked, and dropped
// as soon as no walk is under way, so that registering and unregistering
// without frames between never piles up.
void dropRemovedDrawCallbacks() {
    if (drawCallbackWalks > 0) return;
    drawCallbacks.erase(std::remove_if(drawCallbacks.begin(), drawCallbacks.end(),
                                       [](const DrawCallback& entry) { return entry.removed; }),
                        drawCallbacks.end());
}

}  // namespace

void resetDisplay() {
    drawCallbacks.clear();
    stack.clear();
    mouse = Mouse{};
}

void forgetPluginDrawCallbacks(XPLMPluginID id) {
    for (DrawCallback& entry : drawCallbacks) {
        if (entry.owner == id) entry.removed = true;
    }
    dropRemovedDrawCallbacks();
}

void forgetPluginWindows(XPLMPluginID id) {
    stack.erase(std::remove_if(stack.begin(), stack.end(),
                               [&](const Window& window) { return window.owner == id; }),
                stack.end());
}

bool runDrawCallbacks(XPLMDrawingPhase phase, bool before) {
    bool simulatorDraws = true;
    ++drawCallbackWalks;
    const size_t count = drawCallbacks.size();
    for (size_t i = 0; i < count; ++i) {
        const DrawCallback entry = drawCallbacks[i];
        if (entry.removed || entry.phase != phase || entry.before != before ||
            !pluginEnabled(entry.owner)) {
            continue;
        }
        int result = 1;
        callPlugin(entry.owner, "a draw callback",
                   [&] { result = entry.callback(phase, before ? 1 : 0, entry.refcon); });
        checkClientArrays();
        if (before && result == 0) simulatorDraws = false;
    }
    --drawCallbackWalks;
    dropRemovedDrawCallbacks();
    return simulatorDraws;
}

void drawWindows() {
    for (uintptr_t serial : serialsBackToFront()) {
        Window* window = find(reinterpret_cast<XPLMWindowID>(serial));
        if (window == nullptr || !window->visible || window->draw == nullptr ||
            !pluginEnabled(window->owner)) {
            continue;
        }
        const XPLMDrawWindow_f draw = window->draw;
        void* const refcon = window->refcon;
        callPlugin(window->owner, "a window's draw callback",
                   [&] { draw(reinterpret_cast<XPLMWindowID>(serial), refcon); });
        checkClientArrays();
    }
}

int saneCoordinate(int value) { return std::clamp(value, -kCoordinateLimitPx, kCoordinateLimitPx); }

XPLMWindowID createWindow(XPLMPluginID owner, int left, int top, int right, int bottom,
                          bool visible, XPLMDrawWindow_f draw, XPLMHandleMouseClick_f mouseHandler,
                          void* refcon) {
    stack.push_back({nextSerial++, owner, saneCoordinate(left), saneCoordinate(top),
                     saneCoordinate(right), saneCoordinate(bottom), visible, draw, mouseHandler,
                     refcon});
    return handleOf(stack.back());
}

void destroyWindow(XPLMWindowID id) {
    const auto serial = reinterpret_cast<uintptr_t>(id);
    stack.erase(std::remove_if(stack.begin(), stack.end(),
                               [&](const Window& window) { return window.serial == serial; }),
                stack.end());
    if (mouse.captor == serial) mouse.captor = 0;
}

void setWindowGeometry(XPLMWindowID id, int left, int top, int right, int bottom) {
    if (Window* window = find(id)) {
        window->left = saneCoordinate(left);
        window->top = saneCoordinate(top);
        window->right = saneCoordinate(right);
        window->bottom = saneCoordinate(bottom);
    }
}

void setWindowVisible(XPLMWindowID id, bool visible) {
    if (Window* window = find(id)) window->visible = visible;
}

void bringWindowToFront(XPLMWindowID id) {
    auto position = std::find_if(stack.begin(), stack.end(), [&](const Window& window) {
        return window.serial == reinterpret_cast<uintptr_t>(id);
    });
    if (position != stack.end()) std::rotate(position, position + 1, stack.end());
}

}  // namespace standin::detail

using namespace standin::detail;

namespace standin {

std::vector<WindowInfo> windows() {
    std::vector<WindowInfo> infos;
    for (auto window = stack.rbegin(); window != stack.rend(); ++window) {
        infos.push_back({handleOf(*window), window->owner, window->left, window->top,
                         window->right, window->bottom, window->visible});
    }
    return infos;
}

std::vector<DrawCallbackInfo> drawCallbacks() {
    std::vector<DrawCallbackInfo> infos;
    for (const DrawCallback& entry : detail::drawCallbacks) {
        if (!entry.removed) infos.push_back({entry.owner, entry.phase, entry.before});
    }
    return infos;
}

void setMouseLocation(int x, int y) {
    mouse.x = x;
    mouse.y = y;
}

// A window that declines the press passes it to the windows below it.
bool mouseDown(int x, int y) {
    setMouseLocation(x, y);
    mouse.captor = 0;
    std::vector<uintptr_t> serials = serialsBackToFront();
    for (auto serial = serials.rbegin(); serial != serials.rend(); ++serial) {
        const Window* window = find(reinterpret_cast<XPLMWindowID>(*serial));
        if (window == nullptr || !window->visible || !contains(*window, x, y)) continue;
        if (sendMouse(*serial, x, y, xplm_MouseDown) != 0) {
            mouse.captor = *serial;
            return true;
        }
    }
    return false;
}

void mouseDrag(int x, int y) {
    setMouseLocation(x, y);
    if (mouse.captor != 0) sendMouse(mouse.captor, x, y, xplm_MouseDrag);
}

void mouseUp(int x, int y) {
    setMouseLocation(x, y);
    if (mouse.captor == 0) return;
    const uintptr_t captor = mouse.captor;
    mouse.captor = 0;
    sendMouse(captor, x, y, xplm_MouseUp);
}

bool click(int x, int y) {
    const bool taken = mouseDown(x, y);
    mouseUp(x, y);
    return taken;
}

}  // namespace standin

extern "C" {

int XPLMRegisterDrawCallback(XPLMDrawCallback_f callback, XPLMDrawingPhase phase,
                             int wantsBefore, void* refcon) {
    SdkCall call(SdkFunction::XPLMRegisterDrawCallback, phase, wantsBefore);
    if (callback == nullptr || !knownPhase(phase)) return 0;
    drawCallbacks.push_back({callback, phase, wantsBefore != 0, refcon, currentPlugin()});
    return 1;
}

int XPLMUnregisterDrawCallback(XPLMDrawCallback_f callback, XPLMDrawingPhase phase,
                               int wantsBefore, void* refcon) {
    SdkCall call(SdkFunction::XPLMUnregisterDrawCallback, phase, wantsBefore);
    for (DrawCallback& entry : drawCallbacks) {
        if (!entry.removed && entry.callback == callback && entry.phase == phase &&
            entry.before == (wantsBefore != 0) && entry.refcon == refcon) {
            entry.removed = true;
            dropRemovedDrawCallbacks();
            return 1;
        }
    }
    return 0;
}

XPLMWindowID XPLMCreateWindow(int left, int top, int right, int bottom, int visible,
                              XPLMDrawWindow_f draw, XPLMHandleKey_f, XPLMHandleMouseClick_f mouseHandler,
                              void* refcon) {
    SdkCall call(SdkFunction::XPLMCreateWindow, left, top, right, bottom, visible);
    const XPLMWindowID id = createWindow(currentPlugin(), left, top, right, bottom,
                                         visible != 0, draw, mouseHandler, refcon);
    call.results(loggedHandle("window", id));
    return id;
}

void XPLMDestroyWindow(XPLMWindowID id) {
    SdkCall call(SdkFunction::XPLMDestroyWindow, loggedHandle("window", id));
    destroyWindow(id);
}

int XPLMGetWindowIsVisible(XPLMWindowID id) {
    SdkCall call(SdkFunction::XPLMGetWindowIsVisible, loggedHandle("window", id));
    const Window* window = find(id);
    return call.returns(window != nullptr && window->visible ? 1 : 0);
}

void XPLMSetWindowIsVisible(XPLMWindowID id, int visible) {
    SdkCall call(SdkFunction::XPLMSetWindowIsVisible, loggedHandle("window", id), visible);
    setWindowVisible(id, visible != 0);
}

void XPLMGetWindowGeometry(XPLMWindowID id, int* left, int* top, int* right, int* bottom) {
    SdkCall call(SdkFunction::XPLMGetWindowGeometry, loggedHandle("window", id));
    const Window* window = find(id);
    if (window == nullptr) return;
    call.results(window->left, window->top, window->right, window->bottom);
    if (left != nullptr) *left = window->left;
    if (top != nullptr) *top = window->top;
    if (right != nullptr) *right = window->right;
    if (bottom != nullptr) *bottom = window->bottom;
}

void XPLMSetWindowGeometry(XPLMWindowID id, int left, int top, int right, int bottom) {
    SdkCall call(SdkFunction::XPLMSetWindowGeometry, loggedHandle("window", id), left, top, right, bottom);
    setWindowGeometry(id, left, top, right, bottom);
}

void XPLMBringWindowToFront(XPLMWindowID id) {
    SdkCall call(SdkFunction::XPLMBringWindowToFront, loggedHandle("window", id));
    bringWindowToFront(id);
}

void XPLMGetMouseLocation(int* x, int* y) {
    SdkCall call(SdkFunction::XPLMGetMouseLocation);
    call.results(mouse.x, mouse.y);
    if (x != nullptr) *x = mouse.x;
    if (y != nullptr) *y = mouse.y;
}

}  // extern "C"
