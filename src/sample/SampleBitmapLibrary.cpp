#include "sample/SampleBitmapLibrary.h"

#include "util/Error.h"
#include "util/FileUtil.h"
#include "project/Settings.h"
#include "sample/SampleDisplays.h"

#include <QDir>

namespace vorlix::sample {

void writeSampleBitmapLibrary(const SampleJobPaths &p)
{
    const QString lib = p.bactalkRoot + u'/' + QLatin1String(kLibraryRep) + u'/' + QLatin1String(kLibraryJob)
        + u"/bitmaps"_qs;
    if (!QDir().mkpath(lib))
        throw Error(QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(lib)));
    // Backgrounds of the panel templates and of the local display: found in
    // the library. The other backgrounds and the graphics' bitmaps are copied.
    const struct {
        const QString &folder;
        const char *name;
    } shared[] = {{p.job, "panel.bmp"}, {p.localJob, "lobby.bmp"}};
    for (const auto &s : shared) {
        QByteArray bytes;
        QString why;
        if (!readWholeFile(s.folder + u"/ldisplay/"_qs + QLatin1String(s.name), bytes, &why))
            throw Error(why);
        writeFileAtomically(lib + u'/' + QLatin1String(s.name), bytes);
    }
    // The pilot LEDs of the library.
    writeFileAtomically(lib + u"/aler0000.bmp"_qs, tinyBitmap(0x000080));
    writeFileAtomically(lib + u"/aler0001.bmp"_qs, tinyBitmap(0x00FF00));
}

void useSampleBitmapLibrary(Settings &settings)
{
    if (settings.alerRep.isEmpty() && settings.alerJob.isEmpty()) {
        settings.alerRep = QLatin1String(kLibraryRep);
        settings.alerJob = QLatin1String(kLibraryJob);
    }
}

} // namespace vorlix::sample
