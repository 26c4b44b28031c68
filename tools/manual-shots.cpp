// Takes the user manual's pictures from the real workbench window on the
// bundled sample job, so that they always show the current window: every
// step page after its main action, and the override, redirect,
// multi-record edit and convert dialogs.
//   vorlix-manual-shots OUTDIR [--visual-style N] [--size WIDTHxHEIGHT | --size max] [--on-screen SECONDS]
// Without options the window has its initial size and its default style;
// `--visual-style` and `--size` take the same pictures in another visual style and
// window size (under a real display server, `max` shows the window
// maximised). With --on-screen the window is shown on the screen instead of
// drawn offscreen (pictures of the window under a window system, e.g.
// Windows' under Wine): each picture stays there for SECONDS after a line
// "showing NAME" on stdout, for a screen grabber. The sample job and a fresh application folder live in a
// temporary folder; the templates come from beside this executable. Every
// question the window asks is answered Yes, and no dialog is left open.
#include "common/DataGrid.h"
#include "devices/DevicePage.h"
#include "tables/DdcFilesPage.h"
#include "inventory/DisplayScanPage.h"
#include "shell/MainWindow.h"
#include "shell/StepTabWidget.h"
#include "translation/DisplayPreview.h"
#include "translation/TranslationPage.h"
#include "commands/RedirectCommands.h"
#include "commands/TranslateCommands.h"
#include "project/Workbench.h"
#include "sample/SampleJob.h"
#include "translate/Translation.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <functional>

using namespace vorlix;

namespace {

struct ShotOptions {
    QString outDir;
    int style = -1;  // -1: the settings' style (the default)
    QSize size;      // empty: the window's initial size
    bool maximised = false;
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Seconds each picture stays on the screen; 0 takes the pictures offscreen.
int g_onScreenSeconds = 0;

// Tells the screen grabber what is on the screen now, and keeps it there.
void showing(const QString &name)
{
    settle();
    std::printf("showing %s\n", qPrintable(name));
    std::fflush(stdout);
    QEventLoop loop;
    QTimer::singleShot(g_onScreenSeconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
}

bool fail(const QString &what)
{
    std::fprintf(stderr, "vorlix-manual-shots: %s\n", qPrintable(what));
    return false;
}

// A widget as drawn, saved as OUTDIR/NAME through the safe write.
bool save(QWidget &widget, const QString &outDir, const QString &name)
{
    if (g_onScreenSeconds > 0) {
        showing(name);
        return true;
    }
    settle();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!widget.grab().save(&buffer, "PNG"))
        return fail(name + u": the window could not be drawn"_qs);
    const QString path = QDir(outDir).filePath(name);
    try {
        writeFileAtomically(path, png);
    } catch (const Error &e) {
        return fail(e.message());
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Runs `open`, which shows a modal dialog; the dialog is pictured as NAME
// and cancelled.
bool saveDialog(const QString &outDir, const QString &name, const std::function<void()> &open)
{
    bool saved = false;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        saved = save(*dialog, outDir, name);
        dialog->reject();
    });
    open();
    if (!seen)
        return fail(name + u": the dialog did not open"_qs);
    return saved;
}

QPushButton *button(QWidget &in, const char *name) { return in.findChild<QPushButton *>(QLatin1String(name)); }
void trigger(QWidget &in, const char *name) { in.findChild<QAction *>(QLatin1String(name))->trigger(); }

// Steps 1 to 4: the map as the sample sets it, then the three readers.
bool shootReaders(MainWindow &window, const QString &outDir)
{
    StepTabWidget *tabs = window.tabs();
    tabs->setCurrentIndex(0);
    if (!save(window, outDir, u"step01.png"_qs))
        return false;
    const char *readers[] = {"btn_ReadDdc", "btn_ReadPoints", "btn_ReadCpanels"};
    for (int i = 0; i < 3; ++i) {
        tabs->setCurrentIndex(i + 1);
        button(window, readers[i])->click();
        if (!save(window, outDir, QStringLiteral("step%1.png").arg(i + 2, 2, 10, QLatin1Char('0'))))
            return false;
    }
    return true;
}

// Steps 5 and 6: the scan, then a redirect and its dialog.
bool shootInventory(MainWindow &window, Workbench &wb, const QString &outDir)
{
    window.tabs()->setCurrentIndex(window.tabs()->indexOf(window.displayScanPage()));
    DisplayScanPage *scan = window.displayScanPage();
    scan->buildButton()->click();
    settle();
    scan->tree()->expandAll();
    if (!save(window, outDir, u"step05.png"_qs))
        return false;
    RedirectRequest request{u"disp0003.ibw"_qs, false, RedirectAction::Redirect,
                            RedirectTarget::fromValue(u"acme-plaza-00000012.dsp"_qs), nullptr};
    if (redirectCommand(wb, request) != RedirectStatus::Done)
        return fail(u"disp0003.ibw was not redirected"_qs);
    scan->refreshInventoryViews();
    scan->tree()->expandAll();
    if (!save(window, outDir, u"step06.png"_qs))
        return false;
    return saveDialog(outDir, u"dialog-redirect.png"_qs, [scan] { scan->editSelectedEntry(false); });
}

// Step 7: a display loaded and created, its override dialog and the preview large.
bool shootTranslation(MainWindow &window, Workbench &wb, const QString &outDir)
{
    window.tabs()->setCurrentIndex(window.tabs()->indexOf(window.translationPage()));
    TranslationPage *translation = window.translationPage();
    if (!translation->loadDisplay(findDisplayFile(wb, u"disp0001.ibw"_qs, false)))
        return fail(u"disp0001.ibw did not load"_qs);
    settle();
    if (!translation->createDisplay(false))
        return fail(u"disp0001.ibw's BACtalk display was not created"_qs);
    if (translation->preview()->bactalk().picture.objects.empty())
        return fail(u"the preview shows no BACtalk display"_qs);
    translation->displayTree()->expandAll();
    if (!save(window, outDir, u"step07.png"_qs))
        return false;
    // The first row whose point can be overridden.
    const Translation *t = loadedTranslation(wb);
    int row = 1;
    while (row < int(t->rows().size()) && !Translation::canOverride(t->rows()[size_t(row)], Translation::colBtPoint))
        ++row;
    if (row >= int(t->rows().size()))
        return fail(u"disp0001.ibw has no point to override"_qs);
    if (!saveDialog(outDir, u"dialog-override.png"_qs,
                    [&] { translation->editOverride(row, Translation::colBtPoint); }))
        return false;
    return saveDialog(outDir, u"dialog-preview.png"_qs, [translation] { translation->showLargePreview(); });
}

// Steps 8 and 9, then step 10 with its multi-record edit, and the convert dialog.
bool shootDevices(MainWindow &window, Workbench &wb, const QString &outDir)
{
    window.tabs()->setCurrentIndex(window.tabs()->indexOf(window.ddcFilesPage()));
    QDir().mkpath(QDir(wb.vars.bactalkJobPath).filePath(u"ddc"_qs));
    button(window, "btn_AutoGenerate")->click();
    if (!save(window, outDir, u"step08.png"_qs))
        return false;
    button(window, "btn_CreateDDCFileList")->click();
    button(window, "btn_CopyTdcFiles")->click();
    if (!save(window, outDir, u"step09.png"_qs))
        return false;

    window.tabs()->setCurrentIndex(window.tabs()->indexOf(window.devicePage()));
    trigger(window, "tb_AddGlobal");
    trigger(window, "tb_AddDevices");
    if (!save(window, outDir, u"step10.png"_qs))
        return false;
    window.findChild<QCheckBox *>(u"cb_multi"_qs)->setChecked(true);
    window.devicePage()->grid()->selectAll();
    if (!saveDialog(outDir, u"dialog-multiedit.png"_qs, [&] { trigger(window, "tb_MultiRecEdit"); }))
        return false;
    window.findChild<QCheckBox *>(u"cb_multi"_qs)->setChecked(false);
    return saveDialog(outDir, u"dialog-convert.png"_qs, [&] { trigger(window, "actConvertJob"); });
}

void showWindow(MainWindow &window, const ShotOptions &options)
{
    if (options.maximised) {
        window.showMaximized();
        // Without a window manager the request may go unheard.
        if (const QScreen *screen = window.screen(); screen && window.size() != screen->availableGeometry().size())
            window.setGeometry(screen->availableGeometry());
    } else {
        if (!options.size.isEmpty())
            window.resize(options.size);
        window.show();
    }
    settle();
}

bool takeShots(const ShotOptions &options)
{
    QTemporaryDir tmp;
    if (!tmp.isValid())
        return fail(u"no temporary folder"_qs);
    const QString appDir = tmp.filePath(u"app"_qs);
    QDir().mkpath(appDir);
    seedAppFolder(appDir, QApplication::applicationDirPath());

    ScriptedPrompter prompter(true);
    Workbench wb(appDir, prompter);
    MainWindow window(wb); // reads the settings
    if (options.style >= 0)
        wb.settings.visualStyle = options.style;
    showWindow(window, options);

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
        return fail(u"the sample job did not open"_qs);
    sample::configureSampleProject(wb, paths);

    const bool ok = shootReaders(window, options.outDir) && shootInventory(window, wb, options.outDir) &&
                    shootTranslation(window, wb, options.outDir) && shootDevices(window, wb, options.outDir);
    if (!ok)
        return false;
    if (QApplication::activeModalWidget())
        return fail(u"a dialog was left open"_qs);
    if (!prompter.errors.isEmpty())
        return fail(u"the window reported: "_qs + prompter.errors.join(u"; "_qs));
    window.close();
    return true;
}

// The options after OUTDIR; false on a usage error.
bool parseOptions(const QStringList &args, ShotOptions &options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString value = args.value(i + 1);
        if (args[i] == u"--visual-style"_qs && !value.isEmpty()) {
            bool ok = false;
            options.style = value.toInt(&ok);
            if (!ok || options.style < 0 || options.style > 14)
                return false;
        } else if (args[i] == u"--on-screen"_qs && !value.isEmpty()) {
            bool ok = false;
            g_onScreenSeconds = value.toInt(&ok);
            if (!ok || g_onScreenSeconds < 1)
                return false;
        } else if (args[i] == u"--size"_qs && value == u"max"_qs) {
            options.maximised = true;
        } else if (args[i] == u"--size"_qs && !value.isEmpty()) {
            const QStringList wh = value.split(u'x');
            options.size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
            if (wh.size() != 2 || options.size.width() < 100 || options.size.height() < 100)
                return false;
        } else {
            return false;
        }
        ++i;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) // --on-screen: the caller names the platform
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ShotOptions options;
    const QStringList args = QApplication::arguments();
    if (args.size() < 2 || !parseOptions(args.mid(2), options)) {
        std::fprintf(stderr, "usage: vorlix-manual-shots OUTDIR [--visual-style N] [--size WIDTHxHEIGHT | --size max] "
                             "[--on-screen SECONDS]\n");
        return 2;
    }
    options.outDir = args[1];
    if (!QDir().mkpath(options.outDir)) {
        std::fprintf(stderr, "%s: the folder could not be made\n", qPrintable(options.outDir));
        return 1;
    }
    return takeShots(options) ? 0 : 1;
}
