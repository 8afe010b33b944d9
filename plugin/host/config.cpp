#include "host/config.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "render/colours.h"
#include "sim/paths.h"
#include "sim/settings.h"
#include "systems/fuel.h"

namespace quil {
namespace {

constexpr size_t kMaxValueLength = 256;

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

// ---- The file ---------------------------------------------------------------

// The whole file as one terminated text; null when it is not a regular
// file, cannot be read, is empty, is larger than the limit or memory cannot
// be had. `length` is its size.
std::unique_ptr<char[]> readWholeFile(const std::string& path, size_t& length) {
    const RegularFile file = OpenRegularFile(path.c_str(), kMaxConfigurationBytes);
    if (file.file == nullptr) return nullptr;
    std::unique_ptr<char[]> text;
    if (file.bytes > 0) {
        length = static_cast<size_t>(file.bytes);
        text.reset(new (std::nothrow) char[length + 1]);
        if (text && std::fread(text.get(), 1, length, file.file) == length) {
            text[length] = '\0';
        } else {
            text.reset();
        }
    }
    std::fclose(file.file);
    return text;
}

}  // namespace

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

}  // namespace quil
