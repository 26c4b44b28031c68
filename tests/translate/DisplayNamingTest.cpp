// Display naming: Ibex and BACtalk file names, the BACtalk job path split,
// redirected names and pushbutton targets.
#include "support/TestProject.h"

#include "translate/DisplayNaming.h"
#include "inventory/RedirectTable.h"
#include "sample/IbexDisplayBuilder.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vorlix;
using sample::IbexDisplayBuilder;

TEST(DisplayNaming, FileTypesAndIbexNames)
{
    EXPECT_EQ(ibexFileTypeOf(u"/x/y/CTXD0001.IBW"_qs), ftTuxTemplate);
    EXPECT_EQ(ibexFileTypeOf(u"ccpd0003.ibw"_qs), ftTemplate);
    EXPECT_EQ(ibexFileTypeOf(u"disp0003.ibw"_qs), ftDisplay);
    EXPECT_EQ(ibexFileTypeOf(u"ccpd"_qs), ftTemplate); // short: the whole name
    EXPECT_EQ(ibexFileTypeOf(u"ccp"_qs), ftDisplay);
    EXPECT_EQ(ibexFileName(ftDisplay, 12), u"disp0012.ibw"_qs);
    EXPECT_EQ(ibexFileName(ftTemplate, 7), u"ccpd0007.ibw"_qs);
    EXPECT_EQ(ibexFileName(ftTuxTemplate, 65535), u"ctxd65535.ibw"_qs);
}

TEST(DisplayNaming, BtFileNames)
{
    ProjectVariables v;
    EXPECT_EQ(btFileName(u"disp0123.ibw"_qs, false, v), u"00000123.dsp"_qs);
    v.jobDispNum = 1;
    EXPECT_EQ(btFileName(u"DISP0005.IBW"_qs, false, v), u"00010005.dsp"_qs);
    v.jobCTXDNum = 3;
    EXPECT_EQ(btFileName(u"ctxd12.ibw"_qs, false, v), u"00030012.dvt"_qs);
    v.localJobCCPDNum = 2000;
    EXPECT_EQ(btFileName(u"ccpd0007.ibw"_qs, true, v), u"20000007.dvt"_qs);
    EXPECT_EQ(btFileName(u"ccpd0007.ibw"_qs, false, v), u"00000007.dvt"_qs);
    EXPECT_EQ(btFileName(u"dispABCD.ibw"_qs, false, v), u"<err>"_qs);
    EXPECT_EQ(btFileName(u"disp.ibw"_qs, false, v), u"<err>"_qs);
    EXPECT_EQ(btFileName(u"disp1-2.ibw"_qs, false, v), u"<err>"_qs);
}

TEST(DisplayNaming, TargetNumberAndPrefix)
{
    EXPECT_EQ(targetNumber(u"00000012.dsp"_qs), 12);
    EXPECT_EQ(targetNumber(u"alerton-standard-00010005.dsp"_qs), 10005);
    EXPECT_EQ(targetNumber(u"00000000.dsp"_qs), 0);
    EXPECT_EQ(targetNumber(u"abc.dsp"_qs), 0);
    EXPECT_EQ(targetNumber(u"a1b0c2.dsp"_qs), 102);
    EXPECT_EQ(localJobPrefix(true), u"localjob:"_qs);
    EXPECT_EQ(localJobPrefix(false), QString());
}

TEST(DisplayNaming, BtJobPathSplit)
{
    QString root = u"keep"_qs, repJob = u"keep"_qs;
    splitBtJobPath(u"C:\\BACtalk\\Rep1\\Job1"_qs, root, repJob);
    EXPECT_EQ(root, u"C:\\BACtalk"_qs);
    EXPECT_EQ(repJob, u"Rep1\\Job1"_qs);
    root = repJob = u"keep"_qs;
    splitBtJobPath(u"C:\\a\\b"_qs, root, repJob);
    EXPECT_EQ(root, u"keep"_qs);
    EXPECT_EQ(repJob, u"keep"_qs);

    vorlix::test::TestProject p;
    const QString job = p.root() + u"/bactalk/acme/plaza"_qs;
    QDir().mkpath(job);
    EXPECT_EQ(btJobRoot(job), p.root() + u"/bactalk"_qs);
    EXPECT_EQ(btRepJob(job), u"acme/plaza"_qs);
    EXPECT_EQ(btJobName(job + u"/"_qs), u"plaza"_qs);
    EXPECT_EQ(btRepName(job), u"acme"_qs);
    EXPECT_EQ(redirectPath(job, u"alerton-standard-00000012.dsp"_qs),
              QDir::toNativeSeparators(p.root() + u"/bactalk/alerton/standard/displays/00000012.dsp"_qs));
    EXPECT_EQ(btJobRoot(job + u"/none"_qs), u"<no path set>"_qs);
    EXPECT_EQ(btRepJob(QString()), u"<no path set>"_qs);
    EXPECT_EQ(btJobName(job + u"/none"_qs), QString());
    EXPECT_EQ(btRepName(job + u"/none"_qs), QString());
}

TEST(DisplayNaming, TargetNamesGoThroughTheRedirectionTable)
{
    vorlix::test::TestProject p;
    RedirectTable redirects(p.pdb);
    DisplayNaming naming(p.vars, p.map);
    EXPECT_EQ(naming.btTargetName(u"disp0007.ibw"_qs, false).name, u"00000007.dsp"_qs);
    EXPECT_FALSE(naming.btTargetName(u"disp0007.ibw"_qs, false).redirected);
    ASSERT_TRUE(redirects.setRedirect(u"disp0007.ibw"_qs, u"alerton-standard-00000012.dsp"_qs, false));
    const TargetName redirected = naming.btTargetName(u"DISP0007.IBW"_qs, false);
    EXPECT_EQ(redirected.name, u"alerton-standard-00000012.dsp"_qs);
    EXPECT_TRUE(redirected.redirected);
    EXPECT_EQ(naming.btTargetName(u"disp0007.ibw"_qs, true).name, u"00000007.dsp"_qs);
    ASSERT_TRUE(redirects.setRedirect(u"disp0008.ibw"_qs, QString(), false));
    const TargetName skipped = naming.btTargetName(u"disp0008.ibw"_qs, false);
    EXPECT_EQ(skipped.name, QString());
    EXPECT_TRUE(skipped.redirected);
}

TEST(DisplayNaming, ButtonTargets)
{
    vorlix::test::TestProject p;
    p.mapApex(1, u"12"_qs, 1100, 1200, 1300);
    p.addCpanel(1, 10, 7, 2, 4);
    p.vars.jobCCPDNum = 1;
    DisplayNaming naming(p.vars, p.map);

    IbexDisplayBuilder b;
    b.add(ioBtnDisp).point(0, 0x00AA0005).u16(22, 9).kindFlag(3);
    b.add(ioBtnCP).point(1, 7).u16(22, 3).options(0x40);
    b.add(ioBtnTux).point(1, (1u << 15) | (5u << 9)).u16(22, 2); // trunk 2, address 5
    b.add(ioBtnCP).point(1, 8).u16(22, 3);                       // control panel 8 is unknown
    b.add(ioGrMicroset).point(2, 7).u16(22, 4);                  // Apex 2 is not mapped
    b.add(ioBtnTux).point(1, (2u << 15) | (5u << 9)).u16(22, 2); // trunk 3 not in ComList
    const IbexDisplay d = IbexDisplay::fromBytes(b.bytes());
    const std::vector<int> pos = d.walkObjectRecords();
    ASSERT_EQ(pos.size(), 6u);

    // A display button opens the display at offset 18, whatever byte 13 says.
    EXPECT_EQ(naming.buttonTarget(d.record(pos[0]), ftDisplay).name, u"00000005.dsp"_qs);
    EXPECT_TRUE(naming.buttonTarget(d.record(pos[0]), ftDisplay).mapped);
    EXPECT_EQ(naming.buttonTarget(d.record(pos[0]), ftTuxTemplate).name, u"00010005.dvt"_qs);
    EXPECT_EQ(buttonTargetText(d.record(pos[0]), ftTemplate), u"Same Cpanel"_qs);
    EXPECT_EQ(buttonTargetText(d.record(pos[0]), ftDisplay), QString());

    const ButtonTarget cp = naming.buttonTarget(d.record(pos[1]), ftDisplay);
    EXPECT_EQ(cp.name, u"00000003.dvt"_qs); // local job
    EXPECT_EQ(cp.device, 1304);
    EXPECT_TRUE(cp.mapped);
    EXPECT_FALSE(cp.redirected);
    EXPECT_EQ(buttonTargetText(d.record(pos[1]), ftDisplay), u"CPanel 7"_qs);

    EXPECT_EQ(naming.buttonTarget(d.record(pos[2]), ftDisplay).name, u"00000002.dvt"_qs);
    EXPECT_EQ(naming.buttonTarget(d.record(pos[2]), ftDisplay).device, 1305);
    EXPECT_EQ(buttonTargetText(d.record(pos[2]), ftDisplay), u"Tx-2-5"_qs);

    EXPECT_EQ(naming.buttonTarget(d.record(pos[3]), ftDisplay).device, NotMapped);
    EXPECT_FALSE(naming.buttonTarget(d.record(pos[3]), ftDisplay).mapped);
    EXPECT_FALSE(naming.buttonTarget(d.record(pos[4]), ftDisplay).mapped);
    EXPECT_FALSE(naming.buttonTarget(d.record(pos[5]), ftDisplay).mapped);
    // In a template no device is looked up.
    EXPECT_TRUE(naming.buttonTarget(d.record(pos[3]), ftTemplate).mapped);
}
