#pragma once
// printf-style formatting into a std::string, for the C formats the forms use
// ("%8.1f", "%04d", ...).

#include <string>

namespace detkit {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace detkit
