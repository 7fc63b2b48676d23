// Preloaded into qbx (LD_PRELOAD) to kill it at a chosen write into its program folder.
//
//   QBX_KILL_DIR    the folder whose files count (writes elsewhere - X, D-Bus, caches - do not)
//   QBX_KILL_AT     the write, counted from 1, before which the process kills itself (0: never)
//   QBX_KILL_COUNT  a file that receives the number of writes counted so far
//
// Counted are the calls that change a file of the folder: write, writev, pwrite, pwritev,
// rename, unlink and remove. The process dies with SIGKILL just before the call, as a power cut or
// `kill -9` would leave it.

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

std::atomic<long> g_count{0};

const char* dir()
{
    static const char* d = std::getenv("QBX_KILL_DIR");
    return d;
}

bool inDir(const char* path)
{
    const char* d = dir();
    if (!d || !path)
        return false;
    char resolved[PATH_MAX];
    std::string full = path;
    if (path[0] != '/' && ::getcwd(resolved, sizeof resolved))
        full = std::string(resolved) + "/" + path;
    const std::size_t n = std::strlen(d);
    return full.compare(0, n, d) == 0 && (full.size() == n || full[n] == '/');
}

bool fdInDir(int fd)
{
    if (!dir())
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return false;
    target[n] = '\0';
    return inDir(target);
}

// One more write of the folder: noted, and the end of the process when it is the chosen one.
void counted()
{
    const long n = ++g_count;
    if (const char* out = std::getenv("QBX_KILL_COUNT")) {
        const int fd = static_cast<int>(
            ::syscall(SYS_openat, AT_FDCWD, out, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (fd >= 0) {
            char text[32];
            const int len = std::snprintf(text, sizeof text, "%ld\n", n);
            static_cast<void>(::syscall(SYS_write, fd, text, static_cast<std::size_t>(len)));
            ::close(fd);
        }
    }
    const char* at = std::getenv("QBX_KILL_AT");
    if (at && std::atol(at) == n)
        ::kill(::getpid(), SIGKILL);
}

template <typename F>
F next(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int fd, const void* buf, size_t count)
{
    static auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (fdInDir(fd))
        counted();
    return real(fd, buf, count);
}

ssize_t writev(int fd, const struct iovec* iov, int n)
{
    static auto real = next<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (fdInDir(fd))
        counted();
    return real(fd, iov, n);
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset)
{
    static auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (fdInDir(fd))
        counted();
    return real(fd, buf, count, offset);
}

ssize_t pwrite64(int fd, const void* buf, size_t count, off64_t offset)
{
    static auto real = next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    if (fdInDir(fd))
        counted();
    return real(fd, buf, count, offset);
}

ssize_t pwritev(int fd, const struct iovec* iov, int n, off_t offset)
{
    static auto real = next<ssize_t (*)(int, const struct iovec*, int, off_t)>("pwritev");
    if (fdInDir(fd))
        counted();
    return real(fd, iov, n, offset);
}

int rename(const char* from, const char* to)
{
    static auto real = next<int (*)(const char*, const char*)>("rename");
    if (inDir(from) || inDir(to))
        counted();
    return real(from, to);
}

int unlink(const char* path)
{
    static auto real = next<int (*)(const char*)>("unlink");
    if (inDir(path))
        counted();
    return real(path);
}

int remove(const char* path)
{
    static auto real = next<int (*)(const char*)>("remove");
    if (inDir(path))
        counted();
    return real(path);
}

} // extern "C"
