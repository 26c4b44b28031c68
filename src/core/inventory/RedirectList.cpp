#include "inventory/RedirectList.h"

#include "project/Workbench.h"
#include "translate/DisplayNaming.h"

#include <QFileInfo>

namespace vorlix {

int RedirectList::find(const QString &ibexName) const
{
    for (int row = 0; row < size(); ++row)
        if (m_entries[size_t(row)].ibexName == ibexName)
            return row;
    return -1;
}

bool RedirectList::hasRoomFor(const QString &ibexName) const
{
    return size() < MaxEntries || find(ibexName) >= 0;
}

void RedirectList::rebuild(Workbench &wb)
{
    m_entries.clear();
    const MasterList &list = wb.masterList;
    for (int i = 0; i < list.size() && size() < MaxEntries; ++i)
        if (list.isLocalJob(i) == m_localJob && wb.map.findRedirect(list.entryName(i), m_localJob))
            m_entries.push_back(redirectEntryOf(wb, i));
}

bool RedirectList::put(const RedirectEntry &entry)
{
    const int row = find(entry.ibexName);
    if (row >= 0)
        m_entries[size_t(row)] = entry;
    else if (size() < MaxEntries)
        m_entries.push_back(entry);
    else
        return false;
    return true;
}

RedirectEntry redirectEntryOf(Workbench &wb, int index)
{
    const MasterList &list = wb.masterList;
    RedirectEntry e;
    e.index = index;
    e.ibexName = list.entryName(index);
    e.localJob = list.isLocalJob(index);
    e.target = wb.map.findRedirect(e.ibexName, e.localJob).value_or(QString());
    // A skipped display has no target file.
    if (!e.isSkip() && QFileInfo(redirectPath(wb.vars.bactalkJobPath, e.target)).isFile())
        e.fileExists = true;
    return e;
}

} // namespace vorlix
