// The prediction and one edit as they run inside the program: in a process that has the
// program's application object (off screen, made by the benchmarks' main) and has drawn
// with Qt, and through the real windows, to the end of their painting.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "platform/ProgramFolder.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/mainwindow/ShellMainWindowRelay.h"
#include "shell/options/Options.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/Session.h"
#include "shell/places/ToolWindowRegistry.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/session/WindowRegistry.h"
#include "support/FakeClock.h"
#include "support/FixedScreenInfo.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"
#include "support/ScriptedPrompts.h"
#include "windows/tools/CellConfigurationsWindow.h"
#include "plot/PlotPictureBox.h"
#include "windows/base/ToolWindowHost.h"
#include "windows/tools/ToolWindowFactory.h"
#include "windows/tools/VenueWindow.h"

#include "BenchVenues.h"

namespace polvane {
namespace {

// What the windows draw: antialiased lines, a gradient, text.
void PaintWithQt()
{
    QImage image(320, 240, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 320, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::black, 3));
    for (int i = 0; i < 20; ++i)
        painter.drawLine(i * 16, 0, 320 - i * 16, 240);
    painter.drawText(20, 120, QStringLiteral("Inter-Frequency Evenness Graph"));
}

void BM_PredictionSingleFrequencyAfterQtPaint(benchmark::State& state)
{
    auto env = bench::PredictionVenue();
    PaintWithQt();
    bool tilted = false;
    for (auto _ : state) {
        bench::MoveEveryCell(*env, tilted);
        auto r = env->GenerateCalculations(false);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_PredictionSingleFrequencyAfterQtPaint);

// The program as the user has it, with its stores in memory and its files in a
// temporary folder, every tool window open.
class Program {
public:
    explicit Program(int cells)
        : folder_(temp_.path().toStdString()), session_(store_), options_(session_.Options()),
          recent_(store_),
          reporter_(folder_, clock_, prompts_, [] { return std::string("Polvane"); }, "2.4.0",
                    [] {}, [] {}),
          lifecycle_(session_, prompts_, relay_, recent_, [this] { return templatePath_; },
                     [] { return std::string("Polvane"); }),
          hub_(session_, registry_, relay_, help_),
          window_(options_, prompts_, screen_, registry_, reporter_, lifecycle_, hub_, relay_),
          context_{registry_, window_, *window_.MdiArea(), screen_, hub_, lifecycle_, reporter_,
                   options_, session_, [this] { return window_.IsUnloading(); }, prompts_, &window_, {}}
    {
        options_.SwitchToEngineeringMode();
        prompts_.SetAnswerOkBoxes(true);
        Environment blank;
        blank.Clear();
        blank.SetUnits(UnitsCode::English);
        templatePath_ = temp_.filePath(QStringLiteral("Blank_English.venue")).toStdString();
        VenueFile::SaveAs(blank, templatePath_);
        lifecycle_.SetUpdateHub(&hub_);
        window_.SetEndProgram([] {});
        lifecycle_.NewVenue();
        bench::FillHall(lifecycle_.Venue(), cells);
        // A steep column: every cell 5 degrees on from the one above, 6 dB down.
        auto& column = lifecycle_.Venue().LineArray().Cells();
        for (int i = 1; i <= column.Count(); ++i) {
            column.Item(i).SetSplayAngle(Angle::FromDegrees(5));
            column.Item(i).SetAttenuation(-6.0f);
        }

        for (const ToolWindowInfo& info : ToolWindowRegistry::All())
            Host(info.id);
        window_.show();
        QApplication::processEvents();
        // The windows at the places and sizes the 1280 x 1024 arrangement gives them in
        // engineering mode; the evenness graph, which it leaves closed, where it opens.
        window_.findChild<QAction*>(QStringLiteral("mnuViewWindowsArrange1280x1024"))->trigger();
        for (const ToolWindowInfo& info : ToolWindowRegistry::All())
            window_.findChild<QAction*>(QString::fromUtf8(info.menuName))->trigger();
        hub_.UpdateInterfaces(UpdateScope::All, true);
        Settle();
        cells_ = dynamic_cast<CellConfigurationsWindow*>(registry_.Find(ToolWindowId::CellConfigurations));
        venue_ = dynamic_cast<VenueWindow*>(registry_.Find(ToolWindowId::Venue));
        for (PlotPictureBox* box : window_.findChildren<PlotPictureBox*>())
            box->installEventFilter(&paints_);
    }
    ~Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool HasCells() const { return cells_ != nullptr && venue_ != nullptr; }
    CellConfigurationsWindow& Cells() { return *cells_; }
    VenueWindow& Venue() { return *venue_; }
    Environment& VenueDocument() { return lifecycle_.Venue(); }
    Options& ProgramOptions() { return options_; }
    // The pictures painted so far.
    long Paints() const { return paints_.count; }

    // Lets every event the last input caused run, the repaints it asked for included.
    static void Settle()
    {
        QApplication::processEvents();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    // The edits are measured with every tool window open.
    static constexpr std::size_t kMeasuredWindows = ToolWindowRegistry::kCount;

    std::size_t OpenWindows() const
    {
        std::size_t open = 0;
        for (const auto& host : hosts_)
            open += host->Window() != nullptr ? 1 : 0;
        return open;
    }

private:
    void Host(ToolWindowId id)
    {
        hosts_.push_back(std::make_unique<ToolWindowHost>(
            context_, [id](ToolWindowContext& context) { return ToolWindowFactory::Create(id, context); }));
        window_.SetToolWindowSlot(id, hosts_.back().get());
    }

    QTemporaryDir temp_;
    ProgramFolder folder_;
    MemorySettingsStore store_;
    Session session_;
    Options& options_;
    RecentFiles recent_;
    FakeClock clock_;
    ScriptedPrompts prompts_;
    FixedScreenInfo screen_{1280, 1024, 15, 15};
    WindowRegistry registry_;
    RecordingHelpViewer help_;
    ErrorReporter reporter_;
    ShellMainWindowRelay relay_;
    VenueLifecycle lifecycle_;
    UpdateHub hub_;
    MainWindow window_;
    ToolWindowContext context_;
    std::string templatePath_;
    std::vector<std::unique_ptr<ToolWindowHost>> hosts_;
    CellConfigurationsWindow* cells_ = nullptr;
    VenueWindow* venue_ = nullptr;

    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++count;
            return false;
        }
        long count = 0;
    } paints_;
};

// One splay step on cell 10 and back, as the user clicks the row's buttons: the press and
// release, the handler, the prediction, every open window's refresh and the painting that
// follows, on all of the process's threads.
void BM_EditRoundTrip(benchmark::State& state)
{
    Program program(static_cast<int>(state.range(0)));
    if (program.OpenWindows() != Program::kMeasuredWindows || !program.HasCells()) {
        state.SkipWithError("not every measured tool window opened");
        return;
    }
    auto& row = program.Cells().RowAt(10);
    bool up = true;
    const long paints = program.Paints();
    for (auto _ : state) {
        QTest::mouseClick(up ? row.splayUp : row.splayDown, Qt::LeftButton);
        Program::Settle();
        up = !up;
    }
    state.counters["pictures painted"] =
        benchmark::Counter(static_cast<double>(program.Paints() - paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EditRoundTrip)->Arg(24)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// One mouse move of a drag of the array in the venue window, a pixel one way and back, with
// the button held: the drag line and the coordinates follow the pointer, painted.
void BM_VenueDragStep(benchmark::State& state)
{
    Program program(static_cast<int>(state.range(0)));
    if (program.OpenWindows() != Program::kMeasuredWindows || !program.HasCells()) {
        state.SkipWithError("not every measured tool window opened");
        return;
    }
    program.ProgramOptions().SetClickAndDragVenueItems(true);
    VenueWindow& venue = program.Venue();
    QWidget* picture = venue.picVenue();
    const Point2D location = program.VenueDocument().LineArray().Bumper().Location();
    const QPoint at(static_cast<int>(std::lround(venue.Canvas().ConvertX(location.x))),
                    static_cast<int>(std::lround(venue.Canvas().ConvertY(location.y))));
    QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, at);
    Program::Settle();
    if (!venue.IsDragging()) {
        state.SkipWithError("the press did not take hold of the array");
        return;
    }
    const long paints = program.Paints();
    int step = 0;
    for (auto _ : state) {
        // QTest's mouseMove carries no held button: the event is made as the window gets it.
        const QPoint to = at + QPoint(4 + (step++ % 2) * 6, 3);
        QMouseEvent move(QEvent::MouseMove, to, picture->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        Program::Settle();
    }
    state.counters["pictures painted"] =
        benchmark::Counter(static_cast<double>(program.Paints() - paints), benchmark::Counter::kAvgIterations);
    QTest::mouseRelease(picture, Qt::LeftButton, Qt::NoModifier, at);
    Program::Settle();
}
BENCHMARK(BM_VenueDragStep)->Arg(24)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace polvane
