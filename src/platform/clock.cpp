#include "platform/clock.h"

#include <chrono>
#include <thread>

#include <QDateTime>
#include <QLocale>

namespace detkit {

namespace {

QDateTime toQDateTime(const LocalDateTime& t)
{
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.millisecond));
}

LocalDateTime fromQDateTime(const QDateTime& d)
{
    return LocalDateTime{d.date().year(), d.date().month(), d.date().day(), d.time().hour(),
                         d.time().minute(), d.time().second(), d.time().msec()};
}

}  // namespace

LocalDateTime SystemClock::now() const { return fromQDateTime(QDateTime::currentDateTime()); }

std::int64_t SystemClock::monotonicMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::sleepMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

ManualClock::ManualClock(LocalDateTime start) : start_(start) {}

LocalDateTime ManualClock::now() const
{
    return fromQDateTime(toQDateTime(start_).addMSecs(ms_ - startMs_));
}

void ManualClock::setLocal(const LocalDateTime& t)
{
    start_ = t;
    startMs_ = ms_;
}

std::string ShortDateString(const LocalDateTime& t)
{
    return QLocale::system().toString(QDate(t.year, t.month, t.day), QLocale::ShortFormat).toStdString();
}

std::string LongTimeString(const LocalDateTime& t)
{
    return QLocale::system().toString(QTime(t.hour, t.minute, t.second), QLocale::LongFormat).toStdString();
}

}  // namespace detkit
