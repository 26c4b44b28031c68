#pragma once
// A throw-away project for tests: a job folder with MASETUP.DAT and ldisplay
// folders in a temporary directory, its project database made from the
// build's template, and the controller map over it.
#include "project/ProjectDatabase.h"
#include "project/ProjectVariables.h"
#include "project/ControllerMap.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace vorlix::test {

class TestProject {
public:
    TestProject();

    QString jobFolder() const;      // <tmp>/job
    QString localJobFolder() const; // <tmp>/localjob
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

    QTemporaryDir m_dir;
    ProjectDatabase pdb;
    ProjectVariables vars;
    ControllerMap map{pdb};
};

} // namespace vorlix::test
