// The Windows side of util/FileUtil, with Windows' own means for the rules of
// FileUtil.h: handles opened with share modes, FlushFileBuffers, renames
// through the written file's own handle (without replace for "never
// replace"), reparse points (symbolic links, junctions) counted as links,
// the session log appended under LockFileEx, and "\\?\" paths so that
// folders deeper than 260 characters and UNC shares work like any other.
#include "util/FileUtil.h"

#include "util/Error.h"
#include "util/FileUtilPlatform.h"
#include "util/TempFiles.h"
#include "util/WindowsApi.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstring>
#include <string>
#include <vector>


namespace vorlix {

namespace {

QString shownPath(const QString &path) { return QDir::toNativeSeparators(path); }

std::wstring systemPathW(const QString &path) { return systemPath(path).toStdWString(); }

// The system's own words for an error, without the final period.
QString systemMessage(DWORD err)
{
    wchar_t *text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, err, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message = n ? QString::fromWCharArray(text, int(n)).trimmed() : QString();
    if (text)
        LocalFree(text);
    while (message.endsWith(u'.'))
        message.chop(1);
    if (message.isEmpty())
        message = QStringLiteral("system error %1").arg(err);
    return message;
}

QString reasonOf(DWORD err)
{
    switch (err) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("the disk is full");
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("the disk is read-only");
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("permission denied");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return QStringLiteral("the file is in use by another program");
    default:
        return systemMessage(err);
    }
}

[[noreturn]] void failWrite(const QString &path, DWORD err)
{
    throw Error(QStringLiteral("Cannot write \"%1\": %2.").arg(shownPath(path), reasonOf(err)));
}

// Closes a handle once, when the scope ends unless released first.
struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    Handle() = default;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    ~Handle() { close(); }
    bool valid() const { return h != INVALID_HANDLE_VALUE; }
    void close()
    {
        if (valid())
            CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
    }
    HANDLE release()
    {
        HANDLE r = h;
        h = INVALID_HANDLE_VALUE;
        return r;
    }
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Attributes of the entry itself (a link is not followed); false when there
// is no such entry.
bool entryAttributes(const std::wstring &p, DWORD &attributes)
{
    attributes = GetFileAttributesW(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
}

// Why a target cannot be written, from the entry itself (links are not
// followed).
QString refusedTarget(const QString &path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return QStringLiteral("\"%1\" is a symbolic link; files are never written through links.").arg(shownPath(path));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return QStringLiteral("\"%1\" is a folder, not a file.").arg(shownPath(path));
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return QStringLiteral("\"%1\" is not a file.").arg(shownPath(path));
    return {};
}

// Whether another program holds the file open so that it cannot be replaced
// (Windows answers "access denied" for that, too).
bool heldByAnotherProgram(const std::wstring &p)
{
    HANDLE h = CreateFileW(p.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
}

bool writeAll(HANDLE h, const char *data, qint64 size, DWORD &err)
{
    while (size > 0) {
        const DWORD chunk = DWORD(std::min<qint64>(size, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(h, data, chunk, &written, nullptr)) {
            err = GetLastError();
            return false;
        }
        if (written == 0) {
            err = ERROR_DISK_FULL;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool readUpTo(HANDLE h, qint64 maxBytes, QByteArray &bytes, DWORD &err)
{
    bytes.clear();
    qint64 want = maxBytes;
    char buffer[64 * 1024];
    while (want > 0) {
        DWORD got = 0;
        if (!ReadFile(h, buffer, DWORD(std::min<qint64>(want, sizeof buffer)), &got, nullptr)) {
            err = GetLastError();
            if (err == ERROR_HANDLE_EOF)
                break;
            return false;
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
        want -= got;
    }
    return true;
}

// Opens a regular file for reading, other programs' reads and writes let in
// (a log being appended to is still read); without `followLinks`, a link
// (any reparse point) is refused, never followed.
HANDLE openRegularForReading(const QString &path, QString *error, bool followLinks = true)
{
    const auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return INVALID_HANDLE_VALUE;
    };
    const std::wstring p = systemPathW(path);
    DWORD attributes = 0;
    const auto isLink = [&] { return entryAttributes(p, attributes) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT); };
    if (!followLinks && isLink())
        return fail(QStringLiteral("\"%1\" is a symbolic link, not a file.").arg(shownPath(path)));
    const QString refused = notARegularFile(path);
    if (!refused.isNull())
        return fail(QStringLiteral("\"%1\" %2.").arg(shownPath(path), refused));
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    Handle f(CreateFileW(p.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!f.valid())
        return fail(QStringLiteral("Cannot read \"%1\": %2.").arg(shownPath(path), reasonOf(GetLastError())));
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(f.h) != FILE_TYPE_DISK || !GetFileInformationByHandle(f.h, &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) // swapped since the check
        return fail(QStringLiteral("\"%1\" is not a file.").arg(shownPath(path)));
    if (!followLinks && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) // swapped since the check
        return fail(QStringLiteral("\"%1\" is a symbolic link, not a file.").arg(shownPath(path)));
    return f.release();
}

// A temporary file beside its target ("." + name + random + ".tmp"), written
// but not yet flushed or in place, held open without sharing until it is in
// place (TempFiles.h). Discarding it removes it.
struct StagedFile {
    std::wstring target;
    std::wstring temp;
    Handle file;

    void discard()
    {
        if (!file.valid())
            return;
        file.close();
        DeleteFileW(temp.c_str());
    }
    ~StagedFile() { discard(); }
};

// Checks the target (never a link or anything but a regular file) and
// writes `bytes` into a new temporary file beside it. Throws Error naming
// `path`; nothing is left behind then.
void stageFile(const QString &path, const QByteArray &bytes, StagedFile &s)
{
    s.target = systemPathW(path);
    DWORD attributes = 0;
    if (entryAttributes(s.target, attributes)) {
        const QString refused = refusedTarget(path, attributes);
        if (!refused.isEmpty())
            throw Error(QStringLiteral("Cannot write %1").arg(refused));
    }
    const std::wstring::size_type cut = s.target.find_last_of(L'\\');
    const std::wstring folder = s.target.substr(0, cut + 1);
    const std::wstring name = s.target.substr(cut + 1);
    removeStaleTemporaries(QFileInfo(path).absolutePath());
    for (int attempt = 0; attempt < 100 && !s.file.valid(); ++attempt) {
        s.temp = folder + L"." + name + L"."
                 + QString::number(QRandomGenerator::global()->generate(), 36).toStdWString() + L".tmp";
        s.file.h = CreateFileW(s.temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (!s.file.valid() && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            failWrite(path, GetLastError());
    }
    if (!s.file.valid())
        failWrite(path, ERROR_FILE_EXISTS);
    DWORD err = 0;
    if (!writeAll(s.file.h, bytes.constData(), bytes.size(), err)) {
        s.discard();
        failWrite(path, err);
    }
}

void flushStaged(const QString &path, StagedFile &s)
{
    if (!FlushFileBuffers(s.file.h)) {
        const DWORD err = GetLastError();
        s.discard();
        failWrite(path, err);
    }
}

// Renames the open file `h` (opened with DELETE access) to `target`. The
// handle stays open, so the file is never unheld between its writing and its
// taking the target's place.
bool renameOpenFile(HANDLE h, const std::wstring &target, bool replace, DWORD &err)
{
    const size_t nameBytes = target.size() * sizeof(wchar_t);
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes); // zeroed: the name ends in a null
    auto *info = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = DWORD(nameBytes);
    std::memcpy(info->FileName, target.data(), nameBytes);
    if (SetFileInformationByHandle(h, FileRenameInfo, info, DWORD(buffer.size())))
        return true;
    err = GetLastError();
    return false;
}

// Puts a staged file, already on the disk, in its target's place; without
// `replace`, only when no file is there (returns false then, and the
// temporary file is removed). A target another program holds open is tried
// again for a moment (virus scanners and indexers hold new files briefly).
// Throws Error naming `path`; the temporary file is removed then.
bool placeFile(const QString &path, StagedFile &s, bool replace = true)
{
    DWORD err = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (renameOpenFile(s.file.h, s.target, replace, err)) {
            s.file.close();
            return true;
        }
        if (!replace && (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS))
            break;
        if (err == ERROR_ACCESS_DENIED && heldByAnotherProgram(s.target))
            err = ERROR_SHARING_VIOLATION;
        if (err != ERROR_SHARING_VIOLATION && err != ERROR_LOCK_VIOLATION)
            break;
        Sleep(100);
    }
    s.discard();
    if (!replace && (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS))
        return false;
    failWrite(path, err);
}

} // namespace

QString systemPath(const QString &path)
{
    QString p = QDir::toNativeSeparators(path);
    if (p.startsWith(u"\\\\?\\"_qs) || p.startsWith(u"\\\\.\\"_qs))
        return p;
    p = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (p.startsWith(u"\\\\"_qs))
        return u"\\\\?\\UNC\\"_qs + p.mid(2);
    return u"\\\\?\\"_qs + p;
}

QString driverFilePath(const QString &path)
{
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    // Wine hands ODBC to the host's driver manager (unixODBC), whose drivers
    // open host paths; Wine says which host path a Windows path is.
    using UnixFileName = char *(CDECL *)(LPCWSTR);
    static const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName)
        return native;
    char *host = unixFileName(native.toStdWString().c_str());
    if (!host)
        return native;
    const QString hostPath = QString::fromUtf8(host);
    HeapFree(GetProcessHeap(), 0, host);
    return hostPath;
}

bool isWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
    const QString here = QDir::cleanPath(info.absoluteFilePath()) + u'/';
    for (const char *name : {"ProgramFiles", "ProgramW6432", "ProgramFiles(x86)"}) {
        const QString programs = qEnvironmentVariable(name);
        if (!programs.isEmpty()
            && here.startsWith(QDir::cleanPath(QDir::fromNativeSeparators(programs)) + u'/', Qt::CaseInsensitive))
            return false;
    }
    // Windows' permissions are access lists that Qt does not read: try.
    const std::wstring probe = systemPathW(
        folder + QStringLiteral("/.vorlix-write-test-%1").arg(QRandomGenerator::global()->generate(), 0, 36));
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

QString notARegularFile(const QString &path)
{
    const std::wstring p = systemPathW(path);
    Handle h(CreateFileW(p.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    DWORD attributes = 0;
    if (!h.valid()) {
        if (!entryAttributes(p, attributes))
            return QStringLiteral("does not exist");
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return QStringLiteral("is not a file (a link that leads nowhere)");
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return QStringLiteral("is a folder, not a file");
        return {}; // there, but not to be opened now: the read says why
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h.h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h.h, &info))
        return QStringLiteral("is not a file");
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return QStringLiteral("is a folder, not a file");
    return {};
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    StagedFile staged;
    stageFile(path, bytes, staged);
    flushStaged(path, staged);
    placeFile(path, staged);
}

std::vector<WrittenFile> writeFilesAtomically(const std::vector<PendingFile> &files, bool stopAtFailure)
{
    platform::GroupWrite<StagedFile> group(files, stopAtFailure);
    group.each([&](size_t i) { stageFile(files[i].path, files[i].bytes, group.staged[i]); });
    // Windows has no flush of a whole file system for a program without
    // administrator rights: every staged file is flushed on its own, all of
    // them before any takes its target's place; one whose flush fails is
    // not put in place.
    group.each([&](size_t i) { flushStaged(files[i].path, group.staged[i]); });
    group.each([&](size_t i) {
        group.out[i].existed = !placeFile(files[i].path, group.staged[i], files[i].replace);
    });
    return group.out;
}

void appendToFileLocked(const QString &path, const QByteArray &bytes, bool onNewLine)
{
    const std::wstring p = systemPathW(path);
    DWORD attributes = 0;
    if (entryAttributes(p, attributes)) {
        const QString refused = refusedTarget(path, attributes);
        if (!refused.isEmpty())
            throw Error(QStringLiteral("Cannot write %1").arg(refused));
    }
    // Readers (and the other appenders, who wait at the lock) are let in;
    // a link is opened as itself, never followed, and refused below.
    Handle f(CreateFileW(p.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!f.valid())
        failWrite(path, GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(f.h) != FILE_TYPE_DISK || !GetFileInformationByHandle(f.h, &info)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        throw Error(QStringLiteral("Cannot write \"%1\": it is not a file.").arg(shownPath(path)));
    // Windows' byte-range locks are mandatory: a lock on the text would
    // shut readers out. Every appender locks one agreed byte far beyond any
    // log instead, which serialises the appends and lets readers read.
    OVERLAPPED lockAt{};
    lockAt.OffsetHigh = 0x40000000;
    if (!LockFileEx(f.h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lockAt))
        failWrite(path, GetLastError());
    // Under the lock the length is what every other writer left.
    LARGE_INTEGER size{};
    DWORD err = 0;
    bool ok = GetFileSizeEx(f.h, &size);
    if (!ok)
        err = GetLastError();
    const qint64 before = ok ? qint64(size.QuadPart) : -1;
    QByteArray text = bytes;
    if (ok && onNewLine && before > 0) {
        char last = '\n';
        DWORD got = 0;
        OVERLAPPED at{};
        at.Offset = DWORD(before - 1);
        at.OffsetHigh = DWORD(quint64(before - 1) >> 32);
        if (ReadFile(f.h, &last, 1, &got, &at) && got == 1 && last != '\n')
            text.prepend("\r\n");
    }
    if (ok) {
        LARGE_INTEGER end{};
        end.QuadPart = before;
        ok = SetFilePointerEx(f.h, end, nullptr, FILE_BEGIN) && writeAll(f.h, text.constData(), text.size(), err);
        if (!ok && !err)
            err = GetLastError();
    }
    if (ok && !FlushFileBuffers(f.h))
        err = GetLastError(), ok = false;
    if (!ok && before >= 0) { // no half line stays behind
        LARGE_INTEGER end{};
        end.QuadPart = before;
        if (SetFilePointerEx(f.h, end, nullptr, FILE_BEGIN))
            SetEndOfFile(f.h);
    }
    UnlockFileEx(f.h, 0, 1, 0, &lockAt);
    HANDLE h = f.release();
    if (!CloseHandle(h) && ok)
        err = GetLastError(), ok = false;
    if (!ok)
        failWrite(path, err);
}

bool platform::readFileUpTo(const QString &path, qint64 maxBytes, bool followLinks, QByteArray &bytes, QString *error)
{
    Handle f(openRegularForReading(path, error, followLinks));
    if (!f.valid())
        return false;
    DWORD err = 0;
    if (!readUpTo(f.h, maxBytes, bytes, err)) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2.").arg(shownPath(path), reasonOf(err));
        return false;
    }
    return true;
}

QString refusedWriteTarget(const QString &path)
{
    DWORD attributes = 0;
    if (!entryAttributes(systemPathW(path), attributes))
        return {};
    return refusedTarget(path, attributes);
}

bool isRegularFileNoLink(const QString &path)
{
    DWORD attributes = 0;
    return entryAttributes(systemPathW(path), attributes)
           && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
}

QStringList unreadableNames(const QString &)
{
    // Windows names files in UTF-16, which a listing gives as it is: every
    // name can be shown and given back.
    return {};
}

bool readFileTail(const QString &path, qint64 maxBytes, QByteArray &bytes, qint64 &skipped, QString *error)
{
    bytes.clear();
    skipped = 0;
    DWORD attributes = 0;
    if (!entryAttributes(systemPathW(path), attributes)
        && (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND))
        return true;
    Handle f(openRegularForReading(path, error));
    if (!f.valid())
        return false;
    LARGE_INTEGER size{};
    DWORD err = 0;
    bool ok = GetFileSizeEx(f.h, &size);
    const qint64 start = ok && size.QuadPart > maxBytes ? qint64(size.QuadPart) - maxBytes : 0;
    if (ok) {
        LARGE_INTEGER at{};
        at.QuadPart = start;
        ok = SetFilePointerEx(f.h, at, nullptr, FILE_BEGIN);
    }
    if (!ok)
        err = GetLastError();
    if (!ok || !readUpTo(f.h, maxBytes, bytes, err)) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2.").arg(shownPath(path), reasonOf(err));
        return false;
    }
    skipped = start;
    return true;
}

bool pathSurvivesRoundTrip(const QByteArray &)
{
    // Windows names files in UTF-16 and Qt takes the command line as such:
    // no path comes through a byte encoding that could change it.
    return true;
}

} // namespace vorlix
