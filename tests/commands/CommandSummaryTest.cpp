// The one-line results of commands and why an export updated no row.
#include "commands/CommandSummary.h"
#include "commands/ExportCommands.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(CommandSummary, RefusedRowsNameWhereToLook)
{
    EXPECT_EQ(refusedRowsText(0, LogPlace::ProjectLog), QString());
    EXPECT_EQ(refusedRowsText(2, LogPlace::SessionLog), u"2 row(s) were not written; see the session log."_qs);
    EXPECT_EQ(refusedRowsText(1, LogPlace::ProjectLog), u"1 row(s) were not written; see Project Log."_qs);
    EXPECT_EQ(summaryLine({u"a."_qs, QString(), u"b."_qs}), u"a. b."_qs);
}

TEST(CommandSummary, ReadSaysWhatWasReadMissingAndRefused)
{
    ReadOutcome r;
    r.filesRead = 3;
    EXPECT_EQ(readSummary(u"CpanelMap"_qs, r, LogPlace::ProjectLog), u"3 file(s) read into CpanelMap."_qs);
    r.missingFiles = QStringList{u"APEX09.ADC"_qs};
    r.refusedRows = 4;
    EXPECT_EQ(readSummary(u"CpanelMap"_qs, r, LogPlace::ProjectLog),
              u"3 file(s) read into CpanelMap. 1 possible missing file(s); see Project Log. 4 row(s) were not "
              "written; see Project Log."_qs);
    r.declined = true;
    EXPECT_EQ(readSummary(u"IbexPtMap"_qs, r, LogPlace::ProjectLog), u"Nothing was read; IbexPtMap is unchanged."_qs);
}

TEST(CommandSummary, AnExportThatUpdatedNoRowSaysWhy)
{
    PointExportCounts c;
    c.updated = 1;
    EXPECT_EQ(noMatchReason(c, 1), QString());
    c = {};
    EXPECT_TRUE(noMatchReason(c, 3).startsWith(u"No row was updated: IbexPtMap holds no point of Apex 3"_qs));
    c.points = 9;
    c.unmatched = 9;
    EXPECT_TRUE(noMatchReason(c, 1).contains(u"has no rows in \"Analog Values\" and \"Binary Values\""_qs));
    c.targetRows = 40;
    EXPECT_EQ(noMatchReason(c, 1), u"No row was updated: none of the point database's 40 row(s) has the instance "
                                   "number of an Ibex point of Apex 1."_qs);
}

} // namespace
} // namespace vorlix
