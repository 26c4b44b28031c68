#pragma once
// What a step grid shows of a project table: its columns and titles, the
// default orders, reordering by a title click and the "Filter on current
// field" state. Order and filter are the grid's own view state: lookups,
// upserts, readers and exports always see the whole table.
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace vorlix {

enum class GridTable { ApexMap, CpanelMap, IbexPtMap, CpanelNames, TdcFiles, RepJob, GlobalOvr };

struct GridColumn {
    QString field; // empty for a calculated column
    QString title;
};

class TableView {
public:
    // `expandedMode`: the CpanelMap grid shows ExpandedMode (generation 14).
    explicit TableView(GridTable which, bool expandedMode = true);

    GridTable which() const { return m_which; }
    QString tableName() const;
    const QList<GridColumn> &columns() const { return m_columns; }
    int columnOfField(const QString &field) const; // -1 when not shown

    // Rows can be added and deleted (not for ApexMap, whose rows come with
    // the template).
    bool rowsEditable() const { return m_which != GridTable::ApexMap; }
    bool hasFilterBox() const;

    // The order as a field list ("Apex;Sequence"); empty for none.
    QString order() const { return m_order; }
    bool filtered() const { return !m_filterField.isEmpty(); }
    // The active filter: its field and the value matched ("" without one).
    QString filterField() const { return m_filterField; }
    QString filterValue() const { return m_filterValue; }
    // What the grid shows of its state, for the line under it: the order by
    // column titles ("ordered by Apex, Sequence") and the active filter
    // ("filter: Apex = 3"), joined by "; ". Empty when neither applies.
    QString stateText() const;

    // Title click on `column`: the first column restores the table's default
    // order, another column orders by its field alone. False when nothing
    // changes (a calculated column, or the first column of the Tux file list).
    bool titleClick(int column);
    // "Filter on current field" checked on a cell: false, and nothing
    // changes, when the cell is empty or the column has no field.
    bool filterOn(int column, const QString &value);
    // Unchecked: no filter, and the filter-off default order.
    void filterOff();

    // The order a table is opened with, the one a title click on the first
    // column restores, and the one unchecking the filter restores.
    static QString openOrder(GridTable which);
    static QString titleClickDefaultOrder(GridTable which);
    static QString filterOffOrder(GridTable which);

    // SQL for a select over `db`: "ORDER BY ..." (empty without an order) and
    // the filter condition without "WHERE" (empty without a filter). The
    // filter value is matched literally, quotes included.
    QString orderByClause(const QSqlDatabase &db) const;
    QString whereClause(const QSqlDatabase &db) const;

private:
    GridTable m_which;
    QList<GridColumn> m_columns;
    QString m_order;
    QString m_filterField;
    QString m_filterValue;
};

// Step 1 colour cues: how a cell of the ApexMap grid is tinted, given its
// field and its row's ComList.
enum class CellTint { Unchanged, Plain, Com1, Com2, Com3, Com4 };
CellTint apexMapCellTint(const QString &field, const QString &comList);

} // namespace vorlix
