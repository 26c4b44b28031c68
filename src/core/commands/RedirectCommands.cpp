#include "commands/RedirectCommands.h"

#include "inventory/RedirectTable.h"
#include "project/Messages.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

namespace {

// OK's checks on a typed target; the reason is shown when one fails.
// Otherwise whether the target file exists (it need not yet: the user is
// told, and it is stored all the same).
std::optional<bool> checkTarget(Workbench &wb, const RedirectTarget &t)
{
    Prompter &prompter = wb.prompter;
    if (t.rep.isEmpty() || t.job.isEmpty()) {
        prompter.inform(u"Specify both a rep and a job!"_qs);
        return std::nullopt;
    }
    const QString root = btJobRoot(wb.vars.bactalkJobPath);
    // The folders and the file are found whatever their letter case; the
    // value is stored in lower case.
    const QString repJob = findPathCaseInsensitive(root, t.rep + u'/' + t.job);
    if (!QFileInfo(repJob).isDir()) {
        prompter.inform(u"The rep\\job folder does not exists!\nRep-Job: "_qs + t.rep + u'\\' + t.job
                        + u"\nEFB root path: "_qs + QDir::toNativeSeparators(root));
        return std::nullopt;
    }
    const bool exists = QFileInfo(findPathCaseInsensitive(repJob, u"displays/"_qs + t.file)).isFile();
    if (!exists)
        prompter.inform(u"The BACtalk file does not exists! Make sure to add it to the project at some point.\nFile: "_qs
                        + t.file + u"\nEFB Job path: "_qs + QDir::toNativeSeparators(wb.vars.bactalkJobPath));
    return exists;
}

// Redirect and Skip: stores `value` as the display's target and sets its
// flag; the window's list gets the display's row.
RedirectStatus storeDecision(Workbench &wb, const RedirectRequest &r, const QString &name, const QString &value,
                             std::optional<bool> fileExists)
{
    if (!RedirectTable(wb.pdb).setRedirect(name, value, r.localJob)) {
        wb.prompter.inform(msg::couldNotSetValue());
        return RedirectStatus::Refused;
    }
    const int index = wb.masterList.indexOf(name, r.localJob);
    wb.masterList.setFlag(index, flRedirected);
    if (r.list)
        r.list->put({index, name, r.localJob, value, fileExists});
    return RedirectStatus::Done;
}

// Remove, and "Clear all flags" on a listed display: deletes the decision and
// clears the flag of master-list entry `index`. A row that is not there is
// reported and the flag cleared all the same; a refused delete changes nothing.
RedirectStatus removeDecision(Workbench &wb, const QString &name, bool localJob, int index)
{
    using Removal = ProjectDatabase::Removal;
    const Removal removal = RedirectTable(wb.pdb).deleteRedirect(name, localJob);
    if (removal == Removal::Refused) {
        wb.prompter.inform(msg::couldNotSetValue());
        return RedirectStatus::Refused;
    }
    if (removal == Removal::Missing)
        RedirectTable::reportRedirectNotFound(wb.prompter);
    wb.masterList.clearRedirect(index);
    return removal == Removal::Removed ? RedirectStatus::Done : RedirectStatus::NotFound;
}

// A display that has no row in the window's list and would not fit is refused.
bool fits(Workbench &wb, const RedirectList &list, const QString &name)
{
    if (list.hasRoomFor(name))
        return true;
    wb.prompter.inform(u"Redirect grid is full!"_qs);
    return false;
}

QString heading(RedirectAction action)
{
    switch (action) {
    case RedirectAction::Redirect: return u"Add/edit button/display redirection entry: "_qs;
    case RedirectAction::Skip: return u"Set Skip flag on project display: "_qs;
    case RedirectAction::Remove: return u"Removed button/display redirection entry: "_qs;
    }
    return {};
}

} // namespace

RedirectStatus redirectCommand(Workbench &wb, const RedirectRequest &r)
{
    wb.requireDatabase();
    const QString name = r.ibexName.toLower();
    RedirectStatus status = RedirectStatus::Refused;
    if (r.action == RedirectAction::Remove) {
        status = removeDecision(wb, name, r.localJob, wb.masterList.indexOf(name, r.localJob));
    } else if (!r.list || fits(wb, *r.list, name)) {
        if (r.action == RedirectAction::Skip)
            status = storeDecision(wb, r, name, QString(), std::nullopt);
        else if (const std::optional<bool> exists = checkTarget(wb, r.target))
            status = storeDecision(wb, r, name, r.target.value(), exists);
    }
    if (status == RedirectStatus::Done)
        wb.log.logMsgStart(heading(r.action) + name);
    return status;
}

std::optional<RedirectEdit> redirectEditFor(Workbench &wb, const RedirectList &list, int index)
{
    const MasterList &master = wb.masterList;
    RedirectEdit edit;
    edit.ibexName = master.entryName(index);
    edit.localJob = master.isLocalJob(index);
    const std::optional<QString> stored = wb.map.findRedirect(edit.ibexName, edit.localJob);
    edit.newDisplay = list.find(edit.ibexName) < 0 && !stored;
    if (!fits(wb, list, edit.ibexName))
        return std::nullopt;
    edit.target = RedirectTarget::fromValue(stored.value_or(QString()));
    return edit;
}

void refreshRedirectLists(Workbench &wb, RedirectList &jobList, RedirectList &localJobList)
{
    jobList.rebuild(wb);
    localJobList.rebuild(wb);
}

void clearRedirectFlagsCommand(Workbench &wb, int index, RedirectList &jobList, RedirectList &localJobList)
{
    MasterList &master = wb.masterList;
    if (!master.contains(index))
        return;
    const bool localJob = master.isLocalJob(index);
    const QString name = master.entryName(index);
    if ((localJob ? localJobList : jobList).find(name) >= 0)
        removeDecision(wb, name, localJob, index);
    else
        master.clearRedirect(index);
    refreshRedirectLists(wb, jobList, localJobList);
}

QString redirectBrowseFilter()
{
    return u"EFB template file (*.dvt)|*.dvt|EFB display file (*.dsp)|*.dsp|All files (*.*)|*.*"_qs;
}

} // namespace vorlix
