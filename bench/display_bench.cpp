// Redraw and background rebuild times of the plot, and the pieces of a
// redraw, to see what dominates. Run with --benchmark_repetitions=9 for medians.

#include <benchmark/benchmark.h>

#include "support/gui_bench_main.h"

#include <cmath>
#include <memory>
#include <random>


#include "display/plot.h"
#include "display/plot_geometry.h"
#include "display/ruler.h"
#include "display/vertical_scale.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {
namespace {

// A NaI-like spectrum: falling continuum, two photopeaks, Poisson-ish noise
// from a fixed seed so every run draws the same picture.
void fillSpectrum(SharedState& s, int channels)
{
    std::mt19937 rng(12345);
    for (int c = 0; c < channels; ++c) {
        const double x = static_cast<double>(c) / channels;
        double mean = 20000.0 * std::exp(-6.0 * x) + 50.0;
        mean += 30000.0 * std::exp(-std::pow((x - 0.33) / 0.012, 2));
        mean += 8000.0 * std::exp(-std::pow((x - 0.73) / 0.02, 2));
        std::poisson_distribution<int> p(mean);
        s.LiveSpectrum[static_cast<std::size_t>(c)] = p(rng);
    }
    s.ChannelCount = channels;
    s.DisplayWindow = {0, channels - 1};
    s.CursorChannel = channels / 2;
}

struct Scene {
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    Form form;
    explicit Scene(bool log)
    {
        SharedState& s = *state;
        if (log) {
            fillSpectrum(s, 2048);
            BuildLogBackground(s);
        } else {
            fillSpectrum(s, 4096);
            s.FullScaleIndex = autoScaleStep(windowMaxCount(spectrumInUse(s), 0, 4095));
            BuildLinearBackground(s);
        }
        s.Snapshots[0].shown = 1; // one overlay, as after a snapshot
        PaintBox1Paint(s, form);
        s.Snapshots[0].top = {};
        s.Snapshots[0].bottom = {};
        for (std::size_t x = 0; x < 512; ++x) {
            s.Snapshots[0].top[x] = s.surfaces.TraceTop[x];
            s.Snapshots[0].bottom[x] = s.surfaces.TraceBottom[x];
        }
    }
};

void BM_PaintBox1Paint_Log2048(benchmark::State& st)
{
    Scene scene(true);
    for (auto _ : st)
        PaintBox1Paint(*scene.state, scene.form);
}
BENCHMARK(BM_PaintBox1Paint_Log2048);

void BM_PaintBox1Paint_Linear4096(benchmark::State& st)
{
    Scene scene(false);
    for (auto _ : st)
        PaintBox1Paint(*scene.state, scene.form);
}
BENCHMARK(BM_PaintBox1Paint_Linear4096);

void BM_BuildLogBackground(benchmark::State& st)
{
    Scene scene(true);
    for (auto _ : st)
        BuildLogBackground(*scene.state);
}
BENCHMARK(BM_BuildLogBackground);

void BM_BuildLinearBackground(benchmark::State& st)
{
    Scene scene(false);
    for (auto _ : st)
        BuildLinearBackground(*scene.state);
}
BENCHMARK(BM_BuildLinearBackground);

// The pieces of one redraw.

void BM_Piece_TraceRows_Log2048(benchmark::State& st)
{
    Scene scene(true);
    SharedState& s = *scene.state;
    const ColumnGeometry g = columnGeometry(0, 2047, 512);
    for (auto _ : st) {
        traceRows(spectrumInUse(s), g, true, 100, 312, s.surfaces.TraceTop, s.surfaces.TraceBottom);
        benchmark::DoNotOptimize(s.surfaces.TraceTop.data());
    }
}
BENCHMARK(BM_Piece_TraceRows_Log2048);

void BM_Piece_TraceRows_Linear4096(benchmark::State& st)
{
    Scene scene(false);
    SharedState& s = *scene.state;
    const ColumnGeometry g = columnGeometry(0, 4095, 512);
    for (auto _ : st) {
        traceRows(spectrumInUse(s), g, false, fullScaleOf(s.FullScaleIndex), 312, s.surfaces.TraceTop,
                  s.surfaces.TraceBottom);
        benchmark::DoNotOptimize(s.surfaces.TraceTop.data());
    }
}
BENCHMARK(BM_Piece_TraceRows_Linear4096);

void BM_Piece_ClearFromBackground(benchmark::State& st)
{
    Scene scene(true);
    PlotSurfaces& sf = scene.state->surfaces;
    for (auto _ : st)
        sf.PlotImage.Draw(0, 0, sf.PlotBackground);
}
BENCHMARK(BM_Piece_ClearFromBackground);

void BM_Piece_DrawTrace(benchmark::State& st)
{
    Scene scene(true);
    PlotSurfaces& sf = scene.state->surfaces;
    for (auto _ : st)
        drawTrace(sf.PlotImage, sf.TraceTop, sf.TraceBottom, 4, clLime);
}
BENCHMARK(BM_Piece_DrawTrace);

void BM_Piece_ComposePaintBox(benchmark::State& st)
{
    Scene scene(true);
    for (auto _ : st)
        composePaintBox(scene.state->surfaces);
}
BENCHMARK(BM_Piece_ComposePaintBox);

void BM_Piece_DrawRuler(benchmark::State& st)
{
    Scene scene(true);
    for (auto _ : st)
        DrawRuler(*scene.state);
}
BENCHMARK(BM_Piece_DrawRuler);

// For scale: one label through the surface's text path (QPainter per call).
void BM_Piece_TextOut(benchmark::State& st)
{
    Scene scene(true);
    Canvas& plot = scene.state->surfaces.PlotImage;
    plot.setFontColor(clAqua);
    for (auto _ : st)
        plot.TextOut(100, 5, "  3600.0");
}
BENCHMARK(BM_Piece_TextOut);

} // namespace
} // namespace detkit

int main(int argc, char** argv) { return detkit::runGuiBenchmarks(argc, argv); }
