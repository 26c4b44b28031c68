#include "project/QueryCache.h"

#include "util/Error.h"

#include <QSqlError>

namespace vorlix {

QSqlQuery &QueryCache::get(const char *key, const char *sql)
{
    if (m_generation != m_pdb.generation()) {
        m_queries.clear();
        m_generation = m_pdb.generation();
    }
    auto &q = m_queries[QByteArray(key)];
    if (!q) {
        q = std::make_shared<QSqlQuery>(m_pdb.db());
        q->setForwardOnly(true);
        if (!q->prepare(QString::fromLatin1(sql))) {
            const QString message = q->lastError().text();
            q.reset();
            throw Error(QStringLiteral("Project database error: %1").arg(message));
        }
    }
    return *q;
}

void QueryCache::exec(QSqlQuery &q)
{
    if (!q.exec())
        throw Error(QStringLiteral("Project database error: %1").arg(q.lastError().text()));
}

} // namespace vorlix
