// Starting and stopping the host as a whole.
#include <algorithm>

#include "standin/internal.h"
#include "standin/standin.h"

namespace standin {
namespace {

constexpr float kPanelUnits = 1024.0f;  // the 2D panel is 1024 x 1024 units

HostConfig config;
bool running = false;

// The panel is scaled to fit the window, centred across it and standing on
// its bottom edge; drawing and window coordinates coincide in the stand-in.
void placePanel(int width, int height) {
    const float scale = std::min(width, height) / kPanelUnits;
    const float left = (width - kPanelUnits * scale) / 2.0f;
    const float right = left + kPanelUnits * scale;
    const float top = kPanelUnits * scale;
    for (const char* space : {"pnl", "win"}) {
        const std::string prefix = std::string("sim/graphics/view/panel_total_") + space + "_";
        setFloat(prefix + "l", left);
        setFloat(prefix + "r", right);
        setFloat(prefix + "b", 0.0f);
        setFloat(prefix + "t", top);
    }
}

}  // namespace

void startHost(const HostConfig& newConfig) {
    stopHost();
    config = newConfig;
    detail::resetCounts();
    detail::resetDataRefs();
    detail::resetFrames(config.startTime, config.frameInterval);
    detail::resetDisplay();
    detail::resetWidgets();
    detail::resetCommands();
    detail::resetMenus();
    detail::resetFms();
    detail::resetRadios();
    detail::resetUtilities();
    detail::resetMessages();
    detail::resetPluginFault();
    detail::resetAircraft();
    detail::resetGraphicsState();
    detail::resetFlight();
    setInt("sim/graphics/view/window_width", config.windowWidth);
    setInt("sim/graphics/view/window_height", config.windowHeight);
    placePanel(config.windowWidth, config.windowHeight);
    if (config.graphics) config.graphics = detail::openGraphics(config.windowWidth, config.windowHeight);
    running = true;
}

void stopHost() {
    if (!running) return;
    detail::unloadAllPlugins();
    running = false;
}

const HostConfig& hostConfig() { return config; }

}  // namespace standin
