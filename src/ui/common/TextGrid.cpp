#include "common/TextGrid.h"

#include "project/Settings.h"

#include <QHeaderView>

namespace vorlix {

TextGrid::TextGrid(QWidget *parent) : QTableView(parent)
{
    horizontalHeader()->setDefaultSectionSize(90);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
}

void TextGrid::applyWidthList(const QString &list)
{
    const QList<int> widths = Settings::stringGridWidths(list, model() ? model()->columnCount() : 0);
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths[c]);
}

QString TextGrid::widthList() const
{
    QList<int> widths;
    for (int c = 0; c < (model() ? model()->columnCount() : 0); ++c)
        widths << columnWidth(c);
    return Settings::widthList(widths);
}

} // namespace vorlix
