#pragma once

#include <string_view>

// Makes calls of the C library that file code makes fail on request, where
// the real code runs: the definitions in InjectedFaults.cpp take the place of
// the C library's own in every test program that links them, and in any
// program started with the shared library built from the same file in
// LD_PRELOAD (which reads its rules from SORVANEL_INJECT_FAULTS).
//
// Rules are separated by commas, each "call=what" or "call=what@n":
// - call: "pwrite", "fsync" (fsync and fdatasync of a regular file),
//   "dirsync" (fsync of a folder), "close", "fchmod", "fchown",
//   "fsetxattr" (each of a regular file), or "stat" (stat and lstat of any
//   path);
// - what: "EIO", "ENOSPC", "EFBIG", "EDQUOT", "EINTR", "EPERM" or
//   "EOPNOTSUPP" (the call fails with that errno), "short" (a write takes
//   half of what it is given, at least one byte), or "kill" (the process is
//   killed at the call, as by a user or a power cut);
// - @n: only the n-th such call from now on. Without it every call is hit,
//   except with EINTR, which hits every other call so that a retry goes on.
// Calls on anything else than regular files and folders are left alone.
void InjectFaults(std::string_view rules);

// Injects the rules for its own lifetime.
class ScopedFaults {
public:
    explicit ScopedFaults(std::string_view rules) { InjectFaults(rules); }
    ~ScopedFaults() { InjectFaults(""); }
    ScopedFaults(const ScopedFaults&) = delete;
    ScopedFaults& operator=(const ScopedFaults&) = delete;
};
