// The POSIX side of util/FileUtil: descriptors, rename(2), flock(2), syncfs(2).
#include "util/FileUtil.h"

#include "util/Error.h"
#include "util/FileUtilPlatform.h"
#include "util/TempFiles.h"
#include "util/TempFilesPosix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <set>
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

// Opens a regular file for reading without waiting on a FIFO or device;
// without `followLinks`, a symbolic link is refused, never followed.
int openRegularForReading(const QString &path, QString *error, bool followLinks = true)
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
    Fd f{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW))};
    if (f.fd < 0 && errno == ELOOP) // a link, and links are not followed
        return fail(QStringLiteral("\"%1\" is a symbolic link, not a file.").arg(shownPath(path)));
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

// A temporary file beside its target ("." + name + random + ".tmp"), written
// but not yet synced or in place. Discarding it removes it.
struct StagedFile {
    QByteArray target;
    QByteArray temp;
    QByteArray folder;
    int fd = -1;

    StagedFile() = default;
    StagedFile(StagedFile &&o) noexcept { *this = std::move(o); }
    StagedFile &operator=(StagedFile &&o) noexcept
    {
        if (this != &o) {
            discard();
            target = std::move(o.target);
            temp = std::move(o.temp);
            folder = std::move(o.folder);
            fd = o.fd;
            o.fd = -1;
        }
        return *this;
    }
    ~StagedFile() { discard(); }

    void discard()
    {
        if (fd < 0)
            return;
        ::unlink(temp.constData());
        ::close(fd);
        fd = -1;
    }
};

// Checks the target (never a link or anything but a regular file) and
// writes `bytes` into a new temporary file beside it, with the permissions
// of the file it will replace. Throws Error naming `path`; nothing is left
// behind then.
StagedFile stageFile(const QString &path, const QByteArray &bytes)
{
    StagedFile s;
    s.target = QFile::encodeName(path);
    struct stat old {};
    const bool existed = ::lstat(s.target.constData(), &old) == 0;
    if (existed) {
        const QString refused = refusedTarget(path, old);
        if (!refused.isEmpty())
            throw Error(QStringLiteral("Cannot write %1").arg(refused));
    }
    const QFileInfo info(path);
    s.folder = QFile::encodeName(info.absolutePath());
    removeStaleTemporaries(info.absolutePath());
    s.fd = createLockedTemporary(s.folder, QFile::encodeName(info.fileName()), s.temp);
    if (s.fd < 0)
        failWrite(path, errno);
    int err = 0;
    bool ok = writeAll(s.fd, bytes.constData(), bytes.size(), err);
    if (ok && existed && ::fchmod(s.fd, old.st_mode & 07777) != 0)
        err = errno, ok = false;
    if (!ok) {
        s.discard();
        failWrite(path, err);
    }
    return s;
}

// Moves the temporary file to the target unless a file is there already:
// 0 when moved, else the errno (EEXIST when the target was there).
int renameNoReplace(const QByteArray &temp, const QByteArray &target)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    // A file system that cannot refuse in the rename: a hard link can.
    if (::link(temp.constData(), target.constData()) == 0) {
        ::unlink(temp.constData());
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP)
        return errno;
    struct stat st {};
    if (::lstat(target.constData(), &st) == 0)
        return EEXIST;
    return ::rename(temp.constData(), target.constData()) == 0 ? 0 : errno;
}

// Puts a staged file, already on the disk, in its target's place; without
// `replace`, only when no file is there (returns false then, and the
// temporary file is removed). Throws Error naming `path`; the temporary file
// is removed then.
bool placeFile(const QString &path, StagedFile &s, bool replace = true)
{
    const int fd = s.fd;
    s.fd = -1;
    // The file takes its place while its lock is held (the data is on the
    // disk already), and is closed after.
    int err = replace ? (::rename(s.temp.constData(), s.target.constData()) == 0 ? 0 : errno)
                      : renameNoReplace(s.temp, s.target);
    if (err != 0)
        ::unlink(s.temp.constData());
    ::close(fd); // the bytes were synced before: closing cannot lose them
    if (err != 0) {
        if (err == EEXIST && !replace)
            return false;
        failWrite(path, err);
    }
    return true;
}

// A rename reaches the disk with its folder.
void syncFolder(const QByteArray &folder)
{
    Fd dir{::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0)
        ::fsync(dir.fd);
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
    StagedFile staged = stageFile(path, bytes);
    if (::fsync(staged.fd) != 0) {
        const int err = errno;
        staged.discard();
        failWrite(path, err);
    }
    placeFile(path, staged);
    syncFolder(staged.folder);
}

std::vector<WrittenFile> writeFilesAtomically(const std::vector<PendingFile> &files, bool stopAtFailure)
{
    platform::GroupWrite<StagedFile> group(files, stopAtFailure);
    group.each([&](size_t i) { group.staged[i] = stageFile(files[i].path, files[i].bytes); });
    // One flush for each file system the group touches makes every staged
    // file durable before any of them takes its target's place.
    std::set<QByteArray> folders;
    for (const StagedFile &s : group.staged)
        if (s.fd >= 0)
            folders.insert(s.folder);
    std::set<dev_t> flushed;
    bool allFlushed = true;
    for (const QByteArray &folder : folders) {
        Fd dir{::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
        struct stat st {};
        if (dir.fd < 0 || ::fstat(dir.fd, &st) != 0) {
            allFlushed = false;
            continue;
        }
        if (flushed.count(st.st_dev))
            continue;
        if (::syncfs(dir.fd) != 0)
            allFlushed = false;
        else
            flushed.insert(st.st_dev);
    }
    group.each([&](size_t i) {
        StagedFile &s = group.staged[i];
        // When a file system could not be flushed as a whole, each file is
        // synced on its own, and one that fails is not put in place.
        if (!allFlushed && ::fsync(s.fd) != 0) {
            const int err = errno;
            s.discard();
            failWrite(files[i].path, err);
        }
        group.out[i].existed = !placeFile(files[i].path, s, files[i].replace);
    });
    // The renames reach the disk with their folders.
    for (const QByteArray &folder : folders)
        syncFolder(folder);
    return group.out;
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

bool platform::readFileUpTo(const QString &path, qint64 maxBytes, bool followLinks, QByteArray &bytes, QString *error)
{
    Fd f{openRegularForReading(path, error, followLinks)};
    if (f.fd < 0)
        return false;
    int err = 0;
    if (!readUpTo(f.fd, maxBytes, bytes, err)) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2.").arg(shownPath(path), reasonOf(err));
        return false;
    }
    return true;
}

QString refusedWriteTarget(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return refusedTarget(path, st);
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

bool isWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString systemPath(const QString &path) { return path; }

QString driverFilePath(const QString &path) { return QDir::toNativeSeparators(path); }

QStringList unreadableNames(const QString &folder)
{
    QStringList out;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return out;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (pathSurvivesRoundTrip(name))
            continue;
        QString shown = QFile::decodeName(name);
        shown.replace(QChar(QChar::ReplacementCharacter), u'?');
        out << shown;
    }
    ::closedir(dir);
    out.sort();
    return out;
}

bool isRegularFileNoLink(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace vorlix
