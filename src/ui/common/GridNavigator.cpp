#include "common/GridNavigator.h"

#include "common/DataGrid.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace vorlix {

GridNavigator::GridNavigator(DataGrid *grid, bool insertDelete, QWidget *parent) : QWidget(parent), m_grid(grid)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    auto add = [&](const QString &glyph, const QString &tip, auto fn) {
        auto *b = new QToolButton(this);
        b->setText(glyph);
        b->setToolTip(tip);
        b->setAutoRaise(false);
        b->setMinimumWidth(28);
        connect(b, &QToolButton::clicked, this, fn);
        row->addWidget(b);
    };
    add(u"|\u25C0"_qs, tr("First record"), [this] { move(-2); });
    add(u"\u25C0"_qs, tr("Prior record"), [this] { move(-1); });
    add(u"\u25B6"_qs, tr("Next record"), [this] { move(1); });
    add(u"\u25B6|"_qs, tr("Last record"), [this] { move(2); });
    if (insertDelete) {
        add(u"+"_qs, tr("Insert record"), [this] { m_grid->insertRow(); });
        add(u"\u2212"_qs, tr("Delete record"), [this] { m_grid->deleteCurrentRow(); });
    }
    add(u"\u25B2"_qs, tr("Edit record"), [this] {
        if (m_grid->currentIndex().isValid()) {
            m_grid->setFocus();
            m_grid->edit(m_grid->currentIndex());
        }
    });
    add(u"\u2715"_qs, tr("Cancel edit"), [this] { m_grid->cancelPendingEdit(); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void GridNavigator::move(int to)
{
    QAbstractItemModel *m = m_grid->model();
    if (!m || m->rowCount() == 0)
        return;
    const QModelIndex current = m_grid->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    int row = current.isValid() ? current.row() : 0;
    switch (to) {
    case -2: row = 0; break;
    case -1: row = qMax(0, row - 1); break;
    case 1: row = qMin(m->rowCount() - 1, row + 1); break;
    default: row = m->rowCount() - 1; break;
    }
    m_grid->setCurrentIndex(m->index(row, column));
    m_grid->scrollTo(m_grid->currentIndex());
}

} // namespace vorlix
