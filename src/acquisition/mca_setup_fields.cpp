#include "acquisition/mca_setup_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/convert.h"
#include "platform/format.h"
#include "state/shared_state.h"

namespace detkit {

namespace {

constexpr int kChannelChoices[] = {256, 512, 1024, 2048, 4096};

// Runs one conversion; a failure carries the dialog label of the field in front of the reason.
template <typename Convert> auto convertField(const char* label, const std::string& text, Convert convert)
{
    try {
        return convert(text);
    } catch (const ConversionError& e) {
        throw ConversionError(std::string(label) + ": " + e.what());
    }
}

ConversionError outOfRange(const char* label, const std::string& text)
{
    return ConversionError(std::string(label) + ": '" + text + "' is out of range");
}

std::string cut(const std::string& text)
{
    return text.substr(0, std::min(text.size(), McaSettings::kTextMax));
}

} // namespace

bool IsMcaChannelChoice(int channels)
{
    for (int c : kChannelChoices)
        if (c == channels)
            return true;
    return false;
}

McaSetUpFields LoadMcaSetUp(McaSettings& settings)
{
    if (settings.channels > 4096)
        settings.channels = 4096;
    if (settings.presetTime < 1)
        settings.presetTime = 100;

    McaSetUpFields f;
    f.channels = IsMcaChannelChoice(settings.channels) ? settings.channels : 2048;
    f.PresetRT = Format("%9.1f", settings.presetTime * 0.1);
    f.DeadTime = Format("%9.1f", static_cast<double>(settings.deadTimePerEvent));
    f.SPCLLD = Format("%d", settings.lowerLevel);
    f.SpcLabel1 = cut(settings.comment);
    f.SpcLabel2 = cut(settings.sampleId);
    return f;
}

void StoreMcaSetUp(const McaSetUpFields& fields, McaSettings& settings)
{
    const std::int32_t lowerLevel = convertField("SPC_LLD", fields.SPCLLD, StrToInt);

    const double seconds = convertField("Preset Time", fields.PresetRT, StrToFloat);
    // Seconds to 0.1 s; the small bias keeps "12.3" from landing just below 123.
    const float tenths = static_cast<float>(seconds * 10 + 0.001);
    // A value past the int32 range has no 0.1 s count; refuse it rather than wrap.
    if (!(std::fabs(tenths) < 2147483648.0f))
        throw outOfRange("Preset Time", fields.PresetRT);
    const auto presetTime = static_cast<std::int32_t>(tenths);

    const double perEvent = convertField("Dead Time per Event", fields.DeadTime, StrToFloat);
    if (!(std::fabs(perEvent) <= std::numeric_limits<float>::max()))
        throw outOfRange("Dead Time per Event", fields.DeadTime);

    // Everything converted: only now does the record change.
    if (IsMcaChannelChoice(fields.channels))
        settings.channels = fields.channels;
    settings.lowerLevel = lowerLevel;
    settings.presetTime = presetTime;
    settings.deadTimePerEvent = static_cast<float>(perEvent);
    settings.comment = cut(fields.SpcLabel1);
    settings.sampleId = cut(fields.SpcLabel2);
}

} // namespace detkit
