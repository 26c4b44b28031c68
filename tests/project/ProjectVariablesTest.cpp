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
    void SetUp() override { pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars); }
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
    loaded.convertCpName = true;
    loaded.jobDispNum = 9;
    loaded.bactalkJobPath = u"x"_qs;
    projectVars(pdb.db(), loaded, VarDirection::Read);
    EXPECT_DOUBLE_EQ(loaded.databaseVersion, 12.6);
    EXPECT_FALSE(loaded.convertCpName);
    EXPECT_EQ(loaded.jobDispNum, 0);
    EXPECT_TRUE(loaded.bactalkJobPath.isEmpty());
    EXPECT_EQ(rows(), 24);
    EXPECT_EQ(rows(u"VarName = 'DatabaseVersion'"_qs), 0);
}

TEST_F(VarsFixture, NullVersionReadsZero)
{
    sql(u"UPDATE Vorlix SET FloatVal = NULL WHERE VarName = 'DatabaseVersion'"_qs);
    EXPECT_DOUBLE_EQ(varVersion(pdb.db()), 0.0);
}

TEST_F(VarsFixture, IntegersReadBackAsSixteenBits)
{
    varIntWrite(pdb.db(), u"JobDispNum"_qs, 70000);
    ProjectVariables loaded;
    projectVars(pdb.db(), loaded, VarDirection::Read);
    EXPECT_EQ(loaded.jobDispNum, 4464);
}

TEST_F(VarsFixture, WriteThenReadRoundTripsEveryKind)
{
    vars.convertCpStatus = true;
    vars.copyFont = 1;
    vars.cpanelStatusBV = u"BV-13"_qs;
    vars.bactalkJobPath = QString::fromUtf8("C:\\BACtalk\\acme\\plaza");
    projectVars(pdb.db(), vars, VarDirection::Write);
    ProjectVariables loaded;
    projectVars(pdb.db(), loaded, VarDirection::Read);
    EXPECT_TRUE(loaded.convertCpStatus);
    EXPECT_EQ(loaded.copyFont, 1);
    EXPECT_EQ(loaded.cpanelStatusBV, u"BV-13"_qs);
    EXPECT_EQ(loaded.bactalkJobPath, vars.bactalkJobPath);
    EXPECT_EQ(rows(u"VarName = 'ConvertCpStatus'"_qs), 1);
}

TEST_F(VarsFixture, SetVarIntChangesOnlyExistingRows)
{
    setVarInt(pdb.db(), u"StartingDisplay"_qs, 12);
    setVarInt(pdb.db(), u"NoSuchVariable"_qs, 12);
    EXPECT_EQ(rows(u"VarName = 'StartingDisplay' AND IntVal = 12"_qs), 1);
    EXPECT_EQ(rows(u"VarName = 'NoSuchVariable'"_qs), 0);
}

TEST(ProjectVariablesText, SetsByNameOrExplains)
{
    ProjectVariables v;
    QString error;
    EXPECT_TRUE(setVariableFromText(v, u"ConvertCpName"_qs, u"1"_qs, &error));
    EXPECT_TRUE(v.convertCpName);
    EXPECT_TRUE(setVariableFromText(v, u"convertcpname"_qs, u"false"_qs, &error));
    EXPECT_FALSE(v.convertCpName);
    EXPECT_TRUE(setVariableFromText(v, u"JobDispNum"_qs, u"12"_qs, &error));
    EXPECT_EQ(v.jobDispNum, 12);
    EXPECT_TRUE(setVariableFromText(v, u"CpanelPlaceHolder"_qs, u"AV-99"_qs, &error));
    EXPECT_EQ(v.cpanelPlaceHolder, u"AV-99"_qs);
    EXPECT_FALSE(setVariableFromText(v, u"NoSuch"_qs, u"1"_qs, &error));
    EXPECT_TRUE(error.contains(u"NoSuch"_qs));
    EXPECT_FALSE(setVariableFromText(v, u"PadUnits"_qs, u"maybe"_qs, &error));
    EXPECT_FALSE(setVariableFromText(v, u"ScanDepth"_qs, u"ten"_qs, &error));
}

TEST_F(VarsFixture, OpeningADatabaseWithoutRowsEndsWithScanDepthFive)
{
    sql(u"DELETE FROM Vorlix"_qs);
    ProjectVariables loaded;
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), loaded);
    EXPECT_EQ(loaded.scanDepth, 5);
    EXPECT_EQ(loaded.startingDisplay, 0);
    EXPECT_EQ(rows(u"VarName = 'ScanDepth' AND IntVal = 5"_qs), 1);
    EXPECT_EQ(rows(), 24);

    varIntWrite(pdb.db(), u"ScanDepth"_qs, 50);
    varIntWrite(pdb.db(), u"StartingDisplay"_qs, 12345);
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), loaded);
    EXPECT_EQ(loaded.scanDepth, 20);
    EXPECT_EQ(loaded.startingDisplay, 9999);
}
