// The aircraft's configuration file "conf/quil.cnf", the texts and the
// pressure unit it sets, and the paths derived from the aircraft's location.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quil {

// Larger files are refused like unreadable ones: a configuration is a few
// hundred bytes, and nothing beyond this is read into memory.
constexpr long kMaxConfigurationBytes = 1L << 20;

// Resets the display scheme to white and the fuel unit to kilograms, file
// or not, then reads and applies the file. 0 when it was read; -1 when it
// is missing, not a regular file, empty, unreadable or larger than
// kMaxConfigurationBytes.
int ReadConfiguration();
// Applies every key to the file's contents, `length` bytes of any value: a
// NUL byte is one more byte that cannot stand in a value.
void ParseConfiguration(const char* text, size_t length);

// Opens a regular file for reading; null for anything else. The open never
// waits: a named pipe or a device in place of a file would hold the
// simulator at that point for ever.
FILE* OpenRegularFile(const char* path);

// The crew, airline and aircraft texts that the fuel request form shows and
// edits. Each holds at most kTextSlotLength bytes; longer texts are cut
// before the character (UTF-8) that would not fit whole.
enum class TextSlot {
    CaptainName,
    FirstOfficerName,
    Airline,
    TailNumber,
    AircraftType,
    FlightNumber,
    FlightDate,
};
constexpr size_t kTextSlotLength = 127;
const char* GetText(TextSlot slot);
// Setting the tail number also writes it to the simulator.
void SetText(TextSlot slot, const char* text);

// The barometric unit of the panel's altimeter setting.
enum class PressureUnit : uint8_t { InchesOfMercury = 0, Hectopascals = 1 };
PressureUnit CurrentPressureUnit();
void SetPressureUnit(PressureUnit unit);

// How many of the first `maxBytes` bytes of a terminated text can be kept
// without cutting a UTF-8 character: the cut goes before a character whose
// bytes do not all fit. Bytes that are not UTF-8 count one each.
size_t Utf8PrefixLength(const char* text, size_t maxBytes);

// A decimal integer as the configuration and the aircraft description write
// it: leading white space and one sign, digits up to the first other
// character, 0 without digits, clamped to the int range.
int DecimalValue(const char* text);

// The paths below are empty, and the operations fail, when the host gives
// no aircraft path or one that fills its buffer and so may have been cut.
// The aircraft's folder, ending in the directory separator.
std::string AircraftFolder();
std::string ConfigurationPath();
// The artwork file's path in the aircraft's "quiltextures" folder, else in
// the plug-in's own; false when neither has it (path: the second candidate).
bool ResolveTexturePath(const char* fileName, std::string& path);
// The aircraft's paint and light-map paint files.
bool PaintPaths(std::string& paintPath, std::string& liteMapPath);

}  // namespace quil
