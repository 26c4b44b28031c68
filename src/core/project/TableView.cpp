#include "project/TableView.h"

#include "project/Schema.h"

#include <QSqlDriver>
#include <QSqlField>

namespace vorlix {

namespace {

QList<GridColumn> columnsOf(GridTable which, bool expandedMode)
{
    QList<GridColumn> c;
    auto add = [&c](const char *field, const char *title) {
        c.append({QString::fromLatin1(field), QString::fromLatin1(title)});
    };
    switch (which) {
    case GridTable::ApexMap:
        add("Apex", "Apex");
        add("ComList", "Com List");
        add("GlobalPts", "Global Pts");
        for (int i = 1; i <= 4; ++i) {
            const QString n = QString::number(i);
            c.append({u"DevID"_qs + n, u"DevID "_qs + n});
            c.append({u"Net"_qs + n, u"Net"_qs + n});
            c.append({u"BaseAddr"_qs + n, u"BaseAddr"_qs + n});
        }
        break;
    case GridTable::CpanelMap:
        for (const char *f : {"Apex", "Sequence", "CallTo", "Trunk", "Address", "CPanelNumber"})
            add(f, f);
        if (expandedMode)
            add("ExpandedMode", "ExpandedMode");
        break;
    case GridTable::IbexPtMap:
        add("Apex", "Apex");
        add("IbexPt", "Ibex Pt");
        add("PtType", "Pt Type");
        add("Description", "Description");
        add("Value", "Value");
        break;
    case GridTable::CpanelNames:
        add("Apex", "Apex");
        add("CPanelNumber", "CPanel Number");
        add("Name", "Name");
        break;
    case GridTable::TdcFiles:
        add("Apex", "Apex");
        add("IbexFilename", "Ibex Filename");
        add("BACtalkFilename", "BACtalk Filename");
        c.append({QString(), u"File Exists"_qs});
        break;
    case GridTable::RepJob:
        for (const QString &f : schema::deviceColumns())
            c.append({f, f});
        break;
    case GridTable::GlobalOvr:
        add("Apex", "Apex");
        add("IbexPoint", "Ibex Point");
        add("BTPoint", "BACnet Point");
        break;
    }
    return c;
}

bool isTextField(const QString &table, const QString &field)
{
    if (const schema::Table *t = schema::findTable(table))
        for (const schema::Field &f : t->fields)
            if (field.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
                return f.type == schema::FieldType::Text;
    return false;
}

} // namespace

TableView::TableView(GridTable which, bool expandedMode)
    : m_which(which), m_columns(columnsOf(which, expandedMode)), m_order(openOrder(which))
{
}

QString TableView::tableName() const
{
    switch (m_which) {
    case GridTable::ApexMap: return u"ApexMap"_qs;
    case GridTable::CpanelMap: return u"CpanelMap"_qs;
    case GridTable::IbexPtMap: return u"IbexPtMap"_qs;
    case GridTable::CpanelNames: return u"CpanelNames"_qs;
    case GridTable::TdcFiles: return u"TdcFiles"_qs;
    case GridTable::RepJob: return u"tblRepJob"_qs;
    case GridTable::GlobalOvr: return u"GlobalOVR"_qs;
    }
    return {};
}

int TableView::columnOfField(const QString &field) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (!m_columns[i].field.isEmpty() && m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TableView::hasFilterBox() const
{
    return m_which != GridTable::ApexMap && m_which != GridTable::TdcFiles;
}

QString TableView::openOrder(GridTable which)
{
    switch (which) {
    case GridTable::ApexMap: return u"Apex"_qs;
    case GridTable::CpanelMap: return u"Apex;CPanelNumber"_qs;
    case GridTable::IbexPtMap: return u"Apex;IbexPt"_qs;
    case GridTable::CpanelNames: return u"Apex;CPanelNumber"_qs;
    case GridTable::TdcFiles: return u"Apex;IbexFilename"_qs;
    case GridTable::RepJob: return u"devinst"_qs;
    case GridTable::GlobalOvr: return u"Apex;IbexPoint"_qs;
    }
    return {};
}

QString TableView::titleClickDefaultOrder(GridTable which)
{
    switch (which) {
    case GridTable::CpanelMap: return u"Sequence;Apex"_qs;
    case GridTable::TdcFiles: return {};
    default: return openOrder(which);
    }
}

QString TableView::filterOffOrder(GridTable which)
{
    switch (which) {
    case GridTable::CpanelMap: return u"Apex;Sequence"_qs;
    default: return openOrder(which);
    }
}

bool TableView::titleClick(int column)
{
    if (column < 0 || column >= m_columns.size())
        return false;
    if (column == 0) {
        const QString order = titleClickDefaultOrder(m_which);
        if (order.isEmpty())
            return false;
        m_order = order;
        return true;
    }
    if (m_columns[column].field.isEmpty())
        return false;
    m_order = m_columns[column].field;
    return true;
}

bool TableView::filterOn(int column, const QString &value)
{
    if (column < 0 || column >= m_columns.size() || m_columns[column].field.isEmpty() || value.isEmpty())
        return false;
    m_filterField = m_columns[column].field;
    m_filterValue = value;
    return true;
}

void TableView::filterOff()
{
    m_filterField.clear();
    m_filterValue.clear();
    m_order = filterOffOrder(m_which);
}

QString TableView::stateText() const
{
    // A field the grid does not show is named as it is.
    const auto titleOf = [this](const QString &field) {
        const int column = columnOfField(field);
        return column >= 0 ? m_columns[column].title : field;
    };
    QStringList parts;
    QStringList ordered;
    for (const QString &field : m_order.split(u';', Qt::SkipEmptyParts))
        ordered << titleOf(field.trimmed());
    if (!ordered.isEmpty())
        parts << u"ordered by "_qs + ordered.join(u", "_qs);
    if (filtered())
        parts << u"filter: "_qs + titleOf(m_filterField) + u" = "_qs + m_filterValue;
    return parts.join(u"; "_qs);
}

QString TableView::orderByClause(const QSqlDatabase &db) const
{
    if (m_order.isEmpty())
        return {};
    QSqlDriver *driver = db.driver();
    QStringList parts;
    for (const QString &raw : m_order.split(u';', Qt::SkipEmptyParts)) {
        const QString field = raw.trimmed();
        QString part = driver ? driver->escapeIdentifier(field, QSqlDriver::FieldName) : field;
        // Text orders as the Ibex tools do: without regard to letter case.
        if (isTextField(tableName(), field) && db.driverName() == u"QSQLITE"_qs)
            part += u" COLLATE NOCASE"_qs;
        parts << part;
    }
    return u"ORDER BY "_qs + parts.join(u", "_qs);
}

QString TableView::whereClause(const QSqlDatabase &db) const
{
    if (!filtered())
        return {};
    QSqlDriver *driver = db.driver();
    QSqlField value(m_filterField, QMetaType(QMetaType::QString));
    value.setValue(m_filterValue);
    const QString name = driver ? driver->escapeIdentifier(m_filterField, QSqlDriver::FieldName) : m_filterField;
    const QString literal = driver ? driver->formatValue(value) : u'\'' + m_filterValue + u'\'';
    return name + u" = "_qs + literal;
}

CellTint apexMapCellTint(const QString &field, const QString &comList)
{
    const QString f = field.toLower();
    if (f == u"apex"_qs || f == u"comlist"_qs)
        return CellTint::Plain;
    if (f.isEmpty() || !f.back().isDigit())
        return CellTint::Unchanged;
    const QChar group = f.back();
    if (!(f.startsWith(u"devid"_qs) || f.startsWith(u"net"_qs) || f.startsWith(u"baseaddr"_qs)))
        return CellTint::Unchanged;
    if (!comList.contains(group))
        return CellTint::Unchanged;
    switch (group.unicode()) {
    case u'1': return CellTint::Com1;
    case u'2': return CellTint::Com2;
    case u'3': return CellTint::Com3;
    case u'4': return CellTint::Com4;
    default: return CellTint::Unchanged;
    }
}

} // namespace vorlix
