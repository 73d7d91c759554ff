#pragma once

#include <functional>
#include <string_view>
#include <utility>

// Makes calls of the C library that file code makes fail on request, where
// the real code runs: the definitions in InjectedFaults.cpp take the place of
// the C library's own in every test program that links them, and in any
// program started with the shared library built from the same file in
// LD_PRELOAD (which reads its rules from SORVANEL_INJECT_FAULTS).
//
// Rules are separated by commas, each "call=what" or "call=what@n":
// - call: "pwrite", "copy" (copy_file_range into a regular file), "fsync"
//   (fsync and fdatasync of a regular file), "dirsync" (fsync of a folder),
//   "close", "fchmod", "fchown", "fsetxattr", "fallocate", "statfs"
//   (fstatfs; each of a regular file), "stat" (stat, lstat, fstat and
//   fstatat of anything), "tmpfile" (openat of an unnamed file), "create"
//   (openat of a new file that must not exist) or "unlink" (unlinkat of any
//   name);
// - what: "EIO", "ENOSPC", "EFBIG", "EDQUOT", "EINTR", "EPERM", "EOPNOTSUPP"
//   or "EEXIST" (the call fails with that errno), "short" (a write takes
//   half of what it is given, at least one byte), "kill" (the process is
//   killed at the call, as by a user or a power cut), or "hook" (the hook
//   given with the rules runs, then the call is made);
// - @n: only the n-th such call from now on. Without it every call is hit,
//   except with EINTR, which hits every other call so that a retry goes on.
// A rule that names an unknown call or action aborts the program: it would
// test nothing. Calls on a file's descriptor are hit only where it is a
// regular file (or, for "dirsync", a folder); the calls the hook makes are
// left alone.
void InjectFaults(std::string_view rules, std::function<void()> hook = {});

// Injects the rules for its own lifetime.
class ScopedFaults {
public:
    explicit ScopedFaults(std::string_view rules, std::function<void()> hook = {}) { InjectFaults(rules, std::move(hook)); }
    ~ScopedFaults() { InjectFaults(""); }
    ScopedFaults(const ScopedFaults&) = delete;
    ScopedFaults& operator=(const ScopedFaults&) = delete;
};
