#include "common/BusyGate.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>

namespace vorlix {

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// Texts and bars show the work; they are no commands.
bool showsOnly(const QWidget *w)
{
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QProgressBar *>(w) ||
           qobject_cast<const QStatusBar *>(w);
}

} // namespace

BusyGate::BusyGate(QObject *parent) : QObject(parent) {}

BusyGate::~BusyGate() { open(); }

void BusyGate::allow(QWidget *widget) { m_allowed.append(QPointer<QWidget>(widget)); }

bool BusyGate::isAllowed(const QWidget *widget) const
{
    for (const QPointer<QWidget> &a : m_allowed)
        if (a && (a == widget || a->isAncestorOf(widget)))
            return true;
    return false;
}

bool BusyGate::holdsAllowed(const QWidget *widget) const
{
    for (const QPointer<QWidget> &a : m_allowed)
        if (a && widget->isAncestorOf(a))
            return true;
    return false;
}

void BusyGate::disableCommands(QWidget *under)
{
    // The largest parts of the window that hold no allowed widget are
    // disabled whole; their own children keep their enabled state.
    for (QObject *o : under->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow() || isAllowed(w) || showsOnly(w))
            continue;
        if (holdsAllowed(w)) {
            disableCommands(w);
        } else if (w->isEnabled()) {
            w->setEnabled(false);
            m_disabled.append(QPointer<QWidget>(w));
        }
    }
}

void BusyGate::close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_window)
        disableCommands(m_window);
    qApp->installEventFilter(this);
}

void BusyGate::open()
{
    if (!m_closed)
        return;
    m_closed = false;
    qApp->removeEventFilter(this);
    for (const QPointer<QWidget> &w : std::as_const(m_disabled))
        if (w)
            w->setEnabled(true);
    m_disabled.clear();
}

void BusyGate::pumpEvents() { QApplication::processEvents(); }

bool BusyGate::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_closed)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false; // the window system's windows hand the events on to widgets
    // A question the work asks takes its answer.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->isAncestorOf(widget))
        return false;
    if (QWidget *modal = QApplication::activeModalWidget(); modal == widget)
        return false;
    if (event->type() == QEvent::Close && widget->isWindow() && event->spontaneous()) {
        event->ignore();
        return true;
    }
    return isUserInput(event->type()) && !isAllowed(widget);
}

} // namespace vorlix
