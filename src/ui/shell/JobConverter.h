#pragma once
// "Convert whole job..." in the window: the options dialog, the run of the
// stages with progress and a Cancel button in the status bar, and the offer
// to open the report at the end.
#include "commands/ConvertCommand.h"

#include <QObject>
#include <optional>

class QPushButton;
class QStatusBar;
class QWidget;

namespace vorlix {

class CommandRunner;
class Workbench;

struct ConvertRequest {
    ConvertOptions options;
    bool replaceFiles = false; // answers the questions whether to replace a file
};

class JobConverter : public QObject {
    Q_OBJECT
public:
    JobConverter(Workbench &wb, CommandRunner &runner, QStatusBar *bar, QWidget *window);

    // Shows the options dialog; nothing when it is cancelled. Without an
    // open project, says so.
    std::optional<ConvertRequest> ask();
    // Runs the conversion through the busy gate: while it runs, user input
    // reaches only the Cancel button (and the window cannot be closed);
    // Cancel stops after the current display or file. Returns false when the
    // run could not start or failed.
    bool run(const ConvertRequest &request);
    // Says how the last run ended and where its report is, and opens the
    // report when the user wants.
    void offerReport();

    QPushButton *cancelButton() const { return m_cancel; }
    bool running() const { return m_running; }
    const std::optional<ConversionReport> &lastReport() const { return m_report; }
    // Told when a stage starts (tests cancel from here).
    std::function<void(const QString &stage)> stageStarted;

private:
    Progress progress();

    Workbench &m_wb;
    CommandRunner &m_runner;
    QWidget *m_window;
    QPushButton *m_cancel;
    bool m_running = false;
    bool m_cancelRequested = false;
    std::optional<ConversionReport> m_report;
};

} // namespace vorlix
