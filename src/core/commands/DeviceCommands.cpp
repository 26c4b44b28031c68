#include "commands/DeviceCommands.h"

#include "devices/DeviceMessages.h"
#include "devices/DeviceRecords.h"
#include "devices/DeviceTdcNames.h"
#include "project/DeviceInstance.h"
#include "project/Messages.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "util/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace vorlix {

namespace {
std::function<void(const QString &)> logTo(Workbench &wb)
{
    return [&wb](const QString &line) { wb.log.logMsg(line); };
}
} // namespace

bool emptyDevicesCommand(Workbench &wb, const CommandFrame &frame)
{
    if (!wb.prompter.confirm(msg::confirmEmptyDeviceDatabase()))
        return false;
    wb.requireDatabase();
    BusyScope busy(frame);
    wb.pdb.emptyDeviceTables();
    return true;
}

bool addWorkstationCommand(Workbench &wb, const CommandFrame &frame)
{
    wb.requireDatabase();
    wb.log.logMsgStart(msg::addingWorkstation());
    const std::optional<QString> typed = wb.prompter.askText(msg::addWorkstationTitle(), msg::deviceIdPrompt(), u"1"_qs);
    if (!typed)
        return false;
    const std::optional<int32_t> devinst = parseDeviceId(*typed);
    wb.pdb.resetRefusedPosts();
    QString why;
    if (!devinst)
        why = QStringLiteral("The Device-ID \"%1\" is not a number. No workstation was added.").arg(*typed);
    else if (!isDeviceInstance(*devinst))
        why = QStringLiteral("The Device-ID %1 is not a BACnet device instance (0 to %2). No workstation was added.")
                  .arg(*devinst).arg(kMaxDeviceInstance);
    if (!why.isEmpty()) {
        wb.log.logMsg(why);
        throw Error(why);
    }
    {
        BusyScope busy(frame);
        ProjectDatabase::Transaction transaction(wb.pdb);
        writeWorkstation(wb.pdb, *devinst);
        transaction.commit();
    }
    wb.prompter.inform(msg::editNetworkNumber());
    return true;
}

int addGatewaysCommand(Workbench &wb, const CommandFrame &frame)
{
    wb.requireDatabase();
    wb.log.logMsgStart(msg::addingGateways());
    wb.pdb.resetRefusedPosts();
    int written = 0;
    {
        BusyScope busy(frame);
        ProjectDatabase::Transaction transaction(wb.pdb);
        written = addGatewayRecords(wb.pdb, wb.map);
        transaction.commit();
    }
    wb.prompter.inform(msg::editNetworkNumber());
    return written;
}

TuxBuild addTuxCommand(Workbench &wb, const CommandFrame &frame)
{
    wb.requireDatabase();
    wb.log.logMsgStart(msg::addingTux());
    wb.pdb.resetRefusedPosts();
    BusyScope busy(frame);
    ProjectDatabase::Transaction transaction(wb.pdb);
    const TuxBuild built = addTuxRecords(wb.pdb, wb.map);
    transaction.commit();
    return built;
}

TdcNamesResult updateTdcCommand(Workbench &wb, const CommandFrame &frame)
{
    wb.requireDatabase();
    QSqlQuery &count = wb.pdb.prepared(u"SELECT COUNT(*) FROM TdcFiles"_qs);
    ProjectDatabase::run(count);
    const bool empty = !count.next() || count.value(0).toLongLong() == 0;
    count.finish();
    if (empty) {
        wb.prompter.inform(msg::tdcListEmpty());
        return {};
    }
    TdcNamesResult result;
    {
        BusyScope busy(frame);
        wb.log.logMsgStart(msg::updatingTdcNames());
        const QString path = wb.bactalkJobPath();
        ProjectDatabase::Transaction transaction(wb.pdb);
        result = updateTdcNames(wb.pdb, wb.map, btRepName(path), btJobName(path));
        transaction.commit();
    }
    if (!result.notFound.isEmpty())
        wb.prompter.inform(msg::errorLocatingDevices() + deviceList(result.notFound));
    return result;
}

MergeResult mergeCommand(Workbench &wb, const QString &destPath, const std::optional<QList<int32_t>> &selection,
                         const CommandFrame &frame)
{
    wb.requireDatabase();
    wb.log.logMsgStart(msg::mergingDevices() + QDir::toNativeSeparators(QFileInfo(destPath).absoluteFilePath()));
    MergeResult result;
    try {
        BusyScope busy(frame);
        result = mergeDevices(wb.pdb, destPath, selection, logTo(wb));
    } catch (const Error &e) {
        wb.log.logMsg(e.message());
        throw;
    }
    wb.prompter.inform(mergeClosingMessage(result));
    return result;
}

int multiEditCommand(Workbench &wb, const QList<int32_t> &selected, EditTarget target, const QStringList &values,
                     const CommandFrame &frame)
{
    if (!wb.pdb.isOpen() || selected.isEmpty())
        return 0;
    BusyScope busy(frame);
    return applyMultiEdit(wb.pdb, selected, target, values, logTo(wb));
}

} // namespace vorlix
