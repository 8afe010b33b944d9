#include "sim/settings.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "sim/snapshot.h"

namespace quil {
namespace {

constexpr size_t kTextSlotBytes = kTextSlotLength + 1;
constexpr size_t kTextSlotCount = static_cast<size_t>(TextSlot::FlightDate) + 1;

// In the order of TextSlot.
char textSlots[kTextSlotCount][kTextSlotBytes] = {
    "Pell Orvik", "Temo Vasqueline", "quil project", "Q-UIL", "Boeing 737-800", "XXXX", "DD/MM/YYYY",
};

PressureUnit pressureUnit = PressureUnit::InchesOfMercury;

}  // namespace

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

}  // namespace quil
