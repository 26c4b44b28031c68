#include "common/StringGrid.h"

#include "common/GridWidths.h"

#include <QHeaderView>

namespace vorlix {

StringGrid::StringGrid(const QStringList &titles, QWidget *parent) : QTableWidget(0, titles.size(), parent)
{
    setHorizontalHeaderLabels(titles);
    horizontalHeader()->setDefaultSectionSize(90);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
}

void StringGrid::applyWidthList(const QString &list)
{
    vorlix::applyWidthList(this, columnCount(), list);
}

QString StringGrid::widthList() const
{
    return vorlix::widthList(this, columnCount());
}

} // namespace vorlix
