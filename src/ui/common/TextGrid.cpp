#include "common/TextGrid.h"

#include "common/ColumnFitter.h"
#include "project/Settings.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>

namespace vorlix {

namespace {
constexpr int kShortColumn = 64;
} // namespace

TextGrid::TextGrid(QWidget *parent) : QTableView(parent)
{
    horizontalHeader()->setDefaultSectionSize(90);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (!m_sizing && model() && column < model()->columnCount() - 1)
            m_userSized.insert(column);
    });
}

void TextGrid::setModel(QAbstractItemModel *newModel)
{
    if (model())
        disconnect(model(), nullptr, this, nullptr);
    QTableView::setModel(newModel);
    if (!newModel)
        return;
    connect(newModel, &QAbstractItemModel::modelReset, this, &TextGrid::rowsChanged);
    connect(newModel, &QAbstractItemModel::rowsInserted, this, &TextGrid::rowsChanged);
    connect(newModel, &QAbstractItemModel::rowsRemoved, this, &TextGrid::rowsChanged);
    rowsChanged();
}

void TextGrid::rowsChanged()
{
    fitColumns();
    emit summaryChanged(summary());
}

void TextGrid::fitColumns()
{
    if (!model() || model()->rowCount() == 0)
        return;
    // What each column needs, then, on screen, narrowed so that every
    // column shows, the last (stretched) one included.
    const int columns = model()->columnCount();
    QList<int> widths, minimum;
    QList<bool> adjustable;
    for (int c = 0; c < columns; ++c) {
        const bool fitted = !m_userSized.contains(c) && !isColumnHidden(c);
        widths << (isColumnHidden(c) ? 0 : fitted ? fittedWidth(*this, c) : columnWidth(c));
        // Short columns (object numbers, Apex numbers) keep what they need.
        minimum << qMin(widths.last(), qMax(kShortColumn, horizontalHeader()->sectionSizeHint(c)));
        adjustable << fitted;
    }
    if (isVisible()) {
        // The vertical scroll bar the rows are about to need takes its width.
        int available = viewport()->width();
        if (!verticalScrollBar()->isVisible() &&
            model()->rowCount() * verticalHeader()->defaultSectionSize() > viewport()->height())
            available -= verticalScrollBar()->sizeHint().width();
        shrinkToFit(widths, minimum, adjustable, available);
    }
    m_sizing = true;
    for (int c = 0; c < columns; ++c)
        if (adjustable[c])
            setColumnWidth(c, widths[c]);
    m_sizing = false;
}

void TextGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        fitColumns();
}

QString TextGrid::summary() const { return rowCountText(model() ? model()->rowCount() : 0); }

void TextGrid::applyWidthList(const QString &list)
{
    setStartWidths(Settings::stringGridWidths(list, model() ? model()->columnCount() : 0));
}

void TextGrid::setStartWidths(const QList<int> &widths)
{
    m_sizing = true;
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths[c]);
    m_sizing = false;
}

QString TextGrid::widthList() const
{
    QList<int> widths;
    for (int c = 0; c < (model() ? model()->columnCount() : 0); ++c)
        widths << columnWidth(c);
    return Settings::widthList(widths);
}

} // namespace vorlix
