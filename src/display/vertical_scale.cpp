#include "display/vertical_scale.h"

#include <algorithm>

#include "device/commands.h"
#include "device/protocol.h"
#include "display/plot.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

namespace {

// While an acquisition runs on an open analyser, the analyser owns the display
// state: the controls send it commands and the poll loop copies the result back.
bool analyserDrivesDisplay(const SharedState& s)
{
    return s.DeviceOpen != 0 && s.Acquiring != 0;
}

} // namespace

std::int32_t fullScaleOf(std::int32_t fullScaleIndex)
{
    return FullScaleTable[static_cast<std::size_t>(std::clamp(fullScaleIndex, 1, kFullScaleSteps))];
}

int autoScaleStep(std::int32_t maxCount)
{
    int step = kFullScaleSteps + 1;
    for (int i = 1; i <= kFullScaleSteps; ++i) {
        if (FullScaleTable[static_cast<std::size_t>(i)] > maxCount) {
            step = i;
            break;
        }
    }
    return std::min(step, kAutoScaleMaxStep);
}

void LogDispClick(SharedState& s, Form& form)
{
    s.LogScale = 1;
    if (analyserDrivesDisplay(s)) {
        // The next tick redraws with what the analyser then reports.
        if (SendDisplayCommand(s, kLogDisplayCommand) == 1)
            BuildLogBackground(s);
        return;
    }
    BuildLogBackground(s);
    PaintBox1Paint(s, form);
}

void AutoVfsClick(SharedState& s, Form& form)
{
    s.LogScale = 0;
    const bool remote = analyserDrivesDisplay(s);
    // While acquiring, MaxCount is the one the poll loop left from its last read-out.
    if (!remote)
        s.MaxCount = windowMaxCount(spectrumInUse(s), s.DisplayWindow.first, s.DisplayWindow.last);
    const int step = autoScaleStep(s.MaxCount);
    if (remote) {
        const std::string command = FullScaleCommand(step);
        form.Edit1.text = command;
        if (SendDisplayCommand(s, command) == 1) {
            s.FullScaleIndex = step;
            BuildLinearBackground(s);
        }
        return;
    }
    s.FullScaleIndex = step;
    BuildLinearBackground(s);
    PaintBox1Paint(s, form);
}

void UpDown1Click(SharedState& s, Form& form, UpDownButton button)
{
    // Any press leaves the display linear, even one that changes no step.
    s.LogScale = 0;
    const bool up = button == UpDownButton::btNext;
    if (up ? s.FullScaleIndex <= 1 : s.FullScaleIndex >= kFullScaleSteps)
        return;
    const bool remote = analyserDrivesDisplay(s);
    if (remote && SendDisplayCommand(s, up ? kFullScaleLowerCommand : kFullScaleHigherCommand) != 1)
        return;
    s.FullScaleIndex = std::clamp(s.FullScaleIndex + (up ? -1 : 1), 1, kFullScaleSteps);
    BuildLinearBackground(s);
    // While acquiring the next tick redraws with the analyser's step.
    if (!remote)
        PaintBox1Paint(s, form);
}

} // namespace detkit
