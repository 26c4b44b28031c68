#include "project/DialogFolders.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

namespace {

bool isFolder(const QString &path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

} // namespace

QString DialogFolders::key(Kind kind, const QString &projectFolder)
{
    return QString::number(int(kind)) + u'|' + QDir::cleanPath(projectFolder);
}

QString DialogFolders::folder(Kind kind, const QString &bactalkJob, const QString &projectFolder) const
{
    const QString last = m_last.value(key(kind, projectFolder));
    if (isFolder(last))
        return last;
    const QString bactalk = bactalkJob.isEmpty() ? QString() : QDir::fromNativeSeparators(bactalkJob);
    if (kind == Kind::Script || kind == Kind::DdcProgram) {
        const QString ddc = bactalk.isEmpty() ? QString() : QDir(bactalk).filePath(u"ddc"_qs);
        if (isFolder(ddc))
            return QDir::cleanPath(ddc);
    }
    if (isFolder(bactalk))
        return QDir::cleanPath(bactalk);
    return QDir::cleanPath(QDir::fromNativeSeparators(projectFolder));
}

QString DialogFolders::start(Kind kind, const QString &bactalkJob, const QString &projectFolder,
                             const QString &name) const
{
    const QString in = folder(kind, bactalkJob, projectFolder);
    return QDir::toNativeSeparators(name.isEmpty() ? in : QDir(in).filePath(name));
}

void DialogFolders::remember(Kind kind, const QString &projectFolder, const QString &file)
{
    const QString chosen = QFileInfo(QDir::fromNativeSeparators(file)).absolutePath();
    if (isFolder(chosen))
        m_last.insert(key(kind, projectFolder), chosen);
}

} // namespace vorlix
