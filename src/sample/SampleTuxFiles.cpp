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
    // Apex 1: a Tux file for each of its control panels (trunk 1 addresses
    // 3 and 4, trunk 2 addresses 5 and 6); Tux files on both of its trunks
    // that no control panel calls, one on trunk 3 (which it does
    // not use: its base reads 0, so the name is the bare address), one that
    // is no Tux name, and a file that is not a DDC file.
    job.mkpath(u"tddc01"_qs);
    const QDir apex1(job.filePath(u"tddc01"_qs));
    for (const char *name : {"tux103.tdc", "tux104.tdc", "tux205.tdc", "tux206.tdc"})
        writeTux(apex1, name);
    writeTux(apex1, "TUX105.TDC");
    writeTux(apex1, "tux210.tdc");
    writeTux(apex1, "tux305.tdc");
    writeTux(apex1, "Main.tdc");
    writeFileAtomically(apex1.filePath(u"readme.txt"_qs), QByteArray("not a DDC file\r\n"));
    // Apex 2's folder in upper case, as copied from Windows: its two
    // control panels (trunk 1 addresses 9 and 10) and one no panel calls.
    job.mkpath(u"TDDC02"_qs);
    const QDir apex2(job.filePath(u"TDDC02"_qs));
    for (const char *name : {"tux101.tdc", "TUX109.TDC", "tux110.tdc"})
        writeTux(apex2, name);
}

} // namespace vorlix::sample
