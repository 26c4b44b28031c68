// Adding a DDC transfer line as a project-wide point override.
#include "commands/TranslateCommands.h"
#include "translate/OverrideStore.h"
#include "util/Error.h"

#include "support/TestProject.h"

#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

TEST(TransferOverride, StoresTheLineAndRefusesOneWithoutPoint)
{
    TestProject tp;
    transferLineOverrideCommand(tp.wb, u"Seq:120\tApex: 3\tIB-12\t1203:AI-5"_qs);
    OverrideStore store(tp.pdb);
    EXPECT_EQ(store.globalOvrGet(u"3"_qs, u"IB-12"_qs), std::optional<QString>(u"1203:AI-5"_qs));
    EXPECT_EQ(tp.rowCount(u"GlobalOVR"_qs), 1);

    // "err": the Apex has no base address for the trunk; nothing is stored.
    EXPECT_THROW(transferLineOverrideCommand(tp.wb, u"Seq:121\tApex: 3\tIB-13\terr"_qs), Error);
    EXPECT_THROW(transferLineOverrideCommand(tp.wb, u"no tabs here"_qs), Error);
    EXPECT_EQ(tp.rowCount(u"GlobalOVR"_qs), 1);
}
