// What the configuration sets and the panels and windows read: the crew,
// airline and flight texts and the altimeter's pressure unit; and the text
// helpers that go with them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quil {

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

}  // namespace quil
