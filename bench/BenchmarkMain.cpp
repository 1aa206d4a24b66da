#include "BaselineReporter.h"

#include <QtGui/QGuiApplication>

int main(int argc, char **argv)
{
    // Some benchmarks need a window system (fonts, OpenGL): run under a display.
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    orbbench::BaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
