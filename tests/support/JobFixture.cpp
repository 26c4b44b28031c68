#include "support/JobFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

namespace vorlix::test {

JobFixture::JobFixture() : m_dir(std::make_unique<QTemporaryDir>())
{
    QStandardPaths::setTestModeEnabled(true);
    QDir().mkpath(appFolder());
    QDir().mkpath(jobFolder());
    seedAppFolder(appFolder(), QStringLiteral(VORLIX_BIN_DIR));
    writeJobFile(u"MASETUP.DAT"_qs, "job");
    m_wb = std::make_unique<Workbench>(appFolder(), prompter);
    m_wb->startUp();
    m_wb->connectDefaultProject();
    m_wb->openProject(jobFolder());
    EXPECT_TRUE(m_wb->pdb.isOpen());
    m_wb->masterList.load(m_wb->pdb); // the saved list, never a scan
}

JobFixture::~JobFixture()
{
    m_wb.reset();
}

QString JobFixture::jobFolder() const { return m_dir->filePath(u"job"_qs); }
QString JobFixture::appFolder() const { return m_dir->filePath(u"app"_qs); }

void JobFixture::writeJobFile(const QString &name, const QByteArray &bytes) const
{
    QFile f(QDir(jobFolder()).filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void JobFixture::mapApex(int apex, const QString &comList, std::array<int, 4> baseAddr) const
{
    QSqlQuery q(m_wb->pdb.db());
    q.prepare(u"UPDATE ApexMap SET ComList = ?, BaseAddr1 = ?, BaseAddr2 = ?, BaseAddr3 = ?, BaseAddr4 = ? "
               "WHERE Apex = ?"_qs);
    q.addBindValue(comList.isNull() ? QVariant() : QVariant(comList));
    for (int b : baseAddr)
        q.addBindValue(b);
    q.addBindValue(apex);
    ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
}

QStringList JobFixture::rows(const QString &sql) const
{
    QStringList out;
    QSqlQuery q(m_wb->pdb.db());
    EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i)
            cells << (q.value(i).isNull() ? QString() : q.value(i).toString());
        out << cells.join(u',');
    }
    return out;
}

QStringList JobFixture::cpanelMap() const
{
    return rows(u"SELECT Apex, Sequence, CallTo, Trunk, Address, CPanelNumber, ExpandedMode FROM CpanelMap "
                 "ORDER BY Apex, Sequence"_qs);
}

QStringList JobFixture::ibexPtMap() const
{
    return rows(u"SELECT Apex, IbexPt, PtType, Description, Value FROM IbexPtMap ORDER BY Apex, IbexPt"_qs);
}

QStringList JobFixture::cpanelNames() const
{
    return rows(u"SELECT Apex, CPanelNumber, Name FROM CpanelNames ORDER BY Apex, CPanelNumber"_qs);
}

} // namespace vorlix::test
