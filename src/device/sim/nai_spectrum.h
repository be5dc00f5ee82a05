#pragma once
// What a 3" NaI(Tl) detector sees from a sample with caesium and potassium:
// expected count rates per channel, and a sampler that turns them into
// Poisson-distributed counts. The channels always span about 0-2080 keV
// (1.016 keV per channel at 2048 channels), whatever their number.

#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace detkit {

inline constexpr double kSimFullScaleKeV = 2080.0;

struct GammaLine {
    double energyKeV;
    double peakRate; // counts per second in the full-energy peak
};

// FWHM in keV: 7 % at 662 keV, growing with the square root of the energy.
double NaiFwhmKeV(double energyKeV);

// Expected counts per second in each of `channels` channels: the lines of
// Cs-137, Cs-134 and K-40 with their Compton continua, a falling low-energy
// background and the cut of the lower-level discriminator.
std::vector<double> NaiChannelRates(int channels);

// Draws counts for a stretch of acquisition time from fixed channel rates.
class SpectrumSampler {
  public:
    explicit SpectrumSampler(std::uint64_t seed = 1);

    void setChannels(int channels);
    int channels() const { return static_cast<int>(rates_.size()); }
    double totalRate() const { return totalRate_; } // counts/s before dead time

    // Adds the events recorded in `seconds` into `counts` (its first channels()
    // entries): a non-paralysable dead time of `deadTimeUs` per event. Returns
    // the number of events added.
    std::int64_t count(double seconds, double deadTimeUs, std::span<std::int32_t> counts);

  private:
    std::mt19937_64 rng_;
    std::vector<double> rates_;
    std::vector<double> cumulative_; // normalised, for drawing channels by binary search
    double totalRate_ = 0;
};

} // namespace detkit
