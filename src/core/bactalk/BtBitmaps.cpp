#include "bactalk/BtBitmaps.h"

#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix::bt {

QString libraryBitmapFolder(const QString &btJobRoot, const QString &rep, const QString &job)
{
    if (rep.isEmpty() || job.isEmpty() || btJobRoot.isEmpty())
        return {};
    if (!isPlainFileName(rep) || !isPlainFileName(job))
        return {};
    return findPathCaseInsensitive(btJobRoot, rep + u'/' + job + u"/bitmaps"_qs);
}

bool libraryHasAll(const QString &folder, const QStringList &names)
{
    if (folder.isEmpty() || names.isEmpty())
        return false;
    for (const QString &name : names) {
        if (!isPlainFileName(name))
            return false;
        if (!QFileInfo(findCaseInsensitive(folder, name)).isFile())
            return false;
    }
    return true;
}

QString fileNamePart(const QString &path)
{
    qsizetype cut = -1;
    for (const QChar sep : {u'\\', u'/', u':'})
        cut = std::max(cut, path.lastIndexOf(sep));
    return path.mid(cut + 1);
}

BitmapCopy copyBitmap(const QString &source, const QString &name, const QString &bitmapsFolder)
{
    if (name.isEmpty())
        return BitmapCopy::Blank;
    if (!isPlainFileName(name))
        return BitmapCopy::Unsafe;
    if (QFileInfo(source).isSymLink())
        return BitmapCopy::Link;
    if (!QFileInfo(source).isFile())
        return BitmapCopy::Missing;
    if (const QString there = existingCaseInsensitive(bitmapsFolder, name); !there.isEmpty())
        return isRegularFileNoLink(there) ? BitmapCopy::AlreadyThere : BitmapCopy::Failed;
    // Only the "bitmaps" folder itself is made: a BACtalk job folder that has
    // gone is never created again here.
    if (!QFileInfo(bitmapsFolder).isDir()) {
        const QFileInfo folder(bitmapsFolder);
        if (!folder.dir().exists() || !folder.dir().mkdir(folder.fileName()))
            return BitmapCopy::Failed;
    }
    // Read as any input file (a regular file, within the cap), written
    // whole or not at all, never through a link.
    QByteArray bytes;
    if (!readWholeFileNoLink(source, bytes, nullptr))
        return BitmapCopy::Failed;
    try {
        writeFileAtomically(QDir(bitmapsFolder).filePath(name), bytes);
    } catch (const Error &) {
        return BitmapCopy::Failed;
    }
    return BitmapCopy::Copied;
}

QString bitmapCopyProblem(BitmapCopy result, const QString &name)
{
    switch (result) {
    case BitmapCopy::Copied:
    case BitmapCopy::AlreadyThere: return {};
    case BitmapCopy::Missing: return u"Missing source bitmap: "_qs + name;
    case BitmapCopy::Blank: return u"Source bitmap name is blank."_qs;
    case BitmapCopy::Unsafe: return u"Bitmap name is not a plain file name, not copied: "_qs + name;
    case BitmapCopy::Failed: return u"Cannot copy bitmap: "_qs + name;
    case BitmapCopy::Link: return u"Bitmap is a link, not copied: "_qs + name;
    }
    return {};
}

} // namespace vorlix::bt
