// quil-soak: the plug-in in the stand-in host for a fixed, seeded number of
// frames, with hostile input every few frames: any value of any type in any
// simulator or published dataref, clicks and drags anywhere, popup windows
// opened and pressed on their body or controls and dragged to any point,
// protocol commands with valid and garbage records, widget presses, time
// that stands still or jumps either way, and aircraft and airport loads,
// served and not.
//
// It fails (exit status 1) on a non-finite value written to the simulator
// or published, on a heap allocation inside a frame, on a window of the
// plug-in that keeps less than a strip of itself on the screen, or on a
// frame's cost (SDK calls, heap in use) growing over the run; a crash or a
// sanitizer report ends it anyway. Everything it does follows from the seed, so a
// failure is repeated by running it again with the same arguments.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "autoflight/protocol_numbers.h"
#include "standin/standin.h"

namespace {

constexpr char kUsage[] =
    "Usage: quil-soak --build DIR --aircraft PATH.acf [--frames N] [--seed S]\n"
    "Runs the plug-in of DIR/quil/64/lin.xpl for N frames (default 200000) of\n"
    "hostile input drawn from seed S (default 1).\n";

constexpr int kEventEvery = 4;    // frames between hostile events, on average
constexpr int kCheckpoints = 10;  // cost measurements over the run
constexpr int kCheckpointFrames = 90;            // frames of calm flight per measurement
constexpr double kMostCostGrowth = 1.25;         // SDK calls per frame, last over first
constexpr long kMostHeapGrowthBytes = 4L << 20;  // a texture or two of the driver's; leaks grow on
constexpr int kLargestArrayIndex = 24;
constexpr int kWindowPx = 256;
// Every window of the plug-in keeps this much of itself on the screen,
// across and up, however it was dragged.
constexpr int kOnScreenStripPx = 48;
// The host's window: the plug-in places its windows by it, so its size
// stays the real one while every other dataref takes hostile values.
constexpr const char* kScreenDataRefs[] = {"sim/graphics/view/window_width",
                                           "sim/graphics/view/window_height"};
// The panel squeezed into the window, so that the spots that open the popup
// windows (panel units) can be clicked: the selector menu and the overhead.
constexpr const char* kPanelEdges[] = {
    "sim/graphics/view/panel_total_pnl_l", "sim/graphics/view/panel_total_pnl_b",
    "sim/graphics/view/panel_total_pnl_r", "sim/graphics/view/panel_total_pnl_t"};
constexpr double kPanelUnits = 1024.0;
constexpr int kMenuSpot[2] = {1000, 900}, kOverheadSpot[2] = {700, 1000};
constexpr int kMenuRowPx = 12, kMenuRows = 12;
constexpr char kPublishedPrefix[] = "quil/";

struct Options {
    std::string build;
    std::string aircraft;
    long frames = 200000;
    unsigned seed = 1;
};

struct Soak {
    std::mt19937 random;
    std::vector<std::string> simDataRefs;
    std::vector<std::string> published;
    std::string servedAircraft;
    std::string foreignAircraft;
    XPLMPluginID plugin = XPLM_NO_PLUGIN_ID;
    // Outlives every message that points at it.
    unsigned char record[quil::kCommandRecordBytes] = {};
    long failures = 0;
};

int below(Soak& soak, int n) { return std::uniform_int_distribution<int>(0, n - 1)(soak.random); }

template <typename T>
const T& oneOf(Soak& soak, const std::vector<T>& items) {
    return items[static_cast<size_t>(below(soak, static_cast<int>(items.size())))];
}

void fail(Soak& soak, const std::string& what) {
    if (++soak.failures <= 20)
        std::fprintf(stderr, "frame %ld: %s\n", standin::frameNumber(), what.c_str());
}

double hostileNumber(Soak& soak) {
    constexpr double kValues[] = {std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  1e30,
                                  -1e30,
                                  3e9,
                                  -3e9,
                                  2147483647.0,
                                  -2147483648.0,
                                  -1.0,
                                  0.0,
                                  1.0,
                                  1e-30};
    const int pick = below(soak, 16);
    if (pick < 13) return kValues[pick];
    return std::uniform_real_distribution<double>(-1000.0, 1000.0)(soak.random);
}

std::string hostileText(Soak& soak) {
    std::string text(static_cast<size_t>(below(soak, 600)), '\0');
    for (char& c : text) c = static_cast<char>(below(soak, 256));
    return text;
}

void writeHostileValue(Soak& soak, const std::string& name) {
    const XPLMDataTypeID types = standin::dataRefTypes(name);
    if (types & xplmType_Data) {
        standin::setBytes(name, hostileText(soak));
        return;
    }
    const bool array = (types & (xplmType_FloatArray | xplmType_IntArray)) != 0;
    const int index = array ? below(soak, kLargestArrayIndex) : 0;
    const double value = hostileNumber(soak);
    if (types & (xplmType_Float | xplmType_FloatArray)) {
        standin::setFloat(name, static_cast<float>(value), index);
    } else if (types & xplmType_Double) {
        standin::setDouble(name, value);
    } else {
        standin::setInt(name,
                        std::isfinite(value) && std::fabs(value) < 2147483647.0
                            ? static_cast<int>(value)
                            : below(soak, 3) - 1,
                        index);
    }
}

// A point anywhere: mostly on the screen, sometimes far off it.
int hostileCoordinate(Soak& soak) {
    constexpr int kFar[] = {-1, -100000, 100000, std::numeric_limits<int>::max(),
                            std::numeric_limits<int>::min()};
    if (below(soak, 10) == 0) return kFar[below(soak, 5)];
    return below(soak, kWindowPx);
}

void clickOrDrag(Soak& soak) {
    const int x = hostileCoordinate(soak), y = hostileCoordinate(soak);
    standin::setMouseLocation(x, y);
    standin::mouseDown(x, y);
    for (int i = below(soak, 4); i > 0; --i)
        standin::mouseDrag(hostileCoordinate(soak), hostileCoordinate(soak));
    standin::mouseUp(hostileCoordinate(soak), hostileCoordinate(soak));
}

// The selector menu, one of its rows, or the whole overhead, through the
// panel's spots with the panel drawn into the window.
void openPopups(Soak& soak) {
    const float edges[] = {0.0f, 0.0f, static_cast<float>(kWindowPx), static_cast<float>(kWindowPx)};
    for (int i = 0; i < 4; ++i) standin::setFloat(kPanelEdges[i], edges[i]);
    standin::runFrame();  // the spots are placed while the panel is drawn
    const double scale = kWindowPx / kPanelUnits;
    const int* spot = below(soak, 3) == 0 ? kOverheadSpot : kMenuSpot;
    const int x = static_cast<int>(spot[0] * scale), y = static_cast<int>(spot[1] * scale);
    standin::setMouseLocation(x, y);
    standin::click(x, y);
    if (spot == kOverheadSpot) return;
    standin::runFrame();
    for (const standin::WindowInfo& menu : standin::windows()) {
        if (menu.owner != soak.plugin || menu.right - menu.left >= kWindowPx) continue;
        const int row = below(soak, kMenuRows);
        standin::click(menu.left + 40, menu.top - row * kMenuRowPx - kMenuRowPx / 2);
        return;
    }
}

// A press anywhere in one of the plug-in's windows, on its body or on a
// control, then drags to any point and the release.
void dragWindow(Soak& soak) {
    std::vector<standin::WindowInfo> shown;
    for (const standin::WindowInfo& w : standin::windows()) {
        if (w.owner == soak.plugin && w.visible && w.right - w.left < kWindowPx) shown.push_back(w);
    }
    if (shown.empty()) return;
    const standin::WindowInfo& w = oneOf(soak, shown);
    const int x = std::clamp(w.left + below(soak, std::max(1, w.right - w.left)), 0, kWindowPx - 1);
    const int y = std::clamp(w.bottom + below(soak, std::max(1, w.top - w.bottom)), 0, kWindowPx - 1);
    standin::mouseDown(x, y);
    for (int i = 1 + below(soak, 4); i > 0; --i) {
        standin::mouseDrag(hostileCoordinate(soak), hostileCoordinate(soak));
    }
    standin::mouseUp(hostileCoordinate(soak), hostileCoordinate(soak));
}

void putLittleEndian(unsigned char* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// A command record as another plug-in lays it out, or random bytes.
void sendProtocolMessage(Soak& soak) {
    constexpr uint32_t kMessages[] = {
        quil::qAFDS_STATE_REQUEST,     quil::qAFDS_ACTIVATE_COMMAND, quil::qAFDS_COMMAND,
        quil::qAFDS_FEEDING_N1_LIMITS, quil::SwitchCommand,          quil::qAFDS_CONNECT_AUTOPILOT,
        quil::GroundServiceTakeover,   quil::ExternalPowerConnect,   quil::ExternalPowerDisconnect,
        quil::GroundPowerRequest,      quil::GroundPowerRelease};
    const uint32_t message = below(soak, 8) == 0
                                 ? static_cast<uint32_t>(soak.random())
                                 : kMessages[below(soak, sizeof kMessages / sizeof kMessages[0])];
    for (unsigned char& byte : soak.record) byte = static_cast<unsigned char>(below(soak, 256));
    if (below(soak, 3) != 0) {
        putLittleEndian(soak.record, quil::kRecordMagic);
        soak.record[quil::kModeOffset] = static_cast<unsigned char>(below(soak, 5));
        putLittleEndian(soak.record + quil::kCommandOffset, static_cast<uint32_t>(below(soak, 12)));
        soak.record[quil::kActionOffset] = static_cast<unsigned char>(below(soak, 5));
        putLittleEndian(soak.record + quil::kValueOffset,
                        static_cast<uint32_t>(below(soak, 100001) - 50000));
    }
    const intptr_t param = below(soak, 10) == 0 ? 0 : reinterpret_cast<intptr_t>(soak.record);
    standin::sendSimMessage(static_cast<int>(message), param);
}

void pressSomeWidget(Soak& soak) {
    const std::vector<standin::WidgetInfo> widgets = standin::widgets();
    if (widgets.empty()) return;
    const standin::WidgetInfo& widget = oneOf(soak, widgets);
    if (!standin::pressButton(widget.id)) standin::pushCloseBox(widget.id);
}

void loadAircraftOrAirport(Soak& soak) {
    switch (below(soak, 3)) {
        case 0:
            standin::loadAircraft(soak.servedAircraft);
            break;
        case 1:
            standin::loadAircraft(soak.foreignAircraft);
            break;
        default:
            standin::sendSimMessage(103);
            break;
    }
}

void hostileEvent(Soak& soak) {
    switch (below(soak, 23)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
            writeHostileValue(soak, oneOf(soak, soak.simDataRefs));
            break;
        case 6:
        case 7:
            if (!soak.published.empty()) writeHostileValue(soak, oneOf(soak, soak.published));
            break;
        case 8:
        case 9:
        case 10:
            clickOrDrag(soak);
            break;
        case 11:
        case 12:
            sendProtocolMessage(soak);
            break;
        case 13:
            pressSomeWidget(soak);
            break;
        case 14:
            standin::setPaused(below(soak, 2) == 0);
            break;
        case 15:
            standin::jumpTime(static_cast<float>(below(soak, 2) == 0 ? -1 : 1) *
                              static_cast<float>(below(soak, 100000)) / 10.0f);
            break;
        case 16:
            standin::setFrameInterval(
                below(soak, 4) == 0 ? 0.0f : 1.0f / static_cast<float>(1 + below(soak, 120)));
            break;
        case 17:
            loadAircraftOrAirport(soak);
            break;
        case 18:
            standin::sendSimMessage(below(soak, 300), 0);
            break;
        case 19:
            openPopups(soak);
            break;
        case 20:
        case 21:
            dragWindow(soak);
            break;
        default:
            standin::setPaused(false);
            break;
    }
}

// Every value written to the simulator in the frame, and every published
// one now, must be a number.
void checkFrame(Soak& soak, bool countAllocations) {
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        if (write.type == xplmType_Data) continue;
        for (const double value : write.values) {
            if (!std::isfinite(value)) fail(soak, "non-finite value written to " + write.name);
        }
    }
    standin::clearWriteLog();
    standin::clearMessageLog();
    if (countAllocations && standin::lastFrameCounts().allocations != 0) {
        fail(soak, std::to_string(standin::lastFrameCounts().allocations) +
                       " heap allocations in the frame");
    }
}

// A window that has left the screen cannot be reached again.
void checkWindowsOnScreen(Soak& soak) {
    for (const standin::WindowInfo& w : standin::windows()) {
        if (w.owner != soak.plugin) continue;
        const int across = std::min(w.right, kWindowPx) - std::max(w.left, 0);
        const int up = std::min(w.top, kWindowPx) - std::max(w.bottom, 0);
        const int wanted = kOnScreenStripPx;
        if (across < std::min(wanted, w.right - w.left) || up < std::min(wanted, w.top - w.bottom)) {
            fail(soak, "a window at " + std::to_string(w.left) + " " + std::to_string(w.bottom) +
                           " keeps too little of itself on the screen");
        }
    }
}

void checkPublished(Soak& soak) {
    for (const std::string& name : soak.published) {
        const XPLMDataTypeID types = standin::dataRefTypes(name);
        if (types & xplmType_Data) continue;
        const int count =
            (types & (xplmType_FloatArray | xplmType_IntArray)) ? kLargestArrayIndex : 1;
        for (int i = 0; i < count; ++i) {
            if (!std::isfinite(standin::getDouble(name, i)) ||
                !std::isfinite(standin::getFloat(name, i))) {
                fail(soak, "published " + name + "[" + std::to_string(i) + "] is not a number");
            }
        }
    }
}

// A stretch of calm flight on the served aircraft, the same each time: its
// SDK calls per frame and the heap in use afterwards.
struct Cost {
    double callsPerFrame;
    size_t heapBytes;
};

Cost calmFlight(Soak& soak) {
    standin::setPaused(false);
    standin::setFrameInterval(1.0f / 30.0f);
    standin::loadAircraft(soak.servedAircraft);
    long calls = 0;
    for (int i = 0; i < kCheckpointFrames; ++i) {
        standin::runFrame();
        checkFrame(soak, true);
        if (i >= kCheckpointFrames / 2)
            calls += standin::lastFrameCounts().sdkCalls;  // past the delayed reset
    }
    return {static_cast<double>(calls) / (kCheckpointFrames - kCheckpointFrames / 2),
            standin::heapBytesInUse()};
}

// What the hostile input left standing (an open window, a value it wrote)
// can make one measurement dearer; growth over the run makes the cheapest
// of the last ones dearer than the cheapest of the first. The heap is held
// from the third measurement on: by then every kind of event has happened,
// and the host and the graphics driver have grown their caches to size.
void checkGrowth(Soak& soak, const std::vector<Cost>& costs) {
    constexpr size_t kCompared = 3;
    const auto cheapest = [](auto begin, auto end) {
        Cost least = *begin;
        for (auto cost = begin; cost != end; ++cost) {
            least.callsPerFrame = std::min(least.callsPerFrame, cost->callsPerFrame);
            least.heapBytes = std::min(least.heapBytes, cost->heapBytes);
        }
        return least;
    };
    const Cost early = cheapest(costs.begin(), costs.begin() + kCompared);
    const Cost late = cheapest(costs.end() - kCompared, costs.end());
    if (late.callsPerFrame > early.callsPerFrame * kMostCostGrowth) {
        fail(soak, "SDK calls per frame grew over the run");
    }
    if (static_cast<long>(late.heapBytes - costs[kCompared - 1].heapBytes) > kMostHeapGrowthBytes) {
        fail(soak, "heap in use grew over the run");
    }
}

bool parse(int argc, char** argv, Options* options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i], value = argv[i + 1];
        if (flag == "--build")
            options->build = value;
        else if (flag == "--aircraft")
            options->aircraft = value;
        else if (flag == "--frames")
            options->frames = std::atol(value.c_str());
        else if (flag == "--seed")
            options->seed = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
        else
            return false;
    }
    return argc % 2 == 1 && !options->build.empty() && !options->aircraft.empty() &&
           options->frames > 0;
}

// An aircraft the plug-in does not serve, beside the build's own output.
std::string writeForeignAircraft(const std::string& build) {
    const std::filesystem::path folder = std::filesystem::path(build) / "soak" / "Glider";
    std::filesystem::create_directories(folder);
    const std::filesystem::path acf = folder / "Glider.acf";
    std::ofstream(acf)
        << "I\n1100 Version\nACF\nP acf/_author Someone Else\nP acf/_descrip A glider\n";
    return acf.string();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, &options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Soak soak;
    soak.random.seed(options.seed);
    soak.servedAircraft = options.aircraft;
    soak.foreignAircraft = writeForeignAircraft(options.build);

    standin::HostConfig config;
    config.windowWidth = config.windowHeight = kWindowPx;
    standin::startHost(config);
    standin::setAircraft(soak.servedAircraft);
    std::string error;
    soak.plugin = standin::loadPlugin(options.build + "/quil/64/lin.xpl", &error);
    if (soak.plugin == XPLM_NO_PLUGIN_ID) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", error.c_str());
        return 2;
    }
    for (const std::string& name : standin::dataRefNames()) {
        if (std::find(std::begin(kScreenDataRefs), std::end(kScreenDataRefs), name) !=
            std::end(kScreenDataRefs))
            continue;
        (name.rfind(kPublishedPrefix, 0) == 0 ? soak.published : soak.simDataRefs).push_back(name);
    }

    const long stretch = options.frames / kCheckpoints;
    std::vector<Cost> costs;
    for (int checkpoint = 0; checkpoint < kCheckpoints; ++checkpoint) {
        costs.push_back(calmFlight(soak));
        std::printf("frame %ld: %.1f SDK calls a frame, %zu bytes of heap in use\n",
                    standin::frameNumber(), costs.back().callsPerFrame, costs.back().heapBytes);
        for (long frame = 0; frame < stretch; ++frame) {
            if (below(soak, kEventEvery) == 0) hostileEvent(soak);
            standin::runFrame();
            checkFrame(soak, true);
            checkWindowsOnScreen(soak);
            if (frame % 1000 == 0) checkPublished(soak);
        }
    }
    checkGrowth(soak, costs);
    checkPublished(soak);
    const long frames = standin::frameNumber();
    standin::stopHost();
    std::printf("%ld frames from seed %u: %ld failures\n", frames, options.seed, soak.failures);
    return soak.failures == 0 ? 0 : 1;
}
