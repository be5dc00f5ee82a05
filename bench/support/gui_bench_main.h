#pragma once
// main() body for benchmarks that draw text: Qt needs its application object
// for fonts; the offscreen platform needs no display.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QGuiApplication>

namespace detkit {

inline int runGuiBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace detkit
