#pragma once
// The commands of steps 8 and 9: DDC framework scripts for the devices of
// the script device list, and the Tux DDC file list and copy.
#include "commands/CommandFrame.h"
#include "ddc/TuxFiles.h"
#include "project/DeviceLists.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace vorlix {

class Workbench;

inline constexpr auto kHeadingAutoScripts = "Auto Create DDC Scripts";
inline constexpr auto kHeadingCopyTdc = "Copying TDC files";

// The save dialog of a script.
QString scriptSaveFilter();
QString scriptInitialName();

// When the scripts are made and how their numbers are written: now and the
// user's locale, unless a caller (a test) says otherwise.
struct ScriptClock {
    QDateTime now = QDateTime::currentDateTime();
    QLocale locale = QLocale::system();
};

// The script of a device of the script device list (the text the clipboard
// gets, as Windows-1252 bytes with CR LF).
QByteArray createScriptCommand(Workbench &wb, const ScriptDevice &device, const ScriptClock &clock = {});

// "Create script and save to disk": the script of `device` written to
// `path`, replacing it. Throws Error naming the file when it cannot be written.
void saveScriptCommand(Workbench &wb, const ScriptDevice &device, const QString &path,
                       const ScriptClock &clock = {});

// "Auto create all Apex DDC script files": every device's script into the
// BACtalk job's ddc folder (which is not created), one "Script file: " log
// line each. A file that cannot be written ends the command with an Error;
// the files already written stay. Returns the paths written.
QStringList autoGenerateScriptsCommand(Workbench &wb, const CommandFrame &frame = {}, const ScriptClock &clock = {});

// "Populate this list from Ibex programming folders": rebuilds TdcFiles.
int createDdcFileListCommand(Workbench &wb, const CommandFrame &frame = {});

// "Copy TDC files to BACtalk DDC folder": copies the listed files as stored.
// Files that could not be copied are counted (and logged); the front ends
// then report the command as failed with tdcCopyFailedText.
TdcCopyOutcome copyTdcFilesCommand(Workbench &wb, const CommandFrame &frame = {});
QString tdcCopyFailedText(int failed);

} // namespace vorlix
