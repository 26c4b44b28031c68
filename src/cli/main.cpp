// vorlix-cli: the conversion steps without a window.
#include "CliCommand.h"
#include "CliPlatform.h"

#include "util/Error.h"
#include "util/FileUtil.h"
#include "project/Workbench.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <memory>
#include <QDir>
#include <QFileInfo>

using namespace vorlix;
using namespace vorlix::cli;

namespace {

void printUsage(QTextStream &s)
{
    s << "usage: vorlix-cli [--app-dir DIR] [--yes] COMMAND ARGS...\n\ncommands:\n";
    for (const auto &[name, info] : registry())
        s << "  " << name << ' ' << info.usage << "\n      " << info.summary << '\n';
    s.flush();
}

// Whether a GUI application can be made without failing the run: a
// platform the caller chose is taken as it is; otherwise the off-screen
// platform's plugin must be installed.
bool guiPlatformAvailable()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    // Before the application exists Qt does not yet look beside the
    // executable, where an installed Windows program keeps its plugins.
    QStringList dirs = QCoreApplication::libraryPaths();
    if (const QString exe = executableFolder(); !exe.isEmpty())
        dirs << exe;
    for (const QString &dir : dirs)
        if (!QDir(dir + u"/platforms"_qs).entryList({u"*qoffscreen*"_qs}, QDir::Files).isEmpty())
            return true;
    return false;
}

// How the command named on the command line draws: the first word that is
// neither an option nor the folder of --app-dir names the command.
Drawing commandDrawing(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray word(argv[i]);
        if (word == "--app-dir") {
            ++i;
            continue;
        }
        if (word.startsWith('-'))
            continue;
        const auto it = registry().find(QString::fromLocal8Bit(word));
        return it == registry().end() ? Drawing::None : it->second.drawing;
    }
    return Drawing::None;
}

// Drawing pictures needs fonts, which need a GUI application; it runs
// without a display unless the caller chose a platform. convert draws the
// report's thumbnails only when it can: without the off-screen platform it
// goes on without them.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    const Drawing use = commandDrawing(argc, argv);
    const bool drawing = use == Drawing::Always || (use == Drawing::WhenAvailable && guiPlatformAvailable());
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (drawing)
        prepareDrawing();
    std::unique_ptr<QCoreApplication> app(drawing ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    // The same per-user application folder as the workbench's.
    QCoreApplication::setApplicationName(u"Vorlix"_qs);
    QCoreApplication::setOrganizationName(u"Vorlix"_qs);
    QCoreApplication::setApplicationVersion(QStringLiteral(VORLIX_VERSION));
    return app;
}

// A path whose bytes are not text in the system's encoding would come back
// as another path (and the work land in a sibling folder): such an argument
// is refused, with a message.
bool argumentsAreText(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!pathSurvivesRoundTrip(QByteArray(argv[i]))) {
            QTextStream(stderr) << "The argument \"" << QString::fromLocal8Bit(argv[i])
                                << "\" holds bytes that are not text in this system's encoding (UTF-8); "
                                   "a file or folder named with them cannot be used. Nothing was done.\n";
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    prepareConsole();
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    if (!argumentsAreText(argc, argv))
        return ExitFailed;
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    QCommandLineOption appDirOpt(u"app-dir"_qs, u"Application folder (settings, default project)."_qs, u"DIR"_qs);
    QCommandLineOption yesOpt(u"yes"_qs, u"Answer Yes to every confirmation."_qs);
    QCommandLineOption helpOpt({u"h"_qs, u"help"_qs}, u"Show the commands."_qs);
    parser.addOption(appDirOpt);
    parser.addOption(yesOpt);
    parser.addOption(helpOpt);
    QTextStream err(stderr);
    QTextStream out(stdout);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << '\n';
        printUsage(err);
        return ExitUsage;
    }
    if (parser.isSet(helpOpt)) {
        printUsage(out);
        return ExitOk;
    }
    QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        printUsage(err);
        return ExitUsage;
    }
    const QString command = words.takeFirst();
    const auto it = registry().find(command);
    if (it == registry().end()) {
        err << "unknown command: " << command << '\n';
        printUsage(err);
        return ExitUsage;
    }

    const QString exeDir = QCoreApplication::applicationDirPath();
    QString appDir;
    if (parser.isSet(appDirOpt)) {
        appDir = QFileInfo(parser.value(appDirOpt)).absoluteFilePath();
        seedAppFolder(appDir, exeDir);
    } else {
        appDir = resolveAppFolder(exeDir);
    }

    try {
        Context ctx(appDir, exeDir, parser.isSet(yesOpt));
        const int rc = it->second.run(ctx, words);
        ctx.close();
        return rc;
    } catch (const UsageError &e) {
        err << e.message << "\nusage: vorlix-cli " << command << ' ' << it->second.usage << '\n';
        return ExitUsage;
    } catch (const Error &e) {
        err << e.message() << '\n';
        return ExitFailed;
    } catch (const std::exception &e) {
        err << e.what() << '\n';
        return ExitFailed;
    }
}
