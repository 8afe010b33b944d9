// The simulator's own datarefs, as the host registers them at start.
#pragma once

#include <initializer_list>

#include "XPLMDataAccess.h"

namespace standin::detail {

// One simulator variable: its single type, element count (1 for scalars,
// the byte size for data), writability by plug-ins, and its first values
// (the rest start at 0; `fill` sets every element first).
struct SimDataRefSpec {
    const char* name;
    XPLMDataTypeID type;
    int size;
    bool writable;
    std::initializer_list<double> values;
    double fill = 0.0;
};

// Adds every simulator dataref with its parked-aircraft default.
void registerSimDataRefs();
void addSimDataRef(const SimDataRefSpec& spec);

}  // namespace standin::detail
