#include "acquisition/acquisition_control.h"

#include <string>

#include "acquisition/poll_arithmetic.h"
#include "acquisition/scan_plot.h"
#include "device/link.h"
#include "device/protocol.h"
#include "display/plot.h"
#include "display/vertical_scale.h"
#include "platform/clock.h"

namespace detkit {

namespace {

// The analyser is master of the view while it acquires: take its window,
// cursor and full-scale step from the status just read.
void mirrorAnalyserView(SharedState& s, Form& f, bool takeCursor)
{
    const detkit::StatusBlock& st = s.StatusBlock;
    f.Label1.text = std::to_string(st.windowFirst()) + "ch";
    s.DisplayWindow.first = st.windowFirst();
    f.Label2.text = std::to_string(st.windowLast()) + "ch";
    s.DisplayWindow.last = st.windowLast();
    f.Label3.text = std::to_string(st.cursor());
    if (takeCursor)
        s.CursorChannel = st.cursor();
    const int vfs = st.vfsIndex();
    if (vfs == 0) {
        s.LogScale = 1;
    } else {
        s.LogScale = 0;
        // A step outside the ladder would index past the full-scale table.
        s.FullScaleIndex = vfs < 1 ? 1 : (vfs > kFullScaleSteps ? kFullScaleSteps : vfs);
    }
}

void mcaTick(SharedState& s, Form& f)
{
    const detkit::RateTracker beforeShift = s.RateTracker;
    ShiftRateTracker(s.RateTracker);
    // No tick may start while the blocks are being read.
    f.Timer1.enabled = false;
    const bool spectrumRead = ReadSpectrum(s) == 1;
    f.Timer1.enabled = true;

    if (!spectrumRead) {
        // CountRate still holds the last rate, not a new total: taking it for one
        // would show thousands of kcps next tick. Nothing moves until a read
        // succeeds, and a link that did not deliver the spectrum is not asked for
        // the status as well: a dead analyser holds the window one time-out, not two.
        s.RateTracker = beforeShift;
        PaintBox1Paint(s, f);
        return;
    }

    if (ReadStatus(s) == 1) {
        mirrorAnalyserView(s, f, true);
        const std::int32_t elapsed = s.StatusBlock.elapsed();
        if (PresetReached(elapsed, s.McaSettings.presetTime)) {
            f.Timer1.enabled = false;
            // This read is the measurement that stays: one more try before
            // saying it is incomplete.
            if (ReadSpectrum(s) != 1 && ReadSpectrum(s) != 1)
                f.Edit1.text = kSpectrumReadError;
            StopAcquisition(s, f);
            s.Acquiring = 0;  // even when the analyser did not acknowledge the stop
            f.Timer1.enabled = false;
            const FinishedTimes t = FinishedTickTimes(elapsed, s.StatusBlock.totalCounts(),
                                                      s.McaSettings.deadTimePerEvent, s.McaSettings.presetTime);
            s.AcquisitionTimes.realTime = t.realTime;
            s.AcquisitionTimes.liveTime = t.liveTime;
            PaintBox1Paint(s, f);
            return;
        }
    }

    // A failed status read leaves the previous status in use.
    const TickTimes t = RunningTickTimes(s.RateTracker, s.StatusBlock.elapsed(), s.StatusBlock.totalCounts(),
                                         s.CountRate, s.McaSettings.deadTimePerEvent);
    s.CountRate = t.countRate;
    s.AcquisitionTimes.realTime = t.realTime;
    s.AcquisitionTimes.liveTime = t.liveTime;
    s.AcquisitionTimes.deadTime = t.deadTime;
    PaintBox1Paint(s, f);
}

void scanTick(SharedState& s, Form& f)
{
    if (ReadStatus(s) == 1) {
        if (s.StatusBlock.passDone() != 0) {
            f.Timer1.enabled = false;
            ++s.ScanCount;
            f.Edit4.text = std::to_string(s.ScanCount);
            ReadSpectrum(s);
            s.CountRate = ScanPassRate(s.CountRate, s.ScanSettings.scanPreset);
            f.Timer1.enabled = true;
        }
        mirrorAnalyserView(s, f, false);
        f.Label7.text.assign(1, ' ');  // one blank: the count at the cursor means nothing here
    }
    DrawScanProfile(s);
}

}  // namespace

void McaStartClick(SharedState& s, Form& f)
{
    s.WorkingHeader = s.McaHeader;
    s.ResultsShown = 0;
    s.RoiTable[1].on = 0;
    s.RoiTable[2].on = 0;
    const LocalDateTime now = s.io.clock->now();
    s.WorkingHeader.acqYear = static_cast<std::int16_t>(now.year);
    s.WorkingHeader.acqMonth = static_cast<std::int16_t>(now.month);
    s.WorkingHeader.acqDay = static_cast<std::int16_t>(now.day);
    s.WorkingHeader.acqHour = static_cast<std::int16_t>(now.hour);
    s.WorkingHeader.acqMinute = static_cast<std::int16_t>(now.minute);
    s.WorkingHeader.acqSecond = static_cast<std::int16_t>(now.second);
    s.DataFileName = "MCA";
    if (s.DeviceCount == 0 && OpenDevice(s, 0) == 1)
        f.Edit1.text = std::to_string(s.DeviceCount);
    StartMca(s, f);
    BuildLogBackground(s);
    PaintBox1Paint(s, f);
}

void McaStopClick(SharedState& s, Form& f)
{
    StopAcquisition(s, f);
    PaintBox1Paint(s, f);
}

void McaClearClick(SharedState& s, Form& f)
{
    ClearMca(s);
    PaintBox1Paint(s, f);
}

void Timer1Timer(SharedState& s, Form& f)
{
    if (s.AcquisitionMode == 1)
        mcaTick(s, f);
    else
        scanTick(s, f);
}

}  // namespace detkit
