#include "inventory/RedirectView.h"

#include "common/GridWidths.h"

#include <QKeyEvent>

namespace vorlix {

RedirectView::RedirectView(QWidget *parent) : QTableView(parent)
{
    setUpTextGrid(this);
    connect(this, &QAbstractItemView::doubleClicked, this, &RedirectView::editRequested);
}

void RedirectView::applyWidthList(const QString &list)
{
    if (model())
        vorlix::applyWidthList(this, model()->columnCount(), list);
}

QString RedirectView::widthList() const
{
    return model() ? vorlix::widthList(this, model()->columnCount()) : QString();
}

int RedirectView::selectedRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RedirectView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit editRequested();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace vorlix
