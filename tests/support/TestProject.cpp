#include "support/TestProject.h"

#include "commands/OpenCommands.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

namespace vorlix::test {

std::unique_ptr<Workbench> TestProject::openWorkbench(const QTemporaryDir &dir, Prompter &prompter)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString app = dir.path() + u"/app"_qs;
    const QString job = dir.path() + u"/job"_qs;
    QDir().mkpath(job + u"/ldisplay"_qs);
    QDir().mkpath(dir.path() + u"/localjob/ldisplay"_qs);
    writeFileAtomically(job + u"/MASETUP.DAT"_qs, QByteArray("TEST\r\n"));
    seedAppFolder(app, QStringLiteral(VORLIX_BIN_DIR));
    auto wb = std::make_unique<Workbench>(app, prompter);
    wb->startUp();
    wb->connectDefaultProject();
    openProjectCommand(*wb, job);
    wb->log.clear();
    return wb;
}

TestProject::TestProject(bool answerYes)
    : prompter(answerYes), m_wb(openWorkbench(m_dir, prompter)), wb(*m_wb), pdb(wb.pdb), vars(wb.vars), map(wb.map)
{
}

QString TestProject::jobFolder() const { return m_dir.path() + u"/job"_qs; }
QString TestProject::localJobFolder() const { return m_dir.path() + u"/localjob"_qs; }
QString TestProject::appFolder() const { return m_dir.path() + u"/app"_qs; }

QString TestProject::writeDisplay(const QString &fileName, const QByteArray &bytes, bool localJob) const
{
    const QString path = (localJob ? localJobFolder() : jobFolder()) + u"/ldisplay/"_qs + fileName;
    writeFileAtomically(path, bytes);
    return path;
}

void TestProject::mapApex(int apex, const QString &comList, int globalPts, int base1, int base2, int base3,
                          int base4)
{
    QSqlQuery q(pdb.db());
    q.prepare(u"UPDATE ApexMap SET ComList = ?, GlobalPts = ?, BaseAddr1 = ?, BaseAddr2 = ?, BaseAddr3 = ?, "
               "BaseAddr4 = ? WHERE Apex = ?"_qs);
    q.addBindValue(comList);
    q.addBindValue(globalPts);
    q.addBindValue(base1);
    q.addBindValue(base2);
    q.addBindValue(base3);
    q.addBindValue(base4);
    q.addBindValue(apex);
    if (!q.exec())
        throw Error(q.lastError().text());
}

void TestProject::addCpanel(int apex, int sequence, int cp, int trunk, int address, int callTo)
{
    exec(QStringLiteral("INSERT INTO CpanelMap (Apex, Sequence, CallTo, CPanelNumber, Trunk, Address) "
                        "VALUES (%1, %2, %3, %4, %5, %6)")
             .arg(apex).arg(sequence).arg(callTo).arg(cp).arg(trunk).arg(address));
}

void TestProject::addIbexPoint(int apex, int point, int ptType)
{
    exec(QStringLiteral("INSERT INTO IbexPtMap (Apex, IbexPt, PtType) VALUES (%1, %2, %3)")
             .arg(apex).arg(point).arg(ptType));
}

int TestProject::rowCount(const QString &table)
{
    QSqlQuery q(pdb.db());
    if (!q.exec(u"SELECT COUNT(*) FROM \""_qs + table + u'"') || !q.next())
        throw Error(table + u": "_qs + q.lastError().text());
    return q.value(0).toInt();
}

QStringList TestProject::rows(const QString &sql)
{
    QSqlQuery q(pdb.db());
    if (!q.exec(sql))
        throw Error(sql + u": "_qs + q.lastError().text());
    QStringList out;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i)
            cells << q.value(i).toString();
        out << cells.join(u',');
    }
    return out;
}

void TestProject::exec(const QString &sql)
{
    QSqlQuery q(pdb.db());
    if (!q.exec(sql))
        throw Error(sql + u": "_qs + q.lastError().text());
}

} // namespace vorlix::test
