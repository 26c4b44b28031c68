#pragma once
// How a POSIX writer makes and holds its temporary file (TempFiles.h).
#include <QByteArray>

namespace vorlix {

// Makes a new temporary file for `fileName` in `folder` and locks it.
// Returns its descriptor (the lock lasts until it is closed) and its path in
// `temp`; -1 with errno set when it cannot be made.
int createLockedTemporary(const QByteArray &folder, const QByteArray &fileName, QByteArray &temp);

} // namespace vorlix
