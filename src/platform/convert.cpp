#include "platform/convert.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace detkit {

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

int StrToInt(std::string_view text)
{
    const std::string s(trimmed(text));
    const auto fail = [&] { return ConversionError("'" + std::string(text) + "' is not a valid integer value"); };
    if (s.empty())
        throw fail();
    std::size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (i == s.size())
        throw fail();
    for (std::size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9')
            throw fail();
    errno = 0;
    const long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (errno == ERANGE || v < -2147483648LL || v > 2147483647LL)
        throw fail();
    return static_cast<int>(v);
}

double StrToFloat(std::string_view text)
{
    const std::string s(trimmed(text));
    const auto fail = [&] {
        return ConversionError("'" + std::string(text) + "' is not a valid floating point value");
    };
    // Plain decimal notation only: no hex, no "inf"/"nan", no locale surprises.
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
    }
    if (digits == 0)
        throw fail();
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; ++expDigits; }
        if (expDigits == 0)
            throw fail();
    }
    if (i != s.size())
        throw fail();
    // from_chars ignores the C locale: "1.8" is 1.8 even where the decimal separator is a comma.
    double v = 0;
    const std::size_t start = s[0] == '+' ? 1 : 0;
    const auto [end, ec] = std::from_chars(s.data() + start, s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        throw fail();
    return v;
}

}  // namespace detkit
