#pragma once
// The frame of long commands: the log heading, a repaint, the busy cursor,
// progress in the status bar, the work, and the cursor restored also when
// the work fails (the error is then shown in the error box).
#include "commands/CommandFrame.h"
#include "util/Progress.h"

#include <QObject>
#include <functional>

class QProgressBar;
class QLabel;
class QWidget;

namespace vorlix {

class Workbench;

class CommandRunner : public QObject {
    Q_OBJECT
public:
    CommandRunner(Workbench &wb, QProgressBar *bar, QObject *parent = nullptr);

    // beginBusy / endBusy: one remembered cursor, never nested.
    void beginBusy();
    void endBusy();

    // Runs `work` in the busy frame. `heading` (when not empty) starts a log
    // entry first. Returns false when the work failed.
    bool run(const QString &heading, const std::function<void(const Progress &)> &work);
    // Runs `work` and shows an error it raises; no busy cursor.
    bool guarded(const std::function<void()> &work);

    Progress progress();

    // How a command's frame shows its work: the log heading painted first
    // and progress in the status bar (pending events run as it goes), or
    // only the busy cursor, with no events run until the work ends.
    enum class Shown { Progress, CursorOnly };
    // The frame a page hands to a long core command: `suspended` (the grid
    // the command fills) stops repainting until the work ends.
    CommandFrame frame(QWidget *suspended = nullptr, Shown shown = Shown::Progress);

private:
    Workbench &m_wb;
    QProgressBar *m_bar;
    bool m_busy = false;
};

} // namespace vorlix
