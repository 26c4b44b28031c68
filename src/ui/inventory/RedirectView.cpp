#include "inventory/RedirectView.h"

#include <QKeyEvent>

namespace vorlix {

RedirectView::RedirectView(QWidget *parent) : TextGrid(parent)
{
    connect(this, &QAbstractItemView::doubleClicked, this, &RedirectView::editRequested);
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
    TextGrid::keyPressEvent(event);
}

} // namespace vorlix
