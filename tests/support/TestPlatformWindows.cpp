#include "support/TestPlatform.h"
#include "util/WindowsApi.h"

#include <QDir>
#include <QFileInfo>

#ifndef SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
#define SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE 0x2
#endif

namespace vorlix::test {

bool makeSymLink(const QString &target, const QString &link)
{
    const std::wstring from = QDir::toNativeSeparators(QFileInfo(link).absoluteFilePath()).toStdWString();
    const std::wstring to = QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath()).toStdWString();
    const DWORD folder = QFileInfo(target).isDir() ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    if (!CreateSymbolicLinkW(from.c_str(), to.c_str(), folder | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)
        && !CreateSymbolicLinkW(from.c_str(), to.c_str(), folder))
        return false;
    // What was made must be a reparse point, or the case tests nothing.
    const DWORD attributes = GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveDirectoryW(from.c_str());
        else
            DeleteFileW(from.c_str());
        return false;
    }
    return true;
}

bool makeFifo(const QString &) { return false; }

bool makeFileNamedWithBytes(const QString &, const QByteArray &) { return false; }

QString devicePath() { return u"\\\\.\\NUL"_qs; }

int permissionBits(const QString &) { return -1; }

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

UnreadableFile::UnreadableFile(const QString &path)
{
    // Kept open without sharing: every other open fails (a sharing
    // violation), as with a file another program has open for itself.
    const std::wstring p = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    HANDLE h = CreateFileW(p.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    const char bytes[64] = {};
    DWORD written = 0;
    if (!WriteFile(h, bytes, sizeof bytes, &written, nullptr)) {
        CloseHandle(h);
        return;
    }
    m_handle = h;
    m_made = true;
}

UnreadableFile::~UnreadableFile()
{
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
}

HeldOpenFile::HeldOpenFile(const QString &path)
{
    const std::wstring p = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE)
        m_handle = h;
}

HeldOpenFile::~HeldOpenFile()
{
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
}

} // namespace vorlix::test
