#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/mca_setup_click.h"
#include "acquisition/mca_setup_fields.h"
#include "device/sim_link.h"
#include "platform/convert.h"
#include "state/form.h"
#include "state/shared_state.h"
#include "support/scripted_dialogs.h"

namespace detkit {
namespace {

// One press of a dialog button after some edits.
struct Attempt {
    std::function<void(McaSetUpFields&)> edit;
    bool ok = true;
};

// The operator at the set-up dialog, behaving as the real dialog does: the
// fields are loaded from a copy, OK stores only when every field converts
// (else one error and the dialog stays open), Cancel closes.
struct Operator {
    std::vector<Attempt> attempts;
    std::vector<McaSetUpFields> shown;
    std::vector<std::string> errors;

    void install(ScriptedDialogs& dialogs)
    {
        dialogs.mcaSetUp = [this](McaSettings& settings) {
            McaSettings copy = settings;
            McaSetUpFields fields = LoadMcaSetUp(copy);
            shown.push_back(fields);
            for (const Attempt& a : attempts) {
                if (a.edit)
                    a.edit(fields);
                if (!a.ok)
                    return false;
                try {
                    StoreMcaSetUp(fields, settings);
                    return true;
                } catch (const ConversionError& e) {
                    errors.push_back(e.what());
                }
            }
            return false; // the close box
        };
    }
};

struct McaSetUpTest : ::testing::Test {
    SharedState s;
    Form form;
    ScriptedDialogs dialogs;
    Operator op;

    void SetUp() override { s.io.dialogs = &dialogs; }
    void run(std::vector<Attempt> attempts)
    {
        op.attempts = std::move(attempts);
        op.install(dialogs);
        Button10Click(s, form);
    }
};

TEST_F(McaSetUpTest, FirstOpeningShowsTheStartValues)
{
    run({{nullptr, false}});
    ASSERT_EQ(op.shown.size(), 1u);
    const McaSetUpFields& f = op.shown[0];
    EXPECT_EQ(f.channels, 2048);
    EXPECT_EQ(f.PresetRT, "   3600.0");
    EXPECT_EQ(f.DeadTime, "      1.8");
    EXPECT_EQ(f.SPCLLD, "0");
    EXPECT_EQ(f.SpcLabel1, "");
    EXPECT_EQ(f.SpcLabel2, "");
}

struct StoreCase {
    const char* what;
    std::vector<Attempt> attempts;
    bool confirmed;
    int channels;
    std::int32_t presetTime;
    float deadTimePerEvent;
    std::int32_t lowerLevel;
    std::vector<const char*> errorsNaming; // one entry per error shown
};

TEST_F(McaSetUpTest, StoreTable)
{
    const auto preset = [](const char* t) { return [t](McaSetUpFields& f) { f.PresetRT = t; }; };
    const auto dead = [](const char* t) { return [t](McaSetUpFields& f) { f.DeadTime = t; }; };
    const auto edits = [](McaSetUpFields& f) {
        f.channels = 512;
        f.DeadTime = "2.5";
        f.SPCLLD = "40";
    };
    const StoreCase cases[] = {
        {"OK unchanged", {{}}, true, 2048, 36000, 1.8f, 0, {}},
        {"12.34 s", {{preset("12.34")}}, true, 2048, 123, 1.8f, 0, {}},
        {"1000.0 s", {{preset("1000.0")}}, true, 2048, 10000, 1.8f, 0, {}},
        {"0.05 s", {{preset("0.05")}}, true, 2048, 0, 1.8f, 0, {}},
        {"0 s", {{preset("0")}}, true, 2048, 0, 1.8f, 0, {}},
        {"1.27 us", {{dead("1.27")}}, true, 2048, 36000, 1.27f, 0, {}},
        {"all fields", {{edits}}, true, 512, 36000, 2.5f, 40, {}},
        // Cancel drops every edit.
        {"cancel", {{edits, false}}, false, 2048, 36000, 1.8f, 0, {}},
        {"cancel 0 s", {{preset("0"), false}}, false, 2048, 36000, 1.8f, 0, {}},
        // A bad field: one error naming it, nothing stored, the dialog stays open.
        {"abc then cancel",
         {{[](McaSetUpFields& f) {
              f.channels = 512;
              f.DeadTime = "2.5";
              f.PresetRT = "abc";
          }},
          {nullptr, false}},
         false,
         2048,
         36000,
         1.8f,
         0,
         {"Preset Time"}},
        {"abc then 600", {{preset("abc")}, {preset("600")}}, true, 2048, 6000, 1.8f, 0, {"Preset Time"}},
        {"bad LLD",
         {{[](McaSetUpFields& f) { f.SPCLLD = "1.5"; }}, {nullptr, false}},
         false,
         2048,
         36000,
         1.8f,
         0,
         {"SPC_LLD"}},
        {"bad dead time", {{dead("")}, {nullptr, false}}, false, 2048, 36000, 1.8f, 0, {"Dead Time per Event"}},
        {"preset past int32", {{preset("1e12")}, {nullptr, false}}, false, 2048, 36000, 1.8f, 0, {"Preset Time"}},
        {"dead time past float",
         {{dead("1e39")}, {nullptr, false}},
         false,
         2048,
         36000,
         1.8f,
         0,
         {"Dead Time per Event"}},
        {"no radio checked", {{[](McaSetUpFields& f) { f.channels = 0; }}}, true, 2048, 36000, 1.8f, 0, {}},
        {"close box", {}, false, 2048, 36000, 1.8f, 0, {}},
    };
    for (const StoreCase& c : cases) {
        SCOPED_TRACE(c.what);
        SharedState fresh;
        McaSettings settings = fresh.McaSettings;
        Operator o;
        o.attempts = c.attempts;
        ScriptedDialogs d;
        o.install(d);
        EXPECT_EQ(d.runMcaSetUp(settings), c.confirmed);
        EXPECT_EQ(settings.channels, c.channels);
        EXPECT_EQ(settings.presetTime, c.presetTime);
        EXPECT_EQ(settings.deadTimePerEvent, c.deadTimePerEvent);
        EXPECT_EQ(settings.lowerLevel, c.lowerLevel);
        ASSERT_EQ(o.errors.size(), c.errorsNaming.size());
        for (std::size_t i = 0; i < o.errors.size(); ++i)
            EXPECT_EQ(o.errors[i].rfind(c.errorsNaming[i], 0), 0u) << o.errors[i];
    }
}

TEST_F(McaSetUpTest, DeadTimeIsShownRoundedAndStoredOnlyByOk)
{
    run({{[](McaSetUpFields& f) { f.DeadTime = "1.27"; }}});
    EXPECT_EQ(s.McaSettings.deadTimePerEvent, 1.27f);
    run({{nullptr, false}});
    EXPECT_EQ(op.shown.back().DeadTime, "      1.3");
    EXPECT_EQ(s.McaSettings.deadTimePerEvent, 1.27f);
    run({{}});
    EXPECT_EQ(s.McaSettings.deadTimePerEvent, 1.3f);
}

TEST_F(McaSetUpTest, LoadPutsOutOfRangeSettingsBackInRange)
{
    McaSettings settings;
    settings.channels = 8192;
    settings.presetTime = 0;
    McaSetUpFields f = LoadMcaSetUp(settings);
    EXPECT_EQ(settings.channels, 4096);
    EXPECT_EQ(settings.presetTime, 100);
    EXPECT_EQ(f.channels, 4096);
    EXPECT_EQ(f.PresetRT, "     10.0");

    settings.channels = 300; // not offered: the form's 2048 stays checked
    settings.presetTime = -5;
    f = LoadMcaSetUp(settings);
    EXPECT_EQ(f.channels, 2048);
    EXPECT_EQ(settings.channels, 300);
    EXPECT_EQ(settings.presetTime, 100);
}

TEST_F(McaSetUpTest, OkWithoutAnalyserAppliesChannelsAndHeaders)
{
    run({{[](McaSetUpFields& f) {
        f.channels = 512;
        f.PresetRT = "600";
        f.SPCLLD = "12";
        f.SpcLabel1 = "soil 3";
        f.SpcLabel2 = "S-017";
    }}});
    EXPECT_EQ(s.ChannelCount, 512);
    EXPECT_EQ(s.SpcLld, 12);
    EXPECT_EQ(s.AcquisitionTimes.presetTime, 36000); // only an open analyser takes the preset
    EXPECT_EQ(s.McaHeader.channels, 512);
    EXPECT_EQ(s.McaHeader.presetTime, 6000);
    EXPECT_STREQ(s.WorkingHeader.comment.data(), "soil 3");
    EXPECT_STREQ(s.WorkingHeader.sampleId.data(), "S-017");
}

TEST_F(McaSetUpTest, CancelChangesNothing)
{
    const SharedState before;
    run({{[](McaSetUpFields& f) {
              f.channels = 4096;
              f.PresetRT = "0";
              f.DeadTime = "2.5";
              f.SpcLabel1 = "abandoned";
          },
          false}});
    EXPECT_EQ(dialogs.mcaSetUpShown, 1);
    EXPECT_EQ(s.ChannelCount, before.ChannelCount);
    EXPECT_EQ(s.McaSettings.presetTime, before.McaSettings.presetTime);
    EXPECT_EQ(s.McaSettings.deadTimePerEvent, before.McaSettings.deadTimePerEvent);
    EXPECT_EQ(s.McaHeader, before.McaHeader);
    EXPECT_EQ(s.WorkingHeader, before.WorkingHeader);
}

TEST_F(McaSetUpTest, TextsComeFromTheWorkingHeaderAndAreCutTo31)
{
    const std::string s31 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
    // A header comment filling all 32 bytes, without a NUL, shows its first 31.
    std::memcpy(s.WorkingHeader.comment.data(), (s31 + "5").data(), 32);
    run({{[&](McaSetUpFields& f) { f.SpcLabel2 = s31 + "56789 too long"; }}});
    EXPECT_EQ(op.shown[0].SpcLabel1, s31);
    EXPECT_EQ(s.McaSettings.sampleId, s31);
    EXPECT_EQ(std::string(s.WorkingHeader.sampleId.data()), s31);
    EXPECT_EQ(s.WorkingHeader.sampleId[31], '\0');
    EXPECT_EQ(std::string(s.WorkingHeader.comment.data()), s31);
}

TEST_F(McaSetUpTest, StoreCutsLongTexts)
{
    McaSettings settings;
    McaSetUpFields f = LoadMcaSetUp(settings);
    f.SpcLabel1 = std::string(40, 'c');
    StoreMcaSetUp(f, settings);
    EXPECT_EQ(settings.comment, std::string(31, 'c'));
}

struct SetUpWithAnalyserCase {
    const char* what;
    int channels;
    bool refuseMemorySize;
    std::vector<std::string> commands;
    int analyserChannels;
};

TEST(McaSetUpWithAnalyser, SendsPresetAndMemorySize)
{
    const SetUpWithAnalyserCase cases[] = {
        {"512 channels", 512, false, {"$P6000;", "$M4;"}, 512},
        {"4096 channels", 4096, false, {"$P6000;", "$M32;"}, 4096},
        // No memory size for 256: the analyser keeps its 2048 and the host reads the first 256.
        {"256 channels", 256, false, {"$P6000;"}, 2048},
        // A refused size still leaves the host reading the chosen count.
        {"memory size refused", 1024, true, {"$P6000;", "$M8;"}, 2048},
    };
    for (const SetUpWithAnalyserCase& c : cases) {
        SCOPED_TRACE(c.what);
        SimLink link;
        ScriptedDialogs dialogs;
        link.s.io.dialogs = &dialogs;
        if (c.refuseMemorySize)
            link.sim.injectReplyFault(ReplyFault::refuse, "$M");
        Operator op;
        op.attempts = {{[&](McaSetUpFields& f) {
            f.channels = c.channels;
            f.PresetRT = "600";
        }}};
        op.install(dialogs);
        Button10Click(link.s, link.f);
        EXPECT_EQ(link.sim.commandsReceived(), c.commands);
        EXPECT_EQ(link.f.Edit1.text, "$P6000;");
        EXPECT_EQ(link.s.AcquisitionTimes.presetTime, 6000);
        EXPECT_EQ(link.s.ChannelCount, c.channels);
        EXPECT_EQ(link.sim.memoryChannels(), c.analyserChannels);
        EXPECT_NE(link.f.Label7.text, Form{}.Label7.text); // the plot was redrawn
    }
}

TEST(McaSetUpWithAnalyser, CancelSendsNothing)
{
    SimLink link;
    ScriptedDialogs dialogs; // unscripted: the operator cancels
    link.s.io.dialogs = &dialogs;
    Button10Click(link.s, link.f);
    EXPECT_EQ(dialogs.mcaSetUpShown, 1);
    EXPECT_TRUE(link.sim.commandsReceived().empty());
    EXPECT_EQ(link.s.AcquisitionTimes.presetTime, 36000);
}

} // namespace
} // namespace detkit
