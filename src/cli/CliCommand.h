#pragma once
// The command registry of vorlix-cli: each command lives in its own file and
// registers itself with a RegisterCommand object.
#include "commands/CommandFrame.h"
#include "util/Prompter.h"
#include "project/Workbench.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <map>
#include <memory>

namespace vorlix::cli {

// The exit statuses.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// Thrown for a usage error (exit status 2).
struct UsageError {
    QString message;
};

// Answers confirmations with --yes (or No without it) and prints what it
// was asked, so a batch log shows every decision.
class CliPrompter : public Prompter {
public:
    CliPrompter(bool yes, QTextStream &out, QTextStream &err) : m_yes(yes), m_out(out), m_err(err) {}
    bool confirm(const QString &text) override;
    bool warn(const QString &text) override;
    void inform(const QString &text) override;
    void error(const QString &text) override;
    void notice(const QString &text) override;
    std::optional<QString> askText(const QString &title, const QString &prompt, const QString &initial) override;
    std::optional<QString> chooseOpenFile(const QString &title, const QString &filter, const QString &initial) override;
    std::optional<QString> chooseSaveFile(const QString &title, const QString &filter, const QString &initial) override;

    // Answers for askText and the file dialogs, given by the command's arguments.
    std::deque<QString> textAnswers;
    std::deque<QString> fileAnswers;
    int refused = 0; // confirmations answered No

private:
    bool answer(const QString &text);
    bool m_yes;
    QTextStream &m_out;
    QTextStream &m_err;
};

class Context {
public:
    Context(QString appDir, QString exeDir, bool yes);
    ~Context();

    QTextStream out;
    QTextStream err;
    CliPrompter prompter;
    QString appDir;
    QString exeDir;

    // Opens JOB as a project, as "Open project" does, without the options
    // dialog. The session log goes to JOB/vorlix.log when the context closes.
    Workbench &openJob(const QString &job);
    Workbench *workbench() { return m_wb.get(); }
    // Closes the project (saving its log) and writes the settings.
    void close();

private:
    std::unique_ptr<Workbench> m_wb;
};

using CommandFn = int (*)(Context &ctx, const QStringList &args);

// Whether a command draws pictures, which needs a GUI application (fonts):
// always, or only when an off-screen platform is there to draw on (the
// command goes on without its pictures otherwise).
enum class Drawing { None, Always, WhenAvailable };

struct CommandInfo {
    QString name;
    QString usage;   // arguments after the command name
    QString summary;
    CommandFn run;
    Drawing drawing = Drawing::None;
};

std::map<QString, CommandInfo> &registry();

struct RegisterCommand {
    RegisterCommand(const char *name, const char *usage, const char *summary, CommandFn fn,
                    Drawing drawing = Drawing::None);
};

// Parses a command's own arguments: `args` are the words after the command
// name. Throws UsageError on unknown options or a wrong count of positionals.
void parseArgs(QCommandLineParser &parser, const QString &command, const QStringList &args,
               int minPositional, int maxPositional);

// Progress as one line on stderr that is rewritten as the work goes on, when
// stderr is a terminal (batch logs stay clean).
CommandFrame progressFrame(Context &ctx);

// Parses a command whose only argument is the job, and opens the job.
Workbench &openOnlyJob(Context &ctx, const char *command, const QStringList &args);

// Tells how many rows the project database refused during the command
// (nothing when none), and flushes the output.
void reportRefused(Context &ctx, int refusedRows);

// An integer argument or UsageError.
int intArg(const QString &text, const QString &what);

} // namespace vorlix::cli
