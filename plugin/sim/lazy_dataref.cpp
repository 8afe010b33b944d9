#include "sim/lazy_dataref.h"

#include <algorithm>

namespace quil {
namespace {

float realGet(LazyDataRef& ref) { return XPLMGetDataf(ref.handle); }
void realSet(LazyDataRef& ref, float value) { XPLMSetDataf(ref.handle, value); }
void realGetArray(LazyDataRef& ref, float* out, int offset, int count) {
    if (out == nullptr || count <= 0) return;
    const int read = std::max(0, XPLMGetDatavf(ref.handle, out, offset, count));
    std::fill(out + std::min(read, count), out + count, 0.0f);
}

float missingGet(LazyDataRef&) { return 0.0f; }
void missingSet(LazyDataRef&, float) {}
void missingGetArray(LazyDataRef&, float* out, int, int count) {
    if (out != nullptr && count > 0) std::fill(out, out + count, 0.0f);
}

// Settles every operation of the record at once: the name is looked up a
// single time, whichever operation comes first.
void resolve(LazyDataRef& ref) {
    ref.handle = XPLMFindDataRef(ref.name);
    const bool found = ref.handle != nullptr;
    ref.getFloat = found ? realGet : missingGet;
    ref.setFloat = found ? realSet : missingSet;
    ref.getFloats = found ? realGetArray : missingGetArray;
}

float resolvingGet(LazyDataRef& ref) {
    resolve(ref);
    return ref.getFloat(ref);
}

void resolvingSet(LazyDataRef& ref, float value) {
    resolve(ref);
    ref.setFloat(ref, value);
}

void resolvingGetArray(LazyDataRef& ref, float* out, int offset, int count) {
    resolve(ref);
    ref.getFloats(ref, out, offset, count);
}

}  // namespace

LazyDataRef MakeLazyDataRef(const char* name) {
    return {name, resolvingGet, resolvingSet, resolvingGetArray, nullptr};
}

float LazyGet(LazyDataRef& ref) { return ref.getFloat(ref); }
void LazySet(LazyDataRef& ref, float value) { ref.setFloat(ref, value); }
void LazyGetArray(LazyDataRef& ref, float* out, int offset, int count) {
    ref.getFloats(ref, out, offset, count);
}

}  // namespace quil
