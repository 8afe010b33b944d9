// Two overlapping windows of the probe, counting what the mouse does to each.
#include <initializer_list>

#include "XPLMDisplay.h"
#include "probe.h"

namespace {

struct ProbeWindow {
    XPLMWindowID id = nullptr;
    ProbeValue downs, drags, ups, lastX, lastY, takesClicks, mouseX;
};

// Window "a" lies at 100..300 and "b" at 200..400 in both axes; b is made
// later, so it starts in front where they overlap.
ProbeWindow a{nullptr, {"probe/a_downs"}, {"probe/a_drags"}, {"probe/a_ups"},
              {"probe/a_last_x"}, {"probe/a_last_y"}, {"probe/a_takes_clicks"},
              {"probe/a_mouse_x"}};
ProbeWindow b{nullptr, {"probe/b_downs"}, {"probe/b_drags"}, {"probe/b_ups"},
              {"probe/b_last_x"}, {"probe/b_last_y"}, {"probe/b_takes_clicks"},
              {"probe/b_mouse_x"}};
ProbeValue raiseA{"probe/raise_a"};  // 1: bring "a" to the front on its next draw

void drawWindow(XPLMWindowID id, void* refcon) {
    if (static_cast<ProbeWindow*>(refcon) == &a && raiseA.i != 0) {
        XPLMBringWindowToFront(id);
        raiseA.i = 0;
    }
}

void ignoreKey(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}

int handleMouse(XPLMWindowID, int x, int y, XPLMMouseStatus status, void* refcon) {
    ProbeWindow& window = *static_cast<ProbeWindow*>(refcon);
    if (status == xplm_MouseDown) ++window.downs.i;
    if (status == xplm_MouseDrag) ++window.drags.i;
    if (status == xplm_MouseUp) ++window.ups.i;
    window.lastX.i = x;
    window.lastY.i = y;
    int mouseY = 0;
    XPLMGetMouseLocation(&window.mouseX.i, &mouseY);
    return window.takesClicks.i;
}

void open(ProbeWindow& window, int left, int top, int right, int bottom) {
    for (ProbeValue* value : {&window.downs, &window.drags, &window.ups, &window.lastX,
                              &window.lastY, &window.takesClicks, &window.mouseX}) {
        publishInt(*value);
    }
    window.takesClicks.i = 1;
    window.id = XPLMCreateWindow(left, top, right, bottom, 1, drawWindow, ignoreKey, handleMouse,
                                 &window);
}

void close(ProbeWindow& window) {
    XPLMDestroyWindow(window.id);
    for (ProbeValue* value : {&window.downs, &window.drags, &window.ups, &window.lastX,
                              &window.lastY, &window.takesClicks, &window.mouseX}) {
        withdraw(*value);
    }
}

}  // namespace

void startProbeWindow() {
    publishInt(raiseA);
    open(a, 100, 300, 300, 100);
    open(b, 200, 400, 400, 200);
}

void stopProbeWindow() {
    close(b);
    close(a);
    withdraw(raiseA);
}
