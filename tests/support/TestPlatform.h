#pragma once
// What a test needs to make the odd things of a file system (links, FIFOs,
// devices) on the platform it runs on. TestPlatformPosix.cpp and
// TestPlatformWindows.cpp hold the two sides; a case that the platform
// cannot make is skipped with the reason, never passed.
#include <QByteArray>
#include <QString>

namespace vorlix::test {

// Makes `link` a symbolic link to `target` (on Windows a symbolic-link
// reparse point). False when this system cannot make one (Wine; Windows
// without the right to make links).
bool makeSymLink(const QString &target, const QString &link);

// Makes a FIFO at `path`. False where folders hold none (Windows).
bool makeFifo(const QString &path);

// Makes an empty file in `folder` named with `name`'s bytes as they are
// (not text in the system's encoding). False where names are text
// (Windows).
bool makeFileNamedWithBytes(const QString &folder, const QByteArray &name);

// A path that names a device, not a file ("/dev/zero", "\\.\NUL").
QString devicePath();

// The permission bits of a file (07777), or -1 where files have none.
int permissionBits(const QString &path);

// Whether the tests run under Wine rather than on Windows itself.
bool underWine();

// A file at `path` that cannot be read while this object lives: on Linux a
// link to /proc/self/mem (it opens, and reading fails), on Windows a file
// this object holds open without sharing (opening it fails: a sharing
// violation).
class UnreadableFile {
public:
    explicit UnreadableFile(const QString &path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile &) = delete;
    UnreadableFile &operator=(const UnreadableFile &) = delete;
    bool made() const { return m_made; }

private:
    bool m_made = false;
    void *m_handle = nullptr;
};

// Holds the file at `path` open as another Windows program that has it open
// does (others may read it, not replace or remove it) while this object
// lives. held() is false where an open file never stops a replace (POSIX).
class HeldOpenFile {
public:
    explicit HeldOpenFile(const QString &path);
    ~HeldOpenFile();
    HeldOpenFile(const HeldOpenFile &) = delete;
    HeldOpenFile &operator=(const HeldOpenFile &) = delete;
    bool held() const { return m_handle != nullptr; }

private:
    void *m_handle = nullptr;
};

} // namespace vorlix::test
