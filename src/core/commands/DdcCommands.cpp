#include "commands/DdcCommands.h"

#include "ddc/DdcScript.h"
#include "ddc/TuxNames.h"
#include "project/Workbench.h"
#include "util/BackgroundWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>

namespace vorlix {

namespace {

QByteArray runScript(Workbench &wb, const ScriptDevice &device, const ScriptClock &clock)
{
    const QList<ScriptCall> calls = scriptCalls(wb.pdb, wb.map, device.apex, device.com);
    return buildDdcScript(calls, scriptCreateDate(clock.now, clock.locale), clock.locale);
}

} // namespace

QString scriptSaveFilter() { return QStringLiteral("Pellum Script file (*.dsr)|*.dsr|All files (*.*)|*.*"); }

QString scriptInitialName() { return QStringLiteral("noname.dsr"); }

QByteArray createScriptCommand(Workbench &wb, const ScriptDevice &device, const ScriptClock &clock)
{
    wb.requireDatabase();
    return runScript(wb, device, clock);
}

void saveScriptCommand(Workbench &wb, const ScriptDevice &device, const QString &path, const ScriptClock &clock)
{
    writeFileAtomically(path, createScriptCommand(wb, device, clock));
}

QStringList autoGenerateScriptsCommand(Workbench &wb, const CommandFrame &frame, const ScriptClock &clock)
{
    wb.requireDatabase();
    wb.requireBactalkJobFolder();
    wb.log.logMsgStart(QLatin1String(kHeadingAutoScripts));
    BusyScope busy(frame);
    QStringList written;
    // The scripts go to the disk in the background, in groups. The first
    // that cannot be written stops the run: those before it land (and are
    // logged), none after it is written, and its failure is what the
    // command throws.
    TrackedWriter<int> writer(BackgroundWriter::Mode::StopAtFailure);
    QString failure;
    const auto landed = [&](int, const BackgroundWriter::Outcome &f) {
        if (!failure.isEmpty())
            return; // after the failure: not written
        if (!f.error.isEmpty()) {
            failure = f.error;
            wb.log.logMsg(failure);
            return;
        }
        wb.log.logMsg(u"Script file: "_qs + QDir::toNativeSeparators(f.path));
        written << f.path;
    };
    const QList<ScriptDevice> devices = wb.deviceLists.scripts;
    const int count = int(devices.size());
    for (int i = 0; i < count && failure.isEmpty(); ++i) {
        const ScriptDevice &device = devices[i];
        frame.progress.step(i, count, device.text());
        // The file is named after the device as the map has it now.
        const int32_t dev = wb.map.apexDevId(device.apex, device.com);
        writer.write(btDdcPath(wb.bactalkJobPath(), frameworkScriptName(dev)), runScript(wb, device, clock), i);
        writer.collect(landed);
    }
    writer.finish(landed);
    if (!failure.isEmpty())
        throw Error(failure + u" The scripts after it were not written."_qs);
    frame.progress.step(count, count);
    return written;
}

int createDdcFileListCommand(Workbench &wb, const CommandFrame &frame)
{
    wb.requireDatabase();
    BusyScope busy(frame);
    wb.pdb.resetRefusedPosts();
    ProjectDatabase::Transaction tx(wb.pdb);
    const int rows = createDdcFileList(wb.pdb, wb.map, wb.projectFolder, frame.progress);
    tx.commit();
    return rows;
}

TdcCopyOutcome copyTdcFilesCommand(Workbench &wb, const CommandFrame &frame)
{
    wb.requireDatabase();
    wb.requireBactalkJobFolder();
    wb.log.logMsgStart(QLatin1String(kHeadingCopyTdc));
    BusyScope busy(frame);
    return copyTdcFiles(wb.pdb, wb.log, wb.projectFolder, wb.bactalkJobPath(), frame.progress);
}

QString tdcCopyFailedText(int failed)
{
    return QStringLiteral("%1 Tux DDC file(s) could not be copied; see the session log.").arg(failed);
}

} // namespace vorlix
