#include "BaselineReporter.h"
#include "GarbageCollection.h"

#include <QtGui/QGuiApplication>

int main(int argc, char **argv)
{
    // Some benchmarks need a window system (fonts, OpenGL): run under a display.
    QGuiApplication app(argc, argv);
    // As a host runs it: released objects are destroyed before the application.
    orb::GarbageCollection collector(100);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    orbbench::BaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
