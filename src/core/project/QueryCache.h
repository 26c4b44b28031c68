#pragma once
// Prepared queries kept per project database, prepared again when another
// database is opened. Lookups that run once per display object use it, so
// nothing is parsed twice.
#include "project/ProjectDatabase.h"

#include <QByteArray>
#include <QHash>
#include <QSqlQuery>
#include <memory>

namespace vorlix {

class QueryCache {
public:
    explicit QueryCache(ProjectDatabase &pdb) : m_pdb(pdb) {}

    // The prepared query for `key`; throws Error when it cannot be prepared.
    QSqlQuery &get(const char *key, const char *sql);
    // Executes a prepared query; throws Error with the database's message.
    static void exec(QSqlQuery &q);

    ProjectDatabase &database() const { return m_pdb; }

private:
    ProjectDatabase &m_pdb;
    int m_generation = -1;
    QHash<QByteArray, std::shared_ptr<QSqlQuery>> m_queries;
};

} // namespace vorlix
