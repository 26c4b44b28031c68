#include "inventory/TreeLegend.h"

#include "common/CueColours.h"
#include "inventory/InventoryTreeModel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

namespace vorlix {

TreeLegend::TreeLegend(InventoryTree::Kind kind, QWidget *parent) : QWidget(parent)
{
    setObjectName(u"treeLegend"_qs);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    if (kind == InventoryTree::Kind::Display) {
        addEntry(stMade, u"BACtalk display made"_qs, Cue::Plain);
        addEntry(stNotMade, u"not made yet"_qs, Cue::Plain);
    } else {
        addEntry(stLink, u"pushbutton link"_qs, Cue::Plain);
    }
    addEntry(stNone, u"redirected or skipped"_qs, Cue::Red);
    addEntry(stNone, u"not reached by the scan"_qs, Cue::Blue);
    addEntry(stNone, u"file missing (italic)"_qs, Cue::Missing);
    recolour();
}

void TreeLegend::addEntry(int state, const QString &text, Cue cue)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    const int at = int(m_entries.size());
    auto *icon = new QLabel(this);
    icon->setFixedSize(16, 16);
    if (state != stNone)
        icon->setPixmap(InventoryTreeModel::stateIcon(state).pixmap(16, 16));
    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    if (cue == Cue::Missing) {
        QFont italic = label->font();
        italic.setItalic(true);
        label->setFont(italic);
    }
    // One entry a line: the key stays narrow under a narrow tree.
    grid->addWidget(icon, at, 0);
    grid->addWidget(label, at, 1);
    grid->setColumnStretch(1, 1);
    m_entries.push_back({label, cue});
}

void TreeLegend::recolour()
{
    const bool dark = isDarkPalette(palette());
    for (const Entry &e : m_entries) {
        QPalette p = e.label->palette();
        p.setColor(QPalette::WindowText,
                   e.cue == Cue::Plain ? palette().color(QPalette::WindowText) : cueColour(e.cue, dark));
        e.label->setPalette(p);
    }
}

void TreeLegend::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        recolour();
}

QStringList TreeLegend::texts() const
{
    QStringList out;
    for (const Entry &e : m_entries)
        out << e.label->text();
    return out;
}

QColor TreeLegend::colourOf(const QString &text) const
{
    for (const Entry &e : m_entries)
        if (e.label->text() == text)
            return e.label->palette().color(QPalette::WindowText);
    return {};
}

} // namespace vorlix
