// Starting and stopping the host as a whole.
#include <algorithm>

#include "standin/internal.h"
#include "standin/standin.h"
#include "standin/units.h"

namespace standin {
namespace {

constexpr float kPanelSize = static_cast<float>(kPanelUnits);

HostConfig config;
bool running = false;

// The panel is scaled to fit the window, centred across it and standing on
// its bottom edge; drawing and window coordinates coincide in the stand-in.
void placePanel(int width, int height) {
    const float scale = std::min(width, height) / kPanelSize;
    const float left = (width - kPanelSize * scale) / 2.0f;
    const float right = left + kPanelSize * scale;
    const float top = kPanelSize * scale;
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
