// The benchmarks' own start: the application object belongs to main, so every window a
// benchmark opens is gone before it, and the exit handlers find nothing of Qt left to end.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "shell/startup/ReportingApplication.h"

int main(int argc, char** argv)
{
    // Off screen, on a screen of 1280 x 1024 pixels: the size the windows are arranged for.
    QTemporaryDir config;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && config.isValid()) {
        const QString path = config.filePath(QStringLiteral("screen.json"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(R"({"screens": [{"name": "Bench", "x": 0, "y": 0, "width": 1280, "height": 1024,)"
                       R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            file.close();
            qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + path.toLocal8Bit());
        }
    }
    int qtArgc = 1;
    char name[] = "polvane_bench";
    char* qtArgv[] = {name, nullptr};
    polvane::ReportingApplication application(qtArgc, qtArgv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
