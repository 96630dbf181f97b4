#pragma once

#include "app/startup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace bench {

// Runs the registered benchmarks; false when an argument was not understood.
inline int runBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The same inside an application set up as the program sets itself up, on
// the offscreen platform unless another is asked for.
inline int runWindowBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::prepareApplication(application);
    return runBenchmarks(argc, argv);
}

} // namespace bench
