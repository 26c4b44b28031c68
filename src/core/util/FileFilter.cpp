#include "util/FileFilter.h"

#include <QStringList>

namespace vorlix {

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            patterns << pattern;
            if (pattern.toLower() != pattern && pattern != u"*.*"_qs)
                patterns << pattern.toLower();
        }
        // A name that already shows its patterns ("Any file (*.*)") shows them once.
        QString name = parts[i].trimmed();
        const qsizetype open = name.lastIndexOf(u'(');
        if (name.endsWith(u')') && open > 0)
            name = name.left(open).trimmed();
        out << name + u" ("_qs + patterns.join(u' ') + u')';
    }
    return out.join(u";;"_qs);
}

QString defaultSuffix(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    if (parts.size() < 2)
        return {};
    const QString first = parts[1].split(u';', Qt::SkipEmptyParts).value(0).trimmed();
    if (!first.startsWith(u"*."_qs))
        return {};
    const QString suffix = first.mid(2);
    if (suffix.isEmpty() || suffix.contains(u'*') || suffix.contains(u'?') || suffix.contains(u'.'))
        return {};
    return suffix.toLower();
}

} // namespace vorlix
