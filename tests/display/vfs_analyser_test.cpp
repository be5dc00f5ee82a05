// The VFS controls while an acquisition runs: the analyser owns the display
// state, so the controls send it commands instead of changing the scale.
#include <gtest/gtest.h>

#include "device/sim_link.h"
#include "display/vertical_scale.h"

namespace detkit {
namespace {

class VfsWhileAcquiring : public ::testing::Test {
protected:
    VfsWhileAcquiring()
    {
        link.s.Acquiring = 1;
        link.s.LogScale = 1;
        link.s.FullScaleIndex = 5;
    }
    const std::vector<std::string>& sent() const { return link.sim.commandsReceived(); }
    // The grid row of the log scale at 52 px per decade; absent on the linear scale.
    bool logGridShown() { return link.s.surfaces.PlotBackground.Pixels(100, 259) == clMaroon; }

    SimLink link;
};

TEST_F(VfsWhileAcquiring, LogSendsTheCommandAndRebuildsOnlyWhenAcknowledged)
{
    link.s.LogScale = 0;
    BuildLinearBackground(link.s);
    link.sim.injectReplyFault(ReplyFault::refuse, "$O;");
    LogDispClick(link.s, link.f);
    EXPECT_EQ(sent(), std::vector<std::string>{"$O;"});
    EXPECT_EQ(link.s.LogScale, 1);
    EXPECT_FALSE(logGridShown());

    LogDispClick(link.s, link.f);
    EXPECT_TRUE(logGridShown());
}

TEST_F(VfsWhileAcquiring, AutoSendsTheStepAsOneCharacter)
{
    link.s.MaxCount = 300000;  // 500000 is the first full scale above it: step 12
    AutoVfsClick(link.s, link.f);
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0], std::string("$V") + static_cast<char>(60) + ";");
    EXPECT_EQ(link.f.Edit1.text, "$V<;");
    EXPECT_EQ(link.s.FullScaleIndex, 12);
    EXPECT_EQ(link.s.LogScale, 0);
}

TEST_F(VfsWhileAcquiring, RefusedAutoLeavesTheStep)
{
    link.s.MaxCount = 0;
    link.sim.injectReplyFault(ReplyFault::garbage, "$V");
    AutoVfsClick(link.s, link.f);
    EXPECT_EQ(link.f.Edit1.text, "$V1;");
    EXPECT_EQ(link.s.FullScaleIndex, 5);
}

TEST_F(VfsWhileAcquiring, ArrowsSendUpAndDown)
{
    UpDown1Click(link.s, link.f, UpDownButton::btNext);
    EXPECT_EQ(link.s.FullScaleIndex, 4);
    UpDown1Click(link.s, link.f, UpDownButton::btPrev);
    EXPECT_EQ(link.s.FullScaleIndex, 5);
    EXPECT_EQ(sent(), (std::vector<std::string>{"$V;", "$v;"}));

    link.sim.injectReplyFault(ReplyFault::noReply, "$V;");
    UpDown1Click(link.s, link.f, UpDownButton::btNext);
    EXPECT_EQ(link.s.FullScaleIndex, 5);  // no answer, no change
}

TEST_F(VfsWhileAcquiring, IdleAnalyserIsNotAsked)
{
    link.s.Acquiring = 0;
    LogDispClick(link.s, link.f);
    AutoVfsClick(link.s, link.f);
    UpDown1Click(link.s, link.f, UpDownButton::btNext);
    EXPECT_TRUE(sent().empty());
}

}  // namespace
}  // namespace detkit
