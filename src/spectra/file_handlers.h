#pragma once
// The File menu's "&Write" and "&Read", and the buttons "SaveSpec" and
// "ReadSpec": the spectrum on display to and from a spectrum file.

#include <string>
#include <string_view>

#include "spectra/spectrum_file.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

inline constexpr const char* kSpectrumFilter = "spectrum(*.dat)|*.dat";
inline constexpr const char* kSpectrumExtension = "dat";
inline constexpr const char* kFileWriteError = "File Write Error !";
inline constexpr const char* kFileReadError = "File Read Error !";

// The name of a file without its folders: the text after the last '/' or '\'.
std::string fileNameOf(std::string_view path);

// Saves LiveSpectrum (ChannelCount counts) under WorkingHeader, freshly filled
// from the state, to a file the operator chooses. The old file is replaced only
// by a complete new one; any failure sets Edit1 to "File Write Error !".
void Write1Click(SharedState& s, Form& f);
void SaveSpecClick(SharedState& s, Form& f);
// The same save writing through `writeChunk` (see writeSpectrumFile).
void saveSpectrum(SharedState& s, Form& f, const ChunkWriter& writeChunk);

// Reads a file the operator chooses onto the display and, with a memory view
// selected, into that slot; a refused file shows its whole-block count in
// Edit1 and resets WorkingHeader to McaHeader. Redraws on the log scale.
void Read1Click(SharedState& s, Form& f);
// What Read1Click does with a file once read: the state changes, no redraw.
void takeReadResult(SharedState& s, Form& f, const ReadResult& r);

// Clears the activity result, views Mem1 and reads a file into it.
void ReadSpecClick(SharedState& s, Form& f);

} // namespace detkit
