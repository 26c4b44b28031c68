#include "support/TestPlatform.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlix::test {

bool makeSymLink(const QString &target, const QString &link) { return QFile::link(target, link); }

bool makeFifo(const QString &path) { return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0; }

bool makeFileNamedWithBytes(const QString &folder, const QByteArray &name)
{
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

QString devicePath() { return u"/dev/zero"_qs; }

int permissionBits(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

bool underWine() { return false; }

UnreadableFile::UnreadableFile(const QString &path) : m_made(QFile::link(u"/proc/self/mem"_qs, path)) {}

UnreadableFile::~UnreadableFile() = default;

HeldOpenFile::HeldOpenFile(const QString &) {}

HeldOpenFile::~HeldOpenFile() = default;

} // namespace vorlix::test
