#pragma once
// Local date and time and a monotonic millisecond clock, behind one interface
// so that tests and the simulated analyser run on stepped time, never sleeps.

#include <cstdint>
#include <string>

namespace detkit {

struct LocalDateTime {
    int year = 2000;  // with century
    int month = 1;    // 1..12
    int day = 1;      // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::int64_t monotonicMs() const = 0;
    // Waits (or, on a stepped clock, advances) at least `ms` milliseconds.
    virtual void sleepMs(int ms) = 0;
};

class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
    std::int64_t monotonicMs() const override;
    void sleepMs(int ms) override;
};

// A clock that moves only when told to: by advance() or by a sleep.
class ManualClock final : public Clock {
public:
    explicit ManualClock(LocalDateTime start = {2015, 2, 9, 14, 5, 33, 0});
    LocalDateTime now() const override;
    std::int64_t monotonicMs() const override { return ms_; }
    void sleepMs(int ms) override { advance(ms); }
    void advance(std::int64_t ms) { ms_ += ms > 0 ? ms : 0; }
    void setLocal(const LocalDateTime& t);

private:
    LocalDateTime start_;
    std::int64_t startMs_ = 0;
    std::int64_t ms_ = 0;
};

// The platform's short date and long time formats, as the status field shows them.
std::string ShortDateString(const LocalDateTime& t);
std::string LongTimeString(const LocalDateTime& t);

}  // namespace detkit
