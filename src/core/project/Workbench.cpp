#include "project/Workbench.h"

#include "util/Error.h"
#include "util/FileUtil.h"
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
    : appFolder(withoutTrailingSeparator(QDir::cleanPath(std::move(appFolder)))), prompter(p)
{
    projectFolder = appFolder;
    pdb.refusalSink = [this](const QString &line) { log.logMsg(line); };
}

Workbench::~Workbench() = default;

void Workbench::setStatus(StatusPanel panel, const QString &text)
{
    m_status[size_t(panel)] = text;
    emit statusChanged(panel);
}

QString Workbench::iniPath() const { return QDir(appFolder).filePath(u"vorlix.ini"_qs); }

void Workbench::startUp()
{
    projectFolder = appFolder;
    localJobFolder.clear();
    vars.bactalkJobPath.clear();
    loadedTranslation.reset();
    gridEdited = false;
    settings.read(iniPath());
    log.loadSessionLog(projectFolder);
}

void Workbench::connectDefaultProject()
{
    pdb.linkDatabase(projectFolder, appFolder, vars);
    setStatus(StatusPanel::Source, msg::noProjectLoaded());
}

void Workbench::shutDown(bool windowState)
{
    settings.write(iniPath(), windowState);
    log.saveSessionLog(projectFolder);
}

QString Workbench::localJobFolderOf(const QString &projectFolder)
{
    return QDir::cleanPath(QDir(projectFolder).absoluteFilePath(u"../localjob"_qs));
}

bool Workbench::openProject(const QString &folder)
{
    // The log held now belongs to the folder current before the switch.
    log.saveSessionLog(projectFolder);
    loadedTranslation.reset();
    gridEdited = false;
    QString shown = QDir::toNativeSeparators(folder);
    if (!shown.endsWith(QDir::separator()))
        shown += QDir::separator();
    settings.lastJob = shown;
    setStatus(StatusPanel::Source, msg::statusSource() + shown);
    projectFolder = withoutTrailingSeparator(QDir::cleanPath(QDir(folder).absolutePath()));
    localJobFolder = localJobFolderOf(projectFolder);
    log.loadSessionLog(projectFolder);
    log.logMsgStart(msg::openedProject() + QDir::toNativeSeparators(projectFolder));
    projectOpen = true; // also when the database cannot be made (its tables stay closed)
    bool existed = true;
    try {
        existed = pdb.linkDatabase(projectFolder, appFolder, vars);
    } catch (const Error &e) {
        // A damaged project database: say so in the project's log and go
        // back to the default project, which stays usable.
        log.logMsg(e.message());
        try {
            closeProject();
        } catch (const Error &) {
        }
        throw;
    }
    setStatus(StatusPanel::Destination, msg::statusDest() + QDir::toNativeSeparators(vars.bactalkJobPath));
    masterList.clear();
    reportDoubledDevinsts();
    refreshDeviceLists();
    return !existed && pdb.isOpen();
}

void Workbench::reportDoubledDevinsts()
{
    if (pdb.doubledDevinsts().isEmpty())
        return;
    QStringList values;
    for (qint64 v : pdb.doubledDevinsts())
        values << QString::number(v);
    const QString doubled = QStringLiteral("The device table tblRepJob holds these devinst values more than "
                                           "once: %1. Each device needs an instance of its own: change or "
                                           "delete the doubled rows in step 10.")
                                .arg(values.join(u", "_qs));
    log.logMsg(doubled);
    prompter.notice(doubled);
}

void Workbench::closeProject()
{
    if (!projectOpen)
        return;
    // The list keeps the redirect flags changed since the last scan. When it
    // cannot be saved the project still closes, and the error is reported
    // once the switch is done.
    QString listError;
    try {
        saveFileList();
    } catch (const Error &e) {
        listError = e.message();
        log.logMsgStart(listError);
    }
    // The project's log is saved before switching back, so no line is lost.
    // When its folder cannot be written, the lines move to the default
    // project's log instead and the error is reported once the switch is done.
    QString saveError;
    QStringList unsaved;
    try {
        log.saveSessionLog(projectFolder);
    } catch (const Error &e) {
        saveError = e.message();
        unsaved = log.lines();
    }
    pdb.close();
    projectFolder = appFolder;
    localJobFolder.clear();
    vars.bactalkJobPath.clear();
    loadedTranslation.reset();
    gridEdited = false;
    log.loadSessionLog(appFolder);
    projectOpen = false;
    if (!saveError.isEmpty()) {
        log.logMsgStart(saveError);
        for (const QString &line : unsaved)
            log.logMsg(line);
        // Saved at once: the error below ends the caller's work, and a
        // command line run would not get to saving the default log.
        const QString appLog = QDir::toNativeSeparators(QDir(appFolder).filePath(u"vorlix.log"_qs));
        try {
            log.saveSessionLog(appFolder);
            saveError += QStringLiteral(" The session's log lines were saved in \"%1\".").arg(appLog);
        } catch (const Error &e) {
            saveError += u' ' + e.message() + u" The session's log lines are lost."_qs;
        }
    }
    setStatus(StatusPanel::Source, msg::noProjectLoaded());
    setStatus(StatusPanel::Destination, QString());
    masterList.clear();
    pdb.linkDatabase(projectFolder, appFolder, vars);
    if (!saveError.isEmpty())
        throw Error(saveError);
    if (!listError.isEmpty())
        throw Error(listError);
}

void Workbench::requireDatabase() const
{
    if (!pdb.isOpen())
        throw Error(QStringLiteral("No project database is open: \"%1\" could not be opened or created.")
                        .arg(QDir::toNativeSeparators(QDir(projectFolder).filePath(u"vorlix.mdb"_qs))));
}

void Workbench::requireBactalkJobFolder() const
{
    const QString where = u"Set it under Options > Current project (\"BACtalk job root folder\") or with "
                          "\"vorlix-cli set JOB BactalkJobPath FOLDER\". Nothing was written."_qs;
    const QString path = vars.bactalkJobPath;
    if (path.trimmed().isEmpty())
        throw Error(u"The BACtalk job folder is not set. "_qs + where);
    if (!QDir::isAbsolutePath(QDir::fromNativeSeparators(path)) || !QFileInfo(path).isDir())
        throw Error(QStringLiteral("The BACtalk job folder \"%1\" does not exist. ").arg(QDir::toNativeSeparators(path))
                    + where);
}

bool Workbench::canCloseProject()
{
    if (gridEdited && projectOpen)
        return prompter.warn(msg::canCloseProject()); // a warning: No is the default
    return true;
}

void Workbench::saveProjectVariables()
{
    while (vars.bactalkJobPath.endsWith(u'\\') || vars.bactalkJobPath.endsWith(u'/'))
        vars.bactalkJobPath.chop(1);
    if (pdb.isOpen())
        projectVars(pdb.db(), vars, VarDirection::Write);
    setStatus(StatusPanel::Destination, msg::statusDest() + QDir::toNativeSeparators(vars.bactalkJobPath));
}

void Workbench::setScanDepth(int depth)
{
    vars.scanDepth = static_cast<uint16_t>(depth);
    if (pdb.isOpen())
        setVarInt(pdb.db(), u"ScanDepth"_qs, depth);
}

void Workbench::setStartingDisplay(int display)
{
    if (display < 0)
        return;
    vars.startingDisplay = static_cast<uint16_t>(display);
    if (pdb.isOpen())
        setVarInt(pdb.db(), u"StartingDisplay"_qs, display);
}

void Workbench::refreshDeviceLists()
{
    deviceLists = pdb.isOpen() ? buildDeviceLists(map) : DeviceLists{};
    emit deviceListsChanged();
}

void Workbench::saveFileList() { masterList.save(pdb); }

QString resolveAppFolder(const QString &executableFolder)
{
    if (isWritableFolder(executableFolder))
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

QString Workbench::dialogStart(DialogFolders::Kind kind, const QString &name) const
{
    return dialogFolders.start(kind, vars.bactalkJobPath, projectFolder, name);
}

void Workbench::rememberDialogFolder(DialogFolders::Kind kind, const QString &chosenFile)
{
    dialogFolders.remember(kind, projectFolder, chosenFile);
}

} // namespace vorlix
