#pragma once
// Bitmaps of BACtalk displays: finding them in a bitmap library of the
// BACtalk root and copying them from the Ibex job into the BACtalk job's
// "bitmaps" folder. A name read from an Ibex file is joined to a folder only
// when it is a plain file name.
#include <QString>
#include <QStringList>

namespace vorlix::bt {

// <root>/<rep>/<job>/bitmaps; empty when rep or job is not set.
QString libraryBitmapFolder(const QString &btJobRoot, const QString &rep, const QString &job);

// Every name exists in `folder` (letter case ignored; Ibex names come from
// Windows). False for an empty list, an unset folder or an unsafe name.
bool libraryHasAll(const QString &folder, const QStringList &names);

// The file-name part of a path written with "\", "/" or a drive ":".
QString fileNamePart(const QString &path);

enum class BitmapCopy { Copied, AlreadyThere, Missing, Blank, Unsafe, Failed, Link };

// Copies `source` to <bitmapsFolder>/<name> unless a file of that name is
// there already (letter case ignored); never replaces one. The folder is
// created when missing. A source that is a link is never copied (Link); a
// link, folder or FIFO of that name in the bitmaps folder is a failure.
BitmapCopy copyBitmap(const QString &source, const QString &name, const QString &bitmapsFolder);

// The problem of a copy as the log states it under the object's heading
// ("Missing source bitmap: ", "Source bitmap name is blank.", ...); empty for
// a copy that was made or not needed.
QString bitmapCopyProblem(BitmapCopy result, const QString &name);

} // namespace vorlix::bt
