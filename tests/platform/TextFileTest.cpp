#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/InjectedFaults.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

// The user and group "nobody" of Debian, by number, so that no user database is needed.
constexpr uid_t kNobody = 65534;

constexpr const char* kAnotherFile = "another file took its place while it was being saved";

} // namespace

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
        bool savedWithFault = false;  // the new text is in place despite the failure
        mode_t mode = 0640;           // what the file's permissions are afterwards
        bool noFileYet = false;       // the hook makes the file instead of a link in its place
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
        // A failed look at the place is no proof that there is no file.
        {"a failed stat", "stat=EIO", 150, "Input/output error"},
        // Such a save goes on with what the file system gives the new file.
        {"a file system that stores no owners or permissions", "fchown=EOPNOTSUPP,fchmod=EOPNOTSUPP", 150,
         nullptr, RLIM_INFINITY, false, 0600},
        {"a file system without unnamed files", "tmpfile=EOPNOTSUPP", 150},
        // The file is written into instead, with a copy of its old text beside it meanwhile.
        {"an owner that cannot be given", "fchown=EPERM", 150},
        // Someone who may write the folder puts a link to another file in
        // the file's place: that file is neither written nor replaced.
        {"a link put in the file's place as it is looked at", "stat=hook@1", 150, kAnotherFile},
        {"a link put in the file's place before the new file takes it", "fsync=hook@1", 150, kAnotherFile},
        {"a file made at the chosen name after a look that found none", "tmpfile=hook@1", 150, kAnotherFile,
         RLIM_INFINITY, false, 0640, true},
        // Only a folder the user may not write to sends the save into the file.
        {"a new file that cannot be made", "tmpfile=EIO", 150, "Input/output error"},
        {"every hidden name taken", "tmpfile=EOPNOTSUPP,create=EEXIST", 150,
         "every hidden name tried for a new file in its folder was taken"},
        // A new file has what the umask (022 here) lets it have.
        {"a file not there yet", "", 150, nullptr, RLIM_INFINITY, false, 0644, true},
    };
    const mode_t umask = ::umask(022);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const FolderItem file(dir.Write("out.glyphs", "the user's own text"));
        ::chmod(file.NativePath().c_str(), 0640);
        // Another user's file, where the tests may give one: its owner is given too.
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(file.NativePath().c_str(), kNobody, kNobody), 0);
        }
        // The file a link in its place leads to has the same text and mode.
        TempDir elsewhere;
        const std::string other = elsewhere.Write("private.glyphs", "the user's own text");
        ::chmod(other.c_str(), 0640);
        const auto putLinkInItsPlace = [&] {
            ::unlink(file.NativePath().c_str());
            ::symlink(other.c_str(), file.NativePath().c_str());
        };
        const auto makeTheFile = [&] {
            dir.Write("out.glyphs", "the user's own text");
            ::chmod(file.NativePath().c_str(), 0640);
        };
        if (c.noFileYet) ::unlink(file.NativePath().c_str());
        const std::string text(c.size, 'x');
        std::string reason;
        std::string message;
        bool savedWithFault = false;
        try {
            FileSizeLimit limit(c.sizeLimit);
            ScopedFaults faults(c.faults, c.noFileYet ? std::function<void()>(makeTheFile) : putLinkInItsPlace);
            WriteTextAtomically(file, text);
        } catch (const SavedWithFaultException& e) {
            reason = e.Reason();
            message = e.what();
            savedWithFault = true;
        } catch (const IOException& e) {
            reason = e.Reason();
            message = e.what();
        }
        EXPECT_EQ(reason, c.reason != nullptr ? c.reason : "");
        if (!reason.empty()) {
            EXPECT_EQ(message, (savedWithFault ? "Saved " + file.NativePath() + ", but a later step failed: "
                                               : "Cannot write " + file.NativePath() + ": ") + reason);
        }
        EXPECT_EQ(savedWithFault, c.savedWithFault);
        EXPECT_EQ(ReadAllText(file), c.reason == nullptr || c.savedWithFault ? text : "the user's own text");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
        struct stat info {};
        ::stat(file.NativePath().c_str(), &info);
        EXPECT_EQ(info.st_mode & 0777, c.mode);
    }
    ::umask(umask);
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
    // A link that leads to itself is no place, not a broken link to replace.
    ASSERT_EQ(::symlink("loop.glyphs", dir.Path("loop.glyphs").c_str()), 0);
    EXPECT_THROW(WriteTextAtomically(FolderItem(dir.Path("loop.glyphs")), "x"), IOException);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("loop.glyphs")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 4);
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

// Who a child process runs as.
struct Identity {
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups; // besides gid
};

// Runs `body` in a child process as `who`, which only root may become, and
// gives its exit code; 99 when the child could not become `who`.
int RunAs(const Identity& who, const std::function<int()>& body)
{
    return InChildProcess([&] {
        if (::setgroups(who.groups.size(), who.groups.data()) != 0 || ::setgid(who.gid) != 0 || ::setuid(who.uid) != 0) {
            return 99;
        }
        return body();
    });
}

// Runs `write` in a child process as a user to whom permission bits apply:
// root ignores them, so a root child becomes "nobody". Gives the child's exit
// code.
int RunAsUserWithoutPrivileges(const std::function<int()>& write)
{
    return ::geteuid() == 0 ? RunAs({kNobody, kNobody, {}}, write) : InChildProcess(write);
}

} // namespace

TEST(WriteTextAtomically, WritesInPlaceInAFolderTheUserCannotWriteTo)
{
    TempDir dir;
    const FolderItem file(dir.Write("out.glyphs", "an older and longer text"));
    ::chmod(file.NativePath().c_str(), 0666);
    ::chmod(dir.Path().c_str(), 0555);

    const int code = RunAsUserWithoutPrivileges([&dir] {
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
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadAllText(file), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

namespace {

constexpr int kCannotMount = 77;

// Mounts a new file system of `type` on `folder`: a tmpfs or a ramfs of its
// own, or a btrfs on an image file beside the folder, through a loop device
// that goes with the mount.
bool MountNew(const std::string& folder, const std::string& type)
{
    if (type != "btrfs") return ::mount("sorvanel-test", folder.c_str(), type.c_str(), 0, "size=1m,mode=0755") == 0;
    const std::string image = folder + ".btrfs";
    const std::string commands = "truncate -s 128M '" + image + "' && mkfs.btrfs -q '" + image + "' >/dev/null 2>&1 && mount -o loop '"
        + image + "' '" + folder + "'";
    const bool mounted = std::system(commands.c_str()) == 0;
    ::unlink(image.c_str());
    return mounted;
}

// Runs `test` in a child process that alone sees a new file system of the
// given type mounted on `folder`, owned by root with mode 0755, and gives
// its exit code: kCannotMount where mounting is not permitted (not root, no
// private mount namespace, or no loop device for a btrfs).
int OnAFileSystemOfItsOwn(const std::string& folder, const char* type, const std::function<int()>& test)
{
    if (::geteuid() != 0) return kCannotMount;
    return InChildProcess([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || !MountNew(folder, type)) {
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

std::size_t EntriesIn(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace

// A file overwritten in place keeps every byte it had when the longer text
// does not fit: on a full disk, or over the file-size limit, which would end
// the program half-way with SIGXFSZ, and where the file system is not one
// that overwrites in place. With room enough it is written whole.
TEST(WriteTextAtomically, InPlaceWriteThatCannotFitLeavesTheFileAsItWas)
{
    enum class Afterwards { OldText, NewText, NewTextOverOld };
    struct Case {
        const char* what;
        std::string reason = {}; // empty: written
        Afterwards afterwards = Afterwards::OldText;
        const char* faults = "";
        bool written = true;     // false: the file must not even have been written to
        bool fillUp = false;
        rlim_t sizeLimit = RLIM_INFINITY;
        std::size_t newSize = 600 * 1024;
        const char* fileSystem = "tmpfs";
        std::optional<SavedWithFaultException::Fault> savedWithFault = {};
        int saverExit = 0;       // -1: killed
        mode_t mode = 0644;
        mode_t folderMode = 0755; // the folder is root's
        // The file has a second name: where the user may write to the
        // folder, it is written into with a copy of its old text beside it.
        bool secondName = false;
        bool copyLeft = false;
        int copyNamesTaken = 0;  // by empty files of the user's own: "out.glyphs~", then "~2" and on
        bool sparseOld = false;  // the old text ends in a hole that makes it a terabyte long
    };
    const std::string eio = std::strerror(EIO);
    const Case cases[] = {
        {.what = "the disk is full", .reason = std::strerror(ENOSPC), .written = false, .fillUp = true},
        {.what = "the size limit lies between the old and the new length", .reason = std::strerror(EFBIG),
         .written = false, .sizeLimit = 400 * 1024},
        {.what = "room for the longer text", .afterwards = Afterwards::NewText},
        {.what = "short and interrupted writes", .afterwards = Afterwards::NewText, .faults = "pwrite=short,pwrite=EINTR"},
        // The room is reserved, then the flush of the new text fails: the old
        // text is written back.
        {.what = "the flush of the new text fails", .reason = eio, .faults = "fsync=EIO@1"},
        {.what = "every flush fails", .reason = eio + ", and its old content could not be written back: " + eio, .faults = "fsync=EIO"},
        {.what = "the close fails after the new text is on the disk", .reason = eio, .afterwards = Afterwards::NewText,
         .faults = "close=EIO", .savedWithFault = SavedWithFaultException::Fault::MayNotBeOnDisk},
        // A write that fails before a byte is written changed nothing, and
        // nothing is written back (which would fail the same way).
        {.what = "every write fails", .reason = eio, .faults = "pwrite=EIO"},
        {.what = "an old text too large for memory", .reason = std::string("its folder is not writable, and its old content is too large ")
             + "for this computer's memory, where it would be kept while the file is overwritten",
         .written = false, .sparseOld = true},
        // Its copy keeps the holes, and only the new text needs room.
        {.what = "an old text too large for memory, with a copy", .afterwards = Afterwards::NewText, .folderMode = 0777,
         .secondName = true, .sparseOld = true},
        // A shorter text keeps the old one's room until it is on the disk.
        {.what = "killed at the flush of a shorter text", .afterwards = Afterwards::NewTextOverOld, .faults = "fsync=kill@1",
         .newSize = 100 * 1024, .saverExit = -1},
        {.what = "a file system that cannot reserve room",
         .reason = "its folder is not writable, and this file system cannot promise the room to overwrite the file safely",
         .written = false, .fileSystem = "ramfs"},
        {.what = "a file system that cannot be asked", .reason = "its file system could not be asked what it can promise: " + eio,
         .faults = "statfs=EIO", .written = false},
        {.what = "the user's own read-only file", .reason = std::strerror(EACCES), .written = false, .mode = 0444,
         .folderMode = 0777},
        // With a copy of the old text, any file system will do, and room
        // that cannot be reserved is not needed.
        {.what = "a copy beside the file, on a file system that cannot reserve room",
         .afterwards = Afterwards::NewText, .fileSystem = "ramfs", .folderMode = 0777, .secondName = true},
        {.what = "killed while the copy is written", .faults = "copy=kill@1", .saverExit = -1, .folderMode = 0777, .secondName = true},
        {.what = "the copy's flush fails", .reason = eio, .faults = "fsync=EIO@1", .written = false, .folderMode = 0777, .secondName = true},
        {.what = "the flush of the copy's folder fails", .reason = eio, .faults = "dirsync=EIO@1", .written = false,
         .folderMode = 0777, .secondName = true},
        {.what = "the copy cannot be removed",
         .reason = "the copy of its old text, <folder>/out.glyphs~, could not be removed: " + eio,
         .afterwards = Afterwards::NewText, .faults = "unlink=EIO", .savedWithFault = SavedWithFaultException::Fault::OldCopyLeft,
         .folderMode = 0777, .secondName = true, .copyLeft = true},
        // The copy's flush is the first; the copy holds the only whole old text.
        {.what = "the old text cannot be written back from the copy",
         .reason = eio + ", and its old content could not be written back: " + eio + "; its old text is kept in <folder>/out.glyphs~",
         .faults = "fsync=EIO@2,fsync=EIO@3", .folderMode = 0777, .secondName = true, .copyLeft = true},
        // The copy takes a free name and never the place of a file.
        {.what = "the copy's first name taken", .afterwards = Afterwards::NewText, .folderMode = 0777, .secondName = true,
         .copyNamesTaken = 1},
        {.what = "all but the last copy name taken", .afterwards = Afterwards::NewText, .folderMode = 0777, .secondName = true,
         .copyNamesTaken = 99},
        {.what = "every copy name taken",
         .reason = "no copy of its old text could be made beside it: <folder>/out.glyphs~ and the names numbered after it are taken",
         .written = false, .folderMode = 0777, .secondName = true, .copyNamesTaken = 100},
        {.what = "the copy's first name taken, on a file system without unnamed files", .afterwards = Afterwards::NewText,
         .faults = "tmpfile=EOPNOTSUPP", .folderMode = 0777, .secondName = true, .copyNamesTaken = 1},
        {.what = "a kernel that will not copy between the files", .afterwards = Afterwards::NewText, .faults = "copy=EOPNOTSUPP",
         .folderMode = 0777, .secondName = true},
        {.what = "a write failing half-way", .reason = eio, .faults = "pwrite=short,pwrite=EIO@3"},
        {.what = "every write fails, with a copy beside the file", .reason = eio, .faults = "pwrite=EIO", .folderMode = 0777,
         .secondName = true},
        {.what = "a failed flush, with a copy, on a file system that cannot reserve room", .reason = eio, .faults = "fsync=EIO@2",
         .fileSystem = "ramfs", .folderMode = 0777, .secondName = true},
        // Killed as room is reserved again to write the old text back: the
        // file still holds the whole new text, and the copy the old one.
        {.what = "killed as the old text is to be written back from the copy", .afterwards = Afterwards::NewText,
         .faults = "fsync=EIO@2,fallocate=kill@3", .saverExit = -1, .folderMode = 0777, .secondName = true, .copyLeft = true},
        // Last, as it needs a loop device: a copy that shares the file's
        // blocks is cloned back, which needs no room, where a copied
        // write-back would reserve room again, and fail.
        {.what = "a copy-on-write file system", .reason = eio, .faults = "pwrite=short,pwrite=EIO@2,fallocate=ENOSPC@3",
         .fileSystem = "btrfs", .folderMode = 0777, .secondName = true},
    };
    const std::string older(300 * 1024, 'o');
    const timespec longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string newer(c.newSize, 'n');
        const std::string expected = c.afterwards == Afterwards::OldText ? older
            : c.afterwards == Afterwards::NewText                        ? newer
                                                                          : newer + older.substr(newer.size());
        TempDir dir;
        const std::string path = dir.Path("out.glyphs");
        std::string reason = c.reason;
        if (const std::size_t at = reason.find("<folder>"); at != std::string::npos) reason.replace(at, 8, dir.Path());
        const int code = OnAFileSystemOfItsOwn(dir.Path(), c.fileSystem, [&] {
            // The file is the user's own.
            dir.Write("out.glyphs", older);
            if (c.sparseOld && ::truncate(path.c_str(), off_t{1} << 40) != 0) return 100;
            if (::chown(path.c_str(), kNobody, kNobody) != 0 || ::chmod(path.c_str(), c.mode) != 0) return 100;
            if (::utimensat(AT_FDCWD, path.c_str(), longAgo, 0) != 0) return 100;
            if (::chmod(dir.Path().c_str(), c.folderMode) != 0) return 100;
            if (c.secondName && ::link(path.c_str(), dir.Path("second.glyphs").c_str()) != 0) return 100;
            for (int number = 1; number <= c.copyNamesTaken; ++number) {
                dir.Write("out.glyphs~" + (number == 1 ? std::string() : std::to_string(number)), "");
            }
            if (c.fillUp) FillUp(dir.Path("filler"));
            struct stat before {};
            if (::stat(path.c_str(), &before) != 0) return 100;
            const int saverExit = RunAsUserWithoutPrivileges([&] {
                const rlimit limit{c.sizeLimit, c.sizeLimit}; // SIGXFSZ keeps its default action
                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 101;
                ScopedFaults faults(c.faults);
                try {
                    WriteTextAtomically(FolderItem(path), newer);
                    return reason.empty() ? 0 : 1;
                } catch (const SavedWithFaultException& e) {
                    return c.savedWithFault == e.Kind() && e.Reason() == reason ? 0 : 2;
                } catch (const IOException& e) {
                    return !c.savedWithFault && e.Reason() == reason ? 0 : 2;
                }
            });
            int failures = saverExit == c.saverExit ? 0 : 1;
            struct stat info {};
            if (c.sparseOld && c.afterwards == Afterwards::OldText ? ::stat(path.c_str(), &info) != 0 || info.st_size != off_t{1} << 40
                                                                : ReadAllText(FolderItem(path)) != expected) {
                failures |= 4;
            }
            if (EntriesIn(dir.Path()) != 1u + c.fillUp + c.secondName + c.copyLeft + c.copyNamesTaken) failures |= 8;
            if (c.copyLeft && ReadAllText(FolderItem(path + "~")) != older) failures |= 32;
            for (int number = 1; number <= c.copyNamesTaken; ++number) {
                const std::string taken = path + "~" + (number == 1 ? std::string() : std::to_string(number));
                if (ReadAllText(FolderItem(taken)) != "") failures |= 64;
            }
            if (!c.written && (::stat(path.c_str(), &info) != 0 || info.st_mtim.tv_sec != longAgo[1].tv_sec)) failures |= 16;
            // A file left as it was keeps no room reserved for the new text.
            if (c.afterwards == Afterwards::OldText && c.saverExit == 0
                && (::stat(path.c_str(), &info) != 0 || info.st_blocks != before.st_blocks)) {
                failures |= 128;
            }
            return failures;
        });
        if (code == kCannotMount) {
            GTEST_SKIP() << "mounting a " << c.fileSystem << " is not permitted here (not root, no private mount namespace, or no loop device)";
        }
        EXPECT_EQ(code, 0);
    }
}

namespace {

// An access ACL in the kernel's form (little-endian, as this machine is):
// `mode`'s entries, and one more user who may read the file.
std::string AclWithOneMoreReader(mode_t mode, std::uint32_t reader)
{
    struct Entry {
        std::uint16_t tag, permissions;
        std::uint32_t id;
    };
    const auto bits = [mode](int shift) { return static_cast<std::uint16_t>((mode >> shift) & 07); };
    const std::uint32_t version = 2, none = 0xFFFFFFFF;
    const Entry entries[] = {{0x01, bits(6), none}, {0x02, 04, reader}, {0x04, bits(3), none},
                             {0x10, static_cast<std::uint16_t>(bits(3) | 04), none}, {0x20, bits(0), none}};
    std::string bytes(reinterpret_cast<const char*>(&version), sizeof version);
    return bytes.append(reinterpret_cast<const char*>(entries), sizeof entries);
}

// Gives `folder` a default ACL that lets user 4003 read what is made in it.
bool LetAnotherUserReadWhatIsMadeIn(const std::string& folder)
{
    const std::string acl = AclWithOneMoreReader(0777, 4003);
    return ::setxattr(folder.c_str(), "system.posix_acl_default", acl.data(), acl.size(), 0) == 0;
}

std::string AclOf(const std::string& path)
{
    char bytes[256];
    const ssize_t size = ::getxattr(path.c_str(), "system.posix_acl_access", bytes, sizeof bytes);
    return size < 0 ? std::string() : std::string(bytes, static_cast<std::size_t>(size));
}

} // namespace

namespace {

// Makes "shared/out.glyphs" in `dir` with the old text, owned by `owner` and
// `group` with `mode`, in a folder with `folderMode`, and gives it a second
// name "second.glyphs" where asked. Gives its path, or an empty one when it
// could not be made so.
std::string SharedFile(TempDir& dir, mode_t folderMode, uid_t owner, gid_t group, mode_t mode, bool secondName)
{
    const std::string folder = dir.MakeFolder("shared");
    const std::string path = dir.Write("shared/out.glyphs", "the old text");
    const bool made = ::chmod(folder.c_str(), folderMode) == 0 && ::chown(path.c_str(), owner, group) == 0
        && ::chmod(path.c_str(), mode) == 0
        && (!secondName || ::link(path.c_str(), (folder + "/second.glyphs").c_str()) == 0);
    return made ? path : std::string();
}

} // namespace

// A save keeps what the file has besides its text: its owner, group,
// permissions and extended attributes, and every name it has. Where a new
// file cannot be given all of them, the file is written into instead, and
// the copy of its old text kept beside it meanwhile is gone afterwards.
TEST(WriteTextAtomically, KeepsOwnerGroupPermissionsAttributesAndLinks)
{
    struct Case {
        const char* what;
        uid_t owner;
        gid_t group;
        mode_t mode;
        mode_t folderMode;
        std::optional<Identity> saver = {}; // nothing: root
        bool secondName = false;
        bool attribute = false;
        const char* faults = "";
        bool folderLetsOneMoreRead = false; // the folder's default ACL lets user 4003 read what is made in it
    };
    const Case cases[] = {
        {"root over another user's file with an attribute", kNobody, kNobody, 0640, 0755, {}, false, true},
        {"root over another user's set-user-ID and set-group-ID file", kNobody, kNobody, 06755, 0755},
        {"a member of its group over a group-shared file", 4002, 4000, 0664, 0777, Identity{4001, 4001, {4000}}},
        {"another user's file in a sticky folder", 4002, 4002, 0666, 01777, Identity{4001, 4001, {}}},
        {"a file with a second name", 0, 0, 0640, 0755, {}, true},
        {"an attribute that may not be set", 0, 0, 0640, 0755, {}, false, true, "fsetxattr=EPERM"},
        // The file has no ACL, and gets none from its folder.
        {"a folder whose default ACL lets another user read", 0, 0, 0640, 0755, {}, false, false, "", true},
    };
    const std::string attribute = "user.sorvanel-test";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const int code = OnAFileSystemOfItsOwn(dir.Path(), "tmpfs", [&] {
            const std::string folder = dir.Path("shared");
            const std::string path = SharedFile(dir, c.folderMode, c.owner, c.group, c.mode, c.secondName);
            if (path.empty()) return 100;
            if (c.attribute && ::setxattr(path.c_str(), attribute.c_str(), "kept", 4, 0) != 0) return 100;
            if (c.folderLetsOneMoreRead && !LetAnotherUserReadWhatIsMadeIn(folder)) return 100;
            auto save = [&] {
                ScopedFaults faults(c.faults);
                try {
                    WriteTextAtomically(FolderItem(path), "the new text");
                    return 0;
                } catch (const IOException&) {
                    return 1;
                }
            };
            int failures = c.saver ? RunAs(*c.saver, save) : save();
            struct stat info {};
            if (ReadAllText(FolderItem(path)) != "the new text" || ::stat(path.c_str(), &info) != 0) return failures | 2;
            if (info.st_uid != c.owner || info.st_gid != c.group || (info.st_mode & 07777) != c.mode) failures |= 4;
            char value[8] = {};
            if (c.attribute && ::getxattr(path.c_str(), attribute.c_str(), value, sizeof value) != 4) failures |= 8;
            if (c.secondName && ReadAllText(FolderItem(folder + "/second.glyphs")) != "the new text") failures |= 16;
            if (EntriesIn(folder) != (c.secondName ? 2u : 1u)) failures |= 32;
            if (!AclOf(path).empty()) failures |= 64;
            return failures;
        });
        if (code == kCannotMount) GTEST_SKIP() << "mounting a file system is not permitted here (not root, or no private mount namespace)";
        EXPECT_EQ(code, 0);
    }
}


// A save killed at any moment leaves the file whole and nothing else: the
// new text has no name until it takes the file's place, and while a file is
// written into, the copy beside it holds the old text and is no more open to
// others than the file.
TEST(WriteTextAtomically, AKilledSaveLeavesTheFileWholeAndNothingElse)
{
    struct Case {
        const char* what;
        const char* faults;
        bool secondName;                    // the file is written into
        std::vector<std::string> afterwards; // the folder's files, each with the old text
        uid_t owner = 0;
        gid_t group = 0;
        mode_t mode = 0644;
        std::optional<Identity> saver = {}; // nothing: root
        bool oneMoreReader = false;         // the file's ACL lets user 4002 read it
        gid_t copyGroup = 0;                // where the copy is left
        mode_t copyMode = 0644;
        bool copyHasTheFilesAcl = false;    // otherwise it has none
        bool folderLetsOneMoreRead = false; // the folder's default ACL lets user 4003 read what is made in it
    };
    const Case cases[] = {
        {"killed at the flush of the new file", "fsync=kill@1", false, {"out.glyphs"}},
        {"killed at the first flush of the overwrite", "fsync=kill@2", true, {"out.glyphs~"}},
        {"killed there, on a file system without unnamed files", "tmpfile=EOPNOTSUPP,fsync=kill@2", true, {"out.glyphs~"}},
        {"the copy of a file of a group the saver is in besides its own", "fsync=kill@2", true, {"out.glyphs~"},
         4001, 4005, 0640, Identity{4001, 4000, {4005}}, false, 4005, 0640},
        {"the copy of a file that its ACL lets one more user read", "fsync=kill@2", true, {"out.glyphs~"},
         4001, 4001, 0600, Identity{4001, 4001, {}}, true, 4001, 0640, true},
        {"the copy of a set-user-ID file that root saves", "fsync=kill@2", true, {"out.glyphs~"},
         kNobody, kNobody, 06755, {}, false, kNobody, 0755},
        // Its group has no more than others on the file.
        {"the copy of a file whose group the saver cannot give", "fsync=kill@2", true, {"out.glyphs~"},
         4001, 4005, 0646, Identity{4003, 4003, {}}, false, 4003, 0666},
        // Where its ACL cannot be given, its group gets no more than others.
        {"the copy of a file whose ACL the saver cannot give", "fsetxattr=EPERM,fsync=kill@2", true, {"out.glyphs~"},
         4001, 4001, 0640, Identity{4001, 4001, {}}, true, 4001, 0600},
        {"the copy in a folder whose default ACL lets another user read", "fsync=kill@2", true, {"out.glyphs~"},
         4002, 4000, 0660, Identity{4001, 4001, {4000}}, false, 4000, 0660, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const int code = OnAFileSystemOfItsOwn(dir.Path(), "tmpfs", [&] {
            const std::string folder = dir.Path("shared");
            const std::string path = SharedFile(dir, 0777, c.owner, c.group, c.mode, c.secondName);
            const std::string acl = AclWithOneMoreReader(c.mode, 4002);
            if (path.empty()
                || (c.oneMoreReader && ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
                || (c.folderLetsOneMoreRead && !LetAnotherUserReadWhatIsMadeIn(folder))) {
                return 100;
            }
            auto save = [&] {
                ScopedFaults faults(c.faults);
                WriteTextAtomically(FolderItem(path), "the new text");
                return 0;
            };
            int failures = (c.saver ? RunAs(*c.saver, save) : InChildProcess(save)) == -1 ? 0 : 1; // killed
            for (const std::string& name : c.afterwards) {
                if (ReadAllText(FolderItem(folder + "/" + name)) != "the old text") failures |= 2;
            }
            if (EntriesIn(folder) != c.afterwards.size() + (c.secondName ? 2 : 0)) failures |= 4;
            struct stat copy {};
            if (::stat((path + "~").c_str(), &copy) == 0 && (copy.st_gid != c.copyGroup || (copy.st_mode & 07777) != c.copyMode)) {
                failures |= 8;
            }
            if (AclOf(path + "~") != (c.copyHasTheFilesAcl ? acl : "")) failures |= 16;
            return failures;
        });
        if (code == kCannotMount) GTEST_SKIP() << "mounting a file system is not permitted here (not root, or no private mount namespace)";
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
