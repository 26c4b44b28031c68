#include "support/DeviceDestination.h"

#include "project/Schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QSqlRecord>
#include <stdexcept>

namespace vorlix::test {

namespace {
template <typename Fn>
void withDatabase(const QString &path, Fn fn)
{
    const QString conn = u"dest-"_qs + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, conn);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        fn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
}

void exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw std::runtime_error((sql + u": "_qs + q.lastError().text()).toStdString());
}

// The project's columns as a destination declares them: a few in upper
// case, devsoftware left out, and a column of its own.
QString tableSql(const QString &name, const schema::Table &t, const QString &extra)
{
    QStringList cols;
    for (const schema::Field &f : t.fields) {
        QString n = QLatin1String(f.name);
        if (n == u"devsoftware")
            continue;
        if (n == u"devinst" || n == u"objname" || n == u"supportddc3")
            n = n.toUpper();
        cols << u'"' + n + u"\" "_qs + schema::sqlType(f);
    }
    cols << u"\"siteNotes\" VARCHAR(50) DEFAULT 'kept'"_qs;
    if (!extra.isEmpty())
        cols << extra;
    return QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(name, cols.join(u", "_qs));
}
} // namespace

void createDeviceDestination(const QString &path, const DestinationShape &shape)
{
    if (QFile::exists(path))
        throw std::runtime_error("destination exists");
    withDatabase(path, [&](QSqlDatabase &db) {
        exec(db, tableSql(shape.repJob ? u"tblRepJob"_qs : u"tblDevices"_qs, *schema::findTable(u"tblRepJob"_qs),
                          shape.extraDeviceColumnSql));
        if (shape.capabilities)
            exec(db, tableSql(u"tblDevCapabilities"_qs, *schema::findTable(u"tblDevCapabilities"_qs), {}));
        if (shape.repJob)
            exec(db, u"CREATE TABLE tblSubnets (subnet INTEGER, name VARCHAR(50))"_qs);
    });
}

void execOn(const QString &path, const QStringList &statements)
{
    withDatabase(path, [&](QSqlDatabase &db) {
        for (const QString &s : statements)
            exec(db, s);
    });
}

QStringList queryRows(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw std::runtime_error((sql + u": "_qs + q.lastError().text()).toStdString());
    QStringList out;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << (q.value(i).isNull() ? u"<null>"_qs : q.value(i).toString());
        out << values.join(u'|');
    }
    return out;
}

QStringList rowsOf(const QString &path, const QString &sql)
{
    QStringList out;
    withDatabase(path, [&](QSqlDatabase &db) { out = queryRows(db, sql); });
    return out;
}

} // namespace vorlix::test
