#include "platform/ProgramFolder.h"

#include <filesystem>
#include <fstream>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace polvane {
namespace {

namespace fs = std::filesystem;

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp_.isValid()); }
    std::string Path(const char* name) const { return (fs::path(temp_.path().toStdString()) / name).string(); }

    QTemporaryDir temp_;
};

TEST_F(ProgramFolderTest, RunTimeFilesGoBesideTheProgramWhenItsFolderIsWritable)
{
    const std::string program = temp_.path().toStdString();
    const ProgramFolder folder(program + "/", Path("data"));
    EXPECT_EQ(folder.Path(), program);
    EXPECT_EQ(folder.File("Templates/Blank_English.venue"), Path("Templates/Blank_English.venue"));
    EXPECT_EQ(folder.WritableFile("error.log"), Path("error.log"));
    EXPECT_FALSE(fs::exists(Path("data")));
    EXPECT_EQ(std::distance(fs::directory_iterator(program), fs::directory_iterator()), 0)
        << "the write probe is removed again";
}

TEST_F(ProgramFolderTest, RunTimeFilesGoToTheDataFolderWhenTheProgramFolderCannotBeWritten)
{
    // A folder below a plain file cannot be created or written, whoever runs the test.
    std::ofstream(Path("file")) << "x";
    const ProgramFolder folder(Path("file") + "/program", Path("data/polvane"));
    EXPECT_FALSE(ProgramFolder::CanCreateFilesIn(folder.Path()));
    EXPECT_EQ(folder.WritableFile("working.tmp"), Path("data/polvane") + "/working.tmp");
    EXPECT_TRUE(fs::is_directory(Path("data/polvane")));
}

TEST_F(ProgramFolderTest, InstalledFilesArePreferredBesideTheProgramThenInTheSharedFolder)
{
    // An installed tree: prefix/bin/polvane and prefix/share/polvane/...
    fs::create_directories(Path("prefix/bin"));
    fs::create_directories(Path("prefix/share/polvane/Help/source"));
    fs::create_directories(Path("prefix/share/polvane/Templates"));
    std::ofstream(Path("prefix/share/polvane/Templates/Blank_Metric.venue")) << "shared";
    const ProgramFolder installed(Path("prefix/bin"), Path("data"));
    EXPECT_EQ(installed.SharedDataFolder(), Path("prefix/share/polvane"));

    struct Case {
        const char* besideTheProgram; // made beside the program first, or nothing
        const char* asked;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "Templates/Blank_Metric.venue", "prefix/share/polvane/Templates/Blank_Metric.venue"},
        {nullptr, "Help", "prefix/share/polvane/Help"},
        // Missing from both: the installation's folder is named, where it belongs.
        {nullptr, "Templates/Missing.venue", "prefix/share/polvane/Templates/Missing.venue"},
        // A build tree keeps its files beside the program, and they win.
        {"Templates/Blank_Metric.venue", "Templates/Blank_Metric.venue", "prefix/bin/Templates/Blank_Metric.venue"},
        {"Help/source/index.htm", "Help", "prefix/bin/Help"},
    };
    for (const Case& c : cases) {
        if (c.besideTheProgram) {
            const fs::path made = fs::path(Path("prefix/bin")) / c.besideTheProgram;
            fs::create_directories(made.parent_path());
            std::ofstream(made) << "beside";
        }
        EXPECT_EQ(installed.InstalledFile(c.asked), Path(c.expected)) << c.asked;
    }
    // Without an installation beside it, a program's files are looked for beside it alone.
    const ProgramFolder alone(Path("alone/bin"), Path("data"));
    EXPECT_EQ(alone.InstalledFile("Help"), Path("alone/bin/Help"));
}

TEST(ProgramFolder, DefaultsToTheRunningProgramsFolder)
{
    const ProgramFolder folder;
    EXPECT_TRUE(fs::exists(fs::path(folder.Path()) / "polvane_ui_tests"));
}

} // namespace
} // namespace polvane
