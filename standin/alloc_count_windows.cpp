// Windows: allocations are not counted. A DLL cannot stand in front of the
// C runtime's allocator for the whole process as the Linux build does, and
// the plug-in's own runtime is linked into it; the figures stay zero.
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

bool countingOn = false;

}  // namespace

bool allocationCountingOn() { return countingOn; }
void setAllocationCounting(bool on) { countingOn = on; }
long allocationsCounted() { return 0; }
void forgetLargestAllocation() {}
void countAllocationsOf(const std::vector<void*>&) {}

}  // namespace standin::detail

size_t standin::largestAllocation() { return 0; }
size_t standin::heapBytesInUse() { return 0; }
