#pragma once
// The frame of long commands: the log heading, a repaint, the busy cursor,
// progress in the status bar, the work, and the cursor restored also when
// the work fails (the error is then shown in the error box). Every long
// command of the window runs through here: while one runs, the busy gate
// keeps every other command away.
#include "commands/CommandFrame.h"
#include "util/Progress.h"

#include <QObject>
#include <functional>

class QProgressBar;
class QLabel;
class QWidget;

namespace vorlix {

class BusyGate;
class Workbench;

class CommandRunner : public QObject {
    Q_OBJECT
public:
    CommandRunner(Workbench &wb, QProgressBar *bar, QObject *parent = nullptr);

    // beginBusy / endBusy: one remembered cursor, never nested; the gate
    // closes and opens with it.
    void beginBusy();
    void endBusy();
    // A long command is running: every other command is refused (a command
    // does nothing while busy() is true).
    bool busy() const { return m_busy; }
    // The window whose commands the gate disables, and the widgets (Cancel
    // buttons) that keep their input while a command runs.
    void setWindow(QWidget *window);
    void allowWhileBusy(QWidget *widget);
    // Lets pending events run through the gate (repaints, Cancel clicks).
    void pumpEvents();
    // States what the last command did, in one line (the status bar).
    void tell(const QString &line);

    // Runs `work` in the busy frame. `heading` (when not empty) starts a log
    // entry first. Returns false when the work failed or was refused.
    bool run(const QString &heading, const std::function<void(const Progress &)> &work);
    // Runs `work` and shows an error it raises; no busy cursor. Refused
    // (false) while a long command runs.
    bool guarded(const std::function<void()> &work);

    Progress progress();

    // How a command's frame shows its work: the log heading painted first
    // and progress in the status bar (pending events run as it goes), or
    // only the busy cursor, with no events run until the work ends.
    enum class Shown { Progress, CursorOnly };
    // The frame a page hands to a long core command: `suspended` (the grid
    // the command fills) stops repainting until the work ends.
    CommandFrame frame(QWidget *suspended = nullptr, Shown shown = Shown::Progress);

signals:
    void told(const QString &line);

private:
    Workbench &m_wb;
    QProgressBar *m_bar;
    BusyGate *m_gate;
    bool m_busy = false;
};

} // namespace vorlix
