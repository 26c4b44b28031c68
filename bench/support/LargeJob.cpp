#include "support/LargeJob.h"

#include "project/ProjectDatabase.h"
#include "sample/ApexFileBuilder.h"
#include "sample/DatFileBuilders.h"
#include "sample/IbexDisplayBuilder.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace vorlix::bench {

using namespace vorlix::sample;
using B = ApexFileBuilder;

QByteArray largeProgram(int calls, int tuxAddresses)
{
    B b;
    // The subroutines follow the main program's sequence numbers.
    const int subroutines = std::max(9000, 4 * calls + 1000);
    // Main program: the calls, each followed by three statements working on
    // Ibex and Tux points (one of them a transfer).
    for (int i = 0; i < calls; ++i) {
        const int seq = 1 + 4 * i;
        const int trunk = 1 + i % 4;
        const int address = 1 + (i / 4) % tuxAddresses;
        b.call(static_cast<uint16_t>(seq), static_cast<uint16_t>(subroutines + (i % kSubroutines) * 4),
               {B::constant(10 * (1 + i % kPanels)), B::tuxPoint(trunk, address, 2, 1)});
        b.statement(static_cast<uint16_t>(seq + 1), '+', {B::ibexPoint(1 + i % kPoints), B::constant(5)});
        b.transfer(static_cast<uint16_t>(seq + 2), B::ibexPoint(1 + i % kPoints), B::tuxPoint(trunk, address, 2, 3));
        b.statement(static_cast<uint16_t>(seq + 3), '#',
                    {B::tuxPoint(1 + (i + 1) % 8, (i * 7) % 64, 1, 2), B::constant(725), B::ibexPoint(3)});
    }
    // Subroutines of four statements: panel, Tux mark (every other one),
    // work, end.
    for (int s = 0; s < kSubroutines; ++s) {
        const int seq = subroutines + 4 * s;
        b.panel(static_cast<uint16_t>(seq), B::param(1), B::param(2));
        if (s % 2)
            b.tuxMark(static_cast<uint16_t>(seq + 1));
        else
            b.statement(static_cast<uint16_t>(seq + 1), '+', {B::param(2), B::constant(1)});
        b.statement(static_cast<uint16_t>(seq + 2), '<', {B::param(1), B::param(2), B::ibexPoint(4)});
        b.subroutineEnd(static_cast<uint16_t>(seq + 3));
    }
    if (b.statements() != 4 * calls + 4 * kSubroutines)
        std::fprintf(stderr, "warning: %d statements instead of %d\n", b.statements(), 4 * calls + 4 * kSubroutines);
    return b.bytes();
}

QByteArray pointSetups(int points)
{
    PntsFileBuilder b;
    for (int p = 1; p <= points; ++p)
        b.point(static_cast<uint16_t>(p), static_cast<uint16_t>(1 + p % 4), QStringLiteral("Point %1 of the plant").arg(p));
    return b.bytes();
}

QByteArray pointValues(int points)
{
    PdatFileBuilder b;
    for (int base = 0; base < points; base += 100) {
        std::vector<int16_t> v;
        for (int j = 1; j <= 100; ++j)
            v.push_back(static_cast<int16_t>((base + j) * 3 - 500));
        b.block(2, static_cast<uint16_t>(base), v);
        b.otherBlock(1, QByteArray(10, '\0'));
    }
    return b.bytes();
}

QByteArray panelNames(int panels)
{
    CntpFileBuilder b;
    for (int p = 1; p <= panels; ++p)
        b.panel(static_cast<uint16_t>(p), QStringLiteral("Control panel %1").arg(p));
    return b.bytes();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void writeApexFiles(const QString &job, const ApexFiles &files)
{
    const QByteArray program = largeProgram(files.calls, files.tuxAddresses);
    const QByteArray pnts = pointSetups(files.points);
    const QByteArray pdat = pointValues(files.points);
    const QByteArray cntp = panelNames();
    QDir().mkpath(job);
    writeBytes(job + u"/MASETUP.DAT"_qs, "job");
    for (int a = 0; a < files.apexes; ++a) {
        writeBytes(job + QString::asprintf("/apex%.2d.adc", a), program);
        writeBytes(job + QString::asprintf("/PNTS%.2d.DAT", a), pnts);
        writeBytes(job + QString::asprintf("/pdat%.2d.dat", a), pdat);
        writeBytes(job + QString::asprintf("/Cntp%.2d.dat", a), cntp);
    }
}

QByteArray linkedDisplay(int number, int displays, int extraObjects)
{
    const int perLevel = displays / kLevels;
    const int level = (number - 1) / perLevel;
    IbexDisplayBuilder d;
    d.description(QStringLiteral("Display %1").arg(number));
    d.add(ioText).rect(0, 0, 100, 20).caption(u"Title"_qs);
    for (int j = 0; j < 5; ++j) {
        const int next = level + 1 < kLevels ? (level + 1) * perLevel + ((number * 5 + j) % perLevel) + 1 : 1;
        d.add(ioBtnDisp).rect(0, 30 * j, 100, 20).point(0, uint32_t(next));
    }
    d.add(ioBtnDisp).rect(120, 0, 100, 20).point(0, 1);
    for (int j = 0; j < 4; ++j)
        d.add(ioBtnCP)
            .rect(240, 30 * j, 100, 20)
            .point(uint8_t(number % 32), uint32_t((number + j) % 250 + 1))
            .u16(ibw::obj::TemplateNumber, uint16_t((number * 4 + j) % kTemplates + 1));
    if (extraObjects > 0)
        addObjects(d, number, displays, 11, extraObjects);
    return d.bytes();
}

void writeLinkedDisplays(const QString &job, int displays, int extraObjects)
{
    QDir().mkpath(job + u"/ldisplay"_qs);
    for (int n = 1; n <= displays; ++n)
        writeBytes(QString::asprintf("%s/ldisplay/disp%04d.ibw", qPrintable(job), n),
                   linkedDisplay(n, displays, extraObjects));
    IbexDisplayBuilder t;
    t.add(ioText).rect(0, 0, 100, 20).caption(u"Panel"_qs);
    const QByteArray panel = t.bytes();
    for (int n = 1; n <= kTemplates; ++n)
        writeBytes(QString::asprintf("%s/ldisplay/ccpd%04d.ibw", qPrintable(job), n), panel);
}

void addObjects(IbexDisplayBuilder &d, int number, int displays, int first, int count)
{
    for (int i = first; i < first + count; ++i) {
        const int x = 10 + (i % 10) * 70;
        const int y = 10 + (i / 10) * 50;
        const uint32_t ibexPoint = 0xD00000u | static_cast<uint32_t>(1 + i % 50);
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
            d.add(ioText).rect(x, y, 60, 14).colors(0, 0xFFFFFF, 0xFF).font(u"Arial"_qs, 0, 400, 0)
                .caption(QStringLiteral("Label %1").arg(i));
            break;
        case 3:
        case 4:
            d.add(ioRoAnalog).rect(x, y, 60, 14).point(1, ibexPoint).f64(96, 1.0).u8(104, 1).text(88, u"degF"_qs);
            break;
        case 5:
            d.add(ioAnalog).rect(x, y, 60, 14).point(1, ibexPoint).f64(96, 1.0).u8(104, 1).u16(106, 5);
            break;
        case 6:
            d.add(ioDigital).rect(x, y, 60, 14).point(1, ibexPoint).text(88, u"Run"_qs).text(108, u"Stop"_qs);
            break;
        case 7:
            d.add(ioCheckbox).rect(x, y, 60, 14).point(1, ibexPoint).caption(u"Enable"_qs);
            break;
        case 8:
            d.add(ioGrStatic).rect(x, y, 32, 32).point(1, ibexPoint).bitmap(1, u"fan1.bmp"_qs)
                .bitmap(2, u"fan2.bmp"_qs).bitmap(3, u"fan3.bmp"_qs).bitmap(4, u"fan4.bmp"_qs);
            break;
        default:
            d.add(ioBtnDisp).rect(x, y, 60, 20).point(0, static_cast<uint32_t>(1 + (number + i) % displays))
                .caption(u"Next"_qs);
            break;
        }
    }
}

QByteArray objectDisplay(int number, int displays)
{
    IbexDisplayBuilder d;
    d.description(QStringLiteral("Display %1").arg(number)).size(800, 600).colorBackground(0xC0C0C0);
    addObjects(d, number, displays, 0, 100);
    return d.bytes();
}

void writeFanBitmaps(const QString &job)
{
    QDir().mkpath(job + u"/ldisplay"_qs);
    for (int i = 1; i <= 4; ++i)
        writeBytes(job + QStringLiteral("/ldisplay/fan%1.bmp").arg(i), QByteArray(70, 'B'));
}

void writeTuxFiles(const QString &job, int from, int to, int tuxAddresses)
{
    constexpr int kApexes = 32;
    for (int made = from; made < to; ++made) {
        const int apex = made % kApexes;
        const QString folder = job + QString::asprintf("/tddc%.2d", apex);
        QDir().mkpath(folder);
        const int n = made / kApexes;
        QFile f(folder + QStringLiteral("/prog%1.tdc").arg(n));
        if (n < 4 * tuxAddresses)
            f.setFileName(folder + QString::asprintf("/tux%d%.2d.tdc", 1 + n / tuxAddresses, 1 + n % tuxAddresses));
        if (f.open(QIODevice::WriteOnly))
            f.write("DDC");
    }
}

void mapApexes(ProjectDatabase &pdb, int apexes)
{
    QSqlQuery q(pdb.db());
    for (int apex = 0; apex < apexes; ++apex) {
        QStringList sets{u"ComList = '1234'"_qs};
        for (int n = 1; n <= 4; ++n) {
            const int devId = 100000 + apex * 1000 + n * 100;
            sets << QStringLiteral("DevID%1 = %2, BaseAddr%1 = %3, Net%1 = %4")
                        .arg(n).arg(devId).arg(devId * 10).arg(1000 + apex * 4 + n);
        }
        if (!q.exec(QStringLiteral("UPDATE ApexMap SET %1 WHERE Apex = %2").arg(sets.join(u", "_qs)).arg(apex)))
            std::fprintf(stderr, "cannot map Apex %d\n", apex);
    }
}

void fillPanelCalls(ProjectDatabase &pdb)
{
    QSqlQuery q(pdb.db());
    for (int apex = 0; apex < 32; ++apex)
        q.exec(QStringLiteral("UPDATE ApexMap SET ComList = '1234', GlobalPts = %1, BaseAddr1 = %2, BaseAddr2 = %3, "
                              "BaseAddr3 = %4, BaseAddr4 = %5 WHERE Apex = %6")
                   .arg(apex * 1000 + 100)
                   .arg(apex * 1000 + 200)
                   .arg(apex * 1000 + 300)
                   .arg(apex * 1000 + 400)
                   .arg(apex * 1000 + 500)
                   .arg(apex));
    q.prepare(u"INSERT INTO CpanelMap (Apex, Sequence, CallTo, CPanelNumber, Trunk, Address) VALUES (?, ?, ?, ?, ?, ?)"_qs);
    for (int apex = 0; apex < 32; ++apex)
        for (int cp = 1; cp <= 250; ++cp) {
            q.addBindValue(apex);
            q.addBindValue(cp * 10);
            q.addBindValue(1000 + cp);
            q.addBindValue(cp);
            q.addBindValue(cp % 4 + 1);
            q.addBindValue(cp % 64);
            q.exec();
        }
}

void addPointRows(const QString &file, int first, int count)
{
    const QString connection = u"bench-points"_qs;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, connection);
        db.setDatabaseName(file);
        if (!db.open())
            std::fprintf(stderr, "cannot open %s\n", qPrintable(file));
        QSqlQuery q(db);
        q.exec(u"BEGIN"_qs);
        QSqlQuery av(db), bv(db);
        av.prepare(u"INSERT INTO \"Analog Values\" (Instance, Description, Value) VALUES (?, 'x', 0)"_qs);
        bv.prepare(u"INSERT INTO \"Binary Values\" (Instance, Description, Value) VALUES (?, 'x', ?)"_qs);
        for (int i = first; i < first + count; ++i) {
            av.addBindValue(i);
            av.exec();
            bv.addBindValue(i);
            bv.addBindValue(i % 10 ? u"0"_qs : u"pri"_qs);
            bv.exec();
        }
        if (!q.exec(u"COMMIT"_qs))
            std::fprintf(stderr, "cannot fill %s\n", qPrintable(file));
    }
    QSqlDatabase::removeDatabase(connection);
}

} // namespace vorlix::bench
