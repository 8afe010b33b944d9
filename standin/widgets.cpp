// The widget library. Widgets live in a table and plug-ins hold their keys,
// so a stale or made-up handle is a failed look-up, never a wild pointer.
// Callbacks may create and destroy widgets (their own included) while a
// message is on its way, so dispatch looks a widget up again after every
// call into plug-in code instead of holding on to it.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "standin/internal.h"
#include "standin/standin.h"
#include "standin/text_font.h"

namespace {

using standin::detail::PluginCall;
using standin::detail::SdkCall;
using standin::detail::SdkFunction;

using WidgetKey = std::uintptr_t;

constexpr XPWidgetClass kCustomClass = -1;
// Keys count up from here, so small integers are never valid handles.
constexpr WidgetKey kFirstWidgetKey = 0x57d60001;

struct Handler {
    XPWidgetFunc_t function;
    XPLMPluginID owner;  // the plug-in that added it; it runs as that plug-in
};

struct Widget {
    XPWidgetClass widgetClass = kCustomClass;
    XPLMPluginID owner = XPLM_PLUGIN_XPLANE;
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string descriptor;
    bool visible = false;
    bool root = false;
    WidgetKey parent = 0;
    std::vector<WidgetKey> children;  // in creation order, the last drawn on top
    // Oldest first (a custom widget's own function, then the added callbacks);
    // dispatch walks it from the back.
    std::vector<Handler> handlers;
    std::map<XPWidgetPropertyID, intptr_t> properties;
    XPLMWindowID window = nullptr;  // roots: the host window that shows the tree
    bool dying = false;  // its destroy message is on its way
    bool armed = false;  // pressed on its button or close box: a release there fires
};

struct WidgetTable {
    std::map<WidgetKey, Widget> widgets;  // keys grow, so this is creation order
    WidgetKey nextKey = kFirstWidgetKey;  // never reset: old handles stay invalid
    WidgetKey mouseCapture = 0;           // took the mouse-down; gets drag and up
};
WidgetTable gTable;

WidgetKey keyOf(const void* handle) { return reinterpret_cast<WidgetKey>(handle); }
standin::detail::LoggedHandle loggedWidget(const void* handle) { return {"widget", keyOf(handle)}; }
XPWidgetID handleOf(WidgetKey key) { return reinterpret_cast<XPWidgetID>(key); }
intptr_t paramOf(WidgetKey key) { return static_cast<intptr_t>(key); }

Widget* lookup(WidgetKey key) {
    const auto found = gTable.widgets.find(key);
    return found == gTable.widgets.end() ? nullptr : &found->second;
}

intptr_t propertyOf(const Widget& widget, XPWidgetPropertyID property) {
    const auto found = widget.properties.find(property);
    return found == widget.properties.end() ? 0 : found->second;
}

bool isShown(WidgetKey key) {
    for (const Widget* widget = lookup(key); widget; widget = lookup(widget->parent)) {
        if (!widget->visible) return false;
        if (widget->root) return true;
    }
    return false;
}

// A disabled plug-in hears nothing, except while it is calling in itself
// (building its widgets at start, destroying them at stop).
bool listening(XPLMPluginID owner) {
    return owner == XPLM_PLUGIN_XPLANE || owner == standin::detail::currentPlugin() ||
           standin::detail::pluginEnabled(owner);
}

// ---- Geometry ----------------------------------------------------------------

struct Rect {
    int left, top, right, bottom;
};

constexpr int kTitleBarHeightPx = 18;
constexpr int kCloseBoxSizePx = 12;
constexpr int kCloseBoxInsetPx = 3;

Rect rectOf(const Widget& widget) {
    return {widget.left, widget.top, widget.right, widget.bottom};
}

bool contains(const Rect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.bottom && y < rect.top;
}

bool hasCloseBoxes(const Widget& widget) {
    return widget.widgetClass == xpWidgetClass_MainWindow &&
           propertyOf(widget, xpProperty_MainWindowHasCloseBoxes) == 1;
}

// A main window has one close box in each top corner of its title bar.
Rect closeBox(const Widget& window, bool rightCorner) {
    const int left = rightCorner ? window.right - kCloseBoxInsetPx - kCloseBoxSizePx
                                 : window.left + kCloseBoxInsetPx;
    const int top = window.top - kCloseBoxInsetPx;
    return {left, top, left + kCloseBoxSizePx, top - kCloseBoxSizePx};
}

bool onCloseBox(const Widget& window, int x, int y) {
    return hasCloseBoxes(window) &&
           (contains(closeBox(window, false), x, y) || contains(closeBox(window, true), x, y));
}

// The deepest shown widget under the point, the last created on top.
WidgetKey widgetAt(WidgetKey key, int x, int y) {
    const Widget* widget = lookup(key);
    if (!widget || !widget->visible || !contains(rectOf(*widget), x, y)) return 0;
    for (auto child = widget->children.rbegin(); child != widget->children.rend(); ++child) {
        if (const WidgetKey hit = widgetAt(*child, x, y)) return hit;
    }
    return key;
}

// Calls visit(child) for each child in creation order. The list is read
// afresh at every step: a callback may create or destroy widgets meanwhile.
template <typename Visit>
void forEachChild(WidgetKey key, Visit visit) {
    for (std::size_t i = 0;; ++i) {
        const Widget* widget = lookup(key);
        if (!widget || i >= widget->children.size()) return;
        visit(widget->children[i]);
    }
}

// ---- Dispatch ----------------------------------------------------------------

using Behaviour = int (*)(XPWidgetMessage message, WidgetKey key, intptr_t param1,
                          intptr_t param2);
Behaviour behaviourOf(XPWidgetClass widgetClass);

enum class Delivery {
    FirstTaker,  // until one handles it
    Everyone,    // every handler and the class, whatever they answer
    FirstOnly,   // the newest handler alone (the class when there is none)
};

// Handlers newest first, then the class behaviour. Returns whether one
// handled the message.
bool deliver(WidgetKey key, XPWidgetMessage message, intptr_t param1, intptr_t param2,
             Delivery delivery) {
    const Widget* widget = lookup(key);
    if (!widget) return false;
    bool handled = false;
    // Callbacks added meanwhile go to the back, beyond this walk.
    for (std::size_t i = widget->handlers.size(); i-- > 0;) {
        widget = lookup(key);
        if (!widget) return handled;
        if (i >= widget->handlers.size()) continue;
        const Handler handler = widget->handlers[i];
        if (!listening(handler.owner)) continue;
        int taken = 0;
        standin::detail::callPlugin(handler.owner, "a widget callback", [&] {
            taken = handler.function(message, handleOf(key), param1, param2);
        });
        handled = handled || taken != 0;
        if (delivery == Delivery::FirstOnly) return handled;
        if (handled && delivery == Delivery::FirstTaker) return true;
    }
    widget = lookup(key);
    if (!widget) return handled;
    if (const Behaviour behaviour = behaviourOf(widget->widgetClass)) {
        handled = behaviour(message, key, param1, param2) != 0 || handled;
    }
    return handled;
}

// The widget, then its parents, each with itself as the widget and param1
// unchanged. Returns the widget that handled the message, or 0.
WidgetKey sendUpChain(WidgetKey key, XPWidgetMessage message, intptr_t param1,
                      intptr_t param2) {
    while (key != 0) {
        if (deliver(key, message, param1, param2, Delivery::FirstTaker)) return key;
        const Widget* widget = lookup(key);
        if (!widget) return 0;  // its own handler destroyed it
        key = widget->parent;
    }
    return 0;
}

// The widget, then all its descendants depth first, handled or not.
bool sendRecursive(WidgetKey key, XPWidgetMessage message, intptr_t param1, intptr_t param2) {
    bool handled = deliver(key, message, param1, param2, Delivery::FirstTaker);
    forEachChild(key, [&](WidgetKey child) {
        handled = sendRecursive(child, message, param1, param2) || handled;
    });
    return handled;
}

bool dispatch(WidgetKey key, XPWidgetMessage message, XPDispatchMode mode, intptr_t param1,
              intptr_t param2) {
    switch (mode) {
        case xpMode_Direct:
            return deliver(key, message, param1, param2, Delivery::FirstTaker);
        case xpMode_UpChain:
            return sendUpChain(key, message, param1, param2) != 0;
        case xpMode_Recursive:
            return sendRecursive(key, message, param1, param2);
        case xpMode_DirectAllCallbacks:
            return deliver(key, message, param1, param2, Delivery::Everyone);
        case xpMode_Once:
            return deliver(key, message, param1, param2, Delivery::FirstOnly);
        default:
            return false;
    }
}

// ---- Changes that tell the widget ---------------------------------------------

void setProperty(WidgetKey key, XPWidgetPropertyID property, intptr_t value) {
    Widget* widget = lookup(key);
    if (!widget) return;
    widget->properties[property] = value;
    deliver(key, xpMsg_PropertyChanged, property, value, Delivery::FirstTaker);
}

void setVisible(WidgetKey key, bool visible) {
    Widget* widget = lookup(key);
    if (!widget || widget->visible == visible) return;
    widget->visible = visible;
    if (widget->window) {
        standin::detail::setWindowVisible(widget->window, visible);
        if (visible) standin::detail::bringWindowToFront(widget->window);
    }
    sendUpChain(key, visible ? xpMsg_Shown : xpMsg_Hidden, paramOf(key), 0);
}

// Takes a widget out of the tree and the table without a word to anyone;
// children it still has become unattached.
void removeWidget(WidgetKey key) {
    const auto found = gTable.widgets.find(key);
    if (found == gTable.widgets.end()) return;
    Widget& widget = found->second;
    if (Widget* parent = lookup(widget.parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), key), siblings.end());
    }
    for (const WidgetKey child : widget.children) {
        if (Widget* orphan = lookup(child)) orphan->parent = 0;
    }
    if (widget.window) standin::detail::destroyWindow(widget.window);
    if (gTable.mouseCapture == key) gTable.mouseCapture = 0;
    gTable.widgets.erase(found);
}

void destroyWidget(WidgetKey key, bool withChildren, intptr_t destroyedByParent) {
    Widget* widget = lookup(key);
    if (!widget || widget->dying) return;
    widget->dying = true;
    if (withChildren) {
        const std::vector<WidgetKey> children = widget->children;
        for (const WidgetKey child : children) destroyWidget(child, true, 1);
    }
    deliver(key, xpMsg_Destroy, destroyedByParent, 0, Delivery::Everyone);
    removeWidget(key);
}

// ---- Buttons and close boxes -------------------------------------------------

void changeButtonState(WidgetKey key, intptr_t state) {
    setProperty(key, xpProperty_ButtonState, state);
    sendUpChain(key, xpMsg_ButtonStateChanged, paramOf(key), state);
}

// What a click-and-release inside a button does, by its behaviour.
void clickButton(WidgetKey key) {
    const Widget* button = lookup(key);
    if (!button) return;
    const intptr_t state = propertyOf(*button, xpProperty_ButtonState);
    switch (propertyOf(*button, xpProperty_ButtonBehavior)) {
        case xpButtonBehaviorCheckBox:
            changeButtonState(key, state ? 0 : 1);
            return;
        case xpButtonBehaviorRadioButton:
            if (!state) changeButtonState(key, 1);
            return;
        default:
            sendUpChain(key, xpMsg_PushButtonPressed, paramOf(key), 0);
            return;
    }
}

void closeBoxPushed(WidgetKey window) {
    sendUpChain(window, xpMessage_CloseButtonPushed, paramOf(window), 0);
}

// ---- Drawing -----------------------------------------------------------------

constexpr int kTextInsetPx = 4;
constexpr int kCheckBoxSizePx = 10;
constexpr int kCheckMarkInsetPx = 2;

constexpr float kWindowFill[4] = {0.29f, 0.32f, 0.37f, 0.96f};
constexpr float kTitleBarFill[4] = {0.17f, 0.21f, 0.29f, 1.0f};
constexpr float kFrame[4] = {0.74f, 0.77f, 0.81f, 1.0f};
constexpr float kCloseBoxFill[4] = {0.62f, 0.24f, 0.22f, 1.0f};
constexpr float kSubWindowFill[4] = {0.22f, 0.24f, 0.28f, 1.0f};
constexpr float kButtonFill[4] = {0.45f, 0.48f, 0.53f, 1.0f};
constexpr float kButtonPressedFill[4] = {0.27f, 0.30f, 0.35f, 1.0f};
constexpr float kCheckMarkFill[4] = {0.92f, 0.80f, 0.30f, 1.0f};
constexpr float kFieldFill[4] = {0.92f, 0.92f, 0.88f, 1.0f};
constexpr float kScrollTrackFill[4] = {0.36f, 0.38f, 0.42f, 1.0f};
constexpr float kLightText[3] = {0.95f, 0.95f, 0.95f};
constexpr float kDarkText[3] = {0.05f, 0.05f, 0.05f};

// The baseline that centres a line of text between top and bottom.
int centredBaseline(int top, int bottom) {
    return bottom + (top - bottom - standin::kGlyphHeightPx) / 2;
}

void drawBox(const Rect& rect, const float fill[4]) {
    standin::detail::drawFilledRect(rect.left, rect.top, rect.right, rect.bottom, fill);
    standin::detail::drawFrameRect(rect.left, rect.top, rect.right, rect.bottom, kFrame);
}

void drawMainWindow(const Widget& window) {
    drawBox(rectOf(window), kWindowFill);
    const Rect titleBar{window.left, window.top, window.right, window.top - kTitleBarHeightPx};
    drawBox(titleBar, kTitleBarFill);
    const char* title = window.descriptor.c_str();
    const int titleX = (window.left + window.right - standin::detail::textWidth(title)) / 2;
    standin::detail::drawText(titleX, centredBaseline(titleBar.top, titleBar.bottom), title,
                              kLightText);
    if (hasCloseBoxes(window)) {
        drawBox(closeBox(window, false), kCloseBoxFill);
        drawBox(closeBox(window, true), kCloseBoxFill);
    }
}

bool looksCheckable(const Widget& button) {
    return propertyOf(button, xpProperty_ButtonType) == xpRadioButton ||
           propertyOf(button, xpProperty_ButtonBehavior) != xpButtonBehaviorPushButton;
}

void drawButton(const Widget& button) {
    const char* label = button.descriptor.c_str();
    const int baseline = centredBaseline(button.top, button.bottom);
    if (!looksCheckable(button)) {
        drawBox(rectOf(button), button.armed ? kButtonPressedFill : kButtonFill);
        const int labelX = (button.left + button.right - standin::detail::textWidth(label)) / 2;
        standin::detail::drawText(labelX, baseline, label, kLightText);
        return;
    }
    const int boxBottom = (button.top + button.bottom - kCheckBoxSizePx) / 2;
    const Rect box{button.left, boxBottom + kCheckBoxSizePx, button.left + kCheckBoxSizePx,
                   boxBottom};
    drawBox(box, kFieldFill);
    if (propertyOf(button, xpProperty_ButtonState)) {
        standin::detail::drawFilledRect(box.left + kCheckMarkInsetPx, box.top - kCheckMarkInsetPx,
                                        box.right - kCheckMarkInsetPx,
                                        box.bottom + kCheckMarkInsetPx, kCheckMarkFill);
    }
    standin::detail::drawText(box.right + kTextInsetPx, baseline, label, kLightText);
}

void drawTextField(const Widget& field) {
    drawBox(rectOf(field), kFieldFill);
    standin::detail::drawText(field.left + kTextInsetPx, centredBaseline(field.top, field.bottom),
                              field.descriptor.c_str(), kDarkText);
}

void drawCaption(const Widget& caption) {
    standin::detail::drawText(caption.left, centredBaseline(caption.top, caption.bottom),
                              caption.descriptor.c_str(), kLightText);
}

// Paint first: a widget that handles it has drawn itself and its children.
// Otherwise draw, which the class handles when no callback does.
void paintTree(WidgetKey key) {
    const Widget* widget = lookup(key);
    if (!widget || !widget->visible) return;
    if (deliver(key, xpMsg_Paint, 0, 0, Delivery::FirstTaker)) return;
    deliver(key, xpMsg_Draw, 0, 0, Delivery::FirstTaker);
    forEachChild(key, paintTree);
}

// ---- Class behaviours ----------------------------------------------------------

// Whether the mouse state in param1 (a pointer) lies on the target part.
template <bool (*onTarget)(const Widget&, int, int)>
bool mouseOn(const Widget& widget, intptr_t param1) {
    const auto* mouse = reinterpret_cast<const XPMouseState_t*>(param1);
    return mouse && onTarget(widget, mouse->x, mouse->y);
}

// Draws with the given function; takes the mouse-down, so clicks on the
// widget do not fall through to what lies behind.
template <void (*draw)(const Widget&)>
int controlBehaviour(XPWidgetMessage message, WidgetKey key, intptr_t, intptr_t) {
    const Widget* widget = lookup(key);
    if (!widget) return 0;
    switch (message) {
        case xpMsg_Draw:
            draw(*widget);
            return 1;
        case xpMsg_MouseDown:
            return 1;
        default:
            return 0;
    }
}

// Passive widgets draw and leave the mouse to their parent.
template <void (*draw)(const Widget&)>
int passiveBehaviour(XPWidgetMessage message, WidgetKey key, intptr_t, intptr_t) {
    const Widget* widget = lookup(key);
    if (!widget || message != xpMsg_Draw) return 0;
    draw(*widget);
    return 1;
}

void drawSubWindow(const Widget& window) { drawBox(rectOf(window), kSubWindowFill); }
void drawScrollBar(const Widget& bar) { drawBox(rectOf(bar), kScrollTrackFill); }

// Widgets that act on a release where they were pressed: a button on its
// whole box, a main window on its close boxes.
template <void (*draw)(const Widget&), bool (*onTarget)(const Widget&, int, int),
          void (*fire)(WidgetKey)>
int pressableBehaviour(XPWidgetMessage message, WidgetKey key, intptr_t param1, intptr_t) {
    Widget* widget = lookup(key);
    if (!widget) return 0;
    switch (message) {
        case xpMsg_Draw:
            draw(*widget);
            return 1;
        case xpMsg_MouseDown:
            widget->armed = mouseOn<onTarget>(*widget, param1);
            return 1;
        case xpMsg_MouseDrag:
            return 1;
        case xpMsg_MouseUp: {
            const bool fires = widget->armed && mouseOn<onTarget>(*widget, param1);
            widget->armed = false;
            if (fires) fire(key);
            return 1;
        }
        default:
            return 0;
    }
}

bool onButton(const Widget& button, int x, int y) { return contains(rectOf(button), x, y); }

Behaviour behaviourOf(XPWidgetClass widgetClass) {
    switch (widgetClass) {
        case xpWidgetClass_MainWindow:
            return pressableBehaviour<drawMainWindow, onCloseBox, closeBoxPushed>;
        case xpWidgetClass_SubWindow:
            return passiveBehaviour<drawSubWindow>;
        case xpWidgetClass_Button:
            return pressableBehaviour<drawButton, onButton, clickButton>;
        case xpWidgetClass_TextField:
            return controlBehaviour<drawTextField>;
        case xpWidgetClass_ScrollBar:
            return controlBehaviour<drawScrollBar>;
        case xpWidgetClass_Caption:
            return passiveBehaviour<drawCaption>;
        default:
            return nullptr;
    }
}

bool isStandardClass(XPWidgetClass widgetClass) {
    return widgetClass >= xpWidgetClass_MainWindow && widgetClass <= xpWidgetClass_Caption;
}

// ---- The host windows of root widgets -------------------------------------------

// The windows' callbacks are the host's own code, run as the simulator: what
// they allocate is not counted against the plug-ins, whose handlers switch
// counting back on.
class HostCode {
public:
    HostCode() : savedCounting_(standin::detail::allocationCountingOn()) {
        standin::detail::setAllocationCounting(false);
    }
    ~HostCode() { standin::detail::setAllocationCounting(savedCounting_); }
    HostCode(const HostCode&) = delete;
    HostCode& operator=(const HostCode&) = delete;

private:
    bool savedCounting_;
};

void drawRootWindow(XPLMWindowID, void* refcon) {
    HostCode host;
    paintTree(keyOf(refcon));
}

// A press goes to the deepest widget under it and up the chain; the widget
// that takes it gets the drag and the release.
int clickRootWindow(XPLMWindowID, int x, int y, XPLMMouseStatus status, void* refcon) {
    HostCode host;
    XPMouseState_t mouse{x, y, 0, 0};
    const intptr_t param1 = reinterpret_cast<intptr_t>(&mouse);
    switch (status) {
        case xplm_MouseDown: {
            const WidgetKey target = widgetAt(keyOf(refcon), x, y);
            if (!target) return 0;
            gTable.mouseCapture = sendUpChain(target, xpMsg_MouseDown, param1, 0);
            return 1;
        }
        case xplm_MouseDrag:
            if (gTable.mouseCapture) {
                deliver(gTable.mouseCapture, xpMsg_MouseDrag, param1, 0, Delivery::FirstTaker);
            }
            return 1;
        case xplm_MouseUp: {
            const WidgetKey captured = gTable.mouseCapture;
            gTable.mouseCapture = 0;
            if (captured) deliver(captured, xpMsg_MouseUp, param1, 0, Delivery::FirstTaker);
            return 1;
        }
        default:
            return 0;
    }
}

XPWidgetID createWidget(int left, int top, int right, int bottom, int visible,
                        const char* descriptor, int isRoot, XPWidgetID container,
                        XPWidgetClass widgetClass, XPWidgetFunc_t function) {
    const WidgetKey key = gTable.nextKey++;
    Widget& widget = gTable.widgets[key];
    widget.widgetClass = widgetClass;
    widget.owner = standin::detail::currentPlugin();
    widget.left = standin::detail::saneCoordinate(left);
    widget.top = standin::detail::saneCoordinate(top);
    widget.right = standin::detail::saneCoordinate(right);
    widget.bottom = standin::detail::saneCoordinate(bottom);
    widget.descriptor = descriptor ? descriptor : "";
    widget.visible = visible != 0;
    widget.root = isRoot != 0;
    if (function) widget.handlers.push_back({function, widget.owner});
    if (widget.root) {
        // A root has no parent, whatever container it names. Like the
        // simulator, every dialog sits in a window of the host's own.
        widget.window = standin::detail::createWindow(XPLM_PLUGIN_XPLANE, widget.left, widget.top,
                                                      widget.right, widget.bottom,
                                                      widget.visible, drawRootWindow,
                                                      clickRootWindow, handleOf(key));
    } else if (Widget* parent = lookup(keyOf(container))) {
        widget.parent = keyOf(container);
        parent->children.push_back(key);
    }
    deliver(key, xpMsg_Create, 0, 0, Delivery::FirstTaker);
    return handleOf(key);
}

standin::WidgetInfo infoOf(WidgetKey key, const Widget& widget) {
    standin::WidgetInfo info{handleOf(key), widget.widgetClass, widget.left, widget.top,
                             widget.right, widget.bottom, widget.descriptor, widget.visible,
                             widget.root, handleOf(widget.parent), {}};
    for (const WidgetKey child : widget.children) info.children.push_back(handleOf(child));
    return info;
}

}  // namespace

// ---- The SDK ---------------------------------------------------------------------

extern "C" {

XPWidgetID XPCreateWidget(int inLeft, int inTop, int inRight, int inBottom, int inVisible,
                          const char* inDescriptor, int inIsRoot, XPWidgetID inContainer,
                          XPWidgetClass inClass) {
    SdkCall call(SdkFunction::XPCreateWidget, inLeft, inTop, inRight, inBottom, inVisible,
                 inDescriptor, inIsRoot, loggedWidget(inContainer), inClass);
    if (!isStandardClass(inClass)) return nullptr;
    const XPWidgetID widget = createWidget(inLeft, inTop, inRight, inBottom, inVisible,
                                           inDescriptor, inIsRoot, inContainer, inClass, nullptr);
    call.results(loggedWidget(widget));
    return widget;
}

XPWidgetID XPCreateCustomWidget(int inLeft, int inTop, int inRight, int inBottom, int inVisible,
                                const char* inDescriptor, int inIsRoot, XPWidgetID inContainer,
                                XPWidgetFunc_t inCallback) {
    SdkCall call(SdkFunction::XPCreateCustomWidget, inLeft, inTop, inRight, inBottom,
                 inVisible, inDescriptor, inIsRoot, loggedWidget(inContainer));
    const XPWidgetID widget = createWidget(inLeft, inTop, inRight, inBottom, inVisible,
                                           inDescriptor, inIsRoot, inContainer, kCustomClass,
                                           inCallback);
    call.results(loggedWidget(widget));
    return widget;
}

void XPDestroyWidget(XPWidgetID inWidget, int inDestroyChildren) {
    SdkCall call(SdkFunction::XPDestroyWidget, loggedWidget(inWidget), inDestroyChildren);
    destroyWidget(keyOf(inWidget), inDestroyChildren != 0, 0);
}

void XPShowWidget(XPWidgetID inWidget) {
    SdkCall call(SdkFunction::XPShowWidget, loggedWidget(inWidget));
    setVisible(keyOf(inWidget), true);
}

void XPHideWidget(XPWidgetID inWidget) {
    SdkCall call(SdkFunction::XPHideWidget, loggedWidget(inWidget));
    setVisible(keyOf(inWidget), false);
}

void XPGetWidgetGeometry(XPWidgetID inWidget, int* outLeft, int* outTop, int* outRight,
                         int* outBottom) {
    SdkCall call(SdkFunction::XPGetWidgetGeometry, loggedWidget(inWidget));
    const Widget* widget = lookup(keyOf(inWidget));
    const Rect rect = widget ? rectOf(*widget) : Rect{0, 0, 0, 0};
    call.results(rect.left, rect.top, rect.right, rect.bottom);
    if (outLeft) *outLeft = rect.left;
    if (outTop) *outTop = rect.top;
    if (outRight) *outRight = rect.right;
    if (outBottom) *outBottom = rect.bottom;
}

void XPSetWidgetDescriptor(XPWidgetID inWidget, const char* inDescriptor) {
    SdkCall call(SdkFunction::XPSetWidgetDescriptor, loggedWidget(inWidget), inDescriptor);
    Widget* widget = lookup(keyOf(inWidget));
    if (!widget) return;
    widget->descriptor = inDescriptor ? inDescriptor : "";
    deliver(keyOf(inWidget), xpMsg_DescriptorChanged, 0, 0, Delivery::FirstTaker);
}

int XPGetWidgetDescriptor(XPWidgetID inWidget, char* outDescriptor, int inMaxDescLength) {
    SdkCall call(SdkFunction::XPGetWidgetDescriptor, loggedWidget(inWidget), inMaxDescLength);
    const Widget* widget = lookup(keyOf(inWidget));
    if (!widget) return call.returns(0);
    call.results(widget->descriptor);
    if (outDescriptor && inMaxDescLength > 0) {
        std::strncpy(outDescriptor, widget->descriptor.c_str(),
                     static_cast<std::size_t>(inMaxDescLength));
    }
    return static_cast<int>(widget->descriptor.size());
}

void XPSetWidgetProperty(XPWidgetID inWidget, XPWidgetPropertyID inProperty, intptr_t inValue) {
    SdkCall call(SdkFunction::XPSetWidgetProperty, loggedWidget(inWidget), inProperty, static_cast<long>(inValue));
    setProperty(keyOf(inWidget), inProperty, inValue);
}

void XPAddWidgetCallback(XPWidgetID inWidget, XPWidgetFunc_t inNewCallback) {
    SdkCall call(SdkFunction::XPAddWidgetCallback, loggedWidget(inWidget));
    Widget* widget = lookup(keyOf(inWidget));
    if (!widget || !inNewCallback) return;
    const XPLMPluginID owner = standin::detail::currentPlugin();
    widget->handlers.push_back({inNewCallback, owner});
    standin::detail::callPlugin(owner, "a widget callback",
                                [&] { inNewCallback(xpMsg_Create, inWidget, 1, 0); });
}

}  // extern "C"

// ---- Host state ----------------------------------------------------------------

namespace standin::detail {

void resetWidgets() {
    for (const auto& entry : gTable.widgets) {
        if (entry.second.window) destroyWindow(entry.second.window);
    }
    gTable.widgets.clear();
    gTable.mouseCapture = 0;
}

// The plug-in is gone: its widgets go without messages, and its callbacks
// leave the widgets of others.
void forgetPluginWidgets(XPLMPluginID id) {
    std::vector<WidgetKey> owned;
    for (const auto& entry : gTable.widgets) {
        if (entry.second.owner == id) owned.push_back(entry.first);
    }
    for (const WidgetKey key : owned) removeWidget(key);
    for (auto& entry : gTable.widgets) {
        auto& handlers = entry.second.handlers;
        handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                      [id](const Handler& handler) { return handler.owner == id; }),
                       handlers.end());
    }
}

}  // namespace standin::detail

// ---- Control API -------------------------------------------------------------------

namespace standin {

std::vector<WidgetInfo> widgets() {
    std::vector<WidgetInfo> all;
    for (const auto& entry : gTable.widgets) all.push_back(infoOf(entry.first, entry.second));
    return all;
}

WidgetInfo widgetInfo(XPWidgetID id) {
    if (const Widget* widget = lookup(keyOf(id))) return infoOf(keyOf(id), *widget);
    return WidgetInfo{nullptr, xpWidgetClass_None, 0, 0, 0, 0, "", false, false, nullptr, {}};
}

bool widgetExists(XPWidgetID id) { return lookup(keyOf(id)) != nullptr; }

bool widgetShown(XPWidgetID id) { return isShown(keyOf(id)); }

XPWidgetID findWidget(const std::string& descriptorPart) {
    for (const auto& entry : gTable.widgets) {
        if (entry.second.descriptor.find(descriptorPart) != std::string::npos) {
            return handleOf(entry.first);
        }
    }
    return nullptr;
}

intptr_t widgetProperty(XPWidgetID id, XPWidgetPropertyID property) {
    const Widget* widget = lookup(keyOf(id));
    return widget ? propertyOf(*widget, property) : 0;
}

bool pressButton(XPWidgetID button) {
    const Widget* widget = lookup(keyOf(button));
    if (!widget || widget->widgetClass != xpWidgetClass_Button || !isShown(keyOf(button))) {
        return false;
    }
    clickButton(keyOf(button));
    return true;
}

bool pushCloseBox(XPWidgetID window) {
    const Widget* widget = lookup(keyOf(window));
    if (!widget || !hasCloseBoxes(*widget) || !isShown(keyOf(window))) return false;
    closeBoxPushed(keyOf(window));
    return true;
}

namespace {

// The first `characters` UTF-8 characters of a text, never part of one.
std::string firstCharacters(const std::string& text, std::size_t characters) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && count++ == characters) return text.substr(0, i);
    }
    return text;
}

}  // namespace

bool typeText(int x, int y, const std::string& text) {
    for (auto entry = gTable.widgets.rbegin(); entry != gTable.widgets.rend(); ++entry) {
        if (!entry->second.root || !isShown(entry->first)) continue;
        const WidgetKey key = widgetAt(entry->first, x, y);
        if (key == 0) continue;
        Widget* field = lookup(key);
        if (field->widgetClass != xpWidgetClass_TextField) return false;
        const intptr_t limit = propertyOf(*field, xpProperty_MaxCharacters);
        field->descriptor =
            limit > 0 ? firstCharacters(text, static_cast<std::size_t>(limit)) : text;
        deliver(key, xpMsg_DescriptorChanged, 0, 0, Delivery::FirstTaker);
        sendUpChain(key, xpMsg_TextFieldChanged, paramOf(key), 0);
        return true;
    }
    return false;
}

int sendWidgetMessage(XPWidgetID id, XPWidgetMessage message, XPDispatchMode mode,
                      intptr_t param1, intptr_t param2) {
    return dispatch(keyOf(id), message, mode, param1, param2) ? 1 : 0;
}

}  // namespace standin
