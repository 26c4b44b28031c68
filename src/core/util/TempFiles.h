#pragma once
// The temporary files of the atomic writes (FileUtil): "." + name + "." +
// up to 7 base-36 digits + ".tmp" beside their target. A writer holds its
// temporary file (a lock on POSIX systems, an open without sharing on
// Windows) from the moment it makes it until the file has taken its
// target's place; a temporary file nobody holds is what a run killed while
// writing left behind.
#include <QString>

namespace vorlix {

// Whether `name` is one of those temporary files' names.
bool isTemporaryName(const char *name);

// Removes the temporary files of killed runs from `folder`, once per folder
// and process; the ones a writer holds stay.
void removeStaleTemporaries(const QString &folder);

// True the first time it is asked for `folder` in this process (the
// clean-up's bookkeeping, shared by the platforms).
bool firstCleanUpOf(const QString &folder);

} // namespace vorlix
