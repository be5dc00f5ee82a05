#pragma once
// The analyser's commands as exact bytes: "$", a letter or two, maybe a
// number, ";". Nothing else goes on the wire, no line end and no zero byte.

#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace detkit {

inline constexpr std::string_view kStartMcaCommand = "$G;";
inline constexpr std::string_view kStartScanCommand = "$X;";
inline constexpr std::string_view kStopCommand = "$S;";
inline constexpr std::string_view kClearMcaCommand = "$C;";
inline constexpr std::string_view kClearScanCommand = "$CX;";
inline constexpr std::string_view kReadStatusCommand = "$R0;";

// Display commands, acted on by the analyser's own display while it acquires.
inline constexpr std::string_view kLogDisplayCommand = "$O;";
inline constexpr std::string_view kFullScaleLowerCommand = "$V;";  // next smaller full scale
inline constexpr std::string_view kFullScaleHigherCommand = "$v;"; // next larger full scale
inline constexpr std::string_view kExpandCommand = "$E;";
inline constexpr std::string_view kCompressCommand = "$e;";
inline constexpr std::string_view kScrollLeftCommand = "$l;";
inline constexpr std::string_view kScrollRightCommand = "$r;";
inline constexpr std::string_view kScrollOtherCommand = "$ ;";

// Channels carried by one 512-byte spectrum block.
inline constexpr int ReadBlockChannels = 128;
inline constexpr int kSpectrumBlockBytes = ReadBlockChannels * 4;
inline constexpr int kAcknowledge = '!';

// "$P" n ";": preset time n in 0.1 s (36000 gives "$P36000;").
std::string PresetCommand(int presetTime);
// "$M4;" .. "$M32;" for 512 .. 4096 channels (channels / 128); nothing for any other count.
std::optional<std::string> MemorySizeCommand(int channels);
// "$@C" and the channel as exactly four digits; channels outside 0..4095 are clipped
// so that the field can never grow a sign or a fifth digit.
std::string CursorCommand(int channel);
// "$V", the byte 48 + step, ";": step 12 gives "$V<;". Steps are clipped to 1..22.
std::string FullScaleCommand(int step);
// "$R" b ";" for spectrum block b (1-based, "$R1;" .. "$R32;").
std::string ReadBlockCommand(int block);
// "$t" yymmddhhmm ";", every field two digits, seconds not sent.
std::string ClockCommand(const LocalDateTime& t);

} // namespace detkit
