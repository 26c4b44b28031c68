#pragma once
// An editable model over one project table, as a step grid shows it: the
// grid's own order and filter (TableView), every row fetched, one UPDATE per
// edited field, titles from the view, the step 1 colour cues and the
// calculated "File Exists" column of the Tux file list.
#include "project/TableView.h"

#include <QSqlTableModel>
#include <functional>

namespace vorlix {

class ProjectTableModel : public QSqlTableModel {
    Q_OBJECT
public:
    ProjectTableModel(const QSqlDatabase &db, QObject *parent = nullptr);

    // Binds to the view's table (the database must be open) and selects
    // every row. False (an empty model) when the table cannot be read.
    bool bind(const TableView &view);
    void unbind();

    TableView &view() { return m_view; }
    const TableView &view() const { return m_view; }

    // Selects again with the view's order and filter, fetching every row.
    bool reload();

    // The view column of a model column, and the reverse (-1 when none).
    int viewColumn(int modelColumn) const;
    int modelColumn(int viewColumn) const;
    int calculatedColumn() const; // -1 when the table has none
    // A column of a text field (left-aligned and wider; numbers align right).
    bool isTextColumn(int modelColumn) const;

    // Where the step 1 cues ask whether the style is dark, and where the
    // Tux file list finds the BACtalk job folder.
    std::function<bool()> isDark;
    std::function<QString()> bactalkJobPath;
    // Told when the database refuses an edit.
    std::function<void(const QString &message)> onError;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    QString orderByClause() const override;

private:
    void fetchAll();
    TableView m_view{GridTable::ApexMap};
    bool m_bound = false;
    int m_comListColumn = -1;
};

} // namespace vorlix
