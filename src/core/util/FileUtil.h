#pragma once
// File helpers: the one place where files are read and written.
//
// Reads take regular files only (a folder, FIFO, device or dangling link is
// "not a file", never waited on) and never more than a size cap. Writes are
// atomic (a temporary file beside the target, renamed over it), never go
// through a symbolic link or into anything but a regular file, and check
// every write, flush and commit: a failure leaves the old file as it was and
// throws an Error naming the file. Appends (the session log) take an
// advisory lock and never shorten the file.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix {

// What is read at most from a file whose caller gives no cap of its own.
inline constexpr qint64 kDefaultReadCap = qint64(64) * 1024 * 1024;

// Writes the whole file or nothing: a failure leaves an existing file as it
// was. Refuses a target that is a symbolic link or not a regular file.
// Throws Error naming the file ("the disk is full" when it is). The first
// write into a folder also removes the temporary files (".NAME.*.tmp") that
// a run killed while writing there left behind.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// A file for writeFilesAtomically. Without `replace`, a file already at
// the path stays as it is, even one that appears while the group is written.
struct PendingFile {
    QString path;
    QByteArray bytes;
    bool replace = true;
};
struct WrittenFile {
    QString error;        // empty when the file landed or was left alone
    bool existed = false; // not written: a file was there and `replace` was off
};
// Writes each file whole or not at all, as writeFileAtomically does, but
// makes the whole group durable with one flush of each file system it
// touches instead of one per file; then the files take their targets'
// places in the order given (a path given twice ends with its last bytes).
// Answers for each file. A file that fails leaves its old file as it was,
// and the others land; with `stopAtFailure`, only the files before the
// first that fails land, and those after it are not written either.
std::vector<WrittenFile> writeFilesAtomically(const std::vector<PendingFile> &files, bool stopAtFailure = false);
// What the files not written after a failure are told.
QString notWrittenAfterFailure(const QString &path);

// Appends `bytes` to the regular file `path` (made when missing) under an
// exclusive advisory lock, so two processes appending at once keep both
// texts whole. A failure cuts the file back to its length before the append
// (never shorter) and throws Error naming the file. Refuses links and
// anything but a regular file. With `onNewLine`, a file whose last byte is
// not a line feed first gets CR LF, so the text starts a line of its own.
void appendToFileLocked(const QString &path, const QByteArray &bytes, bool onNewLine = false);

// Writes text lines with CR LF endings in Windows-1252.
QByteArray ansiLines(const QStringList &lines);

// The entry `name` inside `folder`, matched without regard to letter case
// (Ibex jobs come from Windows). The exact name wins when it exists. Returns
// the path of the entry found, or folder/name when there is none.
QString findCaseInsensitive(const QString &folder, const QString &name);
// The same, but an empty text when there is no such entry.
QString existingCaseInsensitive(const QString &folder, const QString &name);

// Same, for a relative path of several parts ("ldisplay/disp0001.ibw").
QString findPathCaseInsensitive(const QString &folder, const QString &relativePath);

// Reads a whole file: with `maxBytes` >= 0 its first `maxBytes` bytes (the
// rest is not read), otherwise all of it when it is not larger than
// kDefaultReadCap. Returns false and sets `error` to a message naming the
// file when it cannot be read, is not a regular file or is too large.
bool readWholeFile(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes = -1);

// The same for a file that is copied byte for byte into a deliverable: a
// symbolic link is refused ("is a symbolic link, not a file") however it
// is swapped in, never followed.
bool readWholeFileNoLink(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes = -1);

// Reads the last `maxBytes` bytes of a regular file (all of it when it is
// smaller); `skipped` tells how many bytes before them were left out. A
// missing file reads as empty. Returns false and sets `error` as above.
bool readFileTail(const QString &path, qint64 maxBytes, QByteArray &bytes, qint64 &skipped, QString *error);

// Null when `path` names a regular file (links followed), otherwise the
// reason in words: "does not exist", "is a folder, not a file", "is not a
// file" (FIFO, device, socket, dangling link).
QString notARegularFile(const QString &path);

// Whether `path` itself is a regular file: a link (even to a file), a
// folder, a FIFO or nothing at all is not.
bool isRegularFileNoLink(const QString &path);

// Null when a write may go to `path` (nothing is there, or a regular file);
// otherwise why not, naming the path and what is there: "is a symbolic
// link; files are never written through links.", "is a folder, not a
// file.", "is not a file." (a FIFO, a device, a socket).
QString refusedWriteTarget(const QString &path);

// The entries of `folder` whose names are not valid text in this system's
// encoding: a folder listing leaves them out, and no path can name them.
// Each as far as it can be shown, the bytes that are not text as "?".
QStringList unreadableNames(const QString &folder);

// Whether the program may keep its own files (settings, default project) in
// `folder`: a folder this user can make files in. On Windows a folder under
// Program Files never counts, as there an installed program keeps its files
// in the per-user folder even when it runs with the rights to write there.
bool isWritableFolder(const QString &folder);

// The form of `path` that the system's own calls take: on Windows the
// absolute path with backslashes and the "\\?\" prefix (for a share
// "\\?\UNC\server\share\job"), which lifts the 260-character limit;
// elsewhere the path as it is.
QString systemPath(const QString &path);

// The path of a file as this system's database drivers (ODBC) open it: the
// native path; under Wine, whose ODBC is the host's driver manager with the
// host's drivers, the host's path.
QString driverFilePath(const QString &path);

// A name read from an input file is safe to join to a folder, on every
// platform: not empty, no separators, no drive colon, no "..", no character
// Windows cannot hold in a name (<>"|?* and control characters), not ending
// in a dot or a blank, and not a reserved Windows device name.
bool isPlainFileName(const QString &name);

// Whether `name` is one of the device names Windows reserves in every folder
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CONIN$, CONOUT$), in any
// letter case, also with an extension ("nul.txt").
bool isReservedWindowsName(const QString &name);

// Whether the bytes of a path given by the system (a command-line argument,
// a folder listing) come back the same after decoding to text and encoding
// again; a path that does not would name a different file.
bool pathSurvivesRoundTrip(const QByteArray &localPath);

} // namespace vorlix
