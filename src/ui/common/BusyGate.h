#pragma once
// The one gate of long work in the window. While it is closed, every
// command of the window is disabled and user input reaches only the widgets
// that may stop the work (the Cancel buttons) and the questions the work
// asks; the window cannot be closed. Pending events run here and nowhere
// else, so no command can start in the middle of another.
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace vorlix {

class BusyGate : public QObject {
    Q_OBJECT
public:
    explicit BusyGate(QObject *parent = nullptr);
    ~BusyGate() override;

    // The window whose commands the gate disables (set once it exists).
    void setWindow(QWidget *window) { m_window = window; }
    // A widget that keeps its input while the gate is closed.
    void allow(QWidget *widget);

    bool closed() const { return m_closed; }
    void close();
    void open();

    // Lets pending events run: repaints, timers, and input for the allowed
    // widgets and the work's own questions.
    void pumpEvents();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isAllowed(const QWidget *widget) const;
    bool holdsAllowed(const QWidget *widget) const;
    void disableCommands(QWidget *under);

    QPointer<QWidget> m_window;
    QList<QPointer<QWidget>> m_allowed;
    QList<QPointer<QWidget>> m_disabled;
    bool m_closed = false;
};

} // namespace vorlix
