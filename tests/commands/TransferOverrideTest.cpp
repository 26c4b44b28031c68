// Adding a point transfer of the DDC files as a project-wide point override.
#include "commands/TranslateCommands.h"
#include "ibex/ApexReader.h"
#include "translate/OverrideStore.h"
#include "util/Error.h"

#include "support/TestProject.h"

#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

TEST(TransferOverride, StoresTheTransferAndRefusesOneWithoutPoint)
{
    TestProject tp;
    transferOverrideCommand(tp.wb, {120, 3, u"IB-12"_qs, u"1203:AI-5"_qs});
    OverrideStore store(tp.pdb);
    EXPECT_EQ(store.globalOvrGet(u"3"_qs, u"IB-12"_qs), std::optional<QString>(u"1203:AI-5"_qs));
    EXPECT_EQ(tp.rowCount(u"GlobalOVR"_qs), 1);

    // "err": the Apex has no base address for the trunk; nothing is stored.
    EXPECT_THROW(transferOverrideCommand(tp.wb, {121, 3, u"IB-13"_qs, u"err"_qs}), Error);
    EXPECT_EQ(tp.rowCount(u"GlobalOVR"_qs), 1);
}
