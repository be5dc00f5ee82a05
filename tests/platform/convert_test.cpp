#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/convert.h"
#include "platform/format.h"

namespace detkit {
namespace {

struct IntCase {
    const char* text;
    bool ok;
    int value;
};

TEST(Convert, StrToIntTable)
{
    const IntCase cases[] = {
        {"0", true, 0},          {"100", true, 100},      {"  42", true, 42},     {"42  ", true, 42},
        {"-7", true, -7},        {"+7", true, 7},         {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},           {"2147483648", false, 0},
        {"", false, 0},          {"   ", false, 0},        {"-", false, 0},        {"12a", false, 0},
        {"1.5", false, 0},       {"abc", false, 0},       {"0x10", false, 0},     {"1 2", false, 0},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.ok)
            EXPECT_EQ(StrToInt(c.text), c.value);
        else
            EXPECT_THROW(StrToInt(c.text), ConversionError);
    }
}

struct FloatCase {
    const char* text;
    bool ok;
    double value;
};

TEST(Convert, StrToFloatTable)
{
    const FloatCase cases[] = {
        {"1000.0", true, 1000.0}, {"   3600.0", true, 3600.0}, {"      1.8", true, 1.8}, {"12.34", true, 12.34},
        {"0.05", true, 0.05},     {".5", true, 0.5},           {"5.", true, 5.0},        {"-2.5", true, -2.5},
        {"1e3", true, 1000.0},    {"600", true, 600.0},        {"abc", false, 0},        {"", false, 0},
        {"1,5", false, 0},        {"nan", false, 0},           {"inf", false, 0},        {"1e", false, 0},
        {"1e999", false, 0},      {".", false, 0},             {"0x1p3", false, 0},
    };
    for (const FloatCase& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.ok)
            EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value);
        else
            EXPECT_THROW(StrToFloat(c.text), ConversionError);
    }
}

TEST(Convert, ErrorMessageNamesTheText)
{
    try {
        StrToFloat("abc");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
}

TEST(Format, CFormatsOfTheForms)
{
    EXPECT_EQ(Format("%8.1f", 3600.0), "  3600.0");
    EXPECT_EQ(Format("%9.1f", 1.8f), "      1.8");
    EXPECT_EQ(Format("%04d", 5), "0005");
    EXPECT_EQ(Format("%8.2f", 0.0), "    0.00");
    const std::string longText(300, 'x');
    EXPECT_EQ(Format("%s!", longText.c_str()), longText + "!");
}

}  // namespace
}  // namespace detkit

namespace detkit {
namespace {

TEST(Convert, StrToFloatIgnoresACommaLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string keep = previous != nullptr ? previous : "C";
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            comma = true;
            break;
        }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_DOUBLE_EQ(StrToFloat("1.8"), 1.8);
    EXPECT_DOUBLE_EQ(StrToFloat("   12.34"), 12.34);
    EXPECT_THROW(StrToFloat("1,8"), ConversionError);
    std::setlocale(LC_NUMERIC, keep.c_str());
}

}  // namespace
}  // namespace detkit
