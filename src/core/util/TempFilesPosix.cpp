#include "util/TempFiles.h"
#include "util/TempFilesPosix.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
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
} // namespace

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

void removeStaleTemporaries(const QString &folderPath)
{
    if (!firstCleanUpOf(folderPath))
        return;
    const QByteArray folder = QFile::encodeName(folderPath);
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
