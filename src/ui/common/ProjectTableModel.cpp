#include "common/ProjectTableModel.h"

#include "common/CueColours.h"
#include "ddc/TuxFiles.h"
#include "project/GridEdits.h"
#include "project/Schema.h"

#include <QBrush>
#include <QColor>
#include <QSqlError>
#include <QSqlRecord>

namespace vorlix {

namespace {
QColor tintColour(CellTint tint, bool dark)
{
    switch (tint) {
    case CellTint::Plain: return cueColour(Cue::Plain, dark);
    case CellTint::Com1: return cueColour(Cue::Blue, dark);
    case CellTint::Com2: return cueColour(Cue::Green, dark);
    case CellTint::Com3: return cueColour(Cue::Red, dark);
    case CellTint::Com4: return cueColour(Cue::Purple, dark);
    case CellTint::Unchanged: break;
    }
    return {};
}
} // namespace

ProjectTableModel::ProjectTableModel(const QSqlDatabase &db, QObject *parent) : QSqlTableModel(parent, db) {}

bool ProjectTableModel::bind(const TableView &view)
{
    unbind();
    m_view = view;
    if (!database().isOpen())
        return false;
    setEditStrategy(OnFieldChange);
    setTable(view.tableName());
    if (record().isEmpty())
        return false;
    m_bound = true;
    m_comListColumn = record().indexOf(u"ComList"_qs);
    return reload();
}

void ProjectTableModel::unbind()
{
    if (m_bound)
        clear();
    m_bound = false;
    m_comListColumn = -1;
}

bool ProjectTableModel::reload()
{
    if (!m_bound)
        return false;
    QSqlTableModel::setFilter(m_view.whereClause(database()));
    // setFilter selects an active model itself; select again for the order.
    const bool ok = select();
    fetchAll();
    if (!ok && onError)
        onError(lastError().text());
    return ok;
}

void ProjectTableModel::fetchAll()
{
    while (canFetchMore())
        fetchMore();
}

QString ProjectTableModel::orderByClause() const { return m_view.orderByClause(database()); }

int ProjectTableModel::viewColumn(int modelColumn) const
{
    if (modelColumn == calculatedColumn())
        return m_view.columns().size() - 1;
    if (modelColumn < 0 || modelColumn >= record().count())
        return -1;
    return m_view.columnOfField(record().fieldName(modelColumn));
}

int ProjectTableModel::modelColumn(int viewColumn) const
{
    if (viewColumn < 0 || viewColumn >= m_view.columns().size())
        return -1;
    const QString field = m_view.columns()[viewColumn].field;
    if (field.isEmpty())
        return calculatedColumn();
    return record().indexOf(field);
}

int ProjectTableModel::calculatedColumn() const
{
    if (!m_bound || m_view.which() != GridTable::TdcFiles)
        return -1;
    return record().count();
}

bool ProjectTableModel::isTextColumn(int modelColumn) const
{
    if (modelColumn == calculatedColumn())
        return true;
    const schema::Table *table = schema::findTable(m_view.tableName());
    if (!table || modelColumn < 0 || modelColumn >= record().count())
        return false;
    const QString name = record().fieldName(modelColumn);
    for (const schema::Field &f : table->fields)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return f.type == schema::FieldType::Text || f.type == schema::FieldType::DateTime;
    return false;
}

int ProjectTableModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return QSqlTableModel::columnCount(parent) + (calculatedColumn() >= 0 ? 1 : 0);
}

QVariant ProjectTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.column() == calculatedColumn() && calculatedColumn() >= 0) {
        if (role != Qt::DisplayRole)
            return {};
        const QString name = QSqlTableModel::data(this->index(index.row(), record().indexOf(u"BACtalkFilename"_qs))).toString();
        return tdcFileExistsText(bactalkJobPath ? bactalkJobPath() : QString(), name);
    }
    if (m_view.which() == GridTable::ApexMap) {
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role == Qt::ForegroundRole && m_comListColumn >= 0) {
            const QString comList = QSqlTableModel::data(this->index(index.row(), m_comListColumn)).toString();
            const CellTint tint = apexMapCellTint(record().fieldName(index.column()), comList);
            const QColor colour = tintColour(tint, isDark && isDark());
            if (colour.isValid())
                return QBrush(colour);
            return {};
        }
    }
    if (role == Qt::TextAlignmentRole && !isTextColumn(index.column()))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QSqlTableModel::data(index, role);
}

bool ProjectTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (index.column() == calculatedColumn())
        return false;
    if (role == Qt::EditRole) {
        const QString problem = gridEditProblem(database(), m_view.which(), record().fieldName(index.column()), value,
                                                QSqlTableModel::data(index, Qt::EditRole));
        if (!problem.isEmpty()) {
            if (onError)
                onError(QStringLiteral("The change to %1 was not saved: %2").arg(m_view.tableName(), problem));
            return false;
        }
    }
    const bool ok = QSqlTableModel::setData(index, value, role);
    if (!ok && role == Qt::EditRole && lastError().isValid()) {
        const QString message = lastError().text();
        // The refused value is not kept: the row shows what the table holds.
        revertRow(index.row());
        if (onError)
            onError(QStringLiteral("The change to %1 was not saved: %2").arg(m_view.tableName(), message));
    }
    return ok;
}

Qt::ItemFlags ProjectTableModel::flags(const QModelIndex &index) const
{
    if (index.isValid() && index.column() == calculatedColumn())
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return QSqlTableModel::flags(index);
}

QVariant ProjectTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        const int v = viewColumn(section);
        if (v >= 0)
            return m_view.columns()[v].title;
        if (section == calculatedColumn())
            return {};
    }
    return QSqlTableModel::headerData(section, orientation, role);
}

} // namespace vorlix
