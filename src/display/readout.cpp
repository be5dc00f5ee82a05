#include "display/readout.h"

#include <algorithm>
#include <string>

#include "display/vertical_scale.h"
#include "platform/format.h"
#include "state/shared_state.h"

namespace detkit {

void TextOutRight(Canvas& c, int right, int y, std::string_view text)
{
    // Formatted numbers keep their leading blanks, so it is their right edges that line up.
    c.TextOut(right - c.TextWidth(text), y, text);
}

void DrawHeaderValues(SharedState& s, std::string_view fullScaleLabel)
{
    Canvas& c = s.surfaces.PlotImage;
    if (s.Acquiring == 0)
        s.CountRate = 0;

    const AcquisitionTimes& t = s.AcquisitionTimes;
    c.setFontColor(clAqua);
    TextOutRight(c, 175, 5, Format("%8.1f", t.presetTime * 0.1));
    TextOutRight(c, 175, 18, Format("%8.1f", t.realTime * 0.1));
    TextOutRight(c, 275, 5, Format("%8.1f", t.deadTime * 0.1));
    TextOutRight(c, 275, 18, Format("%8.1f", t.liveTime * 0.1));

    if (s.LogScale == 0) {
        c.setFontColor(s.TextColor);
        c.TextOut(10, 18, fullScaleLabel);
    }

    c.setFontColor(clAqua);
    TextOutRight(c, 375, 5, Format("%8.2f", static_cast<double>(s.CountRate)));
    TextOutRight(c, 375, 18, Format("%8.2f", s.StatusBlock.totalCounts() * 0.001));

    if (s.Acquiring == 1) {
        c.setFontColor(clRed);
        c.TextOut(50, 5, "  * ACQ *");
    } else {
        c.setFontColor(s.TextColor);
        c.TextOut(50, 5, s.DataFileName);
    }
    c.setFontColor(s.TextColor);
    c.TextOut(50, 18, headerText(s.WorkingHeader.comment));
}

void DrawHeaderValues(SharedState& s)
{
    const bool onLadder = s.FullScaleIndex >= 0 && s.FullScaleIndex < static_cast<int>(FullScaleLabels.size());
    DrawHeaderValues(s, onLadder ? FullScaleLabels[static_cast<std::size_t>(s.FullScaleIndex)] : std::string_view{});
}

} // namespace detkit
