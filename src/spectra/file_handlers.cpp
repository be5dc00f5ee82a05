#include "spectra/file_handlers.h"

#include <algorithm>
#include <string>

#include "display/plot.h"
#include "display/vertical_scale.h"
#include "spectra/header_state.h"
#include "spectra/memory_view.h"
#include "state/dialogs.h"

namespace detkit {

namespace {

FileDialogOptions spectrumDialog()
{
    return {kSpectrumFilter, kSpectrumExtension};
}

// The slot that a read fills: the selected memory view, 0 for the MCA view.
int selectedSlot(const Form& f)
{
    if (f.Mem1Spec.checked)
        return 1;
    if (f.Mem2Spec.checked)
        return 2;
    if (f.Mem3Spec.checked)
        return 3;
    return 0;
}

} // namespace

std::string fileNameOf(std::string_view path)
{
    const auto cut = path.find_last_of("/\\");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

void saveSpectrum(SharedState& s, Form& f, const ChunkWriter& writeChunk)
{
    const auto path = s.io.dialogs->saveFileName(spectrumDialog());
    if (!path)
        return;
    s.FilePath = *path;
    s.DataFileName = fileNameOf(*path);

    FillHeader(s);
    // A channel count outside 0..4096 cannot come from the analyser; refuse it
    // rather than read past LiveSpectrum.
    if (s.ChannelCount < 0 || s.ChannelCount > kMaxChannels) {
        f.Edit1.text = kFileWriteError;
        return;
    }
    const auto counts = std::span<const std::int32_t>(s.LiveSpectrum).first(static_cast<std::size_t>(s.ChannelCount));
    if (!writeSpectrumFile(s.FilePath, s.WorkingHeader, counts, writeChunk).ok)
        f.Edit1.text = kFileWriteError;
}

void Write1Click(SharedState& s, Form& f)
{
    saveSpectrum(s, f, {});
}

void SaveSpecClick(SharedState& s, Form& f)
{
    saveSpectrum(s, f, {});
}

void takeReadResult(SharedState& s, Form& f, const ReadResult& r)
{
    // Counts read go on display whatever the verdict, as far as LiveSpectrum
    // reaches; a longer file's surplus only served to count the blocks.
    const std::size_t shown = std::min(r.counts.size(), s.LiveSpectrum.size());
    std::copy_n(r.counts.begin(), shown, s.LiveSpectrum.begin());

    const auto below = static_cast<std::size_t>(std::clamp<std::int32_t>(s.SpcLld, 0, kMaxChannels));
    std::fill_n(s.LiveSpectrum.begin(), below, 0);

    if (!r.ok) {
        f.Edit1.text = std::to_string(r.n);
        s.WorkingHeader = s.McaHeader;
        return;
    }

    const std::int32_t n = r.n;
    s.WorkingHeader = r.header;
    ApplyHeader(s, s.WorkingHeader);
    s.ChannelCount = n;
    s.DisplayWindow.first = 0;
    s.DisplayWindow.last = n - 1;
    s.CursorChannel = n / 2;
    f.Label1.text = "0ch";
    f.Label2.text = std::to_string(n - 1) + "ch";
    f.Label3.text = std::to_string(n / 2);

    if (const int slot = selectedSlot(f); slot != 0) {
        MemorySlot& mem = s.mem(slot);
        std::copy_n(s.LiveSpectrum.begin(), n, mem.counts.begin());
        mem.header = s.WorkingHeader;
        mem.name = s.DataFileName;
    }
}

void Read1Click(SharedState& s, Form& f)
{
    const auto path = s.io.dialogs->openFileName(spectrumDialog());
    if (!path)
        return;
    s.FilePath = *path;
    s.DataFileName = fileNameOf(*path);

    const ReadResult r = readSpectrumFile(s.FilePath);
    if (r.status == FileReadStatus::cannotOpen) {
        // Nothing was read, so nothing on display changes; but say so.
        f.Edit1.text = kFileReadError;
        return;
    }
    takeReadResult(s, f, r);
    // Accepted or refused, the plot goes to the log scale and is redrawn.
    BuildLogBackground(s);
    PaintBox1Paint(s, f);
}

void ReadSpecClick(SharedState& s, Form& f)
{
    s.ResultsShown = 0;
    s.RoiTable[1].on = 0;
    s.RoiTable[2].on = 0;
    Mem1SpecClick(s, f);
    f.McaMem.checked = false;
    f.Mem1Spec.checked = true;
    f.Mem2Spec.checked = false;
    f.Mem3Spec.checked = false;
    Read1Click(s, f);
}

} // namespace detkit
