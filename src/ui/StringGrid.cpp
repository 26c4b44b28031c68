#include "StringGrid.h"

#include "project/Settings.h"

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
    const QList<int> widths = Settings::stringGridWidths(list, columnCount());
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths[c]);
}

QString StringGrid::widthList() const
{
    QList<int> widths;
    for (int c = 0; c < columnCount(); ++c)
        widths << columnWidth(c);
    return Settings::widthList(widths);
}

} // namespace vorlix
