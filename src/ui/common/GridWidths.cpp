#include "common/GridWidths.h"

#include "project/Settings.h"

#include <QHeaderView>
#include <QTableView>

namespace vorlix {

void setUpTextGrid(QTableView *grid)
{
    grid->horizontalHeader()->setDefaultSectionSize(90);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
}

void applyWidthList(QTableView *grid, int columns, const QString &list)
{
    const QList<int> widths = Settings::stringGridWidths(list, columns);
    for (int c = 0; c < widths.size(); ++c)
        grid->setColumnWidth(c, widths[c]);
}

QString widthList(const QTableView *grid, int columns)
{
    QList<int> widths;
    for (int c = 0; c < columns; ++c)
        widths << grid->columnWidth(c);
    return Settings::widthList(widths);
}

} // namespace vorlix
