#include "sample/SampleIbexFiles.h"

#include "util/FileUtil.h"

#include <QDir>

namespace vorlix::sample {

namespace {

// A Tux DDC program's bytes do not matter to the conversion: it copies them.
QByteArray tuxProgram(const char *name)
{
    return QByteArray("VORLIX SAMPLE TUX DDC ") + name + QByteArray(40, '\0');
}

void writeTux(const QDir &folder, const char *name)
{
    writeFileAtomically(folder.filePath(QLatin1String(name)), tuxProgram(name));
}

} // namespace

void writeSampleTuxFiles(const QString &jobFolder)
{
    const QDir job(jobFolder);
    // Apex 1: Tux files on both of its trunks, one on trunk 3 (which it does
    // not use: its base reads 0, so the name is the bare address), one that
    // is no Tux name, and a file that is not a DDC file.
    job.mkpath(u"tddc01"_qs);
    const QDir apex1(job.filePath(u"tddc01"_qs));
    writeTux(apex1, "TUX105.TDC");
    writeTux(apex1, "tux210.tdc");
    writeTux(apex1, "tux305.tdc");
    writeTux(apex1, "Main.tdc");
    writeFileAtomically(apex1.filePath(u"readme.txt"_qs), QByteArray("not a DDC file\r\n"));
    // Apex 2's folder in upper case, as copied from Windows.
    job.mkpath(u"TDDC02"_qs);
    writeTux(QDir(job.filePath(u"TDDC02"_qs)), "tux101.tdc");
}

} // namespace vorlix::sample
