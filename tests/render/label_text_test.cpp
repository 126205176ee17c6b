// Pure helpers of the view: UTF-8 decoding of labels and the lookup of resource files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include <QTemporaryDir>

#include "render/resource_files.h"
#include "render/utf8_text.h"

namespace morvane {
namespace {

TEST(LabelText, DecodesAsciiCyrillicAndRejectsBrokenSequencesOneByteAtATime)
{
    EXPECT_EQ(decodeUtf8("W-1"), (std::vector<char32_t>{'W', '-', '1'}));
    EXPECT_EQ(decodeUtf8("Скв"), (std::vector<char32_t>{0x421, 0x43A, 0x432}));
    EXPECT_EQ(decodeUtf8("Ёё"), (std::vector<char32_t>{0x401, 0x451}));
    EXPECT_EQ(decodeUtf8("\xe4\xb8\xad"), (std::vector<char32_t>{0x4E2D}));
    EXPECT_EQ(decodeUtf8("\xf0\x9f\x98\x80"), (std::vector<char32_t>{0x1F600}));
    // A lone lead byte at the end, a continuation byte alone, an overlong "/", an encoded surrogate, a Windows-1251
    // byte: each bad byte is one replacement character and what follows is still read.
    EXPECT_EQ(decodeUtf8(std::string("A\xd0", 2)), (std::vector<char32_t>{'A', 0xFFFD}));
    EXPECT_EQ(decodeUtf8("\x80Z"), (std::vector<char32_t>{0xFFFD, 'Z'}));
    EXPECT_EQ(decodeUtf8("\xc0\xaf"), (std::vector<char32_t>{0xFFFD, 0xFFFD}));
    EXPECT_EQ(decodeUtf8("\xed\xa0\x80"), (std::vector<char32_t>{0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(decodeUtf8("\xd1\xea"), (std::vector<char32_t>{0xFFFD, 0xFFFD}));
    EXPECT_TRUE(decodeUtf8("").empty());
}

TEST(ResourceFiles, TheFirstFolderHoldingTheFileWins)
{
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    const std::filesystem::path a = first.path().toStdString(), b = second.path().toStdString();
    std::filesystem::create_directories(b / "fonts");
    std::ofstream(b / "fonts" / "face.ttf") << "x";
    std::ofstream(b / "shader.glsl") << "x";
    std::ofstream(a / "shader.glsl") << "x";
    std::filesystem::create_directories(a / "fonts" / "face.ttf");  // a folder of that name is not the file

    EXPECT_EQ(findResource("shader.glsl", {a, b}), a / "shader.glsl");
    EXPECT_EQ(findResource("shader.glsl", {b, a}), b / "shader.glsl");
    EXPECT_EQ(findResource("fonts/face.ttf", {a, b}), b / "fonts" / "face.ttf");
    EXPECT_FALSE(findResource("missing.glsl", {a, b}));
    EXPECT_FALSE(findResource("shader.glsl", {}));
}

TEST(ResourceFiles, TheWorkingDirectoryComesBeforeTheExecutablesFolderAndTheInstalledDataFolder)
{
    const auto dirs = defaultResourceDirs();
    const auto bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    ASSERT_GE(dirs.size(), 2u);
    EXPECT_EQ(dirs.front(), std::filesystem::current_path());
    EXPECT_NE(std::find(dirs.begin(), dirs.end(), bin), dirs.end());  // unless it is the working directory
    EXPECT_EQ(dirs.back(), bin.parent_path() / "share" / "morvane");
    // An installed program under any prefix.
    const std::vector<std::filesystem::path> installed{"/opt/tools/bin", "/opt/tools/share/morvane"};
    EXPECT_EQ(resourceDirsBeside("/opt/tools/bin/morvane"), installed);
}

}  // namespace
}  // namespace morvane
