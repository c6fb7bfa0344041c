#include "shell/startup/CrashMarker.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <QGuiApplication>
#include <QMainWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/ProgramFolder.h"
#include "platform/QtPrompts.h"
#include "support/FakeClock.h"
#include "support/ModalSnapshot.h"
#include "support/ScriptedPrompts.h"

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

// Copies that run side by side: each keeps its own marker, none warns of another, and each
// orderly end removes its own only; a copy that ends uncleanly while another runs is still
// warned of at the next start.
TEST(CrashMarker, ASecondCopyIsNoAlarmButAnUncleanEndOfEitherIs)
{
    QTemporaryDir temp;
    const ProgramFolder folder(temp.path().toStdString());
    FakeClock clock;
    ScriptedPrompts prompts;
    auto first = std::make_unique<CrashMarker>(folder);
    EXPECT_FALSE(first->Initialize(clock, prompts, "Quessel Polvane"));
    EXPECT_EQ(first->Path(), folder.File(CrashMarker::kFileName));
    CrashMarker second(folder);
    EXPECT_FALSE(second.Initialize(clock, prompts, "Quessel Polvane"));
    EXPECT_TRUE(prompts.Requests().empty());
    EXPECT_NE(second.Path(), first->Path());
    EXPECT_TRUE(second.StoredDate().has_value());

    // The second ends in order: the first's marker stays.
    second.Remove();
    EXPECT_FALSE(std::filesystem::exists(second.Path()) && second.Path() != first->Path());
    EXPECT_TRUE(first->Exists());

    // Started again, it takes a marker beside the first's; then the first ends without
    // removing its marker, as a crash does, and the second ends in order.
    EXPECT_FALSE(second.Initialize(clock, prompts, "Quessel Polvane"));
    const std::string firstPath = first->Path();
    first.reset();
    EXPECT_TRUE(std::filesystem::exists(firstPath));
    second.Remove();
    EXPECT_TRUE(prompts.Requests().empty());

    // The next start sees the crashed copy's marker, warns once and takes its place.
    CrashMarker next(folder);
    prompts.QueueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(next.Initialize(clock, prompts, "Quessel Polvane"));
    ASSERT_EQ(prompts.Requests().size(), 1U);
    EXPECT_EQ(prompts.Requests().front().text, CrashMarker::kWarning);
    EXPECT_EQ(next.Path(), firstPath);
    next.Remove();
    EXPECT_TRUE(std::filesystem::is_empty(temp.path().toStdString()));
}

// The same with a real other process: its marker is no alarm while it runs, and is one
// once the process has been killed.
TEST(CrashMarker, AMarkerWhoseProcessEndedWarnsAndALiveOneDoesNot)
{
    const QString locker = QStandardPaths::findExecutable(QStringLiteral("flock"));
    if (locker.isEmpty())
        GTEST_SKIP() << "no flock program to hold a marker from another process";
    QTemporaryDir temp;
    const ProgramFolder folder(temp.path().toStdString());
    FakeClock clock;
    ScriptedPrompts prompts;
    const QString path = QString::fromStdString(folder.File(CrashMarker::kFileName));
    QProcess running;
    // One process that opens and locks the marker and then sleeps, holding it until killed.
    running.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("exec 9>>\"$0\" && \"$1\" 9 && echo locked && exec sleep 600"),
                   path, locker});
    ASSERT_TRUE(running.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return running.readAllStandardOutput().contains("locked"); }, 30000));

    CrashMarker beside(folder);
    EXPECT_FALSE(beside.Initialize(clock, prompts, "Quessel Polvane"));
    EXPECT_TRUE(prompts.Requests().empty());
    EXPECT_NE(beside.Path(), path.toStdString());
    beside.Remove();
    EXPECT_TRUE(QFile::exists(path));

    running.kill();
    ASSERT_TRUE(running.waitForFinished());
    CrashMarker after(folder);
    prompts.QueueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(after.Initialize(clock, prompts, "Quessel Polvane"));
    ASSERT_EQ(prompts.Requests().size(), 1U);
    EXPECT_EQ(prompts.Requests().front().text, CrashMarker::kWarning);
    after.Remove();
}

} // namespace
} // namespace polvane
