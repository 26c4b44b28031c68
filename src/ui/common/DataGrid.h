#pragma once
// A step grid over one project table: in-place editing, reordering by a
// title click, "Filter on current field", continuous edit mode, the step 10
// multi-row selection, delete confirmation, and column widths and
// visibility that survive a change of project. The title of the column the
// table is ordered by carries the sort indicator; text columns the user has
// not sized fit their contents (the rows in sight only) and the last column
// takes the rest of the width; the line under the grid tells the row
// count, the order and the active filter.
#include "project/TableView.h"

#include <QHash>
#include <QSet>
#include <QPointer>
#include <QSqlDatabase>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace vorlix {

class Prompter;
class ProjectTableModel;

// Keeps track of the open cell editor so that a pending edit can be
// discarded, and offers the device models in the step 10 `devmodel` cells.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    QWidget *openEditor() const { return m_editor; }
    int devModelColumn = -1;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    mutable QPointer<QWidget> m_editor;
};

class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(GridTable which, Prompter &prompter, QWidget *parent = nullptr);

    // Shows the table of `db` (after a project opened or closed). A closed
    // database leaves the grid empty.
    void attach(const QSqlDatabase &db, bool expandedMode = true);
    // Lets go of the table before its connection closes; remembers widths.
    void detach();

    ProjectTableModel *tableModel() const { return m_model; }
    GridTable which() const { return m_which; }

    // "Filter on current field" checked or unchecked.
    void setFilterOnCurrentField(bool on);
    // "Continuous edit mode": the cell editor stays open while moving.
    void setContinuousEdit(bool on);
    bool continuousEdit() const { return m_continuous; }
    // Step 10: several rows may be selected.
    void setMultiSelection(bool on);

    // A title click on grid column `column` (also the header's click).
    void titleClick(int column);
    // Discards an edit in progress (the change of tab).
    void cancelPendingEdit();
    // Go to the first row.
    void firstRow();
    // Reads the table again (after a command filled it).
    void reload();

    // Deletes the current row after the standard question (not ApexMap).
    void deleteCurrentRow();
    // Adds an empty row to be typed in (not ApexMap).
    void insertRow();

    // Column widths and visibility by view column.
    int columnWidthOf(int viewColumn) const;
    bool columnVisibleOf(int viewColumn) const;
    void setColumnState(int viewColumn, int width, bool visible);

    // The line shown under the grid: "12 rows; ordered by Apex; filter:
    // Apex = 3".
    QString summary() const;
    // Fits the text columns not sized by hand to the rows in sight.
    void fitColumns();

    std::function<bool()> isDark;
    std::function<QString()> bactalkJobPath;

signals:
    void summaryChanged(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void rememberColumns();
    void restoreColumns();
    void reportError(const QString &message);
    // The sort indicator and the summary follow the table's order, filter
    // and rows.
    void showState();
    void setWidthQuietly(int column, int width);

    GridTable m_which;
    Prompter &m_prompter;
    ProjectTableModel *m_model = nullptr;
    GridDelegate *m_delegate;
    bool m_continuous = false;
    bool m_multi = false;
    bool m_expandedMode = true;
    struct ColumnState {
        int width = 0;
        bool visible = true;
    };
    QHash<QString, ColumnState> m_columns; // by view column title
    QSet<QString> m_userSized;             // titles the user has sized
    bool m_sizing = false;                 // the grid sets widths itself
};

} // namespace vorlix
