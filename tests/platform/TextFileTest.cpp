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
#include "tests/support/InjectedFaults.h"
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

// The text takes the file's place whole, or the file keeps every byte and no
// temporary file is left beside it; the failure gives the system's reason.
// Calls of the C library are made to fail, be cut short or be interrupted
// where the real code makes them. A size limit holds for root too.
TEST(WriteTextAtomically, ReplacesWholeFileOrLeavesItAsItWas)
{
    struct Case {
        const char* what;
        const char* faults;
        std::size_t size;
        const char* reason = nullptr; // nullptr: written
        rlim_t sizeLimit = RLIM_INFINITY;
        bool inPlaceAnyway = false;   // the new text is in place despite the failure
    };
    const Case cases[] = {
        {"short writes", "pwrite=short", 100000},
        {"interrupted writes", "pwrite=EINTR", 100000},
        {"a write failing half-way", "pwrite=short,pwrite=ENOSPC@3", 100000, "No space left on device"},
        {"a failed flush", "fsync=EIO", 150, "Input/output error"},
        {"a failed close", "close=EIO", 150, "Input/output error"},
        {"a short text over the size limit", "", 150, "File too large", 64},
        {"a long text over the size limit", "", 100000, "File too large", 64},
        {"the folder's flush failing after the rename", "dirsync=EIO", 150, "Input/output error", RLIM_INFINITY, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const FolderItem file(dir.Write("out.glyphs", "the user's own text"));
        ::chmod(file.NativePath().c_str(), 0640);
        const std::string text(c.size, 'x');
        std::string reason;
        try {
            FileSizeLimit limit(c.sizeLimit);
            ScopedFaults faults(c.faults);
            WriteTextAtomically(file, text);
        } catch (const IOException& e) {
            reason = e.Reason();
        }
        EXPECT_EQ(reason, c.reason != nullptr ? c.reason : "");
        EXPECT_EQ(ReadAllText(file), c.reason == nullptr || c.inPlaceAnyway ? text : "the user's own text");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
        struct stat info {};
        ::stat(file.NativePath().c_str(), &info);
        EXPECT_EQ(info.st_mode & 0777, 0640u); // a replaced file keeps its permissions
    }
}

TEST(WriteTextAtomically, WritesThroughLinksAndRefusesWhatIsNoFile)
{
    TempDir dir;
    const FolderItem file(dir.Write("out.glyphs", "old"));
    ASSERT_EQ(::symlink("out.glyphs", dir.Path("link.glyphs").c_str()), 0);
    WriteTextAtomically(FolderItem(dir.Path("link.glyphs")), "new");
    EXPECT_EQ(ReadAllText(file), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.glyphs")));

    EXPECT_THROW(WriteTextAtomically(file.Child("below-a-file"), "x"), IOException);
    EXPECT_THROW(WriteTextAtomically(FolderItem(dir.Path()), "x"), IOException);
    ASSERT_EQ(::mkfifo(dir.Path("pipe.glyphs").c_str(), 0600), 0);
    EXPECT_THROW(WriteTextAtomically(FolderItem(dir.Path("pipe.glyphs")), "x"), IOException);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
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
    struct Case {
        const char* what;
        bool fillUp;
        rlim_t sizeLimit;
        std::string reason;   // empty: written
        const char* faults = "";
        bool written = false; // false: the file must not even have been written to
    };
    const std::string eio = std::strerror(EIO);
    const Case cases[] = {
        {"the disk is full", true, RLIM_INFINITY, std::strerror(ENOSPC)},
        {"the size limit lies between the old and the new length", false, 400 * 1024, std::strerror(EFBIG)},
        {"room for the longer text", false, RLIM_INFINITY, "", "", true},
        {"short and interrupted writes", false, RLIM_INFINITY, "", "pwrite=short,pwrite=EINTR", true},
        // The room is reserved, then the flush of the new text fails: the old
        // text is written back.
        {"the flush of the new text fails", false, RLIM_INFINITY, eio, "fsync=EIO@1", true},
        {"every flush fails", false, RLIM_INFINITY, eio + ", and its old content could not be written back: " + eio, "fsync=EIO", true},
    };
    const std::string older(300 * 1024, 'o'), newer(600 * 1024, 'n');
    const timespec longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
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
            if (::utimensat(AT_FDCWD, path.c_str(), longAgo, 0) != 0) return 100;
            if (c.fillUp) FillUp(dir.Path("filler"));
            const std::optional<int> written = RunAsUserWithoutPrivileges([&] {
                const rlimit limit{c.sizeLimit, c.sizeLimit}; // SIGXFSZ keeps its default action
                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 101;
                ScopedFaults faults(c.faults);
                try {
                    WriteTextAtomically(FolderItem(path), newer);
                    return c.reason.empty() ? 0 : 1;
                } catch (const IOException& e) {
                    return e.Reason() == c.reason ? 0 : 2;
                }
            });
            int failures = written.value_or(kNoUserToWriteAs);
            if (ReadAllText(FolderItem(path)) != (c.reason.empty() ? newer : older)) failures |= 4;
            if (std::distance(std::filesystem::directory_iterator(dir.Path()), {}) != (c.fillUp ? 2 : 1)) failures |= 8;
            struct stat info {};
            if (!c.written && (::stat(path.c_str(), &info) != 0 || info.st_mtim.tv_sec != longAgo[1].tv_sec)) failures |= 16;
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
