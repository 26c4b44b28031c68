#pragma once
// One tab of the main window. Pages with grids bind them to the project
// database after it is (re)connected, and let go of them before it closes.
#include <QWidget>

namespace vorlix {

class CommandRunner;
class Workbench;

class StepPage : public QWidget {
    Q_OBJECT
public:
    StepPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr)
        : QWidget(parent), m_wb(wb), m_runner(runner)
    {
    }
    // The project database was connected (start-up, open, close).
    virtual void attach() {}
    // The project database is about to close.
    virtual void detach() {}
    // The user left this tab: discard an edit in progress.
    virtual void cancelPendingEdits() {}

protected:
    Workbench &m_wb;
    CommandRunner &m_runner;
};

} // namespace vorlix
