#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/VenuePictures.h"
#include "support/ScratchFolder.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

TEST(VenuePicture, LoadFromFileReadsEveryByte)
{
    // Bytes a text-mode read would alter or stop at: NUL, CR LF, Ctrl-Z, high bytes.
    std::vector<unsigned char> bytes = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0xFF};
    for (int i = 0; i < 200000; ++i) // longer than one read buffer
        bytes.push_back(static_cast<unsigned char>(i * 7));
    const ScratchFolder folder;
    const fs::path path = folder / "bytes.bin";
    ASSERT_TRUE(WriteAll(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}));

    VenuePicture picture;
    picture.SetCaption("Stage view");
    picture.LoadFromFile(path);
    EXPECT_EQ(picture.BinaryData(), bytes);
    EXPECT_EQ(picture.Caption(), "Stage view");

    ASSERT_TRUE(WriteAll(path, ""));
    picture.LoadFromFile(path);
    EXPECT_TRUE(picture.BinaryData().empty());
}

TEST(VenuePicture, UnreadablePathsThrowAndKeepTheBytes)
{
    const ScratchFolder folder;
    const fs::path missing = folder / "does_not_exist.png";
    const fs::path directory = folder / "a_directory";
    fs::create_directories(directory);

    VenuePicture picture;
    picture.SetBinaryData({1, 2, 3});
    for (const fs::path& path : {missing, directory}) {
        try {
            picture.LoadFromFile(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        }
        EXPECT_EQ(picture.BinaryData(), (std::vector<unsigned char>{1, 2, 3}));
    }
}

TEST(VenuePictures, AddAtAnIndexShiftsAndRemoveMovesDown)
{
    VenuePictures pictures;
    EXPECT_EQ(pictures.Count(), 0);
    pictures.Add().SetCaption("A");
    pictures.Add(-1).SetCaption("C");
    VenuePicture& b = pictures.Add(2);
    EXPECT_TRUE(b.Caption().empty());
    EXPECT_TRUE(b.BinaryData().empty());
    b.SetCaption("B");
    pictures.Add(1).SetCaption("0");

    auto captions = [&] {
        std::string s;
        for (int i = 1; i <= pictures.Count(); ++i)
            s += pictures.Item(i).Caption();
        return s;
    };
    EXPECT_EQ(captions(), "0ABC");
    EXPECT_EQ(&pictures.Item(3), &b);

    pictures.Remove(1);
    EXPECT_EQ(captions(), "ABC");
    pictures.Remove(3);
    EXPECT_EQ(captions(), "AB");
    pictures.Remove(1);
    pictures.Remove(1);
    EXPECT_EQ(pictures.Count(), 0);
}

TEST(VenuePictures, BadIndicesThrow)
{
    VenuePictures pictures;
    EXPECT_THROW(pictures.Item(1), std::out_of_range);
    EXPECT_THROW(pictures.Remove(1), std::out_of_range);
    EXPECT_THROW(pictures.Add(2), std::out_of_range);
    pictures.Add();
    EXPECT_THROW(pictures.Item(0), std::out_of_range);
    EXPECT_THROW(pictures.Add(3), std::out_of_range);
    EXPECT_EQ(pictures.Count(), 1);
}

} // namespace
} // namespace polvane
