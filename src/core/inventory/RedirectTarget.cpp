#include "inventory/RedirectTarget.h"

#include "translate/DisplayNaming.h"
#include "util/TextUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

QString RedirectTarget::value() const { return (rep + u'-' + job + u'-' + file).toLower(); }

RedirectTarget RedirectTarget::fromValue(const QString &value)
{
    RedirectTarget t;
    if (!value.contains(u'-'))
        return t;
    QString rest = value;
    t.rep = nextToken(rest, u'-');
    t.job = nextToken(rest, u'-');
    t.file = rest;
    return t;
}

RedirectTarget RedirectTarget::fromPath(const QString &path)
{
    const QStringList parts = QDir::fromNativeSeparators(path).split(u'/', Qt::SkipEmptyParts);
    RedirectTarget t;
    const qsizetype n = parts.size();
    t.file = n >= 1 ? parts[n - 1] : QString();
    t.job = n >= 3 ? parts[n - 3] : QString();
    t.rep = n >= 4 ? parts[n - 4] : QString();
    return t;
}

QString RedirectTarget::filePath(const QString &bactalkJobPath) const
{
    const QChar sep = QDir::separator();
    return btJobRoot(bactalkJobPath) + sep + rep + sep + job + sep + u"displays"_qs + sep + file;
}

QString RedirectTarget::browseStart(const QString &bactalkJobPath) const
{
    const QString target = filePath(bactalkJobPath);
    return QFileInfo(target).isFile() ? target : bactalkJobPath;
}

} // namespace vorlix
