#pragma once
// The analyser's operations, each one exchange (or one per spectrum block)
// with analyser 0. Every operation returns 1 on success and 0 on failure; a
// failed exchange (driver failure or time-out) has none of the effects of a
// refusal, which is a reply whose first byte is not "!".

#include <string_view>

#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

enum class ExchangeResult {
    acknowledged, // first reply byte "!"
    refused,      // a reply whose first byte is anything else
    failed,       // driver failure or no reply within the time-out
};

// Sends one command and waits for its acknowledgement.
ExchangeResult CommandExchange(SharedState& s, std::string_view command);

// "$G;": AcquisitionMode := 1 first; acknowledged: Timer1 on, Acquiring 1;
// refused: Acquiring 0.
int StartMca(SharedState& s, Form& f);
// "$X;": AcquisitionMode := 0 first; acknowledged: Timer1 at the scan refresh
// interval and on, ScanCount 0, Acquiring 1; refused: Acquiring 0.
int StartScan(SharedState& s, Form& f);
// "$S;": acknowledged: Timer1 off, Acquiring 0.
int StopAcquisition(SharedState& s, Form& f);
// "$C;": acknowledged: channels 0 .. ChannelCount - 1 of LiveSpectrum cleared.
int ClearMca(SharedState& s);
// "$CX;": ScanCount := 0 first; acknowledged: channels cleared as ClearMca.
int ClearScan(SharedState& s);
// "$P" n ";" with n in 0.1 s; the command is shown in Edit1 before it is sent.
int SendPreset(SharedState& s, Form& f, int presetTime);
// "$M4;" .. "$M32;". 256 channels have no memory size of their own: nothing is
// sent and the result is 1. Any other count sends nothing and gives 0.
int SetMemorySize(SharedState& s, int channels);
// "$@C" dddd ";".
int SetCursor(SharedState& s, int channel);
// One of the display commands ("$O;", "$V" k ";", "$V;", "$v;", "$E;", "$e;",
// "$l;", "$r;", "$ ;"): 1 when acknowledged.
int SendDisplayCommand(SharedState& s, std::string_view command);

// Reads ChannelCount / 128 blocks ("$R1;" ..) into LiveSpectrum, then sets
// MaxCount and CountRate (the total count). A block that does not arrive whole
// ends the read with 0, leaving the blocks read so far and MaxCount/CountRate
// as they were.
int ReadSpectrum(SharedState& s);
// "$R0;": replaces StatusBlock with the 310-byte reply; on failure the previous
// StatusBlock stays whole.
int ReadStatus(SharedState& s);

} // namespace detkit
