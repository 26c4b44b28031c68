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
QString tableSql(const QString &name, const schema::Table &t, const QString &extra, const DestinationShape &shape)
{
    QStringList cols;
    int n = 0;
    for (const schema::Field &f : t.fields) {
        QString col = QLatin1String(f.name);
        if (col == u"devsoftware")
            continue;
        if (col == u"devinst" || col == u"objname" || col == u"supportddc3")
            col = col.toUpper();
        const int limit = col == u"OBJNAME" ? shape.objnameChars : 0;
        QString type = shape.accessShaped ? accessTypeName(f, n++, limit) : schema::sqlType(f);
        if (shape.accessShaped && col == u"DEVINST")
            type += u" NOT NULL PRIMARY KEY"_qs;
        cols << u'"' + col + u"\" "_qs + type;
    }
    cols << (shape.accessShaped ? u"\"siteNotes\" TEXT(50) DEFAULT 'kept'"_qs
                                : u"\"siteNotes\" VARCHAR(50) DEFAULT 'kept'"_qs);
    if (!extra.isEmpty())
        cols << extra;
    return QStringLiteral("CREATE TABLE \"%1\" (%2)%3")
        .arg(name, cols.join(u", "_qs), shape.accessShaped ? u" WITHOUT ROWID"_qs : QString());
}
} // namespace

QString accessTypeName(const schema::Field &field, int n, int textLimit)
{
    using T = schema::FieldType;
    const QString name = QLatin1String(field.name);
    switch (field.type) {
    case T::Short: return n % 2 ? u"SMALLINT"_qs : u"SHORT"_qs;
    case T::Long:
        // Net2 has no type at all; other numbers as LONG, some as BIGINT.
        if (name == u"Net2")
            return QString();
        return n % 3 == 0 ? u"BIGINT"_qs : u"LONG"_qs;
    case T::Double: return u"DOUBLE"_qs;
    case T::YesNo: return n % 2 ? u"BIT"_qs : u"YESNO"_qs;
    case T::DateTime: return u"DATETIME"_qs;
    case T::Text: {
        const int size = textLimit > 0 ? textLimit : field.size;
        const QString type = n % 2 ? QStringLiteral("NVARCHAR(%1)").arg(size) : QStringLiteral("TEXT(%1)").arg(size);
        // SQLite keeps any length; Access refuses a longer text.
        return type + QStringLiteral(" CHECK (length(\"%1\") <= %2)").arg(name).arg(size);
    }
    }
    return {};
}

void createDeviceDestination(const QString &path, const DestinationShape &shape)
{
    if (QFile::exists(path))
        throw std::runtime_error("destination exists");
    withDatabase(path, [&](QSqlDatabase &db) {
        exec(db, tableSql(shape.repJob ? u"tblRepJob"_qs : u"tblDevices"_qs, *schema::findTable(u"tblRepJob"_qs),
                          shape.extraDeviceColumnSql, shape));
        if (shape.capabilities)
            exec(db, tableSql(u"tblDevCapabilities"_qs, *schema::findTable(u"tblDevCapabilities"_qs), {}, shape));
        if (shape.repJob && shape.accessShaped)
            exec(db, u"CREATE TABLE tblSubnets (subnet LONG NOT NULL PRIMARY KEY, ID COUNTER, name TEXT(50)) "
                      "WITHOUT ROWID"_qs);
        else if (shape.repJob)
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
