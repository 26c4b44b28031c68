#include "commands/TranslateCommands.h"

#include "ibex/ApexReader.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "translate/OverrideEditing.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/TextUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

DisplayFile findDisplayFile(const Workbench &wb, const QString &name, bool localJob)
{
    if (!isPlainFileName(name))
        throw Error(QStringLiteral("\"%1\" is not a display file name.").arg(name));
    DisplayFile d;
    d.localJob = localJob;
    d.path = findPathCaseInsensitive(localJob ? wb.localJobFolder : wb.projectFolder, u"ldisplay/"_qs + name);
    const QFileInfo info(d.path);
    d.exists = info.exists(); // a folder or FIFO is "not a file" when it is loaded
    d.name = d.exists ? info.fileName() : name;
    return d;
}

Translation *loadedTranslation(Workbench &wb) { return dynamic_cast<Translation *>(wb.loadedTranslation.get()); }

bool loadDisplayCommand(Workbench &wb, const DisplayFile &file, LoadAdvice advice)
{
    DisplayTranslator translator(wb.vars, wb.map);
    return loadDisplayCommand(wb, translator, file, advice);
}

bool loadDisplayCommand(Workbench &wb, DisplayTranslator &translator, const DisplayFile &file, LoadAdvice advice)
{
    if (wb.gridEdited && loadedTranslation(wb) && !wb.prompter.confirm(unsavedGridEditsQuestion()))
        return false;
    if (advice == LoadAdvice::FromList) {
        const int entry = wb.masterList.indexOf(file.name, file.localJob);
        if (wb.masterList.isRedirected(entry))
            wb.prompter.inform(redirectedDisplayNote());
        else if (!wb.masterList.isScanned(entry))
            wb.prompter.inform(unreferencedDisplayNote());
    }
    wb.requireDatabase();
    // A missing file leaves the loaded display as it was.
    if (!file.exists)
        throw Error(missingDisplayMessage(QDir::toNativeSeparators(file.path)));
    const QString notAFile = notARegularFile(file.path);
    if (!notAFile.isNull())
        throw Error(QStringLiteral("\"%1\" %2.").arg(QDir::toNativeSeparators(file.path), notAFile));
    // From here on, whatever happens, the display loaded before is gone.
    wb.loadedTranslation.reset();
    wb.gridEdited = false;
    wb.loadedTranslation =
        std::make_unique<Translation>(translator.load(file.path, DisplayRef{file.name, file.localJob}));
    return true;
}

DisplayTranslator::Edit editOverrideCommand(Workbench &wb, int index, int column, OverrideResult result,
                                            const QString &value)
{
    Translation *t = loadedTranslation(wb);
    if (!t)
        return DisplayTranslator::Edit::NotAllowed;
    DisplayTranslator translator(wb.vars, wb.map);
    const DisplayTranslator::Edit edit = translator.editOverride(*t, index, column, result, value);
    if (edit == DisplayTranslator::Edit::Changed)
        wb.gridEdited = true;
    return edit;
}

void checkOverride(OverrideAction action, const QString &value)
{
    if (action == OverrideAction::Point && !value.isEmpty() && !validPointText(value))
        throw Error(QStringLiteral("\"%1\" is not a valid BACtalk point text.").arg(value));
}

int overrideObjectCommand(Workbench &wb, int object, OverrideAction action, const QString &value)
{
    checkOverride(action, value);
    Translation *t = loadedTranslation(wb);
    if (!t)
        throw Error(u"No Ibex display is loaded."_qs);
    if (!wb.pdb.extendedTablesAvailable())
        throw Error(u"The project database has no Overrides table: overrides cannot be stored."_qs);
    const int index = object < 0 ? -1 : t->indexOfObject(object);
    if (index < 0)
        throw Error(QStringLiteral("%1 has no object %2 in its grid (objects 1 to %3).")
                        .arg(t->displayName())
                        .arg(object)
                        .arg(qMin<int>(t->totalObjects(), Translation::MaxObjects)));
    const TranslationRow &row = t->rows()[size_t(index)];
    const QString kind = Translation::cellText(row, Translation::colType);
    const bool textCol = Translation::canOverride(row, Translation::colBtText);
    const bool pointCol = Translation::canOverride(row, Translation::colBtPoint);
    using Edit = DisplayTranslator::Edit;
    auto edit = [&](int column, OverrideResult result, const QString &v = {}) {
        return editOverrideCommand(wb, index, column, result, v) != Edit::NotAllowed;
    };
    QString done;
    switch (action) {
    case OverrideAction::Text:
        if (!edit(Translation::colBtText, orOK, value))
            throw Error(QStringLiteral("Object %1 (%2) has no text that can be overridden.").arg(object).arg(kind));
        done = u"text overridden: "_qs + value;
        break;
    case OverrideAction::Point:
        if (!edit(Translation::colBtPoint, orOK, value))
            throw Error(QStringLiteral("Object %1 (%2) has no point that can be overridden.").arg(object).arg(kind));
        done = u"point overridden: "_qs + value;
        break;
    case OverrideAction::Skip:
        if (!edit(pointCol ? Translation::colBtPoint : Translation::colBtText, orSkip))
            throw Error(QStringLiteral("Object %1 (%2) cannot be overridden.").arg(object).arg(kind));
        done = u"skipped"_qs;
        break;
    case OverrideAction::Reset:
        if (!textCol && !pointCol)
            throw Error(QStringLiteral("Object %1 (%2) cannot be overridden.").arg(object).arg(kind));
        // Resetting the text column first leaves at most the point override,
        // which the point column's reset then removes.
        if (textCol)
            edit(Translation::colBtText, orReset);
        if (pointCol)
            edit(Translation::colBtPoint, orReset);
        done = u"overrides reset"_qs;
        break;
    }
    wb.log.logMsgStart(QStringLiteral("Override of %1 object %2: %3").arg(t->displayName()).arg(object).arg(done));
    return index;
}

void checkGlobalOverride(const QString &btPoint)
{
    if (btPoint != SkipMark && !validPointText(btPoint))
        throw Error(QStringLiteral("\"%1\" is not a valid BACtalk point text.").arg(btPoint));
}

void globalOverrideCommand(Workbench &wb, int apex, const QString &ibexPoint, const QString &btPoint)
{
    checkGlobalOverride(btPoint);
    wb.requireDatabase();
    OverrideStore store(wb.pdb);
    if (!store.globalAvailable())
        throw Error(u"The project database has no GlobalOVR table: project point overrides cannot be stored."_qs);
    if (!store.globalOvrPut(apex, ibexPoint, btPoint))
        throw Error(u"Could not set value in database!"_qs);
    wb.log.logMsgStart(QStringLiteral("Project point override: Apex %1, %2 -> %3").arg(apex).arg(ibexPoint, btPoint));
}

void transferOverrideCommand(Workbench &wb, const PointTransfer &transfer)
{
    if (!validPointText(transfer.btPoint))
        throw Error(QStringLiteral("The transfer of %1 on Apex %2 has no BACnet point (\"%3\"): the Apex has no "
                                   "base address for the Tux's trunk. Set it in step 1 and scan again.")
                        .arg(transfer.ibexPoint).arg(transfer.apex).arg(transfer.btPoint));
    globalOverrideCommand(wb, transfer.apex, transfer.ibexPoint, transfer.btPoint);
}

} // namespace vorlix
