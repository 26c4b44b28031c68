#include "support/LockHolder.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <chrono>

namespace vorlix::test {

LockHolder::LockHolder(const QString &path, const QString &statement, int holdMs)
{
    std::promise<void> holding;
    std::future<void> held = holding.get_future();
    m_thread = std::thread([path, statement, holdMs, &holding] {
        const QString name = u"lock-holder-"_qs + QUuid::createUuid().toString(QUuid::WithoutBraces);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, name);
            db.setDatabaseName(path);
            db.open();
            QSqlQuery q(db);
            q.exec(u"BEGIN IMMEDIATE"_qs);
            q.exec(statement);
            holding.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            q.exec(u"COMMIT"_qs);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    held.wait();
}

LockHolder::~LockHolder() { m_thread.join(); }

} // namespace vorlix::test
