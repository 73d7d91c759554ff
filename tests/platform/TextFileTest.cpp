#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <fstream>


#include "platform/core/Exceptions.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

using namespace platform;

TEST(ReadAllText, ReadsEveryByteAndRefusesFoldersAndMissingFiles)
{
    TempDir dir;
    const std::string bytes("a\0b\xFF\r\n", 6);
    dir.Write("f.txt", bytes);
    EXPECT_EQ(ReadAllText(FolderItem(dir.Path("f.txt"))), bytes);
    EXPECT_THROW(ReadAllText(FolderItem(dir.Path())), IOException);
    EXPECT_THROW(ReadAllText(FolderItem(dir.Path("missing"))), IOException);
    // A named pipe in a file's place is refused at once instead of waiting
    // for a writer that never comes.
    ASSERT_EQ(::mkfifo(dir.Path("pipe.glyphs").c_str(), 0600), 0);
    EXPECT_THROW(ReadAllText(FolderItem(dir.Path("pipe.glyphs"))), IOException);
}

TEST(WriteTextAtomically, ReplacesWholeFileOrLeavesItAsItWas)
{
    TempDir dir;
    const FolderItem file(dir.Path("out.glyphs"));
    WriteTextAtomically(file, "first");
    WriteTextAtomically(file, "second");
    EXPECT_EQ(ReadAllText(file), "second");

    // A write that fails half-way (here: over the file-size limit, which holds
    // for root too) must leave the old file whole and no temporary beside it.
    // Texts shorter and longer than the file's write buffer.
    for (const std::size_t size : {std::size_t{150}, std::size_t{100000}}) {
        FileSizeLimit limit(64);
        EXPECT_THROW(WriteTextAtomically(file, std::string(size, 'x')), IOException) << size;
    }
    EXPECT_EQ(ReadAllText(file), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    EXPECT_THROW(WriteTextAtomically(file.Child("below-a-file"), "x"), IOException);
}

TEST(FolderItem, NameChildAndExistence)
{
    TempDir dir;
    const FolderItem folder(dir.Path() + "/Glyphs 3.app/");
    EXPECT_EQ(folder.Name(), "Glyphs 3.app");
    EXPECT_FALSE(folder.Exists());
    EXPECT_TRUE(folder.CreateAsFolder());
    EXPECT_TRUE(folder.Exists());
    EXPECT_EQ(folder.Child("Contents").NativePath(), dir.Path() + "/Glyphs 3.app/Contents");
    EXPECT_TRUE(folder.Delete());
    EXPECT_FALSE(folder.Exists());
}
