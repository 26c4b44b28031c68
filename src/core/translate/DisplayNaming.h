#pragma once
// How an Ibex display is named and how it ties to its BACtalk counterpart:
// Ibex file names from display numbers, BACtalk file names from Ibex names,
// the BACtalk job folder split into root, rep and job, redirection, and the
// target of a pushbutton.
#include "project/ProjectVariables.h"
#include "ibex/IbexDisplay.h"
#include "ibex/IbexObject.h"

#include <QString>
#include <cstdint>

namespace vorlix {

class ControllerMap;

// The file kind from a file name or path: the first four characters of the
// lower-cased file name ("ctxd" Tux template, "ccpd" template, else display).
IbexFileType ibexFileTypeOf(const QString &fileName);
// "disp%.4d.ibw", "ccpd%.4d.ibw" or "ctxd%.4d.ibw".
QString ibexFileName(IbexFileType type, uint16_t number);
// "%.8d.dsp" for displays, "%.8d.dvt" for templates, numbered by the
// project's numbering options; "<err>" when the number part is not a number.
QString btFileName(const QString &ibexName, bool localJob, const ProjectVariables &vars);
// The display number inside a BACtalk file name (0 when there is none).
int targetNumber(const QString &btName);
// "localjob:" for a local-job target, else "".
QString localJobPrefix(bool localJob);

// The BACtalk job folder is root<sep>rep<sep>job. Both give "<no path set>"
// when the folder does not exist.
QString btJobRoot(const QString &bactalkJobPath);
QString btRepJob(const QString &bactalkJobPath); // "rep<sep>job"
// The last and second-to-last folder names; empty when the folder does not
// exist.
QString btJobName(const QString &bactalkJobPath);
QString btRepName(const QString &bactalkJobPath);
// Splits a path into root and rep<sep>job; leaves both texts as they are when
// the path has too few parts.
void splitBtJobPath(const QString &path, QString &root, QString &repJob);
// root<sep>rep<sep>job<sep>displays<sep>file for a target "rep-job-file".
QString redirectPath(const QString &bactalkJobPath, const QString &target);

// The short target description of a pushbutton or microset graphic in the
// grid's Ibex point column.
QString buttonTargetText(const IbexObjRec &rec, IbexFileType loadedType);

// A display's BACtalk name and whether the redirection table gave it.
struct TargetName {
    QString name;
    bool redirected = false;
};

// What a pushbutton or microset graphic opens: the BACtalk file, whether it
// was redirected, and for the buttons of plain displays that open a
// control-panel or Tux template the device it opens it on (`mapped` false
// when that device cannot be found; the device is then NotMapped).
struct ButtonTarget {
    QString name;
    bool redirected = false;
    int32_t device = 0;
    bool mapped = true;
};

// The naming operations that consult the project: the redirection table and
// the controller map.
class DisplayNaming {
public:
    DisplayNaming(const ProjectVariables &vars, ControllerMap &map) : m_vars(vars), m_map(map) {}

    // The redirect target when the redirection table has the display (the
    // empty text for a skipped one), else btFileName.
    TargetName btTargetName(const QString &ibexName, bool localJob);
    ButtonTarget buttonTarget(const IbexObjRec &rec, IbexFileType loadedType);

private:
    const ProjectVariables &m_vars;
    ControllerMap &m_map;
};

} // namespace vorlix
