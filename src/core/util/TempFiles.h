#pragma once
// The temporary files of the atomic writes (FileUtil): "." + name + "." +
// up to 7 base-36 digits + ".tmp" beside their target. A writer holds a lock
// on its temporary file from the moment it makes it until the file has
// taken its target's place; a temporary file nobody locks is what a run
// killed while writing left behind.
#include <QByteArray>

namespace vorlix {

// Whether `name` is one of those temporary files' names.
bool isTemporaryName(const char *name);

// Makes a new temporary file for `fileName` in `folder` and locks it.
// Returns its descriptor (the lock lasts until it is closed) and its path in
// `temp`; -1 with errno set when it cannot be made.
int createLockedTemporary(const QByteArray &folder, const QByteArray &fileName, QByteArray &temp);

// Removes the temporary files of killed runs from `folder`, once per folder
// and process.
void removeStaleTemporaries(const QByteArray &folder);

} // namespace vorlix
