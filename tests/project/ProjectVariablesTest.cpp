#include "project/ProjectDatabase.h"
#include "project/ProjectVariables.h"
#include "support/WorkbenchProject.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {
struct VarsFixture : ::testing::Test {
    WorkbenchProject tp;
    ProjectDatabase pdb{u"vars"_qs};
    ProjectVariables vars;
    void SetUp() override { pdb.LinkDatabase(tp.jobDir(), tp.appDir(), vars); }
    int rows(const QString &where = u"1"_qs)
    {
        QSqlQuery q(pdb.db());
        q.exec(u"SELECT COUNT(*) FROM Vorlix WHERE "_qs + where);
        return q.next() ? q.value(0).toInt() : -1;
    }
    void sql(const QString &s)
    {
        QSqlQuery q(pdb.db());
        ASSERT_TRUE(q.exec(s)) << s.toStdString();
    }
};
} // namespace

TEST_F(VarsFixture, ADatabaseWithoutRowsLoadsDefaultsAndGainsEveryRow)
{
    sql(u"DELETE FROM Vorlix"_qs);
    ProjectVariables loaded;
    loaded.ConvertCpName = true;
    loaded.JobDispNum = 9;
    loaded.BactalkJobPath = u"x"_qs;
    ProjectVars(pdb.db(), loaded, VarDirection::Read);
    EXPECT_DOUBLE_EQ(loaded.DatabaseVersion, 12.6);
    EXPECT_FALSE(loaded.ConvertCpName);
    EXPECT_EQ(loaded.JobDispNum, 0);
    EXPECT_TRUE(loaded.BactalkJobPath.isEmpty());
    EXPECT_EQ(rows(), 24);
    EXPECT_EQ(rows(u"VarName = 'DatabaseVersion'"_qs), 0);
}

TEST_F(VarsFixture, NullVersionReadsZero)
{
    sql(u"UPDATE Vorlix SET FloatVal = NULL WHERE VarName = 'DatabaseVersion'"_qs);
    EXPECT_DOUBLE_EQ(VarVersion(pdb.db()), 0.0);
}

TEST_F(VarsFixture, IntegersReadBackAsSixteenBits)
{
    VarIntWrite(pdb.db(), u"JobDispNum"_qs, 70000);
    ProjectVariables loaded;
    ProjectVars(pdb.db(), loaded, VarDirection::Read);
    EXPECT_EQ(loaded.JobDispNum, 4464);
}

TEST_F(VarsFixture, WriteThenReadRoundTripsEveryKind)
{
    vars.ConvertCpStatus = true;
    vars.CopyFont = 1;
    vars.CpanelStatusBV = u"BV-13"_qs;
    vars.BactalkJobPath = QString::fromUtf8("C:\\BACtalk\\acme\\plaza");
    ProjectVars(pdb.db(), vars, VarDirection::Write);
    ProjectVariables loaded;
    ProjectVars(pdb.db(), loaded, VarDirection::Read);
    EXPECT_TRUE(loaded.ConvertCpStatus);
    EXPECT_EQ(loaded.CopyFont, 1);
    EXPECT_EQ(loaded.CpanelStatusBV, u"BV-13"_qs);
    EXPECT_EQ(loaded.BactalkJobPath, vars.BactalkJobPath);
    EXPECT_EQ(rows(u"VarName = 'ConvertCpStatus'"_qs), 1);
}

TEST_F(VarsFixture, SetVarIntChangesOnlyExistingRows)
{
    SetVarInt(pdb.db(), u"StartingDisplay"_qs, 12);
    SetVarInt(pdb.db(), u"NoSuchVariable"_qs, 12);
    EXPECT_EQ(rows(u"VarName = 'StartingDisplay' AND IntVal = 12"_qs), 1);
    EXPECT_EQ(rows(u"VarName = 'NoSuchVariable'"_qs), 0);
}

TEST(ProjectVariablesText, SetsByDocumentedNameOrExplains)
{
    ProjectVariables v;
    QString error;
    EXPECT_TRUE(SetVariableFromText(v, u"ConvertCpName"_qs, u"1"_qs, &error));
    EXPECT_TRUE(v.ConvertCpName);
    EXPECT_TRUE(SetVariableFromText(v, u"convertcpname"_qs, u"false"_qs, &error));
    EXPECT_FALSE(v.ConvertCpName);
    EXPECT_TRUE(SetVariableFromText(v, u"JobDispNum"_qs, u"12"_qs, &error));
    EXPECT_EQ(v.JobDispNum, 12);
    EXPECT_TRUE(SetVariableFromText(v, u"CpanelPlaceHolder"_qs, u"AV-99"_qs, &error));
    EXPECT_EQ(v.CpanelPlaceHolder, u"AV-99"_qs);
    EXPECT_FALSE(SetVariableFromText(v, u"NoSuch"_qs, u"1"_qs, &error));
    EXPECT_TRUE(error.contains(u"NoSuch"_qs));
    EXPECT_FALSE(SetVariableFromText(v, u"PadUnits"_qs, u"maybe"_qs, &error));
    EXPECT_FALSE(SetVariableFromText(v, u"ScanDepth"_qs, u"ten"_qs, &error));
}

TEST_F(VarsFixture, OpeningADatabaseWithoutRowsEndsWithScanDepthFive)
{
    sql(u"DELETE FROM Vorlix"_qs);
    ProjectVariables loaded;
    pdb.LinkDatabase(tp.jobDir(), tp.appDir(), loaded);
    EXPECT_EQ(loaded.ScanDepth, 5);
    EXPECT_EQ(loaded.StartingDisplay, 0);
    EXPECT_EQ(rows(u"VarName = 'ScanDepth' AND IntVal = 5"_qs), 1);
    EXPECT_EQ(rows(), 24);

    VarIntWrite(pdb.db(), u"ScanDepth"_qs, 50);
    VarIntWrite(pdb.db(), u"StartingDisplay"_qs, 12345);
    pdb.LinkDatabase(tp.jobDir(), tp.appDir(), loaded);
    EXPECT_EQ(loaded.ScanDepth, 20);
    EXPECT_EQ(loaded.StartingDisplay, 9999);
}
