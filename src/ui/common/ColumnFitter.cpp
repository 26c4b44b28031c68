#include "common/ColumnFitter.h"

#include <QHeaderView>
#include <QTableView>
#include <cmath>

namespace vorlix {

std::pair<int, int> rowsInSight(const QTableView &view)
{
    const QAbstractItemModel *model = view.model();
    const int rows = model ? model->rowCount() : 0;
    if (rows == 0)
        return {0, -1};
    const int first = qMax(0, view.rowAt(0));
    const int rowHeight = qMax(1, view.verticalHeader()->defaultSectionSize());
    const int screenful = view.viewport()->height() / rowHeight + 1;
    return {first, qMin(rows - 1, first + qMax(screenful, kFitRows) - 1)};
}

int fittedWidth(const QTableView &view, int column, int maximum)
{
    const QHeaderView *header = view.horizontalHeader();
    int width = header->sectionSizeHint(column);
    const auto [first, last] = rowsInSight(view);
    for (int row = first; row <= last && width < maximum; ++row)
        width = qMax(width, view.sizeHintForIndex(view.model()->index(row, column)).width());
    // The grid line between the columns.
    return qMin(maximum, width + (view.showGrid() ? 1 : 0));
}

void shrinkToFit(QList<int> &widths, const QList<int> &minimum, const QList<bool> &adjustable, int available)
{
    int total = 0;
    int spare = 0;
    for (int c = 0; c < widths.size(); ++c) {
        total += widths[c];
        if (adjustable.value(c))
            spare += qMax(0, widths[c] - minimum.value(c));
    }
    const int excess = total - available;
    if (excess <= 0 || spare <= 0)
        return;
    const double share = qMin(1.0, double(excess) / spare);
    for (int c = 0; c < widths.size(); ++c)
        if (adjustable.value(c) && widths[c] > minimum.value(c))
            widths[c] -= int(std::ceil((widths[c] - minimum.value(c)) * share));
}

QString rowCountText(int rows) { return rows == 1 ? u"1 row"_qs : QStringLiteral("%1 rows").arg(rows); }

} // namespace vorlix
