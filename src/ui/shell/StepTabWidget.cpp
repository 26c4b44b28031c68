#include "shell/StepTabWidget.h"

#include <QButtonGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QVBoxLayout>

namespace vorlix {

namespace {
QStyleOptionTab tabOption(const StepTab *tab)
{
    QStyleOptionTab option;
    option.initFrom(tab);
    option.text = tab->text();
    option.shape = QTabBar::RoundedNorth;
    option.position = QStyleOptionTab::Middle;
    option.documentMode = false;
    if (tab->isChecked())
        option.state |= QStyle::State_Selected;
    if (tab->underMouse())
        option.state |= QStyle::State_MouseOver;
    return option;
}
} // namespace

QSize StepTab::sizeHint() const
{
    const QStyleOptionTab option = tabOption(this);
    const QSize textSize = fontMetrics().size(Qt::TextShowMnemonic, text());
    const int hframe = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vframe = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option,
                                     QSize(textSize.width() + hframe, textSize.height() + vframe), this);
}

void StepTab::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionTab option = tabOption(this);
    option.rect = rect();
    painter.drawControl(QStyle::CE_TabBarTab, option);
}

StepTabWidget::StepTabWidget(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_bar = new QWidget(this);
    m_bar->setObjectName(u"tabLines"_qs);
    layout->addWidget(m_bar);
    m_stack = new QStackedWidget(this);
    m_stack->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    layout->addWidget(m_stack, 1);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &StepTabWidget::setCurrentIndex);
    // Ctrl+Tab and Ctrl+PgDn move to the next tab, with Shift or PgUp back.
    auto step = [this](int by) {
        if (!m_tabs.isEmpty())
            setCurrentIndex((currentIndex() + by + int(m_tabs.size())) % int(m_tabs.size()));
    };
    for (const QKeySequence &next : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(next, this), &QShortcut::activated, this,
                [step] { step(1); });
    for (const QKeySequence &back :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(back, this), &QShortcut::activated, this,
                [step] { step(-1); });
}

int StepTabWidget::addTab(QWidget *page, const QString &caption)
{
    auto *tab = new StepTab(m_bar);
    tab->setText(caption);
    tab->setCheckable(true);
    tab->setFocusPolicy(Qt::TabFocus);
    tab->setAttribute(Qt::WA_Hover);
    tab->installEventFilter(this);
    const int index = m_tabs.size();
    m_tabs.append(tab);
    m_group->addButton(tab, index);
    m_stack->addWidget(page);
    if (index == 0)
        tab->setChecked(true);
    layoutTabs();
    return index;
}

int StepTabWidget::count() const { return m_tabs.size(); }
int StepTabWidget::currentIndex() const { return m_stack->currentIndex(); }
QWidget *StepTabWidget::widget(int index) const { return m_stack->widget(index); }
int StepTabWidget::indexOf(QWidget *page) const { return m_stack->indexOf(page); }
QString StepTabWidget::tabText(int index) const { return index >= 0 && index < m_tabs.size() ? m_tabs[index]->text() : QString(); }
int StepTabWidget::tabLines() const { return m_lines; }

void StepTabWidget::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_tabs.size())
        return;
    m_tabs[index]->setChecked(true);
    if (index == m_stack->currentIndex())
        return;
    m_stack->setCurrentIndex(index);
    for (StepTab *tab : m_tabs)
        tab->update();
    emit currentChanged(index);
}

void StepTabWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutTabs();
}

bool StepTabWidget::eventFilter(QObject *watched, QEvent *event)
{
    // A focused tab moves with the arrow keys, Home and End, like a tab bar.
    if (event->type() == QEvent::KeyPress) {
        const int at = m_tabs.indexOf(qobject_cast<StepTab *>(watched));
        if (at >= 0) {
            int to = -1;
            switch (static_cast<QKeyEvent *>(event)->key()) {
            case Qt::Key_Left: to = at - 1; break;
            case Qt::Key_Right: to = at + 1; break;
            case Qt::Key_Home: to = 0; break;
            case Qt::Key_End: to = int(m_tabs.size()) - 1; break;
            default: break;
            }
            if (to >= 0 && to < m_tabs.size()) {
                setCurrentIndex(to);
                m_tabs[to]->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool StepTabWidget::event(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        layoutTabs();
    return QWidget::event(event);
}

void StepTabWidget::layoutTabs()
{
    // Fill lines from the left. The lines stay where they are whichever tab
    // is current: moving the current line next to the page (as old
    // multi-line tab controls do) puts another tab under the pointer and
    // turns the next click into a misclick.
    const int width = qMax(1, this->width());
    QList<QList<StepTab *>> lines(1);
    int used = 0;
    for (StepTab *tab : m_tabs) {
        const int w = tab->sizeHint().width();
        if (used > 0 && used + w > width) {
            lines.append(QList<StepTab *>());
            used = 0;
        }
        lines.last().append(tab);
        used += w;
    }
    int y = 0;
    for (const QList<StepTab *> &line : lines) {
        int x = 0;
        int h = 0;
        int natural = 0;
        for (StepTab *tab : line)
            natural += tab->sizeHint().width();
        // Lines of a wrapped bar are stretched to the full width.
        const int extra = lines.size() > 1 && !line.isEmpty() ? (width - natural) / int(line.size()) : 0;
        for (StepTab *tab : line) {
            const QSize s = tab->sizeHint();
            const int w = s.width() + qMax(0, extra);
            tab->setGeometry(x, y, w, s.height());
            x += w;
            h = qMax(h, s.height());
        }
        y += h;
    }
    m_lines = int(lines.size());
    m_bar->setFixedHeight(y);
    for (StepTab *tab : m_tabs)
        tab->update();
}

} // namespace vorlix
