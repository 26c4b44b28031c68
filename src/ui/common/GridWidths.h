#pragma once
// Column widths of the text grids kept in the settings as "40,90,90," lists.
#include <QString>

class QTableView;

namespace vorlix {

// Applies a stored width list; an empty list leaves the widths as they are.
void applyWidthList(QTableView *grid, int columns, const QString &list);
QString widthList(const QTableView *grid, int columns);

} // namespace vorlix
