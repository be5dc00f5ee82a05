#include "device/sim/analyser_display.h"

#include <algorithm>

namespace detkit {

void AnalyserDisplay::setChannels(int channels)
{
    channels_ = std::clamp(channels, 1, 4096);
    first_ = 0;
    last_ = channels_ - 1;
    cursor_ = channels_ / 2;
}

bool AnalyserDisplay::setStep(int step)
{
    if (step < 1 || step > kMaxStep)
        return false;
    log_ = false;
    step_ = step;
    return true;
}

void AnalyserDisplay::stepLower()
{
    log_ = false;
    if (step_ > 1)
        --step_;
}

void AnalyserDisplay::stepHigher()
{
    log_ = false;
    if (step_ < kMaxStep)
        ++step_;
}

void AnalyserDisplay::expand()
{
    const int n = last_ - first_ + 1;
    const int a = n / kWidth;
    const int c = cursor_;
    const int total = channels_;
    int first = first_;
    int last = last_;
    if (a == 0) {
        const int q = (kWidth / n) * 2;
        if (q <= 64) {
            const int h = (kWidth / q) / 2;
            first = std::max(c - h, 0);
            last = c + h - 1;
            if (last >= total) {
                last = total - 1;
                first = std::max(total - kWidth / q, 0);
            }
        }
    } else {
        const int span = a == 1 ? kWidth / 2 : kWidth * (a / 2);
        first = std::max(c - span / 2, 0);
        last = first + span - 1;
        if (last >= total) {
            last = total - 1;
            first = std::max(total - span, 0);
        }
    }
    first_ = first;
    last_ = last;
    if (cursor_ < first_ || cursor_ > last_)
        cursor_ = first_ + (last_ - first_ + 1) / 2;
}

void AnalyserDisplay::compress()
{
    const int n = last_ - first_ + 1;
    const int a = n / kWidth;
    const int m = channels_ / kWidth;
    if (a >= m)
        return;
    int span;
    if (a == 0) {
        // A window of 257 to 511 channels would halve to 0 pixels per channel: show 512.
        const int p = std::max((kWidth / n) / 2, 1);
        span = kWidth / p;
    } else {
        span = kWidth * 2 * a;
    }
    int first = std::max(cursor_ - span / 2, 0);
    int last = first + span - 1;
    if (last >= channels_) {
        last = channels_ - 1;
        first = std::max(channels_ - span, 0);
    }
    first_ = first;
    last_ = last;
}

void AnalyserDisplay::scrollLeft()
{
    if (first_ > 10) {
        first_ -= 10;
        last_ -= 10;
        cursor_ = std::max(cursor_ - 10, 0);
    }
}

void AnalyserDisplay::scrollRight()
{
    if (last_ + 10 < channels_) {
        first_ += 10;
        last_ += 10;
        cursor_ = std::min(cursor_ + 10, channels_ - 1);
    }
}

bool AnalyserDisplay::setCursor(int channel)
{
    if (channel < 0 || channel >= channels_)
        return false;
    cursor_ = channel;
    return true;
}

} // namespace detkit
