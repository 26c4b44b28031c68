#include "commands/TranslateCommands.h"

#include "ibex/ApexReader.h"
#include "project/Messages.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
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
        throw MissingDisplayError(missingDisplayMessage(QDir::toNativeSeparators(file.path)));
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

void checkOverride(OverrideAction action, const QString &value)
{
    if (action == OverrideAction::Point && !value.isEmpty() && !validPointText(value))
        throw Error(QStringLiteral("\"%1\" is not a valid BACtalk point text.").arg(value));
}

namespace {

// The override dialog's choices that `r` stands for, made on row `index`;
// what was done, as the log tells it. Throws Error when the row's kind does
// not allow it or the database refuses it.
QString applyOverride(DisplayTranslator &translator, Translation &t, int index, const OverrideRequest &r)
{
    const TranslationRow &row = t.rows()[size_t(index)];
    const QString kind = Translation::cellText(row, Translation::colType);
    const bool textCol = Translation::canOverride(row, Translation::colBtText);
    const bool pointCol = Translation::canOverride(row, Translation::colBtPoint);
    const auto refusal = [&](const char *what) {
        return QStringLiteral("Object %1 (%2) %3.").arg(r.object).arg(kind, QLatin1String(what));
    };
    const auto edit = [&](int column, OverrideResult result, const char *notAllowed) {
        switch (translator.editOverride(t, index, column, result, r.value)) {
        case DisplayTranslator::Edit::NotAllowed: throw Error(refusal(notAllowed));
        case DisplayTranslator::Edit::Refused: throw Error(msg::couldNotSetValue());
        default: break;
        }
    };
    const char *noText = "has no text that can be overridden";
    const char *noPoint = "has no point that can be overridden";
    const char *none = "cannot be overridden";
    switch (r.action) {
    case OverrideAction::Text:
        edit(Translation::colBtText, OverrideResult::OK, noText);
        return u"text overridden: "_qs + r.value;
    case OverrideAction::Point:
        edit(Translation::colBtPoint, OverrideResult::OK, noPoint);
        return u"point overridden: "_qs + r.value;
    case OverrideAction::Skip:
        edit(pointCol ? Translation::colBtPoint : Translation::colBtText, OverrideResult::Skip, none);
        return u"skipped"_qs;
    case OverrideAction::ResetText:
        edit(Translation::colBtText, OverrideResult::Reset, noText);
        return u"text override reset"_qs;
    case OverrideAction::ResetPoint:
        edit(Translation::colBtPoint, OverrideResult::Reset, noPoint);
        return u"point override reset"_qs;
    case OverrideAction::Reset:
        if (!textCol && !pointCol)
            throw Error(refusal(none));
        // Resetting the text column first leaves at most the point override,
        // which the point column's reset then removes.
        if (textCol)
            edit(Translation::colBtText, OverrideResult::Reset, none);
        if (pointCol)
            edit(Translation::colBtPoint, OverrideResult::Reset, none);
        return u"overrides reset"_qs;
    }
    return {};
}

} // namespace

int overrideCommand(Workbench &wb, const OverrideRequest &r)
{
    checkOverride(r.action, r.value);
    Translation *t = loadedTranslation(wb);
    if (!t)
        throw Error(u"No Ibex display is loaded."_qs);
    if (!wb.pdb.extendedTablesAvailable())
        throw Error(u"The project database has no Overrides table: overrides cannot be stored."_qs);
    const int index = r.object < 0 ? -1 : t->indexOfObject(r.object);
    if (index < 0)
        throw Error(QStringLiteral("%1 has no object %2 in its grid (objects 1 to %3).")
                        .arg(t->displayName())
                        .arg(r.object)
                        .arg(qMin<int>(t->totalObjects(), Translation::MaxObjects)));
    // All of it is stored, or nothing, and the row shows what is stored.
    TranslationRow &row = t->rows()[size_t(index)];
    const TranslationRow before = row;
    DisplayTranslator translator(wb.vars, wb.map);
    QString done;
    try {
        ProjectDatabase::Transaction tx(wb.pdb);
        done = applyOverride(translator, *t, index, r);
        tx.commit();
    } catch (...) {
        row = before;
        throw;
    }
    wb.gridEdited = true;
    wb.log.logMsgStart(QStringLiteral("Override of %1 object %2: %3").arg(t->displayName()).arg(r.object).arg(done));
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
        throw Error(msg::couldNotSetValue());
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
