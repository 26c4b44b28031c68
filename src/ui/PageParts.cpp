#include "PageParts.h"

#include "project/Messages.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
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

void markNotAvailable(QWidget *control)
{
    control->setEnabled(false);
    control->setToolTip(msg::notAvailableYet());
    // Disabled widgets show no tool tip by default; this one should.
    control->setAttribute(Qt::WA_AlwaysShowToolTips, true);
}

QAction *addNotAvailable(QMenu &menu, const QString &caption)
{
    QAction *a = menu.addAction(caption);
    a->setEnabled(false);
    a->setToolTip(msg::notAvailableYet());
    menu.setToolTipsVisible(true);
    return a;
}

QCheckBox *makeCheckBox(const QString &caption, const char *objectName, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(objectName));
    c->setChecked(false);
    return c;
}

} // namespace vorlix
