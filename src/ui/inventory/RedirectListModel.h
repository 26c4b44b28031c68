#pragma once
// The rows of a step 6 redirect list as a table: "File." and the row
// number, the Ibex file name, the target, the skip flag, whether the target
// file exists, and two columns kept empty ("Warning" and one untitled, so
// that the column widths kept in the settings still fit).
#include <QAbstractTableModel>

namespace vorlix {

class RedirectList;

class RedirectListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColCount = 7;
    static constexpr int colIbexName = 1;

    explicit RedirectListModel(const RedirectList &list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The list changed: the view shows it anew.
    void reload();

private:
    const RedirectList &m_list;
};

} // namespace vorlix
