#include "platform/format.h"

#include <cstdarg>
#include <cstdio>

namespace detkit {

std::string Format(const char* fmt, ...)
{
    char small[128];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else {
        out.resize(static_cast<std::size_t>(n));
        std::vsnprintf(out.data(), out.size() + 1, fmt, copy);
    }
    va_end(copy);
    return out;
}

}  // namespace detkit
