#include "util/Version.h"

#include <QStringList>

namespace vorlix {

VersionParts splitVersion(const QString &version)
{
    const QStringList parts = version.split(u'.');
    VersionParts v;
    v.version = parts.mid(0, 3).join(u'.');
    v.build = parts.size() > 3 ? parts[3] : u"0"_qs;
    return v;
}

} // namespace vorlix
