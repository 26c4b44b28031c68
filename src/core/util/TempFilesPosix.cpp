#include "util/TempFiles.h"

#include <QRandomGenerator>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlix {

namespace {
// Whether the path `path` still names the file open as `fd`.
bool stillNamed(int fd, const QByteArray &path)
{
    struct stat held {}, there {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &there) == 0 && there.st_ino == held.st_ino &&
           there.st_dev == held.st_dev;
}

bool isBase36(char c) { return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'a' && c <= 'z'); }
} // namespace

bool isTemporaryName(const char *name)
{
    const size_t n = std::strlen(name);
    if (n < 8 || name[0] != '.' || std::strcmp(name + n - 4, ".tmp") != 0)
        return false;
    size_t i = n - 4;
    while (i > 1 && isBase36(name[i - 1]))
        --i;
    const size_t digits = n - 4 - i;
    return digits >= 1 && digits <= 7 && i >= 3 && name[i - 1] == '.';
}

int createLockedTemporary(const QByteArray &folder, const QByteArray &fileName, QByteArray &temp)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder + "/." + fileName + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
               ".tmp";
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno != EEXIST)
                return -1;
            continue;
        }
        int locked = 0;
        while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        // Another run's clean-up may have taken it before the lock: then it
        // is gone from the folder, and a new one is made.
        if (locked == 0 && stillNamed(fd, temp))
            return fd;
        const int err = errno;
        ::close(fd);
        if (locked != 0) {
            ::unlink(temp.constData());
            errno = err;
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

void removeStaleTemporaries(const QByteArray &folder)
{
    static std::mutex mutex;
    static std::set<QByteArray> cleaned;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!cleaned.insert(folder).second)
            return;
    }
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *e = ::readdir(dir)) {
        if (!isTemporaryName(e->d_name))
            continue;
        const QByteArray path = folder + '/' + e->d_name;
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        // Not locked: no writer is at work on it.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            stillNamed(fd, path))
            ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace vorlix
