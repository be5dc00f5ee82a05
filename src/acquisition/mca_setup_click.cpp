#include "acquisition/mca_setup_click.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "device/protocol.h"
#include "display/plot.h"
#include "state/dialogs.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

namespace {

// A header text up to its NUL; a full buffer without one yields 31 characters.
std::string headerText(const std::array<char, 32>& text)
{
    const auto end = std::find(text.begin(), text.begin() + McaSettings::kTextMax, '\0');
    return std::string(text.begin(), end);
}

// At most 31 characters and a NUL, the rest zero: never past the 32 bytes.
void setHeaderText(std::array<char, 32>& dest, const std::string& text)
{
    dest.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), McaSettings::kTextMax), dest.begin());
}

} // namespace

void Button10Click(SharedState& s, Form& form)
{
    McaSettings& settings = s.McaSettings;
    // The dialog shows the texts of the spectrum on display.
    settings.comment = headerText(s.WorkingHeader.comment);
    settings.sampleId = headerText(s.WorkingHeader.sampleId);

    if (s.io.dialogs == nullptr || !s.io.dialogs->runMcaSetUp(settings))
        return;

    if (s.DeviceOpen == 1) {
        SendPreset(s, form, settings.presetTime); // Edit1 shows the command; the result is not needed
        s.AcquisitionTimes.presetTime = settings.presetTime;
        // 256 channels sends no memory size (the analyser knows no "$M2;"): it
        // keeps its size and the host reads only the first 256 channels of it.
        if (SetMemorySize(s, settings.channels) == 1)
            s.ChannelCount = settings.channels;
    }
    s.SpcLld = settings.lowerLevel;
    // The host reads this many channels whether or not the analyser took the size.
    s.ChannelCount = settings.channels;
    s.McaHeader.channels = static_cast<std::int16_t>(s.ChannelCount & 0xFFFF);
    s.McaHeader.presetTime = settings.presetTime;
    setHeaderText(s.WorkingHeader.comment, settings.comment);
    setHeaderText(s.WorkingHeader.sampleId, settings.sampleId);
    PaintBox1Paint(s, form);
}

} // namespace detkit
