// The named visual styles, the device model list, file-dialog filters and
// the about box's version parts.
#include "devices/DevModels.h"
#include "util/FileFilter.h"
#include "util/Version.h"
#include "project/Messages.h"
#include "project/Settings.h"
#include "project/VisualStyles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(VisualStyles, FifteenNamesAndTheDarkOnes)
{
    const QStringList names = visualStyleNames();
    ASSERT_EQ(names.size(), 15);
    EXPECT_EQ(names[0], u"Windows"_qs);
    EXPECT_EQ(names[6], u"Cobalt XEMedia"_qs);
    EXPECT_EQ(names[13], u"Slate Classico"_qs);
    EXPECT_EQ(names[14], u"Smokey Quartz Kamri"_qs);
    QList<int> dark;
    for (int i = 0; i < 15; ++i)
        if (isDarkStyle(i))
            dark << i;
    EXPECT_EQ(dark, (QList<int>{1, 3, 5, 6, 8, 11}));
    // Dark styles have light text on a dark base, light ones the reverse.
    for (int i = 0; i < 15; ++i) {
        const StyleColours &c = visualStyle(i).colours;
        const bool darkBase = (c.base & 0xff) + ((c.base >> 8) & 0xff) + ((c.base >> 16) & 0xff) < 3 * 128;
        EXPECT_EQ(darkBase, isDarkStyle(i)) << i;
    }
    // A hand-edited settings file with an unknown index gets the default.
    EXPECT_EQ(validVisualStyle(15), 13);
    EXPECT_EQ(validVisualStyle(-1), 13);
    EXPECT_FALSE(isDarkStyle(99));
}

TEST(DevModels, FortySixEntriesWithFourHeadings)
{
    const QStringList &models = devModels();
    ASSERT_EQ(models.size(), 46);
    EXPECT_EQ(models.first(), u"--TUX--"_qs);
    EXPECT_EQ(models[7], u"Envision for BACtalk"_qs);
    EXPECT_EQ(models.last(), u"VAV-DD7-S"_qs);
    QStringList headings;
    for (const QString &m : models)
        if (isDevModelHeading(m))
            headings << m;
    EXPECT_EQ(headings, (QStringList{u"--TUX--"_qs, u"--BACTALK--"_qs, u"--CONTROLLERS--"_qs, u"--SMOKE--"_qs}));
    QStringList unique = models;
    EXPECT_EQ(unique.removeDuplicates(), 0);
}

TEST(FileFilter, ConvertsPairsAndMatchesLowerCaseNames)
{
    EXPECT_EQ(qtFileFilter(msg::ibexJobFilter()), u"MASETUP.DAT (MASETUP.DAT masetup.dat);;Any file (*.*)"_qs);
    EXPECT_EQ(qtFileFilter(msg::bactalkDatabaseFilter()),
              u"BACtalk.mdb (BACtalk.mdb bactalk.mdb);;All files (*.*)"_qs);
    EXPECT_EQ(qtFileFilter(u"Pellum Script file (*.dsr)|*.dsr"_qs), u"Pellum Script file (*.dsr)"_qs);
}

TEST(FileFilter, DefaultSuffixIsTheFirstPatternsOwn)
{
    EXPECT_EQ(defaultSuffix(u"Pellum Script file (*.dsr)|*.dsr|All files (*.*)|*.*"_qs), u"dsr"_qs);
    EXPECT_EQ(defaultSuffix(u"Point database (*.mdb)|*.MDB;*.accdb"_qs), u"mdb"_qs);
    // No single suffix: a named file, every file, a pattern with a wildcard.
    EXPECT_EQ(defaultSuffix(msg::ibexJobFilter()), QString());
    EXPECT_EQ(defaultSuffix(u"All files (*.*)|*.*"_qs), QString());
    EXPECT_EQ(defaultSuffix(u"Backups|*.b?k"_qs), QString());
    EXPECT_EQ(defaultSuffix(u"no pattern"_qs), QString());
}

TEST(Version, VersionAndBuild)
{
    EXPECT_EQ(splitVersion(u"0.1.0"_qs).version, u"0.1.0"_qs);
    EXPECT_EQ(splitVersion(u"0.1.0"_qs).build, u"0"_qs);
    EXPECT_EQ(splitVersion(u"2.4.1.317"_qs).version, u"2.4.1"_qs);
    EXPECT_EQ(splitVersion(u"2.4.1.317"_qs).build, u"317"_qs);
}

TEST(Settings, DeviceWidthsKnowWhetherTheyWereStored)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"vorlix.ini"_qs);
    Settings s;
    s.read(ini);
    EXPECT_FALSE(s.deviceColWidthStored);
    EXPECT_TRUE(s.deviceColVisible[46]);
    s.deviceColWidth[2] = 90;
    s.deviceColVisible[2] = false;
    s.write(ini);
    Settings back;
    back.read(ini);
    EXPECT_TRUE(back.deviceColWidthStored);
    EXPECT_EQ(back.deviceColWidth[2], 90);
    EXPECT_FALSE(back.deviceColVisible[2]);
    EXPECT_EQ(back.deviceColWidth[3], 60); // written from the reset widths
}

} // namespace
} // namespace vorlix
