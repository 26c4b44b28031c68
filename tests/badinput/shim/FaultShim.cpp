// A fault-injecting layer for the bad-input suite, loaded into vorlix-cli
// with LD_PRELOAD. Below the folder VORLIX_FAULT_DIR it makes the system
// calls fail as a full or a read-only disk does:
//   VORLIX_FAULT=nospace   every write of data fails with ENOSPC;
//   VORLIX_FAULT=readonly  every open for writing, create, rename, removal
//                          and new folder fails with EROFS.
// Everything else goes through to the C library unchanged.
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

enum class Fault { None, NoSpace, ReadOnly };

Fault fault()
{
    const char *f = std::getenv("VORLIX_FAULT");
    if (!f)
        return Fault::None;
    if (std::strcmp(f, "nospace") == 0)
        return Fault::NoSpace;
    if (std::strcmp(f, "readonly") == 0)
        return Fault::ReadOnly;
    return Fault::None;
}

bool under(const char *path)
{
    const char *dir = std::getenv("VORLIX_FAULT_DIR");
    if (!dir || !*dir || !path)
        return false;
    const size_t n = std::strlen(dir);
    return std::strncmp(path, dir, n) == 0 && (path[n] == '/' || path[n] == '\0');
}

// The absolute form of `path` opened relative to `dirfd`.
bool pathUnder(int dirfd, const char *path)
{
    if (!path)
        return false;
    if (path[0] == '/')
        return under(path);
    char base[PATH_MAX];
    if (dirfd == AT_FDCWD) {
        if (!getcwd(base, sizeof base))
            return false;
    } else {
        char link[64];
        snprintf(link, sizeof link, "/proc/self/fd/%d", dirfd);
        const ssize_t len = readlink(link, base, sizeof base - 1);
        if (len < 0)
            return false;
        base[len] = '\0';
    }
    char full[PATH_MAX * 2];
    snprintf(full, sizeof full, "%s/%s", base, path);
    return under(full);
}

bool fdUnder(int fd)
{
    char link[64];
    char target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t len = readlink(link, target, sizeof target - 1);
    if (len < 0)
        return false;
    target[len] = '\0';
    return under(target);
}

bool writesRefused(int flags) { return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0; }

template <typename Fn> Fn next(const char *name) { return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name)); }

bool noSpaceFor(int fd) { return fault() == Fault::NoSpace && fdUnder(fd); }
bool readOnlyAt(int dirfd, const char *path) { return fault() == Fault::ReadOnly && pathUnder(dirfd, path); }

int refuse(int err)
{
    errno = err;
    return -1;
}

mode_t modeArg(int flags, va_list ap)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(ap, int)) : 0;
}

} // namespace

extern "C" {

#define VORLIX_OPEN(name)                                                                     \
    int name(const char *path, int flags, ...)                                                \
    {                                                                                         \
        va_list ap;                                                                           \
        va_start(ap, flags);                                                                  \
        const mode_t mode = modeArg(flags, ap);                                               \
        va_end(ap);                                                                           \
        if (writesRefused(flags) && readOnlyAt(AT_FDCWD, path))                               \
            return refuse(EROFS);                                                             \
        return next<int (*)(const char *, int, ...)>(#name)(path, flags, mode);               \
    }
VORLIX_OPEN(open)
VORLIX_OPEN(open64)

#define VORLIX_OPENAT(name)                                                                   \
    int name(int dirfd, const char *path, int flags, ...)                                     \
    {                                                                                         \
        va_list ap;                                                                           \
        va_start(ap, flags);                                                                  \
        const mode_t mode = modeArg(flags, ap);                                               \
        va_end(ap);                                                                           \
        if (writesRefused(flags) && readOnlyAt(dirfd, path))                                  \
            return refuse(EROFS);                                                             \
        return next<int (*)(int, const char *, int, ...)>(#name)(dirfd, path, flags, mode);   \
    }
VORLIX_OPENAT(openat)
VORLIX_OPENAT(openat64)

int __open_2(const char *path, int flags)
{
    if (writesRefused(flags) && readOnlyAt(AT_FDCWD, path))
        return refuse(EROFS);
    return next<int (*)(const char *, int)>("__open_2")(path, flags);
}

int __open64_2(const char *path, int flags)
{
    if (writesRefused(flags) && readOnlyAt(AT_FDCWD, path))
        return refuse(EROFS);
    return next<int (*)(const char *, int)>("__open64_2")(path, flags);
}

int creat(const char *path, mode_t mode)
{
    if (readOnlyAt(AT_FDCWD, path))
        return refuse(EROFS);
    return next<int (*)(const char *, mode_t)>("creat")(path, mode);
}

int rename(const char *from, const char *to)
{
    if (readOnlyAt(AT_FDCWD, from) || readOnlyAt(AT_FDCWD, to))
        return refuse(EROFS);
    return next<int (*)(const char *, const char *)>("rename")(from, to);
}

int renameat(int fromfd, const char *from, int tofd, const char *to)
{
    if (readOnlyAt(fromfd, from) || readOnlyAt(tofd, to))
        return refuse(EROFS);
    return next<int (*)(int, const char *, int, const char *)>("renameat")(fromfd, from, tofd, to);
}

int renameat2(int fromfd, const char *from, int tofd, const char *to, unsigned flags)
{
    if (readOnlyAt(fromfd, from) || readOnlyAt(tofd, to))
        return refuse(EROFS);
    return next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2")(fromfd, from, tofd, to, flags);
}

int unlink(const char *path)
{
    if (readOnlyAt(AT_FDCWD, path))
        return refuse(EROFS);
    return next<int (*)(const char *)>("unlink")(path);
}

int mkdir(const char *path, mode_t mode)
{
    if (readOnlyAt(AT_FDCWD, path))
        return refuse(EROFS);
    return next<int (*)(const char *, mode_t)>("mkdir")(path, mode);
}

ssize_t write(int fd, const void *buf, size_t n)
{
    if (n > 0 && noSpaceFor(fd))
        return refuse(ENOSPC);
    return next<ssize_t (*)(int, const void *, size_t)>("write")(fd, buf, n);
}

ssize_t pwrite(int fd, const void *buf, size_t n, off_t at)
{
    if (n > 0 && noSpaceFor(fd))
        return refuse(ENOSPC);
    return next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite")(fd, buf, n, at);
}

ssize_t pwrite64(int fd, const void *buf, size_t n, off64_t at)
{
    if (n > 0 && noSpaceFor(fd))
        return refuse(ENOSPC);
    return next<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64")(fd, buf, n, at);
}

ssize_t writev(int fd, const struct iovec *iov, int count)
{
    if (count > 0 && noSpaceFor(fd))
        return refuse(ENOSPC);
    return next<ssize_t (*)(int, const struct iovec *, int)>("writev")(fd, iov, count);
}

} // extern "C"
