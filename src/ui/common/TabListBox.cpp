#include "common/TabListBox.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace vorlix {

namespace {
class TabStopDelegate : public QStyledItemDelegate {
public:
    explicit TabStopDelegate(TabListBox *box) : QStyledItemDelegate(box), m_box(box) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        QStyle *style = plain.widget ? plain.widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        const QStringList columns = text.split(u'\t');
        const QList<int> starts = m_box->columnStarts(text);
        painter->save();
        painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                   : QPalette::Text));
        for (int i = 0; i < columns.size(); ++i) {
            QRect r = option.rect.adjusted(3 + starts[i], 0, 0, 0);
            painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, columns[i]);
        }
        painter->restore();
    }

private:
    TabListBox *m_box;
};
} // namespace

TabListBox::TabListBox(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new TabStopDelegate(this));
    setUniformItemSizes(true);
}

void TabListBox::setTabStops(const QList<int> &pixels)
{
    m_stops = pixels;
    viewport()->update();
}

QList<int> TabListBox::columnStarts(const QString &text) const
{
    const QStringList columns = text.split(u'\t');
    const QFontMetrics fm(font());
    QList<int> starts;
    int x = 0;
    for (int i = 0; i < columns.size(); ++i) {
        if (i > 0) {
            const int end = x + fm.horizontalAdvance(columns[i - 1]) + fm.horizontalAdvance(u' ');
            const int stop = i - 1 < m_stops.size() ? m_stops[i - 1] : end;
            x = qMax(stop, end);
        }
        starts << x;
    }
    return starts;
}

} // namespace vorlix
