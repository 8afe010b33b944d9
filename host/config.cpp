#include "host/config.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "XPLMPlanes.h"
#include "XPLMPlugin.h"
#include "XPLMUtilities.h"
#include "host/snapshot.h"
#include "render/colours.h"
#include "systems/fuel.h"

namespace quil {
namespace {

// The host's buffers for the aircraft file's name and path and for the
// plug-in's path.
constexpr size_t kAircraftFileNameBytes = 256;
constexpr size_t kAircraftPathBytes = 512;
constexpr size_t kPluginPathBytes = 256;

constexpr char kConfigurationFolder[] = "conf";
constexpr char kConfigurationFile[] = "quil.cnf";
constexpr char kTextureFolder[] = "quiltextures";
constexpr char kPaintSuffix[] = "_paint.png";
constexpr char kLiteMapPaintSuffix[] = "_paint_lit.png";
constexpr size_t kAircraftExtensionLength = 4;  // ".acf"

constexpr size_t kMaxValueLength = 256;

// ---- Text slots and the pressure unit ---------------------------------------

constexpr size_t kTextSlotBytes = kTextSlotLength + 1;
constexpr size_t kTextSlotCount = static_cast<size_t>(TextSlot::FlightDate) + 1;

// In the order of TextSlot.
char textSlots[kTextSlotCount][kTextSlotBytes] = {
    "Pell Orvik", "Temo Vasqueline", "quil project", "Q-UIL", "Boeing 737-800", "XXXX", "DD/MM/YYYY",
};

PressureUnit pressureUnit = PressureUnit::InchesOfMercury;

// ---- The key table ----------------------------------------------------------

bool is(const char* value, const char* word) { return std::strcmp(value, word) == 0; }

template <TextSlot slot>
void setTextSlot(const char* value) {
    SetText(slot, value);
}

// Unknown words leave the earlier choice.
void setDisplayScheme(const char* value) {
    if (is(value, "amber_color")) SetDisplayScheme(DisplayScheme::Amber);
    if (is(value, "white_color")) SetDisplayScheme(DisplayScheme::White);
}

void setFuelUnit(const char* value) {
    if (is(value, "fuel_kg")) SetFuelUnit(FuelUnit::Kilograms);
    if (is(value, "fuel_lb")) SetFuelUnit(FuelUnit::Pounds);
}

void setPressureUnit(const char* value) {
    if (is(value, "qnh_inhg")) SetPressureUnit(PressureUnit::InchesOfMercury);
    if (is(value, "qnh_hPa")) SetPressureUnit(PressureUnit::Hectopascals);
}

// The fuel model refuses counts beyond its tanks and keeps the earlier one.
void setForwardAuxTanks(const char* value) { SetForwardAuxTanks(DecimalValue(value)); }
void setAftAuxTanks(const char* value) { SetAftAuxTanks(DecimalValue(value)); }

void setPumpShutoffLogic(const char* value) { SetPumpShutoffLogic(!is(value, "false")); }

struct ConfigurationKey {
    const char* key;
    void (*apply)(const char* value);  // null: read, without effect
    const char* defaultValue;
};

constexpr ConfigurationKey kConfigurationKeys[] = {
    {"tailnum", setTextSlot<TextSlot::TailNumber>, "q-uil"},
    {"mcp_disp_color", setDisplayScheme, "amber_color"},
    {"battery_cap", nullptr, "48"},
    {"has_aux_battery", nullptr, "false"},
    {"fuel_unit", setFuelUnit, "fuel_lb"},
    {"aircraft_type", setTextSlot<TextSlot::AircraftType>, "Boeing 737-800/w"},
    {"qnh_unit", setPressureUnit, "qnh_inhg"},
    {"nmb_fwd_auxtanks", setForwardAuxTanks, "0"},
    {"nmb_aft_auxtanks", setAftAuxTanks, "0"},
    {"pump_shutoff_logic", setPumpShutoffLogic, "true"},
    {"captain_name", setTextSlot<TextSlot::CaptainName>, "Pell Orvik"},
    {"fo_name", setTextSlot<TextSlot::FirstOfficerName>, "Temo Vasqueline"},
    {"airline", setTextSlot<TextSlot::Airline>, "quil project"},
};

// ---- The parser -------------------------------------------------------------

// A value runs over spaces and the bytes 0x27 to 0x7F; the closing quote,
// control characters, ! # $ % & and bytes from 0x80 end it.
bool isValueByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == ' ' || (byte >= 0x27 && byte <= 0x7F);
}

// The key's first occurrence anywhere in the text counts, even inside a
// comment or a longer word. A key that is there without a quoted value
// keeps whatever the earlier read set; only an absent key gets its default.
void applyKey(std::string_view text, const ConfigurationKey& record) {
    const std::string_view key = record.key;
    size_t at = text.find(key);
    if (at == std::string_view::npos) {
        if (record.apply != nullptr) record.apply(record.defaultValue);
        return;
    }
    at += key.size();
    while (at < text.size() && (text[at] == ' ' || text[at] == '=')) ++at;
    if (at >= text.size() || text[at] != '"') return;
    ++at;
    char value[kMaxValueLength + 1];
    size_t length = 0;
    while (length < kMaxValueLength && at + length < text.size() &&
           isValueByte(text[at + length])) {
        value[length] = text[at + length];
        ++length;
    }
    value[length] = '\0';
    if (length > 0 && record.apply != nullptr) record.apply(value);
}

// ---- Files and paths --------------------------------------------------------

// The whole file as one terminated text; null when it is not a regular
// file, cannot be read, is empty, is larger than the limit or memory cannot
// be had. `length` is its size.
std::unique_ptr<char[]> readWholeFile(const std::string& path, size_t& length) {
    FILE* file = OpenRegularFile(path.c_str());
    if (file == nullptr) return nullptr;
    std::unique_ptr<char[]> text;
    const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    if (size > 0 && size <= kMaxConfigurationBytes && std::fseek(file, 0, SEEK_SET) == 0) {
        length = static_cast<size_t>(size);
        text.reset(new (std::nothrow) char[length + 1]);
        if (text && std::fread(text.get(), 1, length, file) == length) {
            text[length] = '\0';
        } else {
            text.reset();
        }
    }
    std::fclose(file);
    return text;
}

bool readable(const std::string& path) {
    FILE* file = OpenRegularFile(path.c_str());
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

char separator() {
    const char* text = XPLMGetDirectorySeparator();
    return text != nullptr && text[0] != '\0' ? text[0] : '/';
}

// A path the host wrote into a buffer of `size` bytes. One that fills the
// buffer may have been cut short and would name another file: empty.
std::string hostPath(const char* buffer, size_t size) {
    const size_t length = strnlen(buffer, size);
    return length + 1 < size ? std::string(buffer, length) : std::string();
}

std::string aircraftFilePath() {
    char fileName[kAircraftFileNameBytes] = {};
    char path[kAircraftPathBytes] = {};
    XPLMGetNthAircraftModel(0, fileName, path);
    return hostPath(path, sizeof path);
}

std::string pluginFilePath() {
    char path[kPluginPathBytes] = {};
    XPLMGetPluginInfo(XPLMGetMyID(), nullptr, path, nullptr, nullptr);
    return hostPath(path, sizeof path);
}

// The path up to and with its last separator; a path without one is taken
// whole.
std::string folderOf(const std::string& path) {
    const size_t last = path.rfind(separator());
    return last == std::string::npos ? path : path.substr(0, last + 1);
}

}  // namespace

// ---- Text slots and the pressure unit ---------------------------------------

const char* GetText(TextSlot slot) { return textSlots[static_cast<size_t>(slot)]; }

void SetText(TextSlot slot, const char* text) {
    if (text == nullptr) return;
    char* stored = textSlots[static_cast<size_t>(slot)];
    const size_t length = Utf8PrefixLength(text, kTextSlotLength);
    std::memmove(stored, text, length);
    stored[length] = '\0';
    if (slot == TextSlot::TailNumber) SetTailNumber(stored);
}

PressureUnit CurrentPressureUnit() { return pressureUnit; }
void SetPressureUnit(PressureUnit unit) { pressureUnit = unit; }

size_t Utf8PrefixLength(const char* text, size_t maxBytes) {
    if (strnlen(text, maxBytes + 1) <= maxBytes) return std::strlen(text);
    const auto byte = [text](size_t i) { return static_cast<unsigned char>(text[i]); };
    // The first byte left out continues a character: find its lead, at most
    // three bytes back, and cut before it when its character reaches past.
    size_t lead = maxBytes;
    while (lead > 0 && maxBytes - lead < 3 && (byte(lead) & 0xC0) == 0x80) --lead;
    if (lead == maxBytes || byte(lead) < 0xC0) return maxBytes;
    const size_t characterBytes = byte(lead) >= 0xF0 ? 4 : byte(lead) >= 0xE0 ? 3 : 2;
    return lead + characterBytes > maxBytes ? lead : maxBytes;
}

int DecimalValue(const char* text) {
    if (text == nullptr) return 0;
    const long value = std::strtol(text, nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// ---- The file ---------------------------------------------------------------

int ReadConfiguration() {
    SetDisplayScheme(DisplayScheme::White);
    SetFuelUnit(FuelUnit::Kilograms);
    const std::string path = ConfigurationPath();
    if (path.empty()) return -1;
    size_t length = 0;
    const std::unique_ptr<char[]> text = readWholeFile(path, length);
    if (!text) return -1;
    ParseConfiguration(text.get(), length);
    return 0;
}

void ParseConfiguration(const char* text, size_t length) {
    if (text == nullptr) return;
    const std::string_view whole(text, length);
    for (const ConfigurationKey& record : kConfigurationKeys) applyKey(whole, record);
}

// Checked before the open, which alone could already act on a device, and
// again on what was opened, in case the path was swapped between the two.
// statx, from glibc 2.28, where stat and fstat would ask for 2.33.
FILE* OpenRegularFile(const char* path) {
    const auto regular = [](int folder, const char* name, int flags) {
        struct statx status {};
        return statx(folder, name, flags, STATX_TYPE, &status) == 0 && S_ISREG(status.stx_mode);
    };
    if (path == nullptr || !regular(AT_FDCWD, path, 0)) return nullptr;
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    FILE* file = regular(descriptor, "", AT_EMPTY_PATH) ? fdopen(descriptor, "rb") : nullptr;
    if (file == nullptr) close(descriptor);
    return file;
}

// ---- Paths ------------------------------------------------------------------

std::string AircraftFolder() {
    const std::string aircraft = aircraftFilePath();
    return aircraft.empty() ? aircraft : folderOf(aircraft);
}

std::string ConfigurationPath() {
    const std::string folder = AircraftFolder();
    if (folder.empty()) return folder;
    return folder + kConfigurationFolder + separator() + kConfigurationFile;
}

bool ResolveTexturePath(const char* fileName, std::string& path) {
    path.clear();
    if (fileName == nullptr) return false;
    const std::string inTextureFolder = kTextureFolder + std::string(1, separator()) + fileName;
    const std::string aircraftFolder = AircraftFolder();
    if (!aircraftFolder.empty()) {
        path = aircraftFolder + inTextureFolder;
        if (readable(path)) return true;
    }
    const std::string plugin = pluginFilePath();
    path = plugin.empty() ? plugin : folderOf(plugin) + inTextureFolder;
    return !path.empty() && readable(path);
}

bool PaintPaths(std::string& paintPath, std::string& liteMapPath) {
    const std::string aircraft = aircraftFilePath();
    if (aircraft.size() <= kAircraftExtensionLength) {
        paintPath.clear();
        liteMapPath.clear();
        return false;
    }
    const std::string stem = aircraft.substr(0, aircraft.size() - kAircraftExtensionLength);
    paintPath = stem + kPaintSuffix;
    liteMapPath = stem + kLiteMapPaintSuffix;
    return true;
}

}  // namespace quil
