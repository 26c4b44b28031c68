#include "project/MasterList.h"

#include "project/ProjectDatabase.h"
#include "util/Error.h"
#include "util/NullChecks.h"

#include <QDir>

namespace vorlix {

QString MasterList::entryText(const QString &name, bool localJob)
{
    return localJob ? u'>' + name : name;
}

void MasterList::clear()
{
    m_entries.clear();
    m_index.clear();
}

int MasterList::append(const QString &text, uint32_t flags)
{
    const QString lower = text.toLower();
    const int index = size();
    m_entries.push_back({lower, flags});
    if (!m_index.contains(lower)) // the first entry of a text is the one found
        m_index.insert(lower, index);
    return index;
}

int MasterList::indexOf(const QString &text) const
{
    return m_index.value(text.toLower(), -1);
}

QString MasterList::text(int index) const { return contains(index) ? m_entries[size_t(index)].text : QString(); }

QString MasterList::entryName(int index) const
{
    const QString t = text(index);
    return t.startsWith(u'>') ? t.mid(1) : t;
}

void MasterList::setFlag(int index, uint32_t flag)
{
    if (contains(index))
        m_entries[size_t(index)].flags |= flag;
}

void MasterList::clearRedirect(int index)
{
    if (contains(index))
        m_entries[size_t(index)].flags = (m_entries[size_t(index)].flags & 0xFFFFu) & flClearMask;
}

void MasterList::save(ProjectDatabase &pdb) const
{
    if (!pdb.isOpen())
        return;
    if (m_storedIn == pdb.path() && m_stored == m_entries)
        return;
    ProjectDatabase::Transaction tx(pdb);
    const int refusedBefore = pdb.refusedPosts();
    QSqlQuery &clear = pdb.prepared(u"DELETE FROM FileList"_qs);
    if (!pdb.post(clear, u"FileList"_qs, u"all rows"_qs))
        throw Error(QStringLiteral("The display file list cannot be saved: \"%1\" refused to empty FileList.")
                        .arg(QDir::toNativeSeparators(pdb.path())));
    QSqlQuery &insert = pdb.prepared(u"INSERT INTO FileList (LocalJob, Filename, Flags) VALUES (?, ?, ?)"_qs);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const bool local = (m_entries[i].flags & flLocalJob) != 0;
        const QString name = entryName(int(i));
        insert.bindValue(0, local ? 1 : 0);
        insert.bindValue(1, name);
        insert.bindValue(2, qint64(m_entries[i].flags));
        pdb.post(insert, u"FileList"_qs, [&] { return QStringLiteral("%1, %2").arg(local ? 1 : 0).arg(name); });
    }
    tx.commit();
    // With a refused row, FileList is not this list: the next save tries again.
    if (pdb.refusedPosts() != refusedBefore) {
        m_stored.clear();
        m_storedIn.clear();
        return;
    }
    // Inside a command's transaction the list counts as saved only once that
    // commits: rolled back, FileList holds what it held, and the next save
    // (closing the project) writes the list again.
    pdb.whenCommitted([this, saved = m_entries, path = pdb.path()] {
        m_stored = saved;
        m_storedIn = path;
    });
}

bool MasterList::load(ProjectDatabase &pdb)
{
    clear();
    if (!pdb.isOpen())
        return false;
    QSqlQuery &q = pdb.prepared(u"SELECT LocalJob, Filename, Flags FROM FileList ORDER BY rowid"_qs);
    ProjectDatabase::run(q);
    while (q.next()) {
        const QString name = nullToStr(q.value(1));
        if (name.isEmpty())
            continue; // a row no entry can come from
        append(entryText(name, nullToBool(q.value(0))), uint32_t(nullToLong(q.value(2))));
    }
    q.finish();
    m_stored = m_entries;
    m_storedIn = pdb.path();
    return !isEmpty();
}

} // namespace vorlix
