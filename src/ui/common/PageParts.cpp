#include "common/PageParts.h"
#include "common/DataGrid.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace vorlix {

QLabel *makeHeading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    label->setFont(f);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(u"heading"_qs);
    return label;
}

QPushButton *makeButton(const QString &caption, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(objectName));
    return b;
}

QCheckBox *makeCheckBox(const QString &caption, const char *objectName, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(objectName));
    c->setChecked(false);
    return c;
}

QLabel *makeSummaryLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(u"gridSummary"_qs);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void addGridSummary(QBoxLayout *row, DataGrid *grid, QWidget *parent)
{
    QLabel *summary = makeSummaryLabel(parent);
    QObject::connect(grid, &DataGrid::summaryChanged, summary, &QLabel::setText);
    row->addWidget(summary);
}

} // namespace vorlix
