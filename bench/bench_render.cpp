// Times drawing a display of 256 objects with bitmaps, both sides: the Ibex
// display from its records (background bitmap, texts, values, check boxes,
// buttons, graphics with their bitmaps) and a BACtalk display file of the
// same make-up. Each run finds and reads its bitmaps afresh, as the step 7
// preview does for a newly loaded display. Prints median, min and max.
#include "bactalk/BtDisplayLayout.h"
#include "ibex/IbexDisplay.h"
#include "render/BtPicture.h"
#include "render/IbexPicture.h"
#include "sample/IbexDisplayBuilder.h"
#include "support/BtRecordBuilder.h"
#include "util/FileUtil.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vorlix;
using namespace vorlix::sample;
using namespace vorlix::test;

namespace {

constexpr int Objects = 256;
constexpr int Runs = 50;

QByteArray bitmapBytes(int w, int h, QRgb color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    for (int y = 0; y < h; y += 4)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, 0xFF000000u | uint32_t((x * 7 + y) & 0xFF));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray ibexDisplay()
{
    IbexDisplayBuilder d;
    d.description(u"Bench 256"_qs).size(800, 600).bitmapBackground(u"back.bmp"_qs);
    for (int i = 0; i < Objects; ++i) {
        const int x = 10 + (i % 16) * 48;
        const int y = 10 + (i / 16) * 36;
        const uint32_t ibexPoint = 0xD00000u | uint32_t(1 + i % 50);
        switch (i % 6) {
        case 0: d.add(ioText).rect(x, y, 44, 14).caption(QStringLiteral("Label %1").arg(i)); break;
        case 1: d.add(ioRoAnalog).rect(x, y, 44, 14).point(1, ibexPoint).f64(96, 1.0).u8(104, 1); break;
        case 2: d.add(ioDigital).rect(x, y, 44, 14).point(1, ibexPoint).text(88, u"Run"_qs).text(108, u"Stop"_qs); break;
        case 3: d.add(ioCheckbox).rect(x, y, 44, 14).point(1, ibexPoint).caption(u"Enable"_qs); break;
        case 4: d.add(ioBtnDisp).rect(x, y, 44, 20).caption(u"Next"_qs); break;
        default: d.add(ioGrStatic).rect(x, y, 32, 32).bitmap(1, QStringLiteral("g%1.bmp").arg(i % 8)); break;
        }
    }
    return d.bytes();
}

QByteArray btDisplay()
{
    namespace hdr = bt::hdr;
    const QByteArray header = BtBytes(expectedHeader())
                                  .u16(378, 800)
                                  .u16(380, 600)
                                  .u8(hdr::BackgroundKind, 1)
                                  .u8(hdr::BmpSource, 1)
                                  .str(hdr::BmpName, "back.bmp")
                                  .bytes;
    QByteArray records;
    for (int i = 0; i < Objects; ++i) {
        const int x = 10 + (i % 16) * 48;
        const int y = 10 + (i / 16) * 36;
        QByteArray r;
        switch (i % 6) {
        case 0: r = BtBytes(expectedText()).str(119, "Label").bytes; break;
        case 1: r = BtBytes(expectedReadOnlyValue()).u16(33, 2).u32(35, uint32_t(i)).bytes; break;
        case 2: r = expectedPromptedValue(); break;
        case 3: r = expectedCheckbox(); break;
        case 4: r = BtBytes(expectedButton()).str(157, "Next").bytes; break;
        default: r = BtBytes(expectedStaticGraphic()).u8(119, 0).str(152, qPrintable(QStringLiteral("g%1.bmp").arg(i % 8))).bytes; break;
        }
        records += BtBytes(r).u16(2, uint16_t(x)).u16(4, uint16_t(y)).u16(6, 44).u16(8, 32).bytes;
    }
    return expectedFile(header, records, Objects);
}

void print(const char *what, std::vector<double> v, size_t objects, int problems)
{
    std::sort(v.begin(), v.end());
    std::printf("%-34s median %7.2f ms  min %7.2f ms  max %7.2f ms  (%zu objects drawn, %d problems, %d runs)\n", what,
                v[v.size() / 2], v.front(), v.back(), objects, problems, Runs);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString job = dir.filePath(u"rep/job"_qs);
    QDir().mkpath(job + u"/displays"_qs);
    QDir().mkpath(job + u"/bitmaps"_qs);
    const QString ibexFolder = dir.filePath(u"ldisplay"_qs);
    QDir().mkpath(ibexFolder);
    for (const QString &folder : {ibexFolder, job + u"/bitmaps"_qs}) {
        writeFileAtomically(folder + u"/back.bmp"_qs, bitmapBytes(800, 600, 0xFF406080u));
        for (int g = 0; g < 8; ++g)
            writeFileAtomically(folder + QStringLiteral("/g%1.bmp").arg(g), bitmapBytes(32, 32, 0xFF00A000u + uint32_t(g)));
    }
    const IbexDisplay ibex = IbexDisplay::fromBytes(ibexDisplay());
    const QByteArray bt = btDisplay();
    const render::BtBitmapFolders folders = render::btBitmapFoldersOf(job + u"/displays/00000001.dsp"_qs);
    const auto label = [](int position) { return QStringLiteral("IB-%1").arg(position); };

    std::vector<double> ibexMs, btMs, bothMs;
    render::Picture ibexPicture, btPicture;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        ibexPicture = render::drawIbexDisplay(ibex, render::BitmapFinder({ibexFolder}), label);
        const qint64 a = t.nsecsElapsed();
        btPicture = render::drawBtDisplay(bt, folders);
        const qint64 b = t.nsecsElapsed();
        ibexMs.push_back(double(a) / 1e6);
        btMs.push_back(double(b - a) / 1e6);
        bothMs.push_back(double(b) / 1e6);
    }
    print("Ibex display, 256 objects:", ibexMs, ibexPicture.objects.size(), int(ibexPicture.problems.size()));
    print("BACtalk display, 256 objects:", btMs, btPicture.objects.size(), int(btPicture.problems.size()));
    print("both sides (target < 30 ms):", bothMs, ibexPicture.objects.size() + btPicture.objects.size(),
          int(ibexPicture.problems.size() + btPicture.problems.size()));
    std::printf("first run (fonts and bitmaps read cold): %.2f ms both sides\n", bothMs.front());
    for (const QString &p : ibexPicture.problems + btPicture.problems)
        std::printf("  problem: %s\n", qPrintable(p));
    return 0;
}
