// The prediction and one edit as they run inside the program: in a process that has a
// QApplication (offscreen) and has drawn with Qt, and through the real windows.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "platform/ProgramFolder.h"
#include "shell/ErrorReporter.h"
#include "shell/MainWindow.h"
#include "shell/ShellMainWindowRelay.h"
#include "shell/Options.h"
#include "shell/RecentFiles.h"
#include "shell/Session.h"
#include "shell/ToolWindowRegistry.h"
#include "shell/UpdateHub.h"
#include "shell/VenueLifecycle.h"
#include "shell/WindowRegistry.h"
#include "support/FakeClock.h"
#include "support/FixedScreenInfo.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"
#include "support/ScriptedPrompts.h"
#include "windows/ArrayConfigurationWindow.h"
#include "windows/ArrayPictureWindow.h"
#include "windows/BumperConfigurationWindow.h"
#include "windows/CalculationsWindow.h"
#include "windows/CellConfigurationsWindow.h"
#include "windows/FROptionsWindow.h"
#include "windows/IFEGraphWindow.h"
#include "windows/ListeningPointsWindow.h"
#include "windows/NotesWindow.h"
#include "windows/RiggingDetailsWindow.h"
#include "windows/SeatingAreasWindow.h"
#include "windows/ToolWindowHost.h"
#include "windows/VenueWindow.h"

#include "BenchVenues.h"

namespace polvane {
namespace {

QApplication& TheApplication()
{
    static int argc = 1;
    static char name[] = "polvane_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

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
    TheApplication();
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

        Host<ArrayConfigurationWindow>(ToolWindowId::ArrayConfiguration, std::function<void()>([] {}));
        Host<ArrayPictureWindow>(ToolWindowId::ArrayPicture);
        Host<BumperConfigurationWindow>(ToolWindowId::BumperConfiguration);
        Host<CalculationsWindow>(ToolWindowId::Calculations);
        ToolWindowHost& cellsHost = Host<CellConfigurationsWindow>(ToolWindowId::CellConfigurations);
        Host<FROptionsWindow>(ToolWindowId::FROptions);
        Host<IFEGraphWindow>(ToolWindowId::IFEGraph);
        Host<ListeningPointsWindow>(ToolWindowId::ListeningPoints);
        Host<NotesWindow>(ToolWindowId::Notes);
        Host<RiggingDetailsWindow>(ToolWindowId::RiggingDetails);
        Host<SeatingAreasWindow>(ToolWindowId::SeatingAreas);
        Host<VenueWindow>(ToolWindowId::Venue);
        window_.show();
        for (const ToolWindowInfo& info : ToolWindowRegistry::All())
            window_.findChild<QAction*>(QString::fromUtf8(info.menuName))->trigger();
        hub_.UpdateInterfaces(UpdateScope::All, true);
        QApplication::processEvents();
        cells_ = dynamic_cast<CellConfigurationsWindow*>(cellsHost.Window());
    }
    ~Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool HasCells() const { return cells_ != nullptr; }
    CellConfigurationsWindow& Cells() { return *cells_; }
    std::size_t OpenWindows() const
    {
        std::size_t open = 0;
        for (const auto& host : hosts_)
            open += host->Window() != nullptr ? 1 : 0;
        return open;
    }

private:
    template <class W, class... Extra>
    ToolWindowHost& Host(ToolWindowId id, Extra... extra)
    {
        hosts_.push_back(std::make_unique<ToolWindowHost>(
            context_, [extra...](ToolWindowContext& context) { return new W(context, extra...); }));
        window_.SetToolWindowSlot(id, hosts_.back().get());
        return *hosts_.back();
    }

    QTemporaryDir temp_;
    ProgramFolder folder_;
    MemorySettingsStore store_;
    Session session_;
    Options& options_;
    RecentFiles recent_;
    FakeClock clock_;
    ScriptedPrompts prompts_;
    FixedScreenInfo screen_{1920, 1200, 15, 15};
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
};

// One splay step on cell 10 and back, as the user clicks the row's buttons: the handler,
// the prediction, every open window's refresh and the repaint that follows.
void BM_EditRoundTrip(benchmark::State& state)
{
    TheApplication();
    Program program(static_cast<int>(state.range(0)));
    if (program.OpenWindows() != ToolWindowRegistry::kCount || !program.HasCells()) {
        state.SkipWithError("not every tool window opened");
        return;
    }
    auto& row = program.Cells().RowAt(10);
    bool up = true;
    for (auto _ : state) {
        (up ? row.splayUp : row.splayDown)->click();
        QApplication::processEvents();
        up = !up;
    }
}
BENCHMARK(BM_EditRoundTrip)->Arg(24)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace polvane
