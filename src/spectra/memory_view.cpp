#include "spectra/memory_view.h"

#include <algorithm>

#include "display/plot.h"
#include "spectra/header_state.h"

namespace detkit {

void MemSpecClick(SharedState& s, Form& f, int slot)
{
    const MemorySlot& mem = s.mem(slot);
    s.DataFileName = mem.name;
    s.WorkingHeader = mem.header;
    s.ChannelCount = mem.header.channels;
    // The analysis writes slot headers too; whatever they say, copy no more than a spectrum holds.
    const auto n = std::clamp<std::int32_t>(s.ChannelCount, 0, kMaxChannels);
    std::copy_n(mem.counts.begin(), n, s.LiveSpectrum.begin());
    ApplyHeader(s, s.WorkingHeader);
    PaintBox1Paint(s, f);
}

} // namespace detkit
