#pragma once
// All state the main window shares between its handlers, in one aggregate
// owned by the window. Members carry the forms' names; record fields are in
// lower camel case. Times are int32 in 0.1 s, counts int32, as stored.

#include <array>
#include <cstdint>
#include <string>

#include "platform/canvas.h"
#include "state/spectrum_header.h"
#include "state/status_block.h"

namespace detkit {

class Clock;
class Dialogs;
class UsbSerialDriver;

inline constexpr int kMaxChannels = 4096;
using Spectrum = std::array<std::int32_t, kMaxChannels>;

// A driver's handle to an opened analyser; 0 is no handle.
using DriverHandle = std::int32_t;
inline constexpr DriverHandle kNoHandle = 0;

// What the handlers talk to: injected by the window (real) or a test (scripted).
struct Services {
    Clock* clock = nullptr;
    UsbSerialDriver* driver = nullptr;
    Dialogs* dialogs = nullptr;
};

struct AcquisitionTimes {
    std::int32_t presetTime = 36000;  // 0.1 s
    std::int32_t realTime = 0;        // 0.1 s
    std::int32_t liveTime = 0;        // 0.1 s
    std::int32_t deadTime = 0;        // 0.1 %
};

// Elapsed seconds and total counts of the last two ticks, for the count rate.
struct RateTracker {
    float previousElapsed = 0;
    float currentElapsed = 0;
    float previousTotal = 0;
    float currentTotal = 0;
};

struct McaSettings {
    static constexpr std::size_t kTextMax = 31;  // characters of comment and sample ID
    std::int32_t channels = 2048;
    std::int32_t presetTime = 36000;  // 0.1 s
    std::int32_t lowerLevel = 0;      // channel
    float deadTimePerEvent = 1.8f;    // µs
    std::string comment;
    std::string sampleId;
};

struct ScanSettings {
    std::int32_t channels = 2048;        // per bank
    std::int32_t scanPreset = 10;        // 0.1 s, one scan pass
    std::int32_t refreshInterval = 100;  // ms
};

struct DisplayWindow {
    std::int32_t first = 0;  // inclusive
    std::int32_t last = 2047;
};

struct RoiEntry {
    std::int32_t used = 0;
    std::int32_t on = 0;
    std::string name = "Xx-NN";  // at most 7 characters
    std::int32_t lowCh = 0;
    std::int32_t highCh = 0;
    std::int32_t color = 0;
    std::int32_t gross = 0;
    std::int32_t net = 0;
};

struct EnergyCalibration {
    std::int32_t Valid = 0;
    std::string UnitName;  // at most 7 characters
    float LowCh = 0;
    float HiCh = 0;
    float LoEng = 0;
    float HiEng = 0;
    float Slope = 0;   // energy per channel
    float Offset = 0;  // energy of channel 0
};

struct ActivityCount {
    std::int32_t grossCounts = 0;
    std::int32_t netCounts = 0;
};

struct MemorySlot {
    Spectrum counts{};
    SpectrumHeader header;
    std::string name;
};

struct SnapshotOverlay {
    std::array<std::int32_t, kMaxChannels> top{};     // plot rows per column
    std::array<std::int32_t, kMaxChannels> bottom{};
    std::int32_t shown = 0;
};

// The seven off-screen surfaces of the plot and the paint box they are put on.
struct PlotSurfaces {
    static constexpr int kPlotWidth = 512;
    static constexpr int kPlotHeight = 312;
    static constexpr int kStripWidth = 16;
    static constexpr int kStripHeight = 317;
    static constexpr int kRulerHeight = 35;
    static constexpr int kPaintBoxWidth = 528;
    static constexpr int kPaintBoxHeight = 336;

    PlotSurfaces();

    Canvas PlotImage;
    Canvas PlotBackground;
    Canvas PlotBlank;
    Canvas ScaleStripImage;
    Canvas ScaleStripBackground;
    Canvas RulerImage;
    Canvas RulerBackground;
    // What PaintBox1 shows; the window only blits it.
    Canvas PaintBox;

    std::array<std::int32_t, kPlotWidth> TraceTop{};
    std::array<std::int32_t, kPlotWidth> TraceBottom{};
};

enum MemoryView : int { viewMca = 0, viewMem1 = 1, viewMem2 = 2, viewMem3 = 3 };

struct SharedState {
    SharedState();

    Services io;

    // Analyser link.
    std::array<DriverHandle, 5> DeviceTable{};
    std::int32_t DeviceCount = 0;
    std::int32_t DeviceOpen = 0;

    // Acquisition.
    std::int32_t Acquiring = 0;
    std::int32_t AcquisitionMode = 1;  // 1 MCA, 0 scan
    std::int32_t ChannelCount = 2048;
    Spectrum LiveSpectrum{};
    detkit::AcquisitionTimes AcquisitionTimes;
    float CountRate = 0;  // kcps (the total count right after a read)
    std::int32_t MaxCount = 0;
    std::int32_t ScanCount = 0;
    detkit::RateTracker RateTracker;
    detkit::StatusBlock StatusBlock;
    detkit::McaSettings McaSettings;
    std::int32_t SpcLld = 0;
    detkit::ScanSettings ScanSettings;

    // View.
    detkit::DisplayWindow DisplayWindow;
    std::int32_t CursorChannel = 1024;
    float PeakCentroid = 0;
    std::int32_t FullScaleIndex = 2;
    std::int32_t LogScale = 1;
    Color TextColor = clWhite;
    Color TraceColor = clLime;
    PlotSurfaces surfaces;

    // Regions, calibration, analysis.
    std::array<RoiEntry, 16> RoiTable{};
    detkit::EnergyCalibration EnergyCalibration;
    std::int32_t BackgroundChosen = 0;
    std::string BackgroundPath;
    std::array<ActivityCount, 3> ActivityCounts{};
    std::int32_t CoefficientSet = 0;
    std::int32_t ResultsShown = 0;
    Spectrum SmoothScratch{};

    // Spectra on file and in memory.
    SpectrumHeader McaHeader;
    SpectrumHeader WorkingHeader;
    std::string FilePath;      // whole path of the last file dialog
    std::string DataFileName;  // name of the spectrum on display
    std::array<MemorySlot, 3> Memory{};             // Mem1..Mem3 at 0..2
    std::array<SnapshotOverlay, 4> Snapshots{};     // MCA, Mem1, Mem2, Mem3

    MemorySlot& mem(int slot) { return Memory.at(static_cast<std::size_t>(slot - 1)); }
    const MemorySlot& mem(int slot) const { return Memory.at(static_cast<std::size_t>(slot - 1)); }
};

}  // namespace detkit
