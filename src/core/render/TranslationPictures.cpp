#include "render/TranslationPictures.h"

#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "translate/Translation.h"
#include "util/FileUtil.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <unordered_map>

namespace vorlix::render {

namespace {
// A display file is never larger than the program's display buffer; a
// BACtalk file holds at most 256 records of a few hundred bytes.
constexpr qint64 MaxDisplayFileBytes = qint64(1) << 20;
} // namespace

BitmapFinder ibexBitmapFinder(const Workbench &wb, const QString &displayPath, bool localJob)
{
    QStringList folders{QFileInfo(displayPath).absolutePath()};
    const QString job = existingCaseInsensitive(wb.projectFolder, u"ldisplay"_qs);
    const QString local = existingCaseInsensitive(wb.localJobFolder, u"ldisplay"_qs);
    folders << (localJob ? local : job) << (localJob ? job : local);
    folders.removeAll(QString());
    folders.removeDuplicates();
    return BitmapFinder(folders);
}

Picture drawTranslation(const Workbench &wb, const Translation &t, double scale)
{
    std::unordered_map<int, QString> points;
    for (const TranslationRow &row : t.rows())
        if (!row.isHeader() && !row.ibexPoint.isEmpty())
            points.emplace(row.position, row.ibexPoint);
    const auto label = [&points](int position) {
        const auto it = points.find(position);
        return it == points.end() ? QString() : it->second;
    };
    return drawIbexDisplay(t.file(), ibexBitmapFinder(wb, t.path(), t.localJob()), label, MaxPictureSide, scale);
}

QString writtenDisplayPath(const Workbench &wb, const Translation &t)
{
    const QString jobPath = wb.bactalkJobPath();
    if (jobPath.isEmpty() || !QFileInfo(jobPath).isDir())
        return {};
    const QString target = btFileName(t.displayName(), t.localJob(), wb.vars);
    if (target == u"<err>" || !isPlainFileName(target))
        return {};
    return QDir(findCaseInsensitive(jobPath, u"displays"_qs)).filePath(target);
}

bool drawDisplayFile(const QString &path, Picture &picture, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error, MaxDisplayFileBytes))
        return false;
    picture = drawDisplayBytes(bytes, path);
    return true;
}

Picture drawDisplayBytes(const QByteArray &bytes, const QString &path, double scale)
{
    return drawBtDisplay(bytes, btBitmapFoldersOf(path), MaxPictureSide, scale);
}

QByteArray pngBytes(const QImage &image, bool fast)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The PNG writer maps quality 80 to the fastest compression that still
    // compresses; -1 is its default, the thorough one.
    image.save(&buffer, "PNG", fast ? 80 : -1);
    return bytes;
}

} // namespace vorlix::render
