#include "shell/startup/CrashMarker.h"

#include <fstream>

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/ProgramFolder.h"
#include "platform/QtPrompts.h"
#include "support/FakeClock.h"
#include "support/ModalSnapshot.h"

namespace polvane {
namespace {

// The warning after an unclean end, as the program shows it: a real message box over the
// main window, which at that point of the start is not shown yet.
TEST(CrashMarker, TheWarningOpensCentredOverTheShownMainWindowElseOverTheScreen)
{
    struct Case {
        bool mainWindowShown;
    };
    for (const Case& c : {Case{false}, Case{true}}) {
        QTemporaryDir temp;
        const ProgramFolder folder(temp.path().toStdString());
        std::ofstream(folder.File(CrashMarker::kFileName), std::ios::binary) << "12345678";
        QMainWindow mainWindow;
        mainWindow.setGeometry(120, 90, 420, 300);
        if (c.mainWindowShown) {
            mainWindow.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
        }
        QtPrompts prompts(&mainWindow);
        FakeClock clock;
        bool warned = false;
        const ModalSnapshot box = ModalSnapshot::Take(
            [&] { warned = CrashMarker(folder).Initialize(clock, prompts, "Quessel Polvane"); });
        ASSERT_TRUE(box.shown);
        EXPECT_TRUE(warned);
        const QPoint middle = c.mainWindowShown
                                  ? mainWindow.frameGeometry().center()
                                  : QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((box.geometry.center() - middle).manhattanLength(), 4)
            << "main window shown: " << c.mainWindowShown << "; box at " << box.geometry.x() << ", "
            << box.geometry.y();
    }
}

} // namespace
} // namespace polvane
