#include <gtest/gtest.h>

#include "app/options.h"

namespace detkit {
namespace {

TEST(Options, NoneGiveThePlainWindow)
{
    const Options o = parseOptions({});
    EXPECT_FALSE(o.simulate || o.help || o.version || o.autostart);
    EXPECT_TRUE(o.screenshot.empty());
    EXPECT_TRUE(o.info.empty());
    EXPECT_TRUE(o.error.empty());
}

TEST(Options, ScreenshotWithDelay)
{
    const Options o = parseOptions({"--simulate", "--screenshot", "out.png", "--after-ms", "1500"});
    EXPECT_TRUE(o.simulate);
    EXPECT_EQ(o.screenshot, "out.png");
    EXPECT_EQ(o.afterMs, 1500);
    EXPECT_TRUE(o.error.empty());
}

TEST(Options, BadInputIsExplained)
{
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"--after-ms", "soon"}, "--after-ms needs a whole number of milliseconds, not 'soon'"},
        {{"--after-ms", "-5"}, "--after-ms cannot be negative"},
        {{"--screenshot"}, "--screenshot needs a value"},
        {{"--info"}, "--info needs a value"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseOptions(c.args).error, c.error);
}

}  // namespace
}  // namespace detkit
