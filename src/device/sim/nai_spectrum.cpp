#include "device/sim/nai_spectrum.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace detkit {

namespace {

constexpr double kElectronMassKeV = 511.0;

// Full-energy peak rates of a sample of a few hundred Bq/kg in a 1 l beaker,
// weighted by the detector's falling efficiency.
constexpr std::array<GammaLine, 10> kLines = {{
    {32.0, 25.0},   // Ba K X-rays after Cs-137
    {563.2, 7.0},   // Cs-134
    {569.3, 13.0},  // Cs-134
    {604.7, 80.0},  // Cs-134
    {661.7, 220.0}, // Cs-137
    {795.9, 60.0},  // Cs-134
    {801.9, 6.0},   // Cs-134
    {1365.2, 1.5},  // Cs-134
    {1460.8, 12.0}, // K-40
    {2614.5, 0.0},  // Tl-208 lies beyond the range; only its continuum reaches in
}};

double comptonEdge(double e)
{
    const double a = 2.0 * e / kElectronMassKeV;
    return e * a / (1.0 + a);
}

// Area of a normal distribution of mean m and deviation s between a and b.
double gaussianShare(double a, double b, double m, double s)
{
    const double k = 1.0 / (s * std::sqrt(2.0));
    return 0.5 * (std::erf((b - m) * k) - std::erf((a - m) * k));
}

// Counts per second per keV at energy e outside the peaks.
double continuumDensity(double e)
{
    double density = 40.0 * std::exp(-e / 70.0) + 2.0 * std::exp(-e / 450.0); // scattered room background
    for (const GammaLine& line : kLines) {
        const double edge = comptonEdge(line.energyKeV);
        const double rate = line.energyKeV > 2000.0 ? 8.0 : line.peakRate;
        // Compton plateau of about twice the peak's counts, rounded off at the edge.
        const double height = 2.0 * rate / edge;
        const double sigma = NaiFwhmKeV(edge) / 2.355;
        density += height * 0.5 * std::erfc((e - edge) / (sigma * std::sqrt(2.0)));
    }
    return density;
}

} // namespace

double NaiFwhmKeV(double energyKeV)
{
    return 0.07 * std::sqrt(661.7 * std::max(energyKeV, 1.0));
}

std::vector<double> NaiChannelRates(int channels)
{
    std::vector<double> rates(static_cast<std::size_t>(std::max(channels, 0)), 0.0);
    const double width = kSimFullScaleKeV / std::max(channels, 1);
    for (std::size_t c = 0; c < rates.size(); ++c) {
        const double low = static_cast<double>(c) * width;
        const double high = low + width;
        double rate = continuumDensity(low + 0.5 * width) * width;
        for (const GammaLine& line : kLines) {
            if (line.peakRate > 0)
                rate += line.peakRate * gaussianShare(low, high, line.energyKeV, NaiFwhmKeV(line.energyKeV) / 2.355);
        }
        // Lower-level discriminator at about 20 keV.
        rate /= 1.0 + std::exp(-(low + 0.5 * width - 20.0) / 3.0);
        rates[c] = rate;
    }
    return rates;
}

SpectrumSampler::SpectrumSampler(std::uint64_t seed) : rng_(seed)
{
    setChannels(2048);
}

void SpectrumSampler::setChannels(int channels)
{
    if (channels == this->channels())
        return;
    rates_ = NaiChannelRates(channels);
    cumulative_.resize(rates_.size());
    double sum = 0;
    for (std::size_t c = 0; c < rates_.size(); ++c) {
        sum += rates_[c];
        cumulative_[c] = sum;
    }
    totalRate_ = sum;
    for (double& v : cumulative_)
        v /= sum > 0 ? sum : 1.0;
}

std::int64_t SpectrumSampler::count(double seconds, double deadTimeUs, std::span<std::int32_t> counts)
{
    if (seconds <= 0 || rates_.empty())
        return 0;
    const std::size_t n = std::min(rates_.size(), counts.size());
    // Recorded fraction of a non-paralysable dead time: 1 / (1 + rate * tau).
    const double live = 1.0 / (1.0 + totalRate_ * deadTimeUs * 1e-6);
    const double expected = totalRate_ * live * seconds;
    std::int64_t added = 0;
    if (expected < 8.0 * static_cast<double>(n)) {
        // Few events: draw how many, then where each one falls.
        const auto events = std::poisson_distribution<std::int64_t>(expected)(rng_);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        for (std::int64_t i = 0; i < events; ++i) {
            const auto it = std::upper_bound(cumulative_.begin(), cumulative_.end(), u(rng_));
            const auto c = static_cast<std::size_t>(
                std::min<std::ptrdiff_t>(it - cumulative_.begin(), static_cast<std::ptrdiff_t>(n) - 1));
            ++counts[c];
        }
        added = events;
    } else {
        // Long stretches: each channel on its own.
        for (std::size_t c = 0; c < n; ++c) {
            const double mean = rates_[c] * live * seconds;
            const auto k = mean > 0 ? std::poisson_distribution<std::int64_t>(mean)(rng_) : 0;
            counts[c] += static_cast<std::int32_t>(k);
            added += k;
        }
    }
    return added;
}

} // namespace detkit
