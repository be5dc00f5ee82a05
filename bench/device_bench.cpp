// Host cost of one poll tick at 4096 channels (32 spectrum blocks and the
// status block) through the simulated analyser, and what the waits cost when
// every exchange takes a millisecond on the real clock.

#include <benchmark/benchmark.h>

#include <vector>

#include "device/link.h"
#include "device/protocol.h"
#include "device/sim/nai_spectrum.h"
#include "device/sim/simulated_analyser.h"
#include "platform/clock.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {
namespace {

template <typename ClockType> struct Rig {
    explicit Rig(int latencyMs) : sim(clock, options(latencyMs))
    {
        s.io.clock = &clock;
        s.io.driver = &sim;
        s.ChannelCount = 4096;
        OpenDevice(s, 0);
        SetMemorySize(s, 4096);
        StartMca(s, f);
    }
    static SimulatedAnalyserOptions options(int latencyMs)
    {
        SimulatedAnalyserOptions o;
        o.latencyPerExchangeMs = latencyMs;
        o.transferUsPerByte = 0;
        return o;
    }
    ClockType clock;
    SimulatedAnalyser sim;
    SharedState s;
    Form f;
};

// Zero latency on a stepped clock: only the host's and the simulator's work.
void BM_Tick4096NoLatency(benchmark::State& state)
{
    Rig<ManualClock> rig(0);
    for (auto _ : state) {
        rig.clock.advance(100); // a tick's worth of counting
        benchmark::DoNotOptimize(ReadSpectrum(rig.s));
        benchmark::DoNotOptimize(ReadStatus(rig.s));
    }
    state.counters["totalCounts"] = static_cast<double>(rig.sim.totalCounts());
}
BENCHMARK(BM_Tick4096NoLatency)->Unit(benchmark::kMicrosecond);

// 1 ms per exchange on the system clock, 50 ticks per iteration: the waits
// should sleep, so process CPU time stays a small share of the wall time.
void BM_50Ticks4096Latency1ms(benchmark::State& state)
{
    Rig<SystemClock> rig(1);
    for (auto _ : state) {
        for (int tick = 0; tick < 50; ++tick) {
            benchmark::DoNotOptimize(ReadSpectrum(rig.s));
            benchmark::DoNotOptimize(ReadStatus(rig.s));
        }
    }
}
BENCHMARK(BM_50Ticks4096Latency1ms)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_50Ticks4096Latency1ms)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3)
    ->Name("BM_50Ticks4096Latency1ms_processCPU");

// Counting one 100 ms tick of the NaI spectrum at 4096 channels.
void BM_Count100ms(benchmark::State& state)
{
    SpectrumSampler sampler(1);
    sampler.setChannels(4096);
    std::vector<std::int32_t> counts(4096, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(sampler.count(0.1, 1.8, counts));
    state.counters["eventsPerTick"] = sampler.totalRate() * 0.1;
}
BENCHMARK(BM_Count100ms)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace detkit

BENCHMARK_MAIN();
