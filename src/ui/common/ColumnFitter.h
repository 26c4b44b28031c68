#pragma once
// Sizing a grid's columns to their contents within limits. Only the rows in
// sight are read (from the top visible row, a screenful and at least
// kFitRows), never the whole table, so a large table sizes as fast as a
// small one.
#include <QList>
#include <utility>

class QTableView;
class QString;

namespace vorlix {

inline constexpr int kFitRows = 30;
// The widest a fitted text column gets.
inline constexpr int kFitMaxWidth = 320;

// The first and last row a fit reads; (0, -1) for an empty model.
std::pair<int, int> rowsInSight(const QTableView &view);
// The width `column` needs for its title and the rows in sight, at most
// `maximum` (the title alone may ask for more and gets it, up to `maximum`).
int fittedWidth(const QTableView &view, int column, int maximum = kFitMaxWidth);
// Narrows `widths` until they add up to `available`, taking from each
// adjustable column in proportion to what it has above its minimum, never
// below that minimum; widths that already fit stay as they are.
void shrinkToFit(QList<int> &widths, const QList<int> &minimum, const QList<bool> &adjustable, int available);
// "1 row", "12 rows".
QString rowCountText(int rows);

} // namespace vorlix
