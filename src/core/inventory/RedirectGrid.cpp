#include "inventory/RedirectGrid.h"

#include "inventory/InventoryTree.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"

#include <QFileInfo>

namespace vorlix {

RedirectGrid::RedirectGrid(bool localJob) : m_localJob(localJob), m_rows(RowCount) { clear(); }

std::array<QString, RedirectGrid::ColCount> RedirectGrid::titles()
{
    return {QString(), u"Ibex FileName"_qs, u"EFB FileName"_qs, u"Skip Flag"_qs, u"File Exists"_qs, u"Warning"_qs,
            QString()};
}

void RedirectGrid::clear()
{
    m_rows[0].cells = titles();
    for (int r = 1; r < RowCount; ++r)
        m_rows[size_t(r)] = Row{{}, ndHeading};
    m_selected = 1;
    ++m_generation;
}

QString RedirectGrid::cell(int row, int col) const
{
    if (row < 0 || row >= RowCount || col < 0 || col >= ColCount)
        return {};
    return m_rows[size_t(row)].cells[size_t(col)];
}

void RedirectGrid::setCell(int row, int col, const QString &text)
{
    if (row < 1 || row >= RowCount || col < 0 || col >= ColCount)
        return;
    m_rows[size_t(row)].cells[size_t(col)] = text;
    ++m_generation;
}

int RedirectGrid::object(int row) const { return row > 0 && row < RowCount ? m_rows[size_t(row)].object : ndHeading; }

void RedirectGrid::setObject(int row, int object)
{
    if (row > 0 && row < RowCount)
        m_rows[size_t(row)].object = object;
}

bool RedirectGrid::isEntry(int row) const { return !cell(row, colFile).isEmpty() || !cell(row, colIbexName).isEmpty(); }

int RedirectGrid::entryCount() const
{
    int n = 0;
    for (int r = 1; r < RowCount; ++r)
        n += isEntry(r) ? 1 : 0;
    return n;
}

void RedirectGrid::selectRow(int row)
{
    if (row > 0 && row < RowCount)
        m_selected = row;
}

int RedirectGrid::firstRowWithEmpty(int col) const
{
    for (int r = 1; r < RowCount; ++r)
        if (cell(r, col).isEmpty())
            return r;
    return -1;
}

bool RedirectGrid::findGridRow(const QString &name)
{
    for (int r = 1; r < RowCount; ++r) {
        const QString c = cell(r, colIbexName);
        if (c.isEmpty())
            return false;
        if (c == name) {
            m_selected = r;
            return true;
        }
    }
    return false;
}

void RedirectGrid::setEntry(int row, int index, const QString &ibexName)
{
    setCell(row, colFile, u"File."_qs + QString::number(row));
    setCell(row, colIbexName, ibexName);
    setObject(row, index);
}

bool addRedirectRow(Workbench &wb, RedirectGrid &grid, int index, int row)
{
    if (row < 0)
        row = grid.firstRowWithEmpty(RedirectGrid::colFile);
    if (row < 0)
        return false;
    const MasterList &list = wb.masterList;
    grid.setEntry(row, index, list.entryName(index));
    const QString target = wb.map.findRedirect(list.entryName(index), list.isLocalJob(index)).value_or(QString());
    if (!target.isEmpty())
        grid.setCell(row, RedirectGrid::colTarget, target);
    else
        grid.setCell(row, RedirectGrid::colSkip, u"yes"_qs);
    // A skipped display has no target file: its column stays empty.
    if (!target.isEmpty() && QFileInfo(redirectPath(wb.vars.bactalkJobPath, target)).isFile())
        grid.setCell(row, RedirectGrid::colExists, u"yes"_qs);
    return true;
}

void refreshRedirectGrids(Workbench &wb, RedirectGrid &jobGrid, RedirectGrid &localJobGrid)
{
    const MasterList &list = wb.masterList;
    for (RedirectGrid *grid : {&jobGrid, &localJobGrid}) {
        grid->clear();
        for (int i = 0; i < list.size(); ++i)
            if (list.isLocalJob(i) == grid->localJob() && wb.map.findRedirect(list.entryName(i), grid->localJob()))
                addRedirectRow(wb, *grid, i, -1);
        grid->selectRow(1);
    }
}

} // namespace vorlix
