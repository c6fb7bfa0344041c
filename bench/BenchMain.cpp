// The benchmarks' own start: the application object belongs to main, so every window a
// benchmark opens is gone before it, and the exit handlers find nothing of Qt left to end.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define POLVANE_CLEAR_UPPER_VECTOR_STATE 1
#endif

#include "shell/startup/ReportingApplication.h"

namespace {

#ifdef POLVANE_CLEAR_UPPER_VECTOR_STATE
__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }
#endif

// Making the application object runs wide vector code (AVX-512 on processors that have it)
// that leaves the upper halves of the vector registers dirty. Until something clears them,
// every SSE instruction after it pays for the mixed state: the scalar sines and cosines of
// the yardstick ran thirty times slower when it came first. Cleared once, every benchmark
// starts from the same state whatever ran before it.
void ClearUpperVectorState()
{
#ifdef POLVANE_CLEAR_UPPER_VECTOR_STATE
    if (__builtin_cpu_supports("avx"))
        ZeroUpper();
#endif
}

} // namespace

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
    ClearUpperVectorState();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
