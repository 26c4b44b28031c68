#include "common/GridWidths.h"

#include "project/Settings.h"

#include <QTableView>

namespace vorlix {

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
