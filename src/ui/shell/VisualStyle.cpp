#include "shell/VisualStyle.h"

#include "project/VisualStyles.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace vorlix {

namespace {
int g_applied = -1;
QColor rgb(uint32_t v) { return QColor::fromRgb(v); }
} // namespace

int appliedVisualStyle() { return g_applied; }

void applyVisualStyle(int index)
{
    index = validVisualStyle(index);
    if (index == g_applied)
        return;
    if (QApplication::style()->name().compare(u"fusion"_qs, Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(u"Fusion"_qs));
    const VisualStyleInfo &style = visualStyle(index);
    const StyleColours &c = style.colours;
    const QColor button = rgb(c.button);
    QPalette p;
    p.setColor(QPalette::Window, rgb(c.window));
    p.setColor(QPalette::WindowText, rgb(c.windowText));
    p.setColor(QPalette::Base, rgb(c.base));
    p.setColor(QPalette::AlternateBase, rgb(c.alternateBase));
    p.setColor(QPalette::Text, rgb(c.text));
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, rgb(c.buttonText));
    p.setColor(QPalette::Highlight, rgb(c.highlight));
    p.setColor(QPalette::HighlightedText, rgb(c.highlightedText));
    p.setColor(QPalette::ToolTipBase, rgb(c.base));
    p.setColor(QPalette::ToolTipText, rgb(c.text));
    p.setColor(QPalette::PlaceholderText, rgb(c.disabledText));
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, rgb(c.highlight));
    p.setColor(QPalette::Light, button.lighter(style.dark ? 130 : 150));
    p.setColor(QPalette::Midlight, button.lighter(style.dark ? 115 : 125));
    p.setColor(QPalette::Mid, button.darker(style.dark ? 130 : 125));
    p.setColor(QPalette::Dark, button.darker(style.dark ? 160 : 150));
    p.setColor(QPalette::Shadow, style.dark ? QColor(0, 0, 0) : QColor(0x40, 0x40, 0x40));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, rgb(c.disabledText));
    p.setColor(QPalette::Disabled, QPalette::Highlight, button.darker(120));
    QApplication::setPalette(p);
    g_applied = index;
}

} // namespace vorlix
