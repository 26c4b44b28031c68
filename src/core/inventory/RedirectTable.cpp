#include "inventory/RedirectTable.h"

namespace vorlix {

QList<ProjectDatabase::Field> RedirectTable::key(const QString &ibexName, bool localJob)
{
    return {{u"IbexFilename"_qs, ibexName, true}, {u"LocalJob"_qs, localJob ? 1 : 0}};
}

ProjectDatabase::LogKey RedirectTable::logKey(const QString &ibexName, bool localJob)
{
    return [ibexName, localJob] { return QStringLiteral("%1, %2").arg(localJob ? 1 : 0).arg(ibexName); };
}

bool RedirectTable::setRedirect(const QString &ibexName, const QString &btName, bool localJob)
{
    if (!m_pdb.isOpen())
        return false;
    return m_pdb.upsert(u"DisplayMap"_qs, key(ibexName, localJob), {{u"EFBFilename"_qs, btName}},
                        logKey(ibexName, localJob));
}

ProjectDatabase::Removal RedirectTable::deleteRedirect(const QString &ibexName, bool localJob)
{
    if (!m_pdb.isOpen())
        return ProjectDatabase::Removal::Missing;
    return m_pdb.removeFirst(u"DisplayMap"_qs, key(ibexName, localJob), logKey(ibexName, localJob));
}

void RedirectTable::reportRedirectNotFound(Prompter &prompter)
{
    prompter.inform(u"Error in locating the redirect entry. You may need to manually delete it from the "
                    "\"displaymap\" database table!"_qs);
}

} // namespace vorlix
