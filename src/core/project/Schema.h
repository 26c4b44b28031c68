#pragma once
// The one definition of the project database and point database schemas.
// The template tool builds the default project from it; opening a project
// adds the indexes and guards it defines to older files.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix::schema {

enum class FieldType { Short, Long, Text, YesNo, Double, DateTime };

struct Field {
    const char *name;
    FieldType type;
    int size = 0;              // characters, for Text
    const char *defaultValue = nullptr; // SQL default of a new row
};

struct Table {
    const char *name;
    std::vector<Field> fields;
};

// The project tables, each with its fields in table order.
const std::vector<Table> &projectTables();
const Table *findTable(const QString &name); // case-insensitive

// The 47 columns of tblRepJob, in order.
QStringList deviceColumns();

// SQL type text of a field.
QString sqlType(const Field &field);
QString createTableSql(const Table &table);

// Indexes for the key lookups and triggers that guard the tables (ApexMap
// rows are neither inserted nor deleted; deleting a device deletes its
// capabilities row, a device whose devinst changes takes its capabilities
// row along). Safe to run on every open.
void ensureIndexesAndGuards(QSqlDatabase db);

// Makes devinst unique in tblRepJob (its index devID) when no two rows share
// one, and returns the values that more than one row holds otherwise (the
// index then stays a plain one until they are put right). A database that
// cannot be changed keeps the index it has.
QList<qint64> ensureUniqueDevinst(QSqlDatabase db);

// Creates the default project database at `path` (replacing a file there):
// every table, ApexMap rows 0..31, DatabaseVersion 14 and every variable.
void createProjectTemplate(const QString &path);

// Creates the point database template ("Analog Values", "Binary Values").
void createPointTemplate(const QString &path);

} // namespace vorlix::schema
