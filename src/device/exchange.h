#pragma once
// One request and its reply over the driver: drop what is already waiting,
// send, wait (bounded, sleeping) for the reply, read it into a buffer of
// known size and drain anything beyond it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "state/shared_state.h"

namespace detkit {

// The link's read time-out: no reply wait lasts longer.
inline constexpr int kReplyTimeoutMs = 3000;
inline constexpr int kLatencyTimerMs = 6;
inline constexpr int kMaxListedDevices = 5;

enum class TransferResult {
    ok,
    driverFailure, // a driver operation failed, or no driver or clock is set
    timedOut,      // fewer bytes than needed arrived within kReplyTimeoutMs
};

// Sends `command` to analyser 0, waits until at least `needed` reply bytes are
// waiting and stores at most reply.size() of them; stored is how many.
TransferResult Transact(SharedState& s, std::string_view command, std::size_t needed, std::span<std::uint8_t> reply,
                        std::size_t& stored);

} // namespace detkit
