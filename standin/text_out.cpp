#include <algorithm>
#include <cstring>

#include "standin/internal.h"

namespace standin::detail {

void copyText(char* out, const std::string& text, size_t capacity) {
    if (out == nullptr || capacity == 0) return;
    const size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

}  // namespace standin::detail
