#include "commands/OpenCommands.h"

#include "commands/InventoryCommands.h"
#include "project/Workbench.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

OpenOutcome openProjectCommand(Workbench &wb, const QString &folder, const CommandFrame &frame)
{
    OpenOutcome out;
    out.newDatabase = wb.openProject(folder);
    out.opened = true;
    if (wb.pdb.isOpen())
        buildDisplayListCommand(wb, false, frame);
    return out;
}

OpenOutcome openProjectFileCommand(Workbench &wb, const QString &chosenFile, const CommandFrame &frame)
{
    if (!wb.canCloseProject())
        return OpenOutcome{.declined = true};
    const QFileInfo chosen(chosenFile);
    wb.settings.ibexProject = QDir::toNativeSeparators(chosen.absoluteFilePath());
    wb.closeProject();
    return openProjectCommand(wb, chosen.absolutePath(), frame);
}

OpenOutcome openLastProjectCommand(Workbench &wb, const CommandFrame &frame)
{
    if (!wb.canCloseProject())
        return OpenOutcome{.declined = true};
    wb.closeProject();
    const QString last = QDir::fromNativeSeparators(wb.settings.lastJob);
    if (last.isEmpty() || !QFileInfo(last).isDir())
        return {};
    return openProjectCommand(wb, last, frame);
}

} // namespace vorlix
