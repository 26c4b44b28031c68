#include "translation/TranslationGrid.h"

#include "translate/Translation.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace vorlix {

TranslationGrid::TranslationGrid(QWidget *parent) : TextGrid(parent)
{
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setTabKeyNavigation(false);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.column() == Translation::colBtText || index.column() == Translation::colBtPoint)
            emit overrideRequested(index.row(), index.column());
    });
}

void TranslationGrid::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex at = currentIndex();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && at.isValid()
        && (at.column() == Translation::colBtText || at.column() == Translation::colBtPoint)
        && !model()->index(at.row(), Translation::colObj).data().toString().isEmpty()) {
        event->accept();
        emit overrideRequested(at.row(), at.column());
        return;
    }
    TextGrid::keyPressEvent(event);
}

} // namespace vorlix
