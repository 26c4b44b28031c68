// The sample job's displays: every object kind occurs, every pushbutton
// target and every bitmap exists where the option bits say it lies.
#include "translate/DisplayNaming.h"
#include "ibex/IbexDisplay.h"
#include "sample/SampleDisplays.h"
#include "sample/SampleJob.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using namespace vorlix;

TEST(SampleDisplays, CoverEveryKindAndResolveEveryFile)
{
    QTemporaryDir dir;
    const sample::SampleJobPaths p = sample::writeSampleJob(dir.path());
    std::set<IbexObject> kinds;
    std::set<IbexFileType> fileTypes;
    int displays = 0;
    for (bool local : {false, true}) {
        const QString folder = (local ? p.localJob : p.job) + u"/ldisplay"_qs;
        for (const QString &name : QDir(folder).entryList({u"*.ibw"_qs}, QDir::Files)) {
            SCOPED_TRACE(name.toStdString());
            ++displays;
            const IbexDisplay d = IbexDisplay::read(folder + u'/' + name);
            const IbexFileType type = ibexFileTypeOf(name);
            fileTypes.insert(type);
            if (d.backgroundKind() == ibw::BackgroundBitmap) {
                EXPECT_TRUE(QFileInfo::exists(folder + u'/' + d.bitmapName()));
            }
            for (int pos : d.walkObjectRecords()) {
                const IbexObjRec r = d.record(pos);
                kinds.insert(r.kind());
                const QString targetFolder =
                    (isLocalJobBit(r.options()) ? p.localJob : p.job) + u"/ldisplay/"_qs;
                for (int i = 1; isGraphic(r.kind()) && i <= ibw::obj::BitmapCount; ++i) {
                    if (!r.bitmapName(i).isEmpty()) {
                        EXPECT_TRUE(QFileInfo::exists(targetFolder + r.bitmapName(i))) << r.bitmapName(i).toStdString();
                    }
                }
                // disp0006's button to disp0042 is the sample's one missing target.
                if (r.kind() == ioBtnDisp && r.kindFlag() == 0 && r.u16(ibw::obj::PointRef) != 42) {
                    const IbexFileType t = type == ftDisplay ? ftDisplay : ftTemplate;
                    EXPECT_TRUE(QFileInfo::exists(targetFolder + ibexFileName(t, r.u16(ibw::obj::PointRef))));
                }
                if (r.kind() == ioBtnCP || r.kind() == ioBtnTux) {
                    const IbexFileType t = r.kind() == ioBtnCP ? ftTemplate : ftTuxTemplate;
                    EXPECT_TRUE(QFileInfo::exists(targetFolder + ibexFileName(t, r.u16(ibw::obj::TemplateNumber))));
                }
            }
        }
    }
    EXPECT_EQ(displays, 15);
    EXPECT_EQ(fileTypes.size(), 3u);
    for (int k = 0; k < int(ioHdrDesc); ++k)
        EXPECT_TRUE(kinds.count(IbexObject(k))) << ibexObjectName(IbexObject(k)).toStdString();
    EXPECT_TRUE(kinds.count(ioUnknown));
}
