#pragma once
// The vertical scale: the ladder of 22 linear full scales or six decades
// logarithmic, the two background rebuilds and the "VFS" controls.

#include <array>
#include <cstdint>
#include <string_view>

namespace detkit {

struct Form;
struct SharedState;

inline constexpr int kFullScaleSteps = 22;
// Step the automatic choice never goes above ("250M").
inline constexpr int kAutoScaleMaxStep = 20;

// Full-scale counts by FullScaleIndex 1..22; entry 0 is the analyser's
// logarithmic step and has no full scale.
inline constexpr std::array<std::int32_t, kFullScaleSteps + 1> FullScaleTable = {
    0,      100,     250,     500,     1000,     2500,     5000,     10000,     25000,     50000,     100000,    250000,
    500000, 1000000, 2500000, 5000000, 10000000, 25000000, 50000000, 100000000, 250000000, 500000000, 1000000000};

// The label of each step as the readout shows it; step 14 is written "2,5M".
inline constexpr std::array<std::string_view, kFullScaleSteps + 1> FullScaleLabels = {
    "Log",  "100", "250",  "500", "1K",  "2.5K", "5K",  "10K",  "25K",  "50K",  "100K", "250K",
    "500K", "1M",  "2,5M", "5M",  "10M", "25M",  "50M", "100M", "250M", "500M", "1B"};

// The full scale of a step, the step first clamped to 1..22: the analyser may
// report a step outside the ladder and the table must not be read beyond it.
std::int32_t fullScaleOf(std::int32_t fullScaleIndex);

// The automatic choice: the smallest step whose full scale is strictly greater
// than maxCount, at most kAutoScaleMaxStep.
int autoScaleStep(std::int32_t maxCount);

// Both rebuilds set LogScale, redraw the ruler, the scale strip and
// PlotBackground (grid in maroon, fixed header labels in TextColor), put a
// preview of the whole spectrum as points into PlotImage (TraceTop gets the
// highest point of each column) and copy the three surfaces onto the paint
// box. Neither draws the trace: call PaintBox1Paint for that.
void BuildLogBackground(SharedState& s);
void BuildLinearBackground(SharedState& s);

// "LOG": logarithmic display.
void LogDispClick(SharedState& s, Form& form);
// "Auto": the linear full scale just above the largest count of the window.
void AutoVfsClick(SharedState& s, Form& form);

enum class UpDownButton { btNext, btPrev };
// UpDown1: btNext (up) the next smaller full scale, btPrev (down) the next
// larger; stops at 1 and 22 without wrapping. Always leaves the display linear.
void UpDown1Click(SharedState& s, Form& form, UpDownButton button);

} // namespace detkit
