#pragma once
// The text grids (the translation grid, the redirect lists): their common
// look, and their column widths kept in the settings as "40,90,90," lists.
#include <QString>

class QTableView;

namespace vorlix {

// Whole rows selected one at a time, nothing edited in place, no row
// numbers, no word wrap, rows as high as a line of text.
void setUpTextGrid(QTableView *grid);

// Applies a stored width list; an empty list leaves the widths as they are.
void applyWidthList(QTableView *grid, int columns, const QString &list);
QString widthList(const QTableView *grid, int columns);

} // namespace vorlix
