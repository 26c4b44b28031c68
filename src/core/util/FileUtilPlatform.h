#pragma once
// What each platform's part of util/FileUtil (FileUtilPosix.cpp,
// FileUtilWindows.cpp) gives the common part; not for other callers.
#include <QByteArray>
#include <QString>

namespace vorlix::platform {

// Reads at most `maxBytes` bytes of the regular file `path` (links followed
// only with `followLinks`). False, with `error` naming the file and why,
// when it cannot be opened or read.
bool readFileUpTo(const QString &path, qint64 maxBytes, bool followLinks, QByteArray &bytes, QString *error);

} // namespace vorlix::platform
