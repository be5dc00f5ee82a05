#pragma once
// Text-to-number conversions of the forms. A text that does not convert
// throws ConversionError; the window shows its message and skips the rest of
// the handler.

#include <stdexcept>
#include <string>
#include <string_view>

namespace detkit {

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decimal integer with optional sign; blanks around it are accepted.
int StrToInt(std::string_view text);
// Decimal number with '.' as separator and optional exponent; blanks around it are accepted.
double StrToFloat(std::string_view text);

}  // namespace detkit
