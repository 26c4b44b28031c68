// The empty-table commands of steps 2 to 4 and of step 10: they ask first,
// and a No keeps every row.
#include "commands/DeviceCommands.h"
#include "commands/ReaderCommands.h"
#include "support/WorkbenchProject.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

TEST(EmptyTables, AsksFirstAndNoKeepsTheRows)
{
    WorkbenchProject tp;
    Workbench &wb = tp.openJob();
    QSqlQuery q(wb.pdb.db());
    ASSERT_TRUE(q.exec(u"INSERT INTO tblRepJob (devinst) VALUES (9)"_qs));
    ASSERT_TRUE(q.exec(u"INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (1, 2, 'x')"_qs));
    tp.prompter.pushYesNo(false);
    tp.prompter.pushYesNo(false);
    EXPECT_FALSE(emptyDevicesCommand(wb));
    EXPECT_FALSE(emptyReaderTableCommand(wb, u"CpanelNames"_qs));
    EXPECT_EQ(tp.prompter.asked, (QStringList{u"Empty database of all records?"_qs, u"Empty data from table?"_qs}));
    q.exec(u"SELECT (SELECT COUNT(*) FROM tblRepJob) + (SELECT COUNT(*) FROM CpanelNames)"_qs);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);
    tp.prompter.pushYesNo(true);
    tp.prompter.pushYesNo(true);
    EXPECT_TRUE(emptyDevicesCommand(wb));
    EXPECT_TRUE(emptyReaderTableCommand(wb, u"CpanelNames"_qs));
    q.exec(u"SELECT (SELECT COUNT(*) FROM tblRepJob) + (SELECT COUNT(*) FROM CpanelNames)"_qs);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
}
