// Takes the user manual's pictures from the real workbench window on the
// bundled sample job, offscreen, so that they always show the current window:
//   vorlix-manual-shots OUTDIR
// With --on-screen SECONDS the window is shown on the screen instead (for
// pictures of the window under a window system, e.g. Windows' under Wine):
// each step, and at the end the "Convert whole job" dialog, stays there for
// SECONDS after a line "showing NAME" on stdout, for a screen grabber.
// The sample job and a fresh application folder live in a temporary folder;
// the templates come from beside this executable. Every question the window
// asks gets a scripted answer and no dialog is left open.
#include "devices/DevicePage.h"
#include "translation/DisplayPreview.h"
#include "inventory/DisplayScanPage.h"
#include "shell/MainWindow.h"
#include "shell/StepTabWidget.h"
#include "translation/TranslationPage.h"
#include "commands/ReaderCommands.h"
#include "commands/TranslateCommands.h"
#include "project/Workbench.h"
#include "sample/SampleJob.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <memory>

using namespace vorlix;

namespace {

// The tab of each pictured step.
constexpr int kStep1Tab = 0;
constexpr int kStep5Tab = 4;
constexpr int kStep7Tab = 5;
constexpr int kStep10Tab = 7;

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Seconds each step stays on the screen; 0 takes the pictures offscreen.
int g_onScreenSeconds = 0;

// Runs the event loop for `seconds`.
void hold(int seconds)
{
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
}

// Tells the screen grabber what is on the screen now, and keeps it there.
void showing(const QString &name)
{
    settle();
    std::printf("showing %s\n", qPrintable(name));
    std::fflush(stdout);
    hold(g_onScreenSeconds);
}

// The window as drawn, saved as OUTDIR/NAME through the safe write.
bool shoot(MainWindow &window, const QString &outDir, const QString &name)
{
    if (g_onScreenSeconds > 0) {
        showing(name);
        return true;
    }
    settle();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!window.grab().save(&buffer, "PNG")) {
        std::fprintf(stderr, "%s: the window could not be drawn\n", qPrintable(name));
        return false;
    }
    const QString path = QDir(outDir).filePath(name);
    try {
        writeFileAtomically(path, png);
    } catch (const Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool fail(const char *what)
{
    std::fprintf(stderr, "vorlix-manual-shots: %s\n", what);
    return false;
}

bool takeShots(const QString &outDir)
{
    QTemporaryDir tmp;
    if (!tmp.isValid())
        return fail("no temporary folder");
    const QString appDir = tmp.filePath(u"app"_qs);
    QDir().mkpath(appDir);
    seedAppFolder(appDir, QApplication::applicationDirPath());

    ScriptedPrompter prompter;
    Workbench wb(appDir, prompter);
    MainWindow window(wb);
    window.resize(1200, 860);
    window.show();
    settle();

    const sample::SampleJobPaths paths = sample::writeSampleJob(tmp.filePath(u"site"_qs));
    // A new project asks for its options: the dialog is cancelled, keeping
    // the defaults.
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    prompter.pushFile(QDir(paths.job).filePath(u"MASETUP.DAT"_qs));
    window.openProject();
    if (!wb.projectOpen)
        return fail("the sample job did not open");
    sample::configureSampleProject(wb, paths);
    prompter.pushYesNo(true);
    readDdcCommand(wb, false);
    if (QApplication::activeModalWidget())
        return fail("a dialog was left open");

    StepTabWidget *tabs = window.tabs();
    tabs->setCurrentIndex(kStep1Tab);
    if (!shoot(window, outDir, u"step01.png"_qs))
        return false;

    tabs->setCurrentIndex(kStep5Tab);
    DisplayScanPage *scan = window.displayScanPage();
    scan->buildButton()->click();
    settle();
    scan->tree()->expandAll();
    if (!shoot(window, outDir, u"step05.png"_qs))
        return false;

    tabs->setCurrentIndex(kStep7Tab);
    TranslationPage *translation = window.translationPage();
    if (!translation->loadDisplay(findDisplayFile(wb, u"disp0001.ibw"_qs, false)))
        return fail("disp0001.ibw did not load");
    settle();
    if (!translation->createDisplay(false))
        return fail("disp0001.ibw's BACtalk display was not created");
    if (translation->preview()->bactalk().picture.objects.empty())
        return fail("the preview shows no BACtalk display");
    if (!shoot(window, outDir, u"step07.png"_qs))
        return false;

    tabs->setCurrentIndex(kStep10Tab);
    window.findChild<QAction *>(u"tb_AddGlobal"_qs)->trigger();
    window.findChild<QAction *>(u"tb_AddDevices"_qs)->trigger();
    if (!shoot(window, outDir, u"step10.png"_qs))
        return false;

    if (g_onScreenSeconds > 0) {
        // The convert dialog over the window, then cancelled.
        tabs->setCurrentIndex(kStep1Tab);
        QTimer::singleShot(500, [] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                showing(u"convert-dialog.png"_qs);
                if (auto *d = qobject_cast<QDialog *>(dialog))
                    d->reject();
            }
        });
        window.findChild<QAction *>(u"actConvertJob"_qs)->trigger();
    }
    if (!prompter.errors.isEmpty())
        return fail(qPrintable(u"the window reported: "_qs + prompter.errors.join(u"; "_qs)));
    window.close();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 3 && args[0] == u"--on-screen") {
        g_onScreenSeconds = args[1].toInt();
        args = args.mid(2);
    }
    if (args.size() != 1 || (g_onScreenSeconds <= 0 && QApplication::arguments().size() > 2)) {
        std::fprintf(stderr, "usage: vorlix-manual-shots [--on-screen SECONDS] OUTDIR\n");
        return 2;
    }
    const QString outDir = args[0];
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "%s: the folder could not be made\n", qPrintable(outDir));
        return 1;
    }
    return takeShots(outDir) ? 0 : 1;
}
