#include "inventory/RedirectListModel.h"

#include "inventory/RedirectList.h"

namespace vorlix {

namespace {
QString yes() { return u"yes"_qs; }
} // namespace

RedirectListModel::RedirectListModel(const RedirectList &list, QObject *parent)
    : QAbstractTableModel(parent), m_list(list)
{
}

int RedirectListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_list.size(); }

int RedirectListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColCount; }

QVariant RedirectListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !m_list.contains(index.row()))
        return {};
    const RedirectEntry &e = m_list.at(index.row());
    switch (index.column()) {
    case 0: return QString(u"File."_qs + QString::number(index.row() + 1));
    case colIbexName: return e.ibexName;
    case 2: return e.target;
    case 3: return e.isSkip() ? yes() : QString();
    case 4: return !e.fileExists ? QString() : *e.fileExists ? yes() : u"no"_qs;
    default: return QString();
    }
}

QVariant RedirectListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString titles[ColCount] = {QString(),        u"Ibex FileName"_qs, u"EFB FileName"_qs, u"Skip Flag"_qs,
                                             u"File Exists"_qs, u"Warning"_qs,       QString()};
    return section >= 0 && section < ColCount ? titles[section] : QString();
}

Qt::ItemFlags RedirectListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void RedirectListModel::reload()
{
    beginResetModel();
    endResetModel();
}

} // namespace vorlix
