#pragma once
// The simulated analyser's own display: window, cursor and vertical full
// scale, changed by the display commands the way the host changes its plot
// when no analyser is acquiring (512 columns across the window).

#include <cstdint>

namespace detkit {

class AnalyserDisplay {
  public:
    static constexpr int kWidth = 512;
    static constexpr int kMaxStep = 22;

    // A new memory size shows the whole memory again.
    void setChannels(int channels);
    int channels() const { return channels_; }

    int first() const { return first_; }
    int last() const { return last_; }
    int cursor() const { return cursor_; }
    // 0 for logarithmic, else the linear full-scale step 1..22.
    int vfsIndex() const { return log_ ? 0 : step_; }

    void setLog() { log_ = true; }
    bool setStep(int step); // false when out of range
    void stepLower();       // "$V;": next smaller full scale
    void stepHigher();      // "$v;": next larger full scale
    void expand();
    void compress();
    void scrollLeft();
    void scrollRight();
    bool setCursor(int channel); // false when outside the memory

  private:
    int channels_ = 2048;
    int first_ = 0;
    int last_ = 2047;
    int cursor_ = 1024;
    int step_ = 2;
    bool log_ = true;
};

} // namespace detkit
