// A dataref looked up on its first use: each operation starts as a resolver
// that finds the name and replaces itself by the real access, or by a
// fallback that reads 0 and writes nothing when the simulator lacks it.
#pragma once

#include "XPLMDataAccess.h"

namespace quil {

struct LazyDataRef;
using LazyGetFloat = float (*)(LazyDataRef& ref);
using LazySetFloat = void (*)(LazyDataRef& ref, float value);
using LazyGetFloats = void (*)(LazyDataRef& ref, float* out, int offset, int count);

struct LazyDataRef {
    const char* name;
    LazyGetFloat getFloat;
    LazySetFloat setFloat;
    LazyGetFloats getFloats;
    XPLMDataRef handle;
};

// A record for `name`, unresolved.
LazyDataRef MakeLazyDataRef(const char* name);

float LazyGet(LazyDataRef& ref);
void LazySet(LazyDataRef& ref, float value);
// Fills out[0 .. count) from element `offset` on; zeros where nothing is read.
void LazyGetArray(LazyDataRef& ref, float* out, int offset, int count);

}  // namespace quil
