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
    // The analyser's header carries the texts too: an acquisition started
    // after this set-up is saved with the comment and sample ID typed here.
    for (SpectrumHeader* h : {&s.WorkingHeader, &s.McaHeader}) {
        setHeaderText(h->comment, settings.comment);
        setHeaderText(h->sampleId, settings.sampleId);
    }
    PaintBox1Paint(s, form);
}

} // namespace detkit
