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

// The Apex and com of a list item; the user is told when it does not parse.
std::optional<ApexCom> itemApexCom(Workbench &wb, int item)
{
    const QStringList &items = wb.deviceLists.scripts;
    if (item < 0 || item >= items.size())
        throw Error(QStringLiteral("The script device list has no item %1.").arg(item));
    const auto ac = listBoxToApexCom(items[item]);
    if (!ac)
        wb.prompter.inform(scriptItemFormatError());
    return ac;
}

QByteArray runScript(Workbench &wb, const ApexCom &ac, const ScriptClock &clock)
{
    const QList<ScriptCall> calls = scriptCalls(wb.pdb, wb.map, ac.apex, ac.com);
    return buildDdcScript(calls, scriptCreateDate(clock.now, clock.locale), clock.locale);
}

} // namespace

QString scriptSaveFilter() { return QStringLiteral("Pellum Script file (*.dsr)|*.dsr|All files (*.*)|*.*"); }

QString scriptInitialName() { return QStringLiteral("noname.dsr"); }

std::optional<QByteArray> createScriptCommand(Workbench &wb, int item, const ScriptClock &clock)
{
    wb.requireDatabase();
    const auto ac = itemApexCom(wb, item);
    if (!ac)
        return std::nullopt;
    return runScript(wb, *ac, clock);
}

bool saveScriptCommand(Workbench &wb, int item, const QString &path, const ScriptClock &clock)
{
    const auto script = createScriptCommand(wb, item, clock);
    if (!script)
        return false;
    writeFileAtomically(path, *script);
    return true;
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
    BackgroundWriter writer(BackgroundWriter::Mode::StopAtFailure);
    QString failure;
    const auto landed = [&](const std::vector<BackgroundWriter::Outcome> &finished) {
        for (const BackgroundWriter::Outcome &f : finished) {
            if (!failure.isEmpty())
                continue; // after the failure: not written
            if (!f.error.isEmpty()) {
                failure = f.error;
                wb.log.logMsg(failure);
                continue;
            }
            wb.log.logMsg(u"Script file: "_qs + QDir::toNativeSeparators(f.path));
            written << f.path;
        }
    };
    const QStringList items = wb.deviceLists.scripts;
    for (int i = 0; i < items.size() && failure.isEmpty(); ++i) {
        frame.progress.step(i, int(items.size()), items[i]);
        const auto ac = itemApexCom(wb, i);
        if (!ac)
            continue;
        const int32_t dev = wb.map.apexDevId(ac->apex, ac->com);
        writer.write(btDdcPath(wb.bactalkJobPath(), frameworkScriptName(dev)), runScript(wb, *ac, clock));
        landed(writer.takeFinished());
    }
    landed(writer.finish());
    if (!failure.isEmpty())
        throw Error(failure + u" The scripts after it were not written."_qs);
    frame.progress.step(int(items.size()), int(items.size()));
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
