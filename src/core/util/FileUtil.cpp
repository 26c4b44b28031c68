#include "util/FileUtil.h"

#include "util/Ansi.h"
#include "util/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlix {

namespace {

QString shownPath(const QString &path) { return QDir::toNativeSeparators(path); }

QString reasonOf(int err)
{
    switch (err) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("the disk is full");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission denied");
    default:
        return QString::fromLocal8Bit(std::strerror(err));
    }
}

[[noreturn]] void failWrite(const QString &path, int err)
{
    throw Error(QStringLiteral("Cannot write \"%1\": %2.").arg(shownPath(path), reasonOf(err)));
}

// Closes a descriptor once, when the scope ends unless released first.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int release()
    {
        const int f = fd;
        fd = -1;
        return f;
    }
};

bool writeAll(int fd, const char *data, qint64 size, int &err)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(std::min<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Why a target cannot be written, from lstat (links are not followed).
QString refusedTarget(const QString &path, const struct stat &st)
{
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("\"%1\" is a symbolic link; files are never written through links.").arg(shownPath(path));
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("\"%1\" is a folder, not a file.").arg(shownPath(path));
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("\"%1\" is not a file.").arg(shownPath(path));
    return {};
}

// Opens a regular file for reading without waiting on a FIFO or device.
int openRegularForReading(const QString &path, QString *error)
{
    const auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return -1;
    };
    const QString refused = notARegularFile(path);
    if (!refused.isNull())
        return fail(QStringLiteral("\"%1\" %2.").arg(shownPath(path), refused));
    const QByteArray name = QFile::encodeName(path);
    Fd f{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (f.fd < 0)
        return fail(QStringLiteral("Cannot read \"%1\": %2.").arg(shownPath(path), reasonOf(errno)));
    struct stat st {};
    if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) // swapped since the check
        return fail(QStringLiteral("\"%1\" is not a file.").arg(shownPath(path)));
    return f.release();
}

bool readUpTo(int fd, qint64 maxBytes, QByteArray &bytes, int &err)
{
    bytes.clear();
    qint64 want = maxBytes;
    char buffer[64 * 1024];
    while (want > 0) {
        const ssize_t n = ::read(fd, buffer, static_cast<size_t>(std::min<qint64>(want, sizeof buffer)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
        want -= n;
    }
    return true;
}

} // namespace

QString notARegularFile(const QString &path)
{
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &st) != 0) {
        struct stat link {};
        if (::lstat(name.constData(), &link) == 0)
            return QStringLiteral("is not a file (a link that leads nowhere)");
        return QStringLiteral("does not exist");
    }
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("is a folder, not a file");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("is not a file");
    return {};
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat old {};
    const bool existed = ::lstat(target.constData(), &old) == 0;
    if (existed) {
        const QString refused = refusedTarget(path, old);
        if (!refused.isEmpty())
            throw Error(QStringLiteral("Cannot write %1").arg(refused));
    }
    const QFileInfo info(path);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    QByteArray temp;
    Fd f;
    for (int attempt = 0; attempt < 100 && f.fd < 0; ++attempt) {
        temp = folder + "/." + QFile::encodeName(info.fileName()) + '.'
               + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        f.fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (f.fd < 0 && errno != EEXIST)
            failWrite(path, errno);
    }
    if (f.fd < 0)
        failWrite(path, EEXIST);
    int err = 0;
    bool ok = writeAll(f.fd, bytes.constData(), bytes.size(), err);
    if (ok && existed && ::fchmod(f.fd, old.st_mode & 07777) != 0)
        err = errno, ok = false;
    if (ok && ::fsync(f.fd) != 0)
        err = errno, ok = false;
    if (ok) {
        ok = ::close(f.release()) == 0;
        if (!ok)
            err = errno;
    }
    if (ok && ::rename(temp.constData(), target.constData()) != 0)
        err = errno, ok = false;
    if (!ok) {
        ::unlink(temp.constData());
        failWrite(path, err);
    }
    // The rename itself reaches the disk with the folder.
    Fd dir{::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0)
        ::fsync(dir.fd);
}

void appendToFileLocked(const QString &path, const QByteArray &bytes, bool onNewLine)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0) {
        const QString refused = refusedTarget(path, st);
        if (!refused.isEmpty())
            throw Error(QStringLiteral("Cannot write %1").arg(refused));
    }
    Fd f{::open(name.constData(), O_RDWR | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666)};
    if (f.fd < 0)
        failWrite(path, errno);
    if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw Error(QStringLiteral("Cannot write \"%1\": it is not a file.").arg(shownPath(path)));
    while (::flock(f.fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            failWrite(path, errno);
    }
    // Under the lock the length is what every other writer left.
    const off_t before = ::lseek(f.fd, 0, SEEK_END);
    QByteArray text = bytes;
    char last = '\n';
    if (onNewLine && before > 0 && ::pread(f.fd, &last, 1, before - 1) == 1 && last != '\n')
        text.prepend("\r\n");
    int err = 0;
    bool ok = writeAll(f.fd, text.constData(), text.size(), err);
    if (ok && ::fsync(f.fd) != 0)
        err = errno, ok = false;
    if (!ok && before >= 0)
        (void)::ftruncate(f.fd, before); // no half line stays behind
    ::flock(f.fd, LOCK_UN);
    const int fd = f.release();
    if (::close(fd) != 0 && ok)
        err = errno, ok = false;
    if (!ok)
        failWrite(path, err);
}

bool readWholeFile(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes)
{
    Fd f{openRegularForReading(path, error)};
    if (f.fd < 0)
        return false;
    const bool capped = maxBytes < 0;
    const qint64 limit = capped ? kDefaultReadCap : maxBytes;
    int err = 0;
    // One byte more than the cap tells a file that is too large.
    if (!readUpTo(f.fd, capped ? limit + 1 : limit, bytes, err)) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2.").arg(shownPath(path), reasonOf(err));
        return false;
    }
    if (capped && bytes.size() > limit) {
        bytes.clear();
        if (error)
            *error = QStringLiteral("\"%1\" is too large (more than %2 MB).").arg(shownPath(path)).arg(limit >> 20);
        return false;
    }
    return true;
}

bool readFileTail(const QString &path, qint64 maxBytes, QByteArray &bytes, qint64 &skipped, QString *error)
{
    bytes.clear();
    skipped = 0;
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT)
        return true;
    Fd f{openRegularForReading(path, error)};
    if (f.fd < 0)
        return false;
    const off_t size = ::lseek(f.fd, 0, SEEK_END);
    const qint64 start = size > maxBytes ? qint64(size) - maxBytes : 0;
    int err = 0;
    if (size < 0 || ::lseek(f.fd, start, SEEK_SET) < 0 || !readUpTo(f.fd, maxBytes, bytes, err)) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2.").arg(shownPath(path), reasonOf(err ? err : errno));
        return false;
    }
    skipped = start;
    return true;
}

bool pathSurvivesRoundTrip(const QByteArray &localPath)
{
    return QFile::encodeName(QFile::decodeName(localPath)) == localPath;
}

QByteArray ansiLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines) {
        out += ansi::encode(l);
        out += "\r\n";
    }
    return out;
}

QString existingCaseInsensitive(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return {};
}

QString findCaseInsensitive(const QString &folder, const QString &name)
{
    const QString found = existingCaseInsensitive(folder, name);
    return found.isEmpty() ? QDir(folder).filePath(name) : found;
}

QString findPathCaseInsensitive(const QString &folder, const QString &relativePath)
{
    QString current = folder;
    const QStringList parts = QDir::fromNativeSeparators(relativePath).split(u'/', Qt::SkipEmptyParts);
    for (const QString &p : parts)
        current = findCaseInsensitive(current, p);
    return current;
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(u':'))
        return false;
    return !name.contains(u".."_qs);
}

} // namespace vorlix
