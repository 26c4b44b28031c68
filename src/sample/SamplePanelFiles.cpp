#include "sample/DatFileBuilders.h"
#include "sample/SampleIbexFiles.h"

#include "util/FileUtil.h"

#include <QDir>

namespace vorlix::sample {

void writeSamplePanelFiles(const QString &jobFolder)
{
    const QDir job(jobFolder);
    CntpFileBuilder apex1;
    apex1.panel(12, u"AHU-1 Control Panel"_qs)
        .panel(13, u"AHU-2 Control Panel"_qs)
        .panel(21, u"VAV-5 Box"_qs)
        .panel(22, u"VAV-6 Box"_qs);
    writeFileAtomically(job.filePath(u"cntp01.dat"_qs), apex1.bytes());
    CntpFileBuilder apex2;
    apex2.panel(5, u"Zone Heating"_qs).panel(7, u"Exhaust Fans \u00e9t\u00e9"_qs);
    writeFileAtomically(job.filePath(u"CNTP02.dat"_qs), apex2.bytes());
}

} // namespace vorlix::sample
