#pragma once
// A throw-away project for tests: an application folder with the build's
// template databases, a job folder with MASETUP.DAT and ldisplay folders
// (and a local job beside it) in a temporary directory, and a Workbench with
// that job open as its project and scripted answers. The session log starts
// empty.
#include "project/ControllerMap.h"
#include "project/ProjectDatabase.h"
#include "project/ProjectVariables.h"
#include "project/Workbench.h"
#include "util/Prompter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace vorlix::test {

class TestProject {
public:
    // `answerYes`: confirmations without a scripted answer get Yes.
    explicit TestProject(bool answerYes = false);

    QString jobFolder() const;      // <tmp>/job
    QString localJobFolder() const; // <tmp>/localjob
    QString appFolder() const;      // <tmp>/app
    QString root() const { return m_dir.path(); }
    // Writes a display file into job/ldisplay or localjob/ldisplay; returns its path.
    QString writeDisplay(const QString &fileName, const QByteArray &bytes, bool localJob = false) const;

    // Sets an ApexMap row: ComList, GlobalPts and the base addresses of com 1 to 4.
    void mapApex(int apex, const QString &comList, int globalPts, int base1, int base2 = 0, int base3 = 0,
                 int base4 = 0);
    // A CpanelMap row: control panel `cp` of `apex` lives in the Tux at trunk/address.
    void addCpanel(int apex, int sequence, int cp, int trunk, int address, int callTo = 0);
    // An IbexPtMap row.
    void addIbexPoint(int apex, int point, int ptType);
    // The number of rows of a project table.
    int rowCount(const QString &table);
    // Runs one statement on the project database (test set-up only).
    void exec(const QString &sql);
    // The rows a query answers, each as its values joined by ",".
    QStringList rows(const QString &sql);

private:
    static std::unique_ptr<Workbench> openWorkbench(const QTemporaryDir &dir, Prompter &prompter);
    QTemporaryDir m_dir;

public:
    ScriptedPrompter prompter;

private:
    std::unique_ptr<Workbench> m_wb;

public:
    Workbench &wb;
    ProjectDatabase &pdb;
    ProjectVariables &vars;
    ControllerMap &map;
};

} // namespace vorlix::test
