#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace {

// Runs `write` in a child process as a user to whom permission bits apply:
// root ignores them, so a root child becomes "nobody". Gives the child's exit
// code, or nothing when there is no such user to become.
std::optional<int> RunAsUserWithoutPrivileges(const std::function<int()>& write)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody == nullptr) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)) {
            ::_exit(99);
        }
        ::_exit(write());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

} // namespace

TEST(WriteTextAtomically, WritesInPlaceInAFolderTheUserCannotWriteTo)
{
    TempDir dir;
    const FolderItem file(dir.Write("out.glyphs", "an older and longer text"));
    ::chmod(file.NativePath().c_str(), 0666);
    ::chmod(dir.Path().c_str(), 0555);

    const std::optional<int> code = RunAsUserWithoutPrivileges([&dir] {
        int failures = 0;
        try {
            WriteTextAtomically(FolderItem(dir.Path("out.glyphs")), "new");
        } catch (const IOException&) {
            failures |= 1;
        }
        // A file that is not there yet cannot be made in that folder.
        try {
            WriteTextAtomically(FolderItem(dir.Path("new.glyphs")), "new");
            failures |= 2;
        } catch (const IOException&) {
        }
        return failures;
    });
    if (!code) GTEST_SKIP() << "the tests run as root and there is no user 'nobody' to write as";
    EXPECT_EQ(*code, 0);
    EXPECT_EQ(ReadAllText(file), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
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
