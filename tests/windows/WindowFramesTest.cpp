// What the desktop shows around the windows: the program's icon on each of them, and dialog
// frames with a title and a close box only.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QTest>

#include "ToolWindowFixture.h"
#include "platform/DialogFrame.h"
#include "platform/QtPrinterDialog.h"
#include "platform/QtPrompts.h"
#include "shell/startup/ProgramIcon.h"
#include "shell/commands/ProgressWindow.h"
#include "shell/startup/WelcomeWindow.h"
#include "support/LayoutsAtRest.h"
#include "support/ModalSnapshot.h"
#include "windows/dialogs/ArrayDesignDialog.h"
#include "windows/tools/CalculationsWindow.h"
#include "windows/dialogs/ChooseColorDialog.h"
#include "windows/dialogs/NewListeningPointDialog.h"
#include "windows/tools/NotesWindow.h"
#include "windows/dialogs/OptionsDialog.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

QImage Picture(const QIcon& icon) { return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32); }

// The program's icon is the only picture on the desktop with its orange cells; the toolkit's
// own logo is green.
bool ShowsProgramIcon(const QImage& shown)
{
    bool orange = false;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor pixel = shown.pixelColor(x, y);
            orange = orange || (pixel.red() > 200 && pixel.green() > 130 && pixel.green() < 200 && pixel.blue() < 110);
        }
    return orange;
}

class WindowFrames : public ToolWindowFixture {
protected:
    WindowFrames()
    {
        window_.SetToolWindowSlot(ToolWindowId::Notes, &notes_);
        window_.SetToolWindowSlot(ToolWindowId::Calculations, &calculations_);
    }
    ~WindowFrames() override
    {
        QApplication::setWindowIcon(QIcon());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The questions the program asks through its prompts and its print dialog, each as it
    // looked while it was up.
    std::vector<std::pair<std::string, ModalSnapshot>> Prompts()
    {
        QtPrompts prompts(&window_);
        QtPrinterDialog printer(&window_);
        std::vector<std::pair<std::string, ModalSnapshot>> seen;
        const auto take = [&seen](const char* name, const std::function<void()>& ask) {
            seen.emplace_back(name, ModalSnapshot::Take(ask));
        };
        take("message box", [&] { prompts.ShowMessage("Text", "Quessel Polvane", MessageButtons::YesNo,
                                                     MessageIcon::Question); });
        take("text prompt", [&] { prompts.AskText("Name:", "Quessel Polvane", "Layout"); });
        take("open dialog", [&] { prompts.ChooseOpenFile({}); });
        take("font dialog", [&] { prompts.ChooseFont({"Arial", 10, false, false}); });
        take("print dialog", [&] { printer.Choose(); });
        return seen;
    }

    ToolWindowHost notes_{context_, [](ToolWindowContext& c) { return new NotesWindow(c); }};
    ToolWindowHost calculations_{context_, [](ToolWindowContext& c) { return new CalculationsWindow(c); }};
};

TEST_F(WindowFrames, EveryWindowShowsTheProgramsIcon)
{
    const QImage program = Picture(ProgramIcon::Icon());
    ASSERT_FALSE(program.isNull()) << "the built-in picture is read";
    ASSERT_NE(program, Picture(QApplication::style()->standardIcon(QStyle::SP_TitleBarMenuButton)));
    ProgramIcon::Install();

    window_.show();
    Item("mnuViewNotes")->trigger();
    Item("mnuViewCalculations")->trigger();
    ASSERT_TRUE(LayoutsAtRest::Await());
    EXPECT_EQ(Picture(window_.windowIcon()), program) << "main window";
    const QList<QMdiSubWindow*> frames = window_.MdiArea()->subWindowList();
    ASSERT_EQ(frames.size(), 2);
    for (QMdiSubWindow* frame : frames)
        EXPECT_EQ(Picture(frame->windowIcon()), program) << frame->windowTitle().toStdString();
    // A maximised tool window hands its icon to the menu bar's corner.
    QMdiSubWindow* notes = frames.front()->windowTitle() == QStringLiteral("Notes") ? frames.front() : frames.back();
    notes->showMaximized();
    ASSERT_TRUE(LayoutsAtRest::Await());
    EXPECT_EQ(Picture(notes->windowIcon()), program) << "maximised";
    QWidget* corner = window_.menuBar()->cornerWidget(Qt::TopLeftCorner);
    ASSERT_NE(corner, nullptr) << "the maximised window's icon in the menu bar";
    EXPECT_TRUE(ShowsProgramIcon(corner->grab().toImage())) << "menu bar corner";

    WelcomeWindow welcome(&window_);
    ArrayDesignDialog design(hub_, reporter_, screen_, &window_);
    EXPECT_EQ(Picture(welcome.windowIcon()), program) << "welcome";
    EXPECT_EQ(Picture(design.windowIcon()), program) << "array design";
    for (const auto& [name, seen] : Prompts()) {
        ASSERT_TRUE(seen.shown) << name;
        EXPECT_EQ(Picture(seen.icon), program) << name;
    }
}

TEST_F(WindowFrames, DialogsHaveATitleAndACloseBoxButNoMinimiseOrMaximise)
{
    const auto expectDialogFrame = [](Qt::WindowFlags flags, const std::string& name) {
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog) << name;
        EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint)) << name;
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << name;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << name;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << name;
        // The platform follows these hints rather than its own defaults.
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << name;
    };
    ArrayDesignDialog design(hub_, reporter_, screen_, &window_);
    NewListeningPointDialog newPoint(&window_);
    ChooseColorDialog color(hub_, reporter_, &window_);
    OptionsDialog settings(options_, prompts_, hub_, reporter_, [] { return false; }, {}, &window_);
    WelcomeWindow welcome(&window_);
    ProgressWindow progress(&window_);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&design, &newPoint, &color, &settings, &welcome, &progress})
        expectDialogFrame(dialog->windowFlags(), dialog->objectName().toStdString());
    // The colour choice keeps its fixed size.
    EXPECT_TRUE(color.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));

    window_.show();
    for (const auto& [name, seen] : Prompts()) {
        ASSERT_TRUE(seen.shown) << name;
        expectDialogFrame(seen.flags, name);
    }
}

} // namespace
} // namespace polvane
