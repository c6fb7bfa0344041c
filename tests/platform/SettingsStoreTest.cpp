#include "platform/SettingsStore.h"

#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/QtSettingsStore.h"
#include "support/MemorySettingsStore.h"

namespace polvane {
namespace {

using namespace std::string_literals;

// The rules every store keeps, run on the memory store and on the Qt store over a
// temporary INI file.
struct StoreMaker {
    const char* name;
    std::function<std::unique_ptr<SettingsStore>(const QString& folder)> make;
};

void PrintTo(const StoreMaker& maker, std::ostream* out) { *out << maker.name; }

class AnyStore : public ::testing::TestWithParam<StoreMaker> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        store_ = GetParam().make(folder_.path());
    }

    QTemporaryDir folder_;
    std::unique_ptr<SettingsStore> store_;
};

TEST_P(AnyStore, MissingValueGivesDefaultAndIsStoredOnlyWithWriteBack)
{
    EXPECT_EQ(store_->GetSetting("Options", "God mode", "No"), "No");
    EXPECT_FALSE(store_->ReadSetting("Options", "God mode"));

    EXPECT_EQ(store_->GetSetting("Options", "Engineering mode", "No", true), "No");
    EXPECT_EQ(store_->ReadSetting("Options", "Engineering mode"), "No");

    store_->SaveSetting("Options", "Engineering mode", "Yes");
    EXPECT_EQ(store_->GetSetting("Options", "Engineering mode", "No", true), "Yes");
}

TEST_P(AnyStore, SubKeysAndTheKeyPathItselfAreSeparatePlaces)
{
    store_->SaveSetting("", "Size", "root");
    store_->SaveSetting("Options", "Size", "options");
    store_->SaveSetting("Options\\Notes Window", "Size", "10");
    EXPECT_EQ(store_->ReadSetting("", "Size"), "root");
    EXPECT_EQ(store_->ReadSetting("Options", "Size"), "options");
    EXPECT_EQ(store_->ReadSetting("Options\\Notes Window", "Size"), "10");
    EXPECT_FALSE(store_->ReadSetting("Options\\General", "Size"));
}

TEST_P(AnyStore, TextIsCutBeforeItsFirstNul)
{
    store_->SaveSetting("Options", "Font", "Tahoma\0junk"s);
    EXPECT_EQ(store_->ReadSetting("Options", "Font"), "Tahoma");
}

TEST_P(AnyStore, BadSubKeysAndNamesAreRefusedWithoutWriting)
{
    for (const char* subKey : {"Options\\", "\\Options", "Options\\\\General", "Options/General"})
        EXPECT_THROW(store_->SaveSetting(subKey, "Size", "1"), std::invalid_argument) << subKey;
    for (const char* name : {"", "a/b", "a\\b"})
        EXPECT_THROW(store_->SaveSetting("Options", name, "1"), std::invalid_argument) << name;
    EXPECT_THROW(store_->GetSetting("Options", "", "x", true), std::invalid_argument);
    EXPECT_FALSE(store_->ReadSetting("Options", "Size"));
}

INSTANTIATE_TEST_SUITE_P(
    Stores, AnyStore,
    ::testing::Values(
        StoreMaker{"Memory", [](const QString&) { return std::make_unique<MemorySettingsStore>(); }},
        StoreMaker{"QtIni",
                   [](const QString& folder) {
                       return std::make_unique<QtSettingsStore>((folder + "/settings.ini").toStdString());
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsStore, FullKeyPathJoinsTheSubKeyWithABackslash)
{
    EXPECT_EQ(SettingsStore::FullKeyPath(""), "software\\Quesselcorp\\Polvane\\Version 2");
    EXPECT_EQ(SettingsStore::FullKeyPath("Options\\Colors"),
              "software\\Quesselcorp\\Polvane\\Version 2\\Options\\Colors");
}

class QtStoreFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    std::string File() const { return (folder_.path() + "/settings.ini").toStdString(); }

    QTemporaryDir folder_;
};

// A settings file that cannot be written is reported once, not at every change, and the
// values stay readable for the rest of the run.
TEST_F(QtStoreFile, AStoreThatCannotBeWrittenSaysSoOnce)
{
    // A folder in the way of a file cannot be written even by an administrator.
    const std::string blocker = (folder_.path() + "/not a folder").toStdString();
    std::ofstream(blocker) << "x";
    QtSettingsStore store(blocker + "/settings.ini");
    std::vector<std::string> reports;
    store.OnWriteFailure([&reports](const std::string& message) { reports.push_back(message); });
    store.SaveSetting("Options\\General", "First", "1");
    store.SaveSetting("Options\\General", "Second", "2");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(store.Location()), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("cannot be saved"), std::string::npos) << reports[0];
    EXPECT_EQ(store.ReadSetting("Options\\General", "Second"), "2");
}

TEST_F(QtStoreFile, ValuesSurviveReopeningTheFile)
{
    const std::string awkward[] = {
        "255,0,64,255", " leading and trailing ", "", "a=b;c#d", "\"quoted\"",
        "C:\\Venues\\Hall.venue", "/home/user/Zelt ™ Über.venue", "line\nbreak",
    };
    {
        QtSettingsStore store(File());
        int i = 0;
        for (const std::string& value : awkward)
            store.SaveSetting("Options\\General", "Value " + std::to_string(i++), value);
        store.SaveSetting("Window Positions", "Array Picture", "1,120,345,4800,3600");
    }
    QtSettingsStore reopened(File());
    int i = 0;
    for (const std::string& value : awkward)
        EXPECT_EQ(reopened.ReadSetting("Options\\General", "Value " + std::to_string(i++)), value);
    EXPECT_EQ(reopened.ReadSetting("Window Positions", "Array Picture"), "1,120,345,4800,3600");
}

TEST_F(QtStoreFile, SubKeysBecomeGroupsBelowVersion2)
{
    EXPECT_EQ(QtSettingsStore::GroupFor(""), "Version 2");
    EXPECT_EQ(QtSettingsStore::GroupFor("Options\\Graph Appearance"), "Version 2/Options/Graph Appearance");
    {
        QtSettingsStore store(File());
        store.SaveSetting("Options\\Graph Appearance", "Show grid", "Yes");
        EXPECT_EQ(store.Location(), File());
    }
    QSettings raw(QString::fromStdString(File()), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Version 2/Options/Graph Appearance/Show grid").toString(), "Yes");
}

TEST_F(QtStoreFile, HandEditedValuesReadAsTextOrNotAtAll)
{
    {
        QFile file(QString::fromStdString(File()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Version%202]\n"
                   "Options\\Colors\\Background=255,0,64,255\n"
                   "Options\\Colors\\Text=@ByteArray(abc)\n");
    }
    QtSettingsStore store(File());
    // Unquoted commas make a list in INI files; it is the text as typed.
    EXPECT_EQ(store.ReadSetting("Options\\Colors", "Background"), "255,0,64,255");
    // Not a string value: as if missing.
    EXPECT_EQ(store.GetSetting("Options\\Colors", "Text", "255,0,0,0"), "255,0,0,0");
}

} // namespace
} // namespace polvane
