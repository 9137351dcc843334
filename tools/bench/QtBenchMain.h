#pragma once
// The main of a benchmark program that paints: Qt needs an application object, and offscreen
// rendering keeps the figures free of a display server.

#include <QApplication>
#include <benchmark/benchmark.h>

namespace qw {

inline int RunQtBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace qw
