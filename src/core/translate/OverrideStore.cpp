#include "translate/OverrideStore.h"

#include "util/NullChecks.h"

namespace vorlix {

std::optional<qlonglong> OverrideStore::findDisplayRow(int object, bool isPoint, QString *override)
{
    QSqlQuery &q = m_q.get("find", "SELECT rowid, Override FROM Overrides WHERE Display = ? COLLATE NOCASE "
                                   "AND LocalJob = ? AND Object = ? AND IsPoint = ? ORDER BY rowid LIMIT 1");
    q.bindValue(0, m_display);
    q.bindValue(1, m_localJob ? 1 : 0);
    q.bindValue(2, object);
    q.bindValue(3, isPoint ? 1 : 0);
    QueryCache::exec(q);
    std::optional<qlonglong> rowid;
    if (q.next()) {
        rowid = q.value(0).toLongLong();
        if (override)
            *override = nullToStr(q.value(1));
    }
    q.finish();
    return rowid;
}

void OverrideStore::revalidate()
{
    if (m_watch.changed())
        m_globalAnswers.clear();
}

void OverrideStore::beginListing()
{
    revalidate();
    m_rememberGlobal = true;
    m_preloaded = false;
    m_displayRows.clear();
    if (!available())
        return;
    QSqlQuery &q = m_q.get("all", "SELECT Object, IsPoint, Override FROM Overrides WHERE Display = ? COLLATE NOCASE "
                                  "AND LocalJob = ? ORDER BY rowid");
    q.bindValue(0, m_display);
    q.bindValue(1, m_localJob ? 1 : 0);
    QueryCache::exec(q);
    while (q.next()) {
        const int k = rowKey(nullToInt(q.value(0)), nullToBool(q.value(1)));
        if (!m_displayRows.contains(k)) // the first row of a key counts, as a locate finds it
            m_displayRows.insert(k, nullToStr(q.value(2)));
    }
    q.finish();
    m_preloaded = true;
}

std::optional<QString> OverrideStore::displayOvrGet(int object, bool isPoint)
{
    if (!available())
        return std::nullopt;
    if (m_preloaded) {
        const auto it = m_displayRows.constFind(rowKey(object, isPoint));
        return it == m_displayRows.cend() ? std::nullopt : std::optional<QString>(*it);
    }
    QString value;
    if (!findDisplayRow(object, isPoint, &value))
        return std::nullopt;
    return value;
}

bool OverrideStore::displayOvrPut(int object, bool isPoint, const QString &ibexData, const QString &override)
{
    if (!available())
        return false;
    const QString key = QStringLiteral("%1, %2, object %3, %4")
                            .arg(m_display, m_localJob ? u"local job"_qs : u"job"_qs)
                            .arg(object)
                            .arg(isPoint ? u"point"_qs : u"text"_qs);
    bool ok;
    if (const auto rowid = findDisplayRow(object, isPoint, nullptr)) {
        QSqlQuery &u = m_q.get("update", "UPDATE Overrides SET \"Ibex Data\" = ?, Override = ? WHERE rowid = ?");
        u.bindValue(0, ibexData);
        u.bindValue(1, override);
        u.bindValue(2, *rowid);
        ok = m_q.database().post(u, u"Overrides"_qs, key);
    } else {
    QSqlQuery &i = m_q.get("insert", "INSERT INTO Overrides (Display, LocalJob, Object, IsPoint, \"Ibex Data\", "
                                     "Override) VALUES (?, ?, ?, ?, ?, ?)");
    i.bindValue(0, m_display);
    i.bindValue(1, m_localJob ? 1 : 0);
    i.bindValue(2, object);
    i.bindValue(3, isPoint ? 1 : 0);
    i.bindValue(4, ibexData);
    i.bindValue(5, override);
    ok = m_q.database().post(i, u"Overrides"_qs, key);
    }
    if (ok && m_preloaded)
        m_displayRows.insert(rowKey(object, isPoint), override);
    return ok;
}

bool OverrideStore::displayOvrDelete(int object, bool isPoint)
{
    if (!available())
        return false;
    const auto rowid = findDisplayRow(object, isPoint, nullptr);
    if (!rowid)
        return false;
    QSqlQuery &d = m_q.get("delete", "DELETE FROM Overrides WHERE rowid = ?");
    d.bindValue(0, *rowid);
    // Another row of the same key may remain: ask the table from now on.
    m_preloaded = false;
    return m_q.database().post(d, u"Overrides"_qs, QStringLiteral("%1, object %2").arg(m_display).arg(object));
}

namespace {
bool wholeDecimal(const QString &text, int &value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    value = text.toInt();
    return true;
}
} // namespace

std::optional<QString> OverrideStore::globalOvrGet(const QString &apexText, const QString &ibexPoint)
{
    int apex = 0;
    if (!globalAvailable() || !wholeDecimal(apexText, apex))
        return std::nullopt;
    const QString memo = QString::number(apex) + u'|' + ibexPoint.toLower();
    if (m_rememberGlobal) {
        const auto it = m_globalAnswers.constFind(memo);
        if (it != m_globalAnswers.cend())
            return *it;
    }
    QSqlQuery &q = m_q.get("gfind", "SELECT BTPoint FROM GlobalOVR WHERE Apex = ? AND IbexPoint = ? COLLATE NOCASE "
                                    "ORDER BY rowid LIMIT 1");
    q.bindValue(0, apex);
    q.bindValue(1, ibexPoint);
    QueryCache::exec(q);
    std::optional<QString> result;
    if (q.next())
        result = nullToStr(q.value(0));
    q.finish();
    if (m_rememberGlobal)
        m_globalAnswers.insert(memo, result);
    return result;
}

bool OverrideStore::globalOvrPut(int apex, const QString &ibexPoint, const QString &btPoint)
{
    if (!globalAvailable())
        return false;
    QSqlQuery &q = m_q.get("gfindrow", "SELECT rowid FROM GlobalOVR WHERE Apex = ? AND IbexPoint = ? COLLATE NOCASE "
                                       "ORDER BY rowid LIMIT 1");
    q.bindValue(0, apex);
    q.bindValue(1, ibexPoint);
    QueryCache::exec(q);
    const bool found = q.next();
    const qlonglong rowid = found ? q.value(0).toLongLong() : 0;
    q.finish();
    const QString key = QStringLiteral("Apex %1, %2").arg(apex).arg(ibexPoint);
    m_globalAnswers.clear();
    if (found) {
        QSqlQuery &u = m_q.get("gupdate", "UPDATE GlobalOVR SET BTPoint = ? WHERE rowid = ?");
        u.bindValue(0, btPoint);
        u.bindValue(1, rowid);
        return m_q.database().post(u, u"GlobalOVR"_qs, key);
    }
    QSqlQuery &i = m_q.get("ginsert", "INSERT INTO GlobalOVR (Apex, IbexPoint, BTPoint) VALUES (?, ?, ?)");
    i.bindValue(0, apex);
    i.bindValue(1, ibexPoint);
    i.bindValue(2, btPoint);
    return m_q.database().post(i, u"GlobalOVR"_qs, key);
}

} // namespace vorlix
