#include "project/Workbench.h"

#include "util/Error.h"
#include "project/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vorlix {

namespace {
QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}
} // namespace

Workbench::Workbench(QString appFolder, Prompter &p)
    : AppFolder(withoutTrailingSeparator(QDir::cleanPath(std::move(appFolder)))), prompter(p)
{
    ProjectFolder = AppFolder;
    pdb.refusalSink = [this](const QString &line) { log.LogMsg(line); };
}

Workbench::~Workbench() = default;

void Workbench::setStatus(int panel, const QString &text)
{
    if (panel < 0 || panel >= static_cast<int>(status.size()))
        return;
    status[panel] = text;
    if (statusChanged)
        statusChanged();
}

QString Workbench::iniPath() const { return QDir(AppFolder).filePath(u"vorlix.ini"_qs); }

void Workbench::startUp()
{
    ProjectFolder = AppFolder;
    LocalJobFolder.clear();
    vars.BactalkJobPath.clear();
    GridEdited = false;
    settings.read(iniPath());
    log.LoadSessionLog(ProjectFolder);
}

void Workbench::connectDefaultProject()
{
    pdb.LinkDatabase(ProjectFolder, AppFolder, vars);
    setStatus(0, msg::NoProjectLoaded());
}

void Workbench::shutDown()
{
    settings.write(iniPath());
    log.SaveSessionLog(ProjectFolder);
}

QString Workbench::localJobFolderOf(const QString &projectFolder)
{
    return QDir::cleanPath(QDir(projectFolder).absoluteFilePath(u"../localjob"_qs));
}

void Workbench::OpenProject(const QString &folder)
{
    // The log held now belongs to the folder current before the switch.
    log.SaveSessionLog(ProjectFolder);
    QString shown = QDir::toNativeSeparators(folder);
    if (!shown.endsWith(QDir::separator()))
        shown += QDir::separator();
    settings.LastJob = shown;
    setStatus(0, msg::StatusSource() + shown);
    ProjectFolder = withoutTrailingSeparator(QDir::cleanPath(QDir(folder).absolutePath()));
    LocalJobFolder = localJobFolderOf(ProjectFolder);
    log.LoadSessionLog(ProjectFolder);
    log.LogMsgStart(msg::OpenedProject() + QDir::toNativeSeparators(ProjectFolder));
    ProjectOpen = true; // also when the database cannot be made (its tables stay closed)
    bool existed = true;
    try {
        existed = pdb.LinkDatabase(ProjectFolder, AppFolder, vars);
    } catch (const Error &e) {
        // A damaged project database: say so in the project's log and go
        // back to the default project, which stays usable.
        log.LogMsg(e.message());
        try {
            CloseProject();
        } catch (const Error &) {
        }
        throw;
    }
    setStatus(1, msg::StatusDest() + QDir::toNativeSeparators(vars.BactalkJobPath));
    buildDisplayInventory();
    refreshDeviceLists();
    if (!existed && pdb.isOpen() && showOptionsDialog)
        showOptionsDialog(true);
}

void Workbench::CloseProject()
{
    if (!ProjectOpen)
        return;
    saveFileList();
    // The project's log is saved before switching back, so no line is lost.
    // When its folder cannot be written, the lines move to the default
    // project's log instead and the error is reported once the switch is done.
    QString saveError;
    QStringList unsaved;
    try {
        log.SaveSessionLog(ProjectFolder);
    } catch (const Error &e) {
        saveError = e.message();
        unsaved = log.lines();
    }
    pdb.close();
    ProjectFolder = AppFolder;
    LocalJobFolder.clear();
    vars.BactalkJobPath.clear();
    GridEdited = false;
    log.LoadSessionLog(AppFolder);
    ProjectOpen = false;
    if (!saveError.isEmpty()) {
        log.LogMsgStart(saveError);
        for (const QString &line : unsaved)
            log.LogMsg(line);
    }
    setStatus(0, msg::NoProjectLoaded());
    setStatus(1, QString());
    pdb.LinkDatabase(ProjectFolder, AppFolder, vars);
    if (!saveError.isEmpty())
        throw Error(saveError);
}

void Workbench::requireDatabase() const
{
    if (!pdb.isOpen())
        throw Error(QStringLiteral("No project database is open: \"%1\" could not be opened or created.")
                        .arg(QDir::toNativeSeparators(QDir(ProjectFolder).filePath(u"vorlix.mdb"_qs))));
}

bool Workbench::CanCloseProject()
{
    if (GridEdited && ProjectOpen)
        return prompter.confirm(msg::CanCloseProject());
    return true;
}

bool Workbench::OpenLastProject()
{
    if (!CanCloseProject())
        return false;
    CloseProject();
    if (!settings.LastJob.isEmpty() && QFileInfo(QDir::fromNativeSeparators(settings.LastJob)).isDir())
        OpenProject(QDir::fromNativeSeparators(settings.LastJob));
    return true;
}

bool Workbench::OpenProjectFile(const QString &chosenFile)
{
    if (!CanCloseProject())
        return false;
    settings.IbexProject = QDir::toNativeSeparators(QFileInfo(chosenFile).absoluteFilePath());
    CloseProject();
    OpenProject(QFileInfo(chosenFile).absolutePath());
    return true;
}

void Workbench::saveProjectVariables()
{
    while (vars.BactalkJobPath.endsWith(u'\\') || vars.BactalkJobPath.endsWith(u'/'))
        vars.BactalkJobPath.chop(1);
    if (pdb.isOpen())
        ProjectVars(pdb.db(), vars, VarDirection::Write);
    setStatus(1, msg::StatusDest() + QDir::toNativeSeparators(vars.BactalkJobPath));
}

bool Workbench::ConfirmClearTable() { return prompter.confirm(msg::ConfirmClearTable()); }
bool Workbench::ConfirmEmptyTable() { return prompter.confirm(msg::ConfirmEmptyTable()); }

bool Workbench::EmptyTableCommand(const QString &table)
{
    if (!ConfirmEmptyTable())
        return false;
    requireDatabase();
    pdb.EmptyTable(table);
    return true;
}

bool Workbench::EmptyDeviceDatabase()
{
    if (!prompter.confirm(msg::ConfirmEmptyDeviceDatabase()))
        return false;
    requireDatabase();
    pdb.EmptyDeviceTables();
    return true;
}

void Workbench::setScanDepth(int depth)
{
    vars.ScanDepth = static_cast<uint16_t>(depth);
    if (pdb.isOpen())
        SetVarInt(pdb.db(), u"ScanDepth"_qs, depth);
}

void Workbench::setStartingDisplay(int display)
{
    if (display < 0)
        return;
    vars.StartingDisplay = static_cast<uint16_t>(display);
    if (pdb.isOpen())
        SetVarInt(pdb.db(), u"StartingDisplay"_qs, display);
}

void Workbench::buildDisplayInventory() {}
void Workbench::refreshDeviceLists() {}
void Workbench::saveFileList() {}

QString resolveAppFolder(const QString &executableFolder)
{
    const QFileInfo info(executableFolder);
    if (info.isDir() && info.isWritable())
        return QDir::cleanPath(executableFolder);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);
    seedAppFolder(data, executableFolder);
    return QDir::cleanPath(data);
}

void seedAppFolder(const QString &appFolder, const QString &executableFolder)
{
    QDir().mkpath(appFolder);
    for (const char *name : {"vorlix.mdb", "pointdata.mdb"}) {
        const QString target = QDir(appFolder).filePath(QLatin1String(name));
        const QString source = QDir(executableFolder).filePath(QLatin1String(name));
        if (!QFileInfo::exists(target) && QFileInfo::exists(source)) {
            QFile::copy(source, target);
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        }
    }
}

} // namespace vorlix
