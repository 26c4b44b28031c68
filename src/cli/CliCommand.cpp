#include "CliCommand.h"
#include "CliPlatform.h"
#include "commands/CommandSummary.h"

#include "commands/OpenCommands.h"

#include "util/Error.h"
#include "util/TextUtil.h"

#include <QDir>
#include <cstdio>

namespace vorlix::cli {

static FILE *stdoutHandle() { return stdout; }
static FILE *stderrHandle() { return stderr; }

bool CliPrompter::answer(const QString &text)
{
    m_err << text << (m_yes ? " -> Yes" : " -> No (use --yes to answer Yes)") << Qt::endl;
    if (!m_yes)
        ++refused;
    return m_yes;
}

bool CliPrompter::confirm(const QString &text) { return answer(text); }
bool CliPrompter::warn(const QString &text) { return answer(text); }
void CliPrompter::inform(const QString &text) { m_out << text << Qt::endl; }
void CliPrompter::error(const QString &text) { m_err << text << Qt::endl; }
void CliPrompter::notice(const QString &text) { m_err << text << Qt::endl; }

std::optional<QString> CliPrompter::askText(const QString &title, const QString &prompt, const QString &)
{
    if (textAnswers.empty()) {
        m_err << title << ": " << prompt << " -> cancelled" << Qt::endl;
        return std::nullopt;
    }
    QString v = textAnswers.front();
    textAnswers.pop_front();
    return v;
}

std::optional<QString> CliPrompter::chooseOpenFile(const QString &title, const QString &, const QString &)
{
    if (fileAnswers.empty()) {
        m_err << title << " -> cancelled" << Qt::endl;
        return std::nullopt;
    }
    QString v = fileAnswers.front();
    fileAnswers.pop_front();
    return v;
}

std::optional<QString> CliPrompter::chooseSaveFile(const QString &title, const QString &filter, const QString &initial)
{
    return chooseOpenFile(title, filter, initial);
}

Context::Context(QString appDir_, QString exeDir_, bool yes)
    : out(stdoutHandle()), err(stderrHandle()), prompter(yes, out, err), appDir(std::move(appDir_)),
      exeDir(std::move(exeDir_))
{
}

Context::~Context()
{
    try {
        close();
    } catch (const Error &e) {
        err << e.message() << Qt::endl;
    }
}

Workbench &Context::openJob(const QString &job)
{
    const QFileInfo info(job);
    if (!info.isDir())
        throw Error(QStringLiteral("The job folder \"%1\" does not exist.").arg(QDir::toNativeSeparators(job)));
    m_wb = std::make_unique<Workbench>(appDir, prompter);
    m_wb->startUp();
    m_wb->connectDefaultProject();
    openProjectCommand(*m_wb, info.absoluteFilePath(), progressFrame(*this));
    return *m_wb;
}

void Context::close()
{
    if (!m_wb)
        return;
    auto wb = std::move(m_wb);
    wb->closeProject();
    // The CLI has no window: it never writes column widths or visibility.
    wb->shutDown(false);
}

std::map<QString, CommandInfo> &registry()
{
    static std::map<QString, CommandInfo> commands;
    return commands;
}

RegisterCommand::RegisterCommand(const char *name, const char *usage, const char *summary, CommandFn fn,
                                 Drawing drawing)
{
    registry()[QString::fromLatin1(name)] =
        CommandInfo{QString::fromLatin1(name), QString::fromLatin1(usage), QString::fromLatin1(summary), fn, drawing};
}

void parseArgs(QCommandLineParser &parser, const QString &command, const QStringList &args, int minPositional,
               int maxPositional)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{u"vorlix-cli "_qs + command} + args))
        throw UsageError{parser.errorText()};
    const int n = static_cast<int>(parser.positionalArguments().size());
    if (n < minPositional || (maxPositional >= 0 && n > maxPositional))
        throw UsageError{QStringLiteral("wrong number of arguments for %1").arg(command)};
}

CommandFrame progressFrame(Context &ctx)
{
    CommandFrame frame;
    if (isTerminal(stderr)) {
        frame.progress.report = [&ctx](int done, int total, const QString &what) {
            ctx.err << '\r' << what << " (" << done << '/' << total << ')' << Qt::flush;
        };
        frame.endBusy = [&ctx] { ctx.err << '\r' << QString(30, u' ') << '\r' << Qt::flush; };
    }
    return frame;
}

Workbench &openOnlyJob(Context &ctx, const char *command, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, QLatin1String(command), args, 1, 1);
    return ctx.openJob(p.positionalArguments().at(0));
}

void reportRefused(Context &ctx, int refusedRows)
{
    if (refusedRows > 0)
        ctx.out << refusedRowsText(refusedRows, LogPlace::SessionLog) << '\n';
    ctx.out.flush();
}

int intArg(const QString &text, const QString &what)
{
    int32_t v = 0;
    if (!parseInt32(text, v))
        throw UsageError{QStringLiteral("%1 must be a whole number, not \"%2\"").arg(what, text)};
    return v;
}

} // namespace vorlix::cli
