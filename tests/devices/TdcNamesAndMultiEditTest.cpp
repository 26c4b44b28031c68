// "Update tdc names" and the multi-record editor's values and writes.
#include "commands/DeviceCommands.h"
#include "devices/DeviceMessages.h"
#include "devices/DeviceTdcNames.h"
#include "devices/MultiEdit.h"

#include "support/DeviceDestination.h"
#include "support/TestProject.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

QStringList column(TestProject &tp, const QString &sql) { return queryRows(tp.pdb.db(), sql); }

void addDevices(TestProject &tp, std::initializer_list<int> devinsts)
{
    for (int d : devinsts) {
        tp.exec(QStringLiteral("INSERT INTO tblRepJob (devinst, objname) VALUES (%1, 'Dev-%1')").arg(d));
        tp.exec(QStringLiteral("INSERT INTO tblDevCapabilities (devinst, workstation) VALUES (%1, 1)").arg(d));
    }
}

} // namespace

TEST(TdcNames, TuxFilesNameTheDdcProgramOfTheirDevice)
{
    TestProject tp;
    tp.exec(u"UPDATE ApexMap SET ComList = '1', BaseAddr1 = 1100 WHERE Apex = 3"_qs);
    const QString btJob = tp.root() + u"/bactalk/acme/plaza"_qs;
    QDir().mkpath(btJob);
    tp.vars.bactalkJobPath = btJob;
    addDevices(tp, {1104, 1106});
    tp.exec(u"INSERT INTO TdcFiles (Apex, IbexFilename, BACtalkFilename) VALUES "
             "(3, 'tux104.tdc', 'ahu_1.tdc'), (3, 'TUX106.TDC', 'dev01106'), "
             "(3, 'tux107.tdc', 'dev01107.tdc'), (3, 'control.tdc', 'A3-control.tdc'), "
             "(3, 'tux501.tdc', 'A3-tux501.tdc'), (40, 'tux101.tdc', 'A40-tux101.tdc')"_qs);
    updateTdcCommand(tp.wb);
    EXPECT_EQ(column(tp, u"SELECT devinst, DDC_rep, DDC_job, DDC_app FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"1104|acme|plaza|ahu_1"_qs, u"1106|acme|plaza|dev01106"_qs}));
    // Only the Tux file on a mapped trunk without a device is reported
    // (trunk 5 and Apex 40 are not in the Apex map).
    EXPECT_EQ(tp.prompter.informed, QStringList{msg::errorLocatingDevices() + u"1107,"_qs});
    EXPECT_TRUE(tp.wb.log.lines().join(u'\n').contains(msg::updatingTdcNames()));

    // Without a BACtalk job folder the rep and job are empty.
    tp.vars.bactalkJobPath = tp.root() + u"/nowhere/acme/plaza"_qs;
    tp.exec(u"DELETE FROM TdcFiles WHERE IbexFilename = 'tux107.tdc'"_qs);
    tp.prompter.informed.clear();
    updateTdcCommand(tp.wb);
    EXPECT_EQ(column(tp, u"SELECT DDC_rep, DDC_job, DDC_app FROM tblRepJob WHERE devinst = 1104"_qs),
              QStringList{u"<null>|<null>|ahu_1"_qs});
    EXPECT_TRUE(tp.prompter.informed.isEmpty());
}

TEST(TdcNames, AnEmptyListSaysSo)
{
    TestProject tp;
    updateTdcCommand(tp.wb);
    EXPECT_EQ(tp.prompter.informed, QStringList{msg::tdcListEmpty()});
    EXPECT_TRUE(tp.wb.log.lines().isEmpty());
}

TEST(MultiEdit, OrdinalsFollowTheLastDigit)
{
    const QStringList expected = {u"1st"_qs, u"2nd"_qs, u"3rd"_qs, u"4th"_qs, u"11th"_qs, u"12th"_qs, u"13th"_qs,
                                  u"21st"_qs, u"22nd"_qs, u"111st"_qs, u"112nd"_qs, u"0th"_qs, u"-1th"_qs};
    QStringList got;
    for (int n : {1, 2, 3, 4, 11, 12, 13, 21, 22, 111, 112, 0, -1})
        got << ordinal(n);
    EXPECT_EQ(got, expected);
}

TEST(MultiEdit, FormattedTextsOfTheWorkedExamples)
{
    TextFormat f;
    f.left = u"AHU-"_qs;
    f.number1.use = true;
    EXPECT_EQ((QStringList{f.text(0), f.text(1), f.text(2)}), (QStringList{u"1AHU-"_qs, u"2AHU-"_qs, u"3AHU-"_qs}));
    f.number1.use = false;
    f.number2.use = true;
    EXPECT_EQ((QStringList{f.text(0), f.text(1), f.text(2)}), (QStringList{u"AHU-1"_qs, u"AHU-2"_qs, u"AHU-3"_qs}));

    TextFormat o;
    o.number1 = {true, 11, 1, true};
    EXPECT_EQ((QStringList{o.text(0), o.text(1), o.text(2), o.text(3)}),
              (QStringList{u"11th"_qs, u"12th"_qs, u"13th"_qs, u"14th"_qs}));
    o.number1.start = 20;
    EXPECT_EQ((QStringList{o.text(0), o.text(1), o.text(2), o.text(3)}),
              (QStringList{u"20th"_qs, u"21st"_qs, u"22nd"_qs, u"23rd"_qs}));

    // All five parts in order; number 3 is never an ordinal.
    TextFormat all;
    all.number1 = {true, 1, 1, true};
    all.number2 = {true, 10, 5, false};
    all.number3 = {true, 3, 100, true};
    all.left = u"-L-"_qs;
    all.right = u"-R-"_qs;
    EXPECT_EQ(all.text(1), u"2nd-L-15-R-103"_qs);

    EXPECT_EQ(numericValues(2001, 10, true, 3), (QStringList{u"2001"_qs, u"2011"_qs, u"2021"_qs}));
    EXPECT_EQ(numericValues(2001, 10, false, 3), (QStringList{u"2001"_qs, u"2001"_qs, u"2001"_qs}));
    EXPECT_EQ(numericValueOf(u"12"_qs), 12);
    EXPECT_EQ(numericValueOf(u"1x"_qs), 0);
    EXPECT_EQ(numericValueOf(u"1.5"_qs), 0); // digits and "." but no whole number
}

TEST(MultiEdit, WritesOneColumnOfTheSelectedRows)
{
    TestProject tp;
    addDevices(tp, {1104, 1105, 1106, 1107});
    const QList<int32_t> three{1104, 1105, 1106};
    TextFormat f;
    f.left = u"AHU-"_qs;
    f.number2.use = true;
    EXPECT_EQ(multiEditCommand(tp.wb, three, EditTarget::ObjName, {f.text(0), f.text(1), f.text(2)}), 0);
    EXPECT_EQ(column(tp, u"SELECT objname FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"AHU-1"_qs, u"AHU-2"_qs, u"AHU-3"_qs, u"Dev-1107"_qs}));

    multiEditCommand(tp.wb, three, EditTarget::RepJobApp, {u"acme"_qs, u"plaza"_qs, u"ahu"_qs});
    EXPECT_EQ(column(tp, u"SELECT DDC_rep, DDC_job, DDC_app FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"acme|plaza|ahu"_qs, u"acme|plaza|ahu"_qs, u"acme|plaza|ahu"_qs, u"<null>|<null>|<null>"_qs}));

    multiEditCommand(tp.wb, {1107}, EditTarget::UnitType, {u"TX-SA651"_qs});
    EXPECT_EQ(column(tp, u"SELECT devmodel FROM tblRepJob WHERE devinst = 1107"_qs), QStringList{u"TX-SA651"_qs});

    multiEditCommand(tp.wb, three, EditTarget::Net2, {u"7"_qs, u"x"_qs, u"-3"_qs});
    EXPECT_EQ(column(tp, u"SELECT Net2 FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"7"_qs, u"0"_qs, u"-3"_qs, u"<null>"_qs}));
}

TEST(MultiEdit, ChangingDevinstMovesTheCapabilityRows)
{
    TestProject tp;
    addDevices(tp, {1104, 1105, 1106, 2011});
    // 1105 would become 2011, which another device has: that row stays.
    const int refused = multiEditCommand(tp.wb, {1104, 1105, 1106}, EditTarget::DevInst,
                                         numericValues(2001, 10, true, 3));
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(column(tp, u"SELECT devinst, objname FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"1105|Dev-1105"_qs, u"2001|Dev-1104"_qs, u"2011|Dev-2011"_qs, u"2021|Dev-1106"_qs}));
    EXPECT_EQ(column(tp, u"SELECT devinst FROM tblDevCapabilities ORDER BY devinst"_qs),
              (QStringList{u"1105"_qs, u"2001"_qs, u"2011"_qs, u"2021"_qs}));
    EXPECT_TRUE(tp.wb.log.lines().join(u'\n').contains(u"Not written to tblRepJob (devinst 1105)"_qs));

    // A text longer than its column keeps the row as it was.
    EXPECT_EQ(multiEditCommand(tp.wb, {2001}, EditTarget::Description, {QString(300, u'x')}), 1);
    EXPECT_EQ(column(tp, u"SELECT devdescription FROM tblRepJob WHERE devinst = 2001"_qs), QStringList{u"<null>"_qs});
}

TEST(MultiEdit, DdcFilePathGivesRepJobAndFile)
{
    const RepJobApp r = repJobAppOf(u"C:\\bactalk\\acme\\plaza\\ddc\\ahu_1.bd3"_qs);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.rep, u"acme"_qs);
    EXPECT_EQ(r.job, u"plaza"_qs);
    EXPECT_EQ(r.app, u"ahu_1.bd3"_qs);
    EXPECT_FALSE(repJobAppOf(u"plaza/ddc/x.bd3"_qs).found);
}
