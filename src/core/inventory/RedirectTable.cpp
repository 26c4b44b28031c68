#include "inventory/RedirectTable.h"

#include "util/NullChecks.h"

namespace vorlix {

namespace {
constexpr const char *kFind = "SELECT rowid, EFBFilename FROM DisplayMap "
                              "WHERE IbexFilename = ? COLLATE NOCASE AND LocalJob = ? ORDER BY rowid LIMIT 1";
}

qlonglong RedirectTable::findRow(const QString &name, bool localJob, QString *target)
{
    QSqlQuery &q = m_q.get("find", kFind);
    q.bindValue(0, name);
    q.bindValue(1, localJob ? 1 : 0);
    QueryCache::exec(q);
    qlonglong rowid = -1;
    if (q.next()) {
        rowid = q.value(0).toLongLong();
        if (target)
            *target = nullToStr(q.value(1));
    }
    q.finish();
    return rowid;
}

bool RedirectTable::findRedirect(QString &name, bool localJob)
{
    return m_q.database().isOpen() && findRow(name, localJob, &name) >= 0;
}

bool RedirectTable::setRedirect(const QString &ibexName, const QString &btName, bool localJob)
{
    if (!m_q.database().isOpen())
        return false;
    const qlonglong rowid = findRow(ibexName, localJob, nullptr);
    const QString key = QStringLiteral("%1, %2").arg(localJob ? 1 : 0).arg(ibexName);
    if (rowid >= 0) {
        QSqlQuery &upd = m_q.get("update", "UPDATE DisplayMap SET EFBFilename = ? WHERE rowid = ?");
        upd.bindValue(0, btName);
        upd.bindValue(1, rowid);
        return m_q.database().post(upd, u"DisplayMap"_qs, key);
    }
    QSqlQuery &ins =
        m_q.get("insert", "INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (?, ?, ?)");
    ins.bindValue(0, localJob ? 1 : 0);
    ins.bindValue(1, ibexName);
    ins.bindValue(2, btName);
    return m_q.database().post(ins, u"DisplayMap"_qs, key);
}

bool RedirectTable::deleteRedirect(const QString &ibexName, bool localJob)
{
    if (!m_q.database().isOpen())
        return false;
    const qlonglong rowid = findRow(ibexName, localJob, nullptr);
    if (rowid < 0)
        return false;
    QSqlQuery &del = m_q.get("delete", "DELETE FROM DisplayMap WHERE rowid = ?");
    del.bindValue(0, rowid);
    return m_q.database().post(del, u"DisplayMap"_qs,
                               QStringLiteral("%1, %2").arg(localJob ? 1 : 0).arg(ibexName));
}

void RedirectTable::forEachRedirect(
    const std::function<void(bool localJob, const QString &ibexName, const QString &target)> &visit)
{
    if (!m_q.database().isOpen())
        return;
    QSqlQuery &q = m_q.get("all", "SELECT LocalJob, IbexFilename, EFBFilename FROM DisplayMap ORDER BY rowid");
    QueryCache::exec(q);
    while (q.next()) {
        if (q.value(0).isNull() || q.value(1).isNull())
            continue;
        const int flag = nullToInt(q.value(0));
        if (flag == 0 || flag == 1)
            visit(flag == 1, q.value(1).toString(), nullToStr(q.value(2)));
    }
    q.finish();
}

void RedirectTable::reportRedirectNotFound(Prompter &prompter)
{
    prompter.inform(u"Error in locating the redirect entry. You may need to manually delete it from the "
                    "\"displaymap\" database table!"_qs);
}

} // namespace vorlix
