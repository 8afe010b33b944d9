#include "standin/runner/trace.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "autoflight/protocol_numbers.h"
#include "standin/runner/gnuplot.h"
#include "standin/standin.h"
#include "standin/units.h"

namespace standin::runner {

namespace {

constexpr size_t kFileBufferBytes = 64 * 1024;
constexpr double kFeetPerMetre = 1.0 / kMetresPerFoot;
constexpr double kKnotsPerMetrePerSecond = 1.0 / kMetresPerSecondPerKnot;

// One column read from a dataref (an array element when `index` >= 0),
// scaled into the unit its name gives.
struct DataRefColumn {
    const char* header;
    std::string dataref;
    int index;
    double scale;
    const char* format;
};

const DataRefColumn kDataRefColumns[] = {
    {"lat_deg", "sim/flightmodel/position/latitude", -1, 1.0, "%.6f"},
    {"lon_deg", "sim/flightmodel/position/longitude", -1, 1.0, "%.6f"},
    {"alt_ft", "sim/flightmodel/misc/h_ind", -1, 1.0, "%.1f"},
    {"agl_ft", "sim/flightmodel/position/y_agl", -1, kFeetPerMetre, "%.1f"},
    {"ias_kt", "sim/flightmodel/position/indicated_airspeed", -1, 1.0, "%.1f"},
    {"gs_kt", "sim/flightmodel/position/groundspeed", -1, kKnotsPerMetrePerSecond, "%.1f"},
    {"hdg_deg", "sim/flightmodel/position/magpsi", -1, 1.0, "%.2f"},
    {"trk_deg", "sim/flightmodel/position/hpath", -1, 1.0, "%.2f"},
    {"bank_deg", "sim/flightmodel/position/phi", -1, 1.0, "%.2f"},
    {"pitch_deg", "sim/flightmodel/position/theta", -1, 1.0, "%.2f"},
    {"vs_fpm", "sim/flightmodel/position/vh_ind_fpm", -1, 1.0, "%.0f"},
    {"n1_1", "sim/flightmodel/engine/ENGN_N1_", 0, 1.0, "%.1f"},
    {"n1_2", "sim/flightmodel/engine/ENGN_N1_", 1, 1.0, "%.1f"},
    {"thr_1", "sim/flightmodel/engine/ENGN_thro", 0, 1.0, "%.3f"},
    {"thr_2", "sim/flightmodel/engine/ENGN_thro", 1, 1.0, "%.3f"},
    {"fd_roll_deg", "sim/cockpit/autopilot/flight_director_roll", -1, 1.0, "%.2f"},
    {"fd_pitch_deg", "sim/cockpit/autopilot/flight_director_pitch", -1, 1.0, "%.2f"},
    {"gps_dots", "sim/cockpit/radios/gps_hdef_dot", -1, 1.0, "%.3f"},
    {"nav1_h_dots", "sim/cockpit/radios/nav1_hdef_dot", -1, 1.0, "%.3f"},
    {"nav1_v_dots", "sim/cockpit/radios/nav1_vdef_dot", -1, 1.0, "%.3f"},
    {"nav1_dme_nm", "sim/cockpit/radios/nav1_dme_dist_m", -1, 1.0, "%.2f"},
    {"nav2_h_dots", "sim/cockpit/radios/nav2_hdef_dot2", -1, 1.0, "%.3f"},
    {"nav2_v_dots", "sim/cockpit/radios/nav2_vdef_dot2", -1, 1.0, "%.3f"},
    {"fuel_left_kg", "sim/flightmodel/weight/m_fuel1", -1, 1.0, "%.1f"},
    {"fuel_centre_kg", "sim/flightmodel/weight/m_fuel2", -1, 1.0, "%.1f"},
    {"fuel_right_kg", "sim/flightmodel/weight/m_fuel3", -1, 1.0, "%.1f"},
    // The plug-in's transfer bus sources: 0 none, 1 and 2 the engine
    // generators, 3 the APU, 4 ground power.
    {"bus1_source", "quil/systems/electrics/xfrBus1Source", -1, 1.0, "%.0f"},
    {"bus2_source", "quil/systems/electrics/xfrBus2Source", -1, 1.0, "%.0f"},
};
// Before them the run time and the distance flown over the ground, after
// them the GPS cross-track and the modes.
constexpr const char* kTimeColumn = "time_s";
constexpr const char* kDistanceColumn = "dist_nm";
constexpr const char* kCrossTrackColumn = "xtk_nm";
constexpr const char* kModesColumn = "modes";

// ---- The engaged modes, asked of the plug-in ----------------------------------

using namespace quil;

struct ModeQuery {
    uint8_t group;
    int32_t command;
    const char* name;
};
constexpr ModeQuery kModeQueries[] = {
    {kThrustGroup, kAtArmCommand, "A/T"},    {kThrustGroup, kN1Command, "N1"},
    {kThrustGroup, kSpeedCommand, "SPEED"},  {kPitchGroup, kVsArmCommand, "V/S-ARM"},
    {kPitchGroup, kVsCommand, "V/S"},        {kPitchGroup, kLvlChgCommand, "LVL-CHG"},
    {kPitchGroup, kAltHoldCommand, "ALT-HOLD"}, {kPitchGroup, kVnavCommand, "VNAV"},
    {kRollGroup, kHdgSelCommand, "HDG-SEL"}, {kRollGroup, kLnavCommand, "LNAV"},
    {kRollGroup, kVorLocCommand, "VOR/LOC"},
};
// Every name and a blank after each.
constexpr size_t kModesTextBytes = 128;

// The protocol's records are little-endian.
void putInt32(unsigned char* at, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

// The plug-in answers a query at once, with the address of its reply record.
bool modeEngaged(XPLMPluginID plugin, const ModeQuery& query) {
    unsigned char record[kCommandRecordBytes] = {};
    putInt32(record, kRecordMagic);
    record[kModeOffset] = query.group;
    putInt32(record + kCommandOffset, query.command);
    record[kActionOffset] = kActionQuery;
    sendSimMessage(static_cast<int>(qAFDS_COMMAND), reinterpret_cast<intptr_t>(record), plugin);
    const std::vector<MessageRecord>& log = messageLog();
    if (log.empty()) return false;
    const MessageRecord& last = log.back();
    if (last.from != plugin || static_cast<uint32_t>(last.message) != AfdsCommandReply ||
        last.param == 0) {
        return false;
    }
    return reinterpret_cast<const unsigned char*>(last.param)[kActionOffset] == kReplyOn;
}

void writeModes(FlightTrace& trace) {
    char text[kModesTextBytes];
    size_t length = 0;
    text[0] = '\0';
    for (const ModeQuery& query : kModeQueries) {
        if (trace.plugin == XPLM_NO_PLUGIN_ID || !modeEngaged(trace.plugin, query)) continue;
        const int written = std::snprintf(text + length, sizeof text - length, "%s%s",
                                          length ? " " : "", query.name);
        if (written > 0) length = std::min(sizeof text - 1, length + static_cast<size_t>(written));
    }
    std::fprintf(trace.file, ",%s", text);
}

XPLMPluginID findQuil() {
    for (const PluginInfo& plugin : plugins())
        if (plugin.signature == kPluginSignature && plugin.enabled) return plugin.id;
    return XPLM_NO_PLUGIN_ID;
}

void writeRow(FlightTrace& trace, double runSeconds) {
    std::fprintf(trace.file, "%.3f,%.2f", runSeconds, trace.distanceNm);
    for (const DataRefColumn& column : kDataRefColumns) {
        const double value = getDouble(column.dataref, column.index < 0 ? 0 : column.index);
        std::fputc(',', trace.file);
        std::fprintf(trace.file, column.format, value * column.scale);
    }
    std::fprintf(trace.file, ",%.3f", gpsCrossTrackNm());
    writeModes(trace);
    std::fputc('\n', trace.file);
    ++trace.result.rows;
}

// ---- The plot -------------------------------------------------------------------

// Panels over the run time (the vertical profile over the distance flown),
// each column on the left axis or, for the ones in other units, on the
// right.
struct PlotPanel {
    const char* x;
    const char* leftLabel;
    const char* rightLabel;  // empty: no right axis
    std::vector<const char*> left, right;
};

const PlotPanel kPlotPanels[] = {
    {kDistanceColumn, "ft", "", {"alt_ft", "agl_ft"}, {}},
    {kTimeColumn, "ft", "", {"alt_ft", "agl_ft"}, {}},
    {kTimeColumn, "kt", "fpm", {"ias_kt", "gs_kt"}, {"vs_fpm"}},
    {kTimeColumn, "heading, deg", "bank, pitch, deg", {"hdg_deg", "trk_deg"}, {"bank_deg", "pitch_deg"}},
    {kTimeColumn, "N1 %", "throttle", {"n1_1", "n1_2"}, {"thr_1", "thr_2"}},
    {kTimeColumn, "dots, nm", "", {"xtk_nm", "gps_dots", "nav1_h_dots", "nav1_v_dots", "nav2_h_dots"}, {}},
    {kTimeColumn, "kg", "bus source", {"fuel_left_kg", "fuel_centre_kg", "fuel_right_kg"},
     {"bus1_source", "bus2_source"}},
};

constexpr size_t kPanelPixels = 320;

// The paths and the title reach gnuplot as its script's arguments ARG1 to
// ARG3, string values that it never reads as commands: a name with quotes,
// back quotes or "@" in it is only a name.
std::string plotScript() {
    std::string script =
        "set datafile separator \",\"\n"
        "set terminal pngcairo noenhanced size 1200," +
        std::to_string(kPanelPixels * std::size(kPlotPanels)) + " font \",10\"\n"
        "set output ARG2\n"
        "set key top left horizontal opaque\n"
        "set grid\n"
        "set style data lines\n"
        "set offsets 0, 0, graph 0.05, graph 0.05\n"
        "set multiplot layout " + std::to_string(std::size(kPlotPanels)) + ",1 title ARG3\n";
    for (const PlotPanel& panel : kPlotPanels) {
        const bool right = panel.rightLabel[0] != '\0';
        script += std::string("set ylabel \"") + panel.leftLabel + "\"\n" +
                  (right ? std::string("set y2tics\nset y2label \"") + panel.rightLabel + "\"\n"
                         : std::string("unset y2tics\nunset y2label\n"));
        script += panel.x == kDistanceColumn ? "set xlabel \"distance flown, nm\"\n"
                                             : "set xlabel \"run time, s\"\n";
        std::string curves;
        auto add = [&](const char* column, const char* axes) {
            curves += std::string(curves.empty() ? "plot ARG1" : ", ''") +
                      " using \"" + panel.x + "\":\"" + column + "\" title \"" + column + "\" axes " + axes;
        };
        for (const char* column : panel.left) add(column, "x1y1");
        for (const char* column : panel.right) add(column, "x1y2");
        script += curves + "\n";
    }
    return script + "unset multiplot\n";
}

void plot(FlightTrace& trace, const std::string& gnuplot) {
    TraceResult& result = trace.result;
    if (result.rows == 0) {
        result.note = "no plot: the trace has no rows";
        return;
    }
    const std::filesystem::path csv(result.csvPath);
    const std::string pngPath = std::filesystem::path(csv).replace_extension(".png").string();
    const std::string scriptPath = std::filesystem::path(csv).replace_extension(".gp").string();
    const std::string logPath = std::filesystem::path(csv).replace_extension(".gp.log").string();
    std::ofstream script(scriptPath, std::ios::binary | std::ios::trunc);
    script << plotScript();
    script.close();
    std::string why;
    if (!script) {
        result.note = "no plot: cannot write " + scriptPath;
    } else if (!runGnuplot(gnuplot, scriptPath, result.csvPath, pngPath, logPath, &why)) {
        result.note = "no plot: " + why;
    } else {
        result.plotPath = pngPath;
    }
}

constexpr char kTraceExtension[] = ".csv";

bool nameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '.' || c == '-' || c == '_';
}

}  // namespace

bool traceNameAllowed(const std::string& name) {
    const size_t extension = sizeof kTraceExtension - 1;
    return name.size() > extension &&
           name.compare(name.size() - extension, extension, kTraceExtension) == 0 &&
           std::all_of(name.begin(), name.end(), nameCharacter);
}

std::string defaultTraceName(const std::string& scenarioFile) {
    std::string stem = std::filesystem::path(scenarioFile).stem().string();
    if (stem.empty()) stem = "flight";
    std::replace_if(stem.begin(), stem.end(), [](char c) { return !nameCharacter(c); }, '_');
    return stem + kTraceExtension;
}

std::vector<std::string> traceColumns() {
    std::vector<std::string> columns{kTimeColumn, kDistanceColumn};
    for (const DataRefColumn& column : kDataRefColumns) columns.push_back(column.header);
    columns.push_back(kCrossTrackColumn);
    columns.push_back(kModesColumn);
    return columns;
}

bool startTrace(FlightTrace& trace, const std::string& csvPath, double interval,
                std::string* error) {
    trace.file = std::fopen(csvPath.c_str(), "wb");
    if (trace.file == nullptr) {
        *error = "cannot write '" + csvPath + "': " + std::strerror(errno);
        return false;
    }
    trace.buffer.assign(kFileBufferBytes, '\0');
    std::setvbuf(trace.file, trace.buffer.data(), _IOFBF, trace.buffer.size());
    trace.interval = interval;
    trace.nextRow = 0.0;
    trace.lastSeconds = -1.0;
    trace.distanceNm = 0.0;
    trace.plugin = findQuil();
    trace.result = TraceResult{};
    trace.result.started = true;
    trace.result.csvPath = csvPath;
    const std::vector<std::string> columns = traceColumns();
    for (size_t i = 0; i < columns.size(); ++i)
        std::fprintf(trace.file, "%s%s", i ? "," : "", columns[i].c_str());
    std::fputc('\n', trace.file);
    return true;
}

void traceFrame(FlightTrace& trace, double runSeconds) {
    if (trace.file == nullptr) return;
    const double groundSpeed = getDouble("sim/flightmodel/position/groundspeed");
    if (std::isfinite(groundSpeed) && trace.lastSeconds >= 0.0)
        trace.distanceNm += groundSpeed * (runSeconds - trace.lastSeconds) / kMetresPerNm;
    trace.lastSeconds = runSeconds;
    if (runSeconds + 1e-6 < trace.nextRow) return;
    writeRow(trace, runSeconds);
    // Rows keep to the interval's grid, at most one a frame.
    trace.nextRow = (std::floor((runSeconds + 1e-6) / trace.interval) + 1.0) * trace.interval;
}

void finishTrace(FlightTrace& trace, const std::string& gnuplot) {
    if (trace.file == nullptr) return;
    const bool written = std::ferror(trace.file) == 0;
    const bool closed = std::fclose(trace.file) == 0;
    trace.file = nullptr;
    if (!written || !closed) {
        trace.result.note = "no plot: writing " + trace.result.csvPath + " failed";
        return;
    }
    plot(trace, gnuplot);
}

}  // namespace standin::runner
