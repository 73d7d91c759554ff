#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
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

// Runs `body` in a child process and gives its exit code, or -1 when the
// child did not exit. Nothing may leave the child but its exit code: an
// exception there ends it with 102.
int InChildProcess(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 102;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Runs `write` in a child process as a user to whom permission bits apply:
// root ignores them, so a root child becomes "nobody". Gives the child's exit
// code, or nothing when there is no such user to become.
std::optional<int> RunAsUserWithoutPrivileges(const std::function<int()>& write)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody == nullptr) return std::nullopt;
    return InChildProcess([&] {
        if (::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)) {
            return 99;
        }
        return write();
    });
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

namespace {

constexpr int kCannotMount = 77;
constexpr int kNoUserToWriteAs = 78;

// Runs `test` in a child process that alone sees a file system of 1 MiB
// mounted on `folder`, and gives its exit code: kCannotMount where mounting
// is not permitted (not root, or no private mount namespace).
int OnASmallFileSystem(const std::string& folder, const std::function<int()>& test)
{
    if (::geteuid() != 0) return kCannotMount;
    return InChildProcess([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("sorvanel-test", folder.c_str(), "tmpfs", 0, "size=1m,mode=0755") != 0) {
            return kCannotMount;
        }
        return test();
    });
}

// Writes to a new file until the file system has no room left.
void FillUp(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const std::string block(1 << 16, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

} // namespace

// A file overwritten in place keeps every byte it had when the longer text
// does not fit: on a full disk, or over the file-size limit, which would end
// the program half-way with SIGXFSZ. With room enough it is written whole.
TEST(WriteTextAtomically, InPlaceWriteThatCannotFitLeavesTheFileAsItWas)
{
    struct Case { const char* what; bool fillUp; rlim_t sizeLimit; int error; };
    const Case cases[] = {
        {"the disk is full", true, RLIM_INFINITY, ENOSPC},
        {"the size limit lies between the old and the new length", false, 400 * 1024, EFBIG},
        {"room for the longer text", false, RLIM_INFINITY, 0},
    };
    const std::string older(300 * 1024, 'o'), newer(600 * 1024, 'n');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.Path("out.glyphs");
        const int code = OnASmallFileSystem(dir.Path(), [&] {
            // The folder is root's; the file is the user's own.
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr) return kNoUserToWriteAs;
            dir.Write("out.glyphs", older);
            if (::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) return 100;
            if (c.fillUp) FillUp(dir.Path("filler"));
            const std::optional<int> written = RunAsUserWithoutPrivileges([&] {
                const rlimit limit{c.sizeLimit, c.sizeLimit}; // SIGXFSZ keeps its default action
                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 101;
                try {
                    WriteTextAtomically(FolderItem(path), newer);
                    return c.error == 0 ? 0 : 1;
                } catch (const IOException& e) {
                    return e.Reason() == std::strerror(c.error) ? 0 : 2;
                }
            });
            int failures = written.value_or(kNoUserToWriteAs);
            if (ReadAllText(FolderItem(path)) != (c.error == 0 ? newer : older)) failures |= 4;
            if (std::distance(std::filesystem::directory_iterator(dir.Path()), {}) != (c.fillUp ? 2 : 1)) failures |= 8;
            return failures;
        });
        if (code == kCannotMount) GTEST_SKIP() << "mounting a file system is not permitted here (not root, or no private mount namespace)";
        if (code == kNoUserToWriteAs) GTEST_SKIP() << "there is no user 'nobody' to write as";
        EXPECT_EQ(code, 0);
    }
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
