#pragma once
// The MCA set-up dialog's fields as plain data, and the conversions between
// them and McaSettings. The Qt dialog and the tests both go through these.

#include <string>

namespace detkit {

struct McaSettings;

struct McaSetUpFields {
    int channels = 2048;   // the checked radio button (256 ... 4096); 0: none checked
    std::string PresetRT;  // seconds
    std::string DeadTime;  // µs per event
    std::string SPCLLD;    // channel
    std::string SpcLabel1; // comment
    std::string SpcLabel2; // sample ID
};

// True for the five channel counts the dialog offers.
bool IsMcaChannelChoice(int channels);

// Fills the fields from `settings`. First puts `settings` in range: more than
// 4096 channels become 4096, a preset below 1 (0.1 s) becomes 100 (10.0 s).
// A channel count the dialog does not offer leaves 2048 checked.
McaSetUpFields LoadMcaSetUp(McaSettings& settings);

// Converts every field first and only then stores them all into `settings`,
// so a field that does not convert changes nothing. Throws ConversionError
// whose message names the field (its label in the dialog). Preset: seconds
// x give trunc(float(x * 10 + 0.001)) in 0.1 s ("12.34" -> 123, "0.05" -> 0);
// dead time stored as float32; comment and sample ID cut to 31 characters.
void StoreMcaSetUp(const McaSetUpFields& fields, McaSettings& settings);

} // namespace detkit
