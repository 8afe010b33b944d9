// Datarefs: the simulator's typed variables and the ones plug-ins publish.
// Like the simulator, nothing converts between types: a read of a type the
// dataref does not offer gives 0.
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "XPLMDataAccess.h"
#include "standin/internal.h"
#include "standin/sim_datarefs.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

struct Accessor {
    XPLMGetDatai_f readInt;
    XPLMSetDatai_f writeInt;
    XPLMGetDataf_f readFloat;
    XPLMSetDataf_f writeFloat;
    XPLMGetDatad_f readDouble;
    XPLMSetDatad_f writeDouble;
    XPLMGetDatavi_f readIntArray;
    XPLMSetDatavi_f writeIntArray;
    XPLMGetDatavf_f readFloatArray;
    XPLMSetDatavf_f writeFloatArray;
    XPLMGetDatab_f readBytes;
    XPLMSetDatab_f writeBytes;
    void* readRefcon;
    void* writeRefcon;
};

struct DataRef {
    std::string name;
    XPLMDataTypeID types = xplmType_Unknown;
    bool writable = false;
    bool absent = false;  // the host pretends not to have it
    // A simulator variable keeps its value here, in its one type.
    std::vector<int> ints;
    std::vector<float> floats;
    std::vector<double> doubles;
    std::vector<unsigned char> bytes;
    // A published one is served by its owner's callbacks while registered.
    bool published = false;
    bool registered = false;
    XPLMPluginID owner = XPLM_NO_PLUGIN_ID;
    Accessor accessor{};
};

std::vector<DataRef> table;
std::unordered_map<std::string, size_t> indexByName;
std::vector<DataRefWrite> writes;
size_t loggedBytes = 0;  // of the writes logged, by logBytes

XPLMDataRef handleOf(size_t index) {
    return reinterpret_cast<XPLMDataRef>(static_cast<uintptr_t>(index + 1));
}

// Handles are table positions, so a stale or garbage handle is refused
// rather than followed.
DataRef* lookup(XPLMDataRef handle) {
    const auto position = reinterpret_cast<uintptr_t>(handle);
    if (position == 0 || position > table.size()) return nullptr;
    return &table[position - 1];
}

// What the call log names a handle by.
const std::string& loggedName(XPLMDataRef handle) {
    static const std::string unknown = "(no dataref)";
    const DataRef* ref = lookup(handle);
    return ref != nullptr ? ref->name : unknown;
}

DataRef* lookup(const std::string& name) {
    auto found = indexByName.find(name);
    return found == indexByName.end() ? nullptr : &table[found->second];
}

// A dataref whose owner is gone or disabled reads as 0 and takes no writes.
bool served(const DataRef& ref) {
    if (!ref.published) return true;
    return ref.registered && pluginEnabled(ref.owner);
}

bool offers(const DataRef& ref, XPLMDataTypeID type) {
    return served(ref) && (ref.types & type) != 0;
}

size_t logBytes(const DataRefWrite& write) {
    return sizeof write + write.name.size() + write.values.size() * sizeof(double);
}

// Past its bound the log drops its older half, by bytes: a plug-in writing
// large arrays every frame fills it with few entries.
void logWrite(const DataRef& ref, XPLMDataTypeID type, int offset,
              std::vector<double> values, bool applied) {
    DataRefWrite write{currentFrame(), currentPlugin(), ref.name, type, offset, std::move(values),
                       applied};
    loggedBytes += logBytes(write);
    writes.push_back(std::move(write));
    if (loggedBytes <= kWriteLogLimitBytes) return;
    size_t dropped = 0;
    while (loggedBytes > kWriteLogLimitBytes / 2 && dropped + 1 < writes.size())
        loggedBytes -= logBytes(writes[dropped++]);
    writes.erase(writes.begin(), writes.begin() + static_cast<long>(dropped));
}

// Copies the range [offset, offset + max) of an array, clipped to its end;
// a null destination asks for the size.
template <typename T>
int readRange(const std::vector<T>& source, T* out, int offset, int max) {
    const int size = static_cast<int>(source.size());
    if (out == nullptr) return size;
    if (offset < 0 || max <= 0 || offset >= size) return 0;
    const int count = std::min(max, size - offset);
    std::copy(source.begin() + offset, source.begin() + offset + count, out);
    return count;
}

template <typename T>
void writeRange(std::vector<T>& target, const T* values, int offset, int count) {
    const int size = static_cast<int>(target.size());
    if (values == nullptr || offset < 0 || count <= 0 || offset >= size) return;
    std::copy(values, values + std::min(count, size - offset), target.begin() + offset);
}

// The values of an array write that the SDK takes, and so reads: from the
// offset, no more than the array holds past it, whatever the count says.
template <typename T>
std::vector<double> takenValues(const T* values, int offset, int count, int size) {
    std::vector<double> logged;
    if (values == nullptr || offset < 0 || count <= 0 || offset >= size) return logged;
    logged.assign(values, values + std::min(count, size - offset));
    return logged;
}

// A published dataref's reader, called as its owner; 0 when it throws.
template <typename Read>
auto readAsOwner(const DataRef& ref, Read read) -> decltype(read()) {
    decltype(read()) value{};
    callPlugin(ref.owner, "a dataref reader", [&] { value = read(); });
    return value;
}

// The typed reads and writes, shared by the SDK (which adds writability and
// the write log) and the host's own access.
int readInt(const DataRef& ref) {
    if (!offers(ref, xplmType_Int)) return 0;
    if (!ref.published) return ref.ints[0];
    if (ref.accessor.readInt == nullptr) return 0;
    return readAsOwner(ref, [&] { return ref.accessor.readInt(ref.accessor.readRefcon); });
}

float readFloat(const DataRef& ref) {
    if (!offers(ref, xplmType_Float)) return 0.0f;
    if (!ref.published) return ref.floats[0];
    if (ref.accessor.readFloat == nullptr) return 0.0f;
    return readAsOwner(ref, [&] { return ref.accessor.readFloat(ref.accessor.readRefcon); });
}

double readDouble(const DataRef& ref) {
    if (!offers(ref, xplmType_Double)) return 0.0;
    if (!ref.published) return ref.doubles[0];
    if (ref.accessor.readDouble == nullptr) return 0.0;
    return readAsOwner(ref, [&] { return ref.accessor.readDouble(ref.accessor.readRefcon); });
}

int readInts(const DataRef& ref, int* out, int offset, int max) {
    if (!offers(ref, xplmType_IntArray)) return 0;
    if (!ref.published) return readRange(ref.ints, out, offset, max);
    if (ref.accessor.readIntArray == nullptr) return 0;
    return readAsOwner(ref, [&] {
        return ref.accessor.readIntArray(ref.accessor.readRefcon, out, offset, max);
    });
}

int readFloats(const DataRef& ref, float* out, int offset, int max) {
    if (!offers(ref, xplmType_FloatArray)) return 0;
    if (!ref.published) return readRange(ref.floats, out, offset, max);
    if (ref.accessor.readFloatArray == nullptr) return 0;
    return readAsOwner(ref, [&] {
        return ref.accessor.readFloatArray(ref.accessor.readRefcon, out, offset, max);
    });
}

int readBytes(const DataRef& ref, void* out, int offset, int max) {
    if (!offers(ref, xplmType_Data)) return 0;
    if (!ref.published) return readRange(ref.bytes, static_cast<unsigned char*>(out), offset, max);
    if (ref.accessor.readBytes == nullptr) return 0;
    return readAsOwner(ref, [&] {
        return ref.accessor.readBytes(ref.accessor.readRefcon, out, offset, max);
    });
}

void writeInt(DataRef& ref, int value) {
    if (!offers(ref, xplmType_Int)) return;
    if (!ref.published) {
        ref.ints[0] = value;
    } else if (ref.accessor.writeInt != nullptr) {
        callPlugin(ref.owner, "a dataref writer", [&] {
            ref.accessor.writeInt(ref.accessor.writeRefcon, value);
        });
    }
}

void writeFloat(DataRef& ref, float value) {
    if (!offers(ref, xplmType_Float)) return;
    if (!ref.published) {
        ref.floats[0] = value;
    } else if (ref.accessor.writeFloat != nullptr) {
        callPlugin(ref.owner, "a dataref writer", [&] {
            ref.accessor.writeFloat(ref.accessor.writeRefcon, value);
        });
    }
}

void writeDouble(DataRef& ref, double value) {
    if (!offers(ref, xplmType_Double)) return;
    if (!ref.published) {
        ref.doubles[0] = value;
    } else if (ref.accessor.writeDouble != nullptr) {
        callPlugin(ref.owner, "a dataref writer", [&] {
            ref.accessor.writeDouble(ref.accessor.writeRefcon, value);
        });
    }
}

void writeInts(DataRef& ref, int* values, int offset, int count) {
    if (!offers(ref, xplmType_IntArray)) return;
    if (!ref.published) {
        writeRange(ref.ints, values, offset, count);
    } else if (ref.accessor.writeIntArray != nullptr) {
        callPlugin(ref.owner, "a dataref writer", [&] {
            ref.accessor.writeIntArray(ref.accessor.writeRefcon, values, offset, count);
        });
    }
}

void writeFloats(DataRef& ref, float* values, int offset, int count) {
    if (!offers(ref, xplmType_FloatArray)) return;
    if (!ref.published) {
        writeRange(ref.floats, values, offset, count);
    } else if (ref.accessor.writeFloatArray != nullptr) {
        callPlugin(ref.owner, "a dataref writer", [&] {
            ref.accessor.writeFloatArray(ref.accessor.writeRefcon, values, offset, count);
        });
    }
}

void writeBytes(DataRef& ref, void* values, int offset, int length) {
    if (!offers(ref, xplmType_Data)) return;
    if (!ref.published) {
        writeRange(ref.bytes, static_cast<const unsigned char*>(values), offset, length);
    } else if (ref.accessor.writeBytes != nullptr) {
        callPlugin(ref.owner, "a dataref writer", [&] {
            ref.accessor.writeBytes(ref.accessor.writeRefcon, values, offset, length);
        });
    }
}

// A plug-in's write: logged with the values it gives, `logged(ref)`, and
// applied only where the dataref takes it.
template <typename Logged, typename Write>
void pluginWrite(XPLMDataRef handle, XPLMDataTypeID type, int offset, Logged logged,
                 Write write) {
    DataRef* ref = lookup(handle);
    if (ref == nullptr) return;
    const bool applied = offers(*ref, type) && ref->writable;
    logWrite(*ref, type, offset, logged(*ref), applied);
    if (applied) write(*ref);
}

std::vector<double> one(double value) { return {value}; }

// How many of an array write's values the SDK takes, and so the call log
// shows: from the offset, no more than the array holds past it.
template <typename T>
int takenCount(XPLMDataRef handle, int offset, int count,
               int (*read)(const DataRef&, T*, int, int)) {
    const DataRef* ref = lookup(handle);
    if (ref == nullptr || offset < 0 || count <= 0) return 0;
    return std::clamp(read(*ref, nullptr, 0, 0) - offset, 0, count);
}

bool findable(const std::string& name) {
    const DataRef* ref = lookup(name);
    return ref != nullptr && !ref->absent && (!ref->published || ref->registered);
}

}  // namespace

void addSimDataRef(const SimDataRefSpec& spec) {
    DataRef ref;
    ref.name = spec.name;
    ref.types = spec.type;
    ref.writable = spec.writable;
    const size_t size = static_cast<size_t>(spec.size);
    auto fill = [&](auto& storage) {
        using Value = typename std::decay_t<decltype(storage)>::value_type;
        storage.assign(size, static_cast<Value>(spec.fill));
        size_t i = 0;
        for (double value : spec.values) {
            if (i < size) storage[i++] = static_cast<Value>(value);
        }
    };
    switch (spec.type) {
        case xplmType_Int:
        case xplmType_IntArray: fill(ref.ints); break;
        case xplmType_Float:
        case xplmType_FloatArray: fill(ref.floats); break;
        case xplmType_Double: fill(ref.doubles); break;
        case xplmType_Data: fill(ref.bytes); break;
        default: return;
    }
    indexByName[ref.name] = table.size();
    table.push_back(std::move(ref));
}

void resetDataRefs() {
    table.clear();
    indexByName.clear();
    writes.clear();
    loggedBytes = 0;
    registerSimDataRefs();
}

void forgetPluginDataRefs(XPLMPluginID id) {
    for (DataRef& ref : table) {
        if (ref.published && ref.owner == id) {
            ref.registered = false;
            ref.accessor = Accessor{};
        }
    }
}

}  // namespace standin::detail

using namespace standin::detail;

// ---- The SDK ----------------------------------------------------------------

extern "C" {

XPLMDataRef XPLMFindDataRef(const char* name) {
    SdkCall call(SdkFunction::XPLMFindDataRef, name);
    const XPLMDataRef handle =
        name != nullptr && findable(name) ? handleOf(indexByName[name]) : nullptr;
    call.results(loggedName(handle));
    return handle;
}

int XPLMIsDataRefGood(XPLMDataRef handle) {
    SdkCall call(SdkFunction::XPLMIsDataRefGood, loggedName(handle));
    const DataRef* ref = lookup(handle);
    return call.returns(ref != nullptr && !ref->absent && served(*ref) ? 1 : 0);
}

XPLMDataTypeID XPLMGetDataRefTypes(XPLMDataRef handle) {
    SdkCall call(SdkFunction::XPLMGetDataRefTypes, loggedName(handle));
    const DataRef* ref = lookup(handle);
    return call.returns(ref != nullptr ? ref->types : xplmType_Unknown);
}

int XPLMGetDatai(XPLMDataRef handle) {
    SdkCall call(SdkFunction::XPLMGetDatai, loggedName(handle));
    const DataRef* ref = lookup(handle);
    return call.returns(ref ? readInt(*ref) : 0);
}

float XPLMGetDataf(XPLMDataRef handle) {
    SdkCall call(SdkFunction::XPLMGetDataf, loggedName(handle));
    const DataRef* ref = lookup(handle);
    return call.returns(ref ? readFloat(*ref) : 0.0f);
}

double XPLMGetDatad(XPLMDataRef handle) {
    SdkCall call(SdkFunction::XPLMGetDatad, loggedName(handle));
    const DataRef* ref = lookup(handle);
    return call.returns(ref ? readDouble(*ref) : 0.0);
}

int XPLMGetDatavi(XPLMDataRef handle, int* out, int offset, int max) {
    SdkCall call(SdkFunction::XPLMGetDatavi, loggedName(handle), offset, max);
    const DataRef* ref = lookup(handle);
    const int count = ref ? readInts(*ref, out, offset, max) : 0;
    call.results(count, LoggedInts{out, out != nullptr ? count : 0});
    return count;
}

int XPLMGetDatavf(XPLMDataRef handle, float* out, int offset, int max) {
    SdkCall call(SdkFunction::XPLMGetDatavf, loggedName(handle), offset, max);
    const DataRef* ref = lookup(handle);
    const int count = ref ? readFloats(*ref, out, offset, max) : 0;
    call.results(count, LoggedFloats{out, out != nullptr ? count : 0});
    return count;
}

int XPLMGetDatab(XPLMDataRef handle, void* out, int offset, int maxBytes) {
    SdkCall call(SdkFunction::XPLMGetDatab, loggedName(handle), offset, maxBytes);
    const DataRef* ref = lookup(handle);
    const int count = ref ? readBytes(*ref, out, offset, maxBytes) : 0;
    call.results(count, LoggedBytes{out, out != nullptr ? count : 0});
    return count;
}

void XPLMSetDatai(XPLMDataRef handle, int value) {
    SdkCall call(SdkFunction::XPLMSetDatai, loggedName(handle), value);
    pluginWrite(handle, xplmType_Int, 0, [&](const DataRef&) { return one(value); },
                [&](DataRef& ref) { writeInt(ref, value); });
}

void XPLMSetDataf(XPLMDataRef handle, float value) {
    SdkCall call(SdkFunction::XPLMSetDataf, loggedName(handle), value);
    pluginWrite(handle, xplmType_Float, 0, [&](const DataRef&) { return one(value); },
                [&](DataRef& ref) { writeFloat(ref, value); });
}

void XPLMSetDatad(XPLMDataRef handle, double value) {
    SdkCall call(SdkFunction::XPLMSetDatad, loggedName(handle), value);
    pluginWrite(handle, xplmType_Double, 0, [&](const DataRef&) { return one(value); },
                [&](DataRef& ref) { writeDouble(ref, value); });
}

void XPLMSetDatavi(XPLMDataRef handle, int* values, int offset, int count) {
    SdkCall call(SdkFunction::XPLMSetDatavi, loggedName(handle), offset,
                 LoggedInts{values, takenCount(handle, offset, count, readInts)});
    pluginWrite(
        handle, xplmType_IntArray, offset,
        [&](const DataRef& ref) {
            return takenValues(values, offset, count, readInts(ref, nullptr, 0, 0));
        },
        [&](DataRef& ref) { writeInts(ref, values, offset, count); });
}

void XPLMSetDatavf(XPLMDataRef handle, float* values, int offset, int count) {
    SdkCall call(SdkFunction::XPLMSetDatavf, loggedName(handle), offset,
                 LoggedFloats{values, takenCount(handle, offset, count, readFloats)});
    pluginWrite(
        handle, xplmType_FloatArray, offset,
        [&](const DataRef& ref) {
            return takenValues(values, offset, count, readFloats(ref, nullptr, 0, 0));
        },
        [&](DataRef& ref) { writeFloats(ref, values, offset, count); });
}

void XPLMSetDatab(XPLMDataRef handle, void* values, int offset, int length) {
    SdkCall call(SdkFunction::XPLMSetDatab, loggedName(handle), offset,
                 LoggedBytes{values, takenCount(handle, offset, length, readBytes)});
    pluginWrite(
        handle, xplmType_Data, offset,
        [&](const DataRef& ref) {
            return takenValues(static_cast<const unsigned char*>(values), offset, length,
                               readBytes(ref, nullptr, 0, 0));
        },
        [&](DataRef& ref) { writeBytes(ref, values, offset, length); });
}

XPLMDataRef XPLMRegisterDataAccessor(
    const char* name, XPLMDataTypeID types, int isWritable, XPLMGetDatai_f readInt,
    XPLMSetDatai_f writeInt, XPLMGetDataf_f readFloat, XPLMSetDataf_f writeFloat,
    XPLMGetDatad_f readDouble, XPLMSetDatad_f writeDouble, XPLMGetDatavi_f readIntArray,
    XPLMSetDatavi_f writeIntArray, XPLMGetDatavf_f readFloatArray,
    XPLMSetDatavf_f writeFloatArray, XPLMGetDatab_f readBytes, XPLMSetDatab_f writeBytes,
    void* readRefcon, void* writeRefcon) {
    SdkCall call(SdkFunction::XPLMRegisterDataAccessor, name, types, isWritable);
    // The "sim/" names are the simulator's own; a name already served by
    // someone is refused rather than silently taken over.
    if (name == nullptr || name[0] == '\0' || std::strncmp(name, "sim/", 4) == 0) {
        return nullptr;
    }
    DataRef* ref = lookup(name);
    if (ref != nullptr && (!ref->published || ref->registered)) return nullptr;
    if (ref == nullptr) {
        indexByName[name] = table.size();
        table.emplace_back();
        ref = &table.back();
        ref->name = name;
        ref->published = true;
    }
    // Re-registering a withdrawn name gives back its old handle, so other
    // plug-ins that kept it find the new owner.
    ref->types = types;
    ref->writable = isWritable != 0;
    ref->registered = true;
    ref->owner = currentPlugin();
    ref->accessor = {readInt,        writeInt,        readFloat,     writeFloat,
                     readDouble,     writeDouble,     readIntArray,  writeIntArray,
                     readFloatArray, writeFloatArray, readBytes,     writeBytes,
                     readRefcon,     writeRefcon};
    return handleOf(static_cast<size_t>(ref - table.data()));
}

void XPLMUnregisterDataAccessor(XPLMDataRef handle) {
    SdkCall call(SdkFunction::XPLMUnregisterDataAccessor, loggedName(handle));
    DataRef* ref = lookup(handle);
    if (ref == nullptr || !ref->published) return;
    ref->registered = false;
    ref->accessor = Accessor{};
}

}  // extern "C"

// ---- Host-side access --------------------------------------------------------

namespace standin {
namespace {

bool writeNumber(detail::DataRef* ref, double value, int index) {
    if (ref == nullptr || index < 0) return false;
    const XPLMDataTypeID types = ref->types;
    if (types & xplmType_FloatArray) {
        float element = static_cast<float>(value);
        if (detail::readFloats(*ref, nullptr, 0, 0) <= index) return false;
        detail::writeFloats(*ref, &element, index, 1);
        return true;
    }
    if (types & xplmType_IntArray) {
        int element = static_cast<int>(value);
        if (detail::readInts(*ref, nullptr, 0, 0) <= index) return false;
        detail::writeInts(*ref, &element, index, 1);
        return true;
    }
    if (index != 0) return false;
    if (types & xplmType_Double) {
        detail::writeDouble(*ref, value);
    } else if (types & xplmType_Float) {
        detail::writeFloat(*ref, static_cast<float>(value));
    } else if (types & xplmType_Int) {
        detail::writeInt(*ref, static_cast<int>(value));
    } else {
        return false;
    }
    return true;
}

double readNumber(const detail::DataRef* ref, int index) {
    if (ref == nullptr || index < 0) return 0.0;
    const XPLMDataTypeID types = ref->types;
    if (types & xplmType_FloatArray) {
        float element = 0.0f;
        detail::readFloats(*ref, &element, index, 1);
        return element;
    }
    if (types & xplmType_IntArray) {
        int element = 0;
        detail::readInts(*ref, &element, index, 1);
        return element;
    }
    if (index != 0) return 0.0;
    if (types & xplmType_Double) return detail::readDouble(*ref);
    if (types & xplmType_Float) return detail::readFloat(*ref);
    if (types & xplmType_Int) return detail::readInt(*ref);
    return 0.0;
}

bool writeNumber(const std::string& name, double value, int index) {
    return writeNumber(detail::lookup(name), value, index);
}

double readNumber(const std::string& name, int index) {
    return readNumber(detail::lookup(name), index);
}

}  // namespace

namespace detail {

XPLMDataRef hostHandle(const std::string& name) {
    auto found = indexByName.find(name);
    return found == indexByName.end() ? nullptr : handleOf(found->second);
}

double hostRead(XPLMDataRef handle, int index) { return readNumber(lookup(handle), index); }

void hostWrite(XPLMDataRef handle, double value, int index) {
    writeNumber(lookup(handle), value, index);
}

}  // namespace detail

bool hasDataRef(const std::string& name) { return detail::findable(name); }

void addCheckDataRef(const std::string& name) {
    if (detail::hostHandle(name) == nullptr)
        detail::addSimDataRef({name.c_str(), xplmType_Double, 1, false, {}});
}

std::vector<std::string> dataRefNames() {
    std::vector<std::string> names;
    for (const detail::DataRef& ref : detail::table) {
        if (detail::findable(ref.name)) names.push_back(ref.name);
    }
    return names;
}

XPLMDataTypeID dataRefTypes(const std::string& name) {
    if (!detail::findable(name)) return xplmType_Unknown;
    return detail::lookup(name)->types;
}

int dataRefSize(const std::string& name) {
    if (!detail::findable(name)) return 0;
    const detail::DataRef& ref = *detail::lookup(name);
    if (ref.types & xplmType_FloatArray) return detail::readFloats(ref, nullptr, 0, 0);
    if (ref.types & xplmType_IntArray) return detail::readInts(ref, nullptr, 0, 0);
    return 1;
}

void markDataRefAbsent(const std::string& name) {
    if (detail::DataRef* ref = detail::lookup(name)) ref->absent = true;
}

bool setInt(const std::string& name, int value, int index) {
    return writeNumber(name, value, index);
}
bool setFloat(const std::string& name, float value, int index) {
    return writeNumber(name, value, index);
}
bool setDouble(const std::string& name, double value, int index) {
    return writeNumber(name, value, index);
}
int getInt(const std::string& name, int index) {
    return static_cast<int>(readNumber(name, index));
}
float getFloat(const std::string& name, int index) {
    return static_cast<float>(readNumber(name, index));
}
double getDouble(const std::string& name, int index) { return readNumber(name, index); }

bool setBytes(const std::string& name, const std::string& value) {
    detail::DataRef* ref = detail::lookup(name);
    if (ref == nullptr || !(ref->types & xplmType_Data)) return false;
    std::vector<char> text(value.begin(), value.end());
    text.push_back('\0');
    detail::writeBytes(*ref, text.data(), 0, static_cast<int>(text.size()));
    return true;
}

std::string getBytes(const std::string& name) {
    const detail::DataRef* ref = detail::lookup(name);
    if (ref == nullptr) return {};
    const int size = detail::readBytes(*ref, nullptr, 0, 0);
    std::vector<char> text(static_cast<size_t>(std::max(size, 0)) + 1, '\0');
    detail::readBytes(*ref, text.data(), 0, size);
    return std::string(text.data());
}

const std::vector<DataRefWrite>& writeLog() { return detail::writes; }
void clearWriteLog() {
    detail::writes.clear();
    detail::loggedBytes = 0;
}

}  // namespace standin
