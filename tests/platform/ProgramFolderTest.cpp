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

TEST(ProgramFolder, DefaultsToTheRunningProgramsFolder)
{
    const ProgramFolder folder;
    EXPECT_TRUE(fs::exists(fs::path(folder.Path()) / "polvane_ui_tests"));
}

} // namespace
} // namespace polvane
