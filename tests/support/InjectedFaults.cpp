#include "tests/support/InjectedFaults.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/types.h>

namespace {

// Not errnos: the process is killed at the call; the hook runs.
constexpr int kKill = -1;
constexpr int kHook = -2;

// Constant, not constructed: a preloaded library is called before its
// static objects are made.
constexpr std::string_view kCalls[] = {"pwrite", "copy", "fsync", "dirsync", "close", "fchmod", "fchown", "fsetxattr",
                                       "fallocate", "stat", "statfs", "tmpfile", "create", "unlink"};

struct Rule {
    std::string call;
    int error = 0; // 0: a short write; kKill; kHook
    long nth = 0;  // 0: every call
};

// Leaked on purpose: the calls go on while static objects are destroyed.
struct State {
    std::mutex mutex;
    bool loaded = false;
    std::vector<Rule> rules;
    std::function<void()> hook;
    std::map<std::string, long> calls;
};

// Set while the hook runs: its own calls are left alone.
thread_local bool inHook = false;

State& Faults()
{
    static State* state = new State;
    return *state;
}

int ErrorNamed(const std::string& name)
{
    static const std::map<std::string, int> kErrors = {
        {"EIO", EIO}, {"ENOSPC", ENOSPC}, {"EFBIG", EFBIG}, {"EDQUOT", EDQUOT}, {"EINTR", EINTR},
        {"EPERM", EPERM}, {"EOPNOTSUPP", EOPNOTSUPP}, {"EEXIST", EEXIST}};
    const auto found = kErrors.find(name);
    if (found == kErrors.end()) std::abort(); // a misspelt rule would test nothing
    return found->second;
}

std::vector<Rule> Parse(std::string_view text)
{
    std::vector<Rule> rules;
    while (!text.empty()) {
        const std::string_view item = text.substr(0, text.find(','));
        text.remove_prefix(std::min(text.size(), item.size() + 1));
        const std::size_t equals = item.find('=');
        const std::size_t at = item.find('@');
        if (equals == std::string_view::npos) std::abort();
        Rule rule;
        rule.call = std::string(item.substr(0, equals));
        if (std::ranges::find(kCalls, rule.call) == std::end(kCalls)) std::abort();
        const std::string what(item.substr(equals + 1, at == std::string_view::npos ? std::string_view::npos : at - equals - 1));
        rule.error = what == "short" ? 0 : what == "kill" ? kKill : what == "hook" ? kHook : ErrorNamed(what);
        if (at != std::string_view::npos) rule.nth = std::atol(std::string(item.substr(at + 1)).c_str());
        rules.push_back(rule);
    }
    return rules;
}

// What happens to this call: the errno it fails with (0: none), and whether
// it is cut short.
struct Verdict {
    int error = 0;
    bool cutShort = false;
};

Verdict Decide(const char* call)
{
    if (inHook) return {};
    State& state = Faults();
    std::function<void()> hook;
    Verdict verdict;
    {
        std::lock_guard lock(state.mutex);
        if (!state.loaded) {
            state.loaded = true;
            if (const char* rules = std::getenv("SORVANEL_INJECT_FAULTS")) state.rules = Parse(rules);
        }
        if (state.rules.empty()) return {};
        const long number = ++state.calls[call];
        for (const Rule& rule : state.rules) {
            if (rule.call != call) continue;
            const bool hit = rule.nth != 0 ? number == rule.nth : rule.error != EINTR || number % 2 == 1;
            if (!hit) continue;
            if (rule.error == kKill) {
                ::kill(::getpid(), SIGKILL);
            } else if (rule.error == kHook) {
                hook = state.hook;
            } else if (rule.error == 0) {
                verdict.cutShort = true;
            } else if (verdict.error == 0) {
                verdict.error = rule.error;
            }
        }
    }
    // Outside the lock: the hook's own calls come back here.
    if (hook) {
        inHook = true;
        hook();
        inHook = false;
    }
    return verdict;
}

template <class Function>
Function* Real(const char* name)
{
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

mode_t TypeOf(int fd)
{
    static auto* realFstat = Real<int(int, struct stat*)>("fstat");
    struct stat info {};
    return realFstat(fd, &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

using Pwrite = ssize_t(int, const void*, size_t, off_t);
using Sync = int(int);

// The errno that `call` on the regular file `fd` fails with now, or 0.
int FailureOf(const char* call, int fd)
{
    return TypeOf(fd) == S_IFREG ? Decide(call).error : 0;
}

// Fails with `error` as a call of the C library does, or makes the real call.
template <class Real>
auto FailOr(int error, Real real) -> decltype(real())
{
    if (error == 0) return real();
    errno = error;
    return -1;
}

// Decides a write of `count` bytes to `fd` as `call`: gives the errno it
// fails with, or 0 with `count` cut short where the rules say so.
int DecideWrite(const char* call, int fd, size_t& count)
{
    if (TypeOf(fd) != S_IFREG) return 0;
    const Verdict verdict = Decide(call);
    if (verdict.cutShort && count > 1) count /= 2;
    return verdict.error;
}

ssize_t InjectedPwrite(Pwrite* real, int fd, const void* buffer, size_t count, off_t offset)
{
    const int error = DecideWrite("pwrite", fd, count);
    return FailOr(error, [&] { return real(fd, buffer, count, offset); });
}

int InjectedSync(Sync* real, int fd)
{
    const mode_t type = TypeOf(fd);
    if (type == S_IFREG || type == S_IFDIR) {
        const Verdict verdict = Decide(type == S_IFDIR ? "dirsync" : "fsync");
        if (verdict.error != 0) {
            errno = verdict.error;
            return -1;
        }
    }
    return real(fd);
}

} // namespace

void InjectFaults(std::string_view rules, std::function<void()> hook)
{
    State& state = Faults();
    std::lock_guard lock(state.mutex);
    state.loaded = true;
    state.rules = Parse(rules);
    state.hook = std::move(hook);
    state.calls.clear();
}

extern "C" {

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset)
{
    static Pwrite* real = Real<Pwrite>("pwrite");
    return InjectedPwrite(real, fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off_t offset)
{
    static Pwrite* real = Real<Pwrite>("pwrite64");
    return InjectedPwrite(real, fd, buffer, count, offset);
}

ssize_t copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t count, unsigned flags)
{
    static auto* real = Real<ssize_t(int, off64_t*, int, off64_t*, size_t, unsigned)>("copy_file_range");
    const int error = DecideWrite("copy", out, count);
    return FailOr(error, [&] { return real(in, inOffset, out, outOffset, count, flags); });
}

int fsync(int fd)
{
    static Sync* real = Real<Sync>("fsync");
    return InjectedSync(real, fd);
}

int fdatasync(int fd)
{
    static Sync* real = Real<Sync>("fdatasync");
    return InjectedSync(real, fd);
}

int close(int fd)
{
    static Sync* real = Real<Sync>("close");
    if (TypeOf(fd) == S_IFREG) {
        if (const int error = Decide("close").error) {
            // The descriptor is closed all the same, as Linux does.
            real(fd);
            errno = error;
            return -1;
        }
    }
    return real(fd);
}

int fchmod(int fd, mode_t mode)
{
    static auto* real = Real<int(int, mode_t)>("fchmod");
    return FailOr(FailureOf("fchmod", fd), [&] { return real(fd, mode); });
}

int fchown(int fd, uid_t owner, gid_t group)
{
    static auto* real = Real<int(int, uid_t, gid_t)>("fchown");
    return FailOr(FailureOf("fchown", fd), [&] { return real(fd, owner, group); });
}

int fsetxattr(int fd, const char* name, const void* value, size_t size, int flags)
{
    static auto* real = Real<int(int, const char*, const void*, size_t, int)>("fsetxattr");
    return FailOr(FailureOf("fsetxattr", fd), [&] { return real(fd, name, value, size, flags); });
}

int fallocate(int fd, int mode, off_t offset, off_t length)
{
    static auto* real = Real<int(int, int, off_t, off_t)>("fallocate");
    return FailOr(FailureOf("fallocate", fd), [&] { return real(fd, mode, offset, length); });
}

int fstatfs(int fd, struct statfs* info)
{
    static auto* real = Real<int(int, struct statfs*)>("fstatfs");
    return FailOr(FailureOf("statfs", fd), [&] { return real(fd, info); });
}

int unlinkat(int folder, const char* name, int flags)
{
    static auto* real = Real<int(int, const char*, int)>("unlinkat");
    return FailOr(Decide("unlink").error, [&] { return real(folder, name, flags); });
}

int openat(int folder, const char* path, int flags, ...)
{
    static auto* real = Real<int(int, const char*, int, ...)>("openat");
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    const bool tmpfile = (flags & O_TMPFILE) == O_TMPFILE;
    const bool create = !tmpfile && (flags & (O_CREAT | O_EXCL)) == (O_CREAT | O_EXCL);
    const int error = tmpfile ? Decide("tmpfile").error : create ? Decide("create").error : 0;
    return FailOr(error, [&] { return real(folder, path, flags, mode); });
}

int fstat(int fd, struct stat* info)
{
    static auto* real = Real<int(int, struct stat*)>("fstat");
    return FailOr(Decide("stat").error, [&] { return real(fd, info); });
}

int fstatat(int folder, const char* path, struct stat* info, int flags)
{
    static auto* real = Real<int(int, const char*, struct stat*, int)>("fstatat");
    return FailOr(Decide("stat").error, [&] { return real(folder, path, info, flags); });
}

int stat(const char* path, struct stat* info)
{
    static auto* real = Real<int(const char*, struct stat*)>("stat");
    return FailOr(Decide("stat").error, [&] { return real(path, info); });
}

int lstat(const char* path, struct stat* info)
{
    static auto* real = Real<int(const char*, struct stat*)>("lstat");
    return FailOr(Decide("stat").error, [&] { return real(path, info); });
}

} // extern "C"
