// The Windows side of TempFiles.h: a writer holds its temporary file open
// without sharing until the file has taken its target's place (it is renamed
// through that handle), so a deletion succeeds only on what a killed run
// left behind.
#include "util/TempFiles.h"

#include "util/FileUtil.h"
#include "util/WindowsApi.h"

#include <string>

namespace vorlix {

void removeStaleTemporaries(const QString &folder)
{
    if (!firstCleanUpOf(folder))
        return;
    const std::wstring base = systemPath(folder).toStdWString() + L'\\';
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileExW((base + L".*.tmp").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        // Folders and links of such names are nobody's temporary files.
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        if (!isTemporaryName(QString::fromWCharArray(found.cFileName).toUtf8().constData()))
            continue;
        // A writer at work holds its file without sharing: this fails then.
        DeleteFileW((base + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

} // namespace vorlix
