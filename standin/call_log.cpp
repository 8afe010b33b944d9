// The call log: every SDK call plug-ins make, one line each, in the order
// made. Nothing in a line depends on where things sit in memory, so a run
// repeated gives the same file byte for byte.
#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

// A call made from inside another (a widget callback run by the SDK) gets
// a line of its own, written before the outer call's.
struct Line {
    std::string text;
    int items = 0;
    bool inResults = false;
};

std::FILE* file = nullptr;
std::vector<Line> lines;  // one per call in progress, kept for their capacity
size_t depth = 0;

Line& current() { return lines[depth - 1]; }

void separate() {
    Line& line = current();
    if (line.items++ > 0) line.text += ", ";
}

template <typename... Values>
void appendFormatted(const char* format, Values... values) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, values...);
    current().text += buffer;
}

}  // namespace

bool callLogOpen() { return file != nullptr; }

void beginLoggedCall(SdkFunction function) {
    if (++depth > lines.size()) lines.emplace_back();
    Line& line = current();
    line.text.clear();
    line.items = 0;
    line.inResults = false;
    line.text += std::to_string(currentPlugin());
    line.text += ' ';
    line.text += sdkFunctionName(function);
    line.text += '(';
}

void beginLoggedResults() {
    Line& line = current();
    if (line.inResults) return;
    line.text += ") = ";
    line.inResults = true;
    line.items = 0;
}

void endLoggedCall() {
    Line& line = current();
    if (!line.inResults) line.text += ')';
    line.text += '\n';
    std::fwrite(line.text.data(), 1, line.text.size(), file);
    --depth;
}

void logItem(int value) {
    separate();
    appendFormatted("%d", value);
}

void logItem(long value) {
    separate();
    appendFormatted("%ld", value);
}

// Enough digits that the value reads back exactly.
void logItem(float value) {
    separate();
    appendFormatted("%.9g", static_cast<double>(value));
}

void logItem(double value) {
    separate();
    appendFormatted("%.17g", value);
}

void logItem(const char* text) {
    if (text == nullptr) {
        separate();
        current().text += "null";
        return;
    }
    logItem(LoggedBytes{text, static_cast<int>(std::char_traits<char>::length(text))});
}

void logItem(const std::string& text) {
    logItem(LoggedBytes{text.data(), static_cast<int>(text.size())});
}

void logItem(LoggedHandle handle) {
    separate();
    if (handle.serial == 0) {
        current().text += "null";
        return;
    }
    current().text += handle.kind;
    appendFormatted(" %" PRIuPTR, handle.serial);
}

void logItem(LoggedInts values) {
    separate();
    if (values.values == nullptr) values.count = 0;
    current().text += '[';
    for (int i = 0; i < values.count; ++i) appendFormatted(i ? " %d" : "%d", values.values[i]);
    current().text += ']';
}

void logItem(LoggedFloats values) {
    separate();
    if (values.values == nullptr) values.count = 0;
    current().text += '[';
    for (int i = 0; i < values.count; ++i)
        appendFormatted(i ? " %.9g" : "%.9g", static_cast<double>(values.values[i]));
    current().text += ']';
}

// Quoted, with anything unprintable (a line end among it) as \xNN.
void logItem(LoggedBytes bytes) {
    separate();
    std::string& text = current().text;
    text += '"';
    const auto* data = static_cast<const unsigned char*>(bytes.bytes);
    for (int i = 0; data != nullptr && i < bytes.count; ++i) {
        const unsigned char c = data[i];
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\')
            text += static_cast<char>(c);
        else
            appendFormatted("\\x%02x", c);
    }
    text += '"';
}

void logFrame(long frame) {
    if (file != nullptr) std::fprintf(file, "frame %ld\n", frame);
}

}  // namespace standin::detail

namespace standin {

bool openCallLog(const std::string& path) {
    closeCallLog();
    detail::file = std::fopen(path.c_str(), "w");
    if (detail::file != nullptr) std::setvbuf(detail::file, nullptr, _IOFBF, 1 << 20);
    return detail::file != nullptr;
}

bool closeCallLog() {
    if (detail::file == nullptr) return true;
    const bool written = std::ferror(detail::file) == 0;
    const bool closed = std::fclose(detail::file) == 0;
    detail::file = nullptr;
    return written && closed;
}

}  // namespace standin
