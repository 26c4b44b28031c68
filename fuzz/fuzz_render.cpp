// Draws arbitrary bytes both as an Ibex display and as a BACtalk display
// file: a damaged display must draw what it can and outline the rest, never
// paint or read outside its data. The canvas is kept small so each run is
// quick; a folder of tiny bitmaps under the sample job's names lets the
// bitmap paths run too.
#include "ibex/IbexDisplay.h"
#include "render/BtPicture.h"
#include "render/IbexPicture.h"

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

using namespace vorlix;

namespace {

constexpr int CanvasSide = 256;

struct Fixture {
    Fixture()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_render";
        static char *argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
        const QString bitmaps = dir.filePath(QStringLiteral("bitmaps"));
        QDir().mkpath(bitmaps);
        QImage tiny(4, 3, QImage::Format_RGB32);
        tiny.fill(Qt::darkGreen);
        for (const char *file : {"plant.bmp", "ahu.bmp", "panel.bmp", "fan_off.bmp", "fan_on.bmp", "aler0000.bmp"})
            tiny.save(bitmaps + u'/' + QLatin1String(file), "BMP");
        ibexBitmaps = render::BitmapFinder({bitmaps});
        btFolders = render::BtBitmapFolders{bitmaps, dir.path()};
    }
    QGuiApplication *app;
    QTemporaryDir dir;
    render::BitmapFinder ibexBitmaps;
    render::BtBitmapFolders btFolders;
};

void checkObjects(const render::Picture &p)
{
    if (p.image.isNull() || p.image.width() > CanvasSide || p.image.height() > CanvasSide)
        __builtin_trap();
    for (const render::PictureObject &o : p.objects)
        if (o.problem && p.problems.isEmpty())
            __builtin_trap();
}

} // namespace

// Fontconfig keeps the font patterns Qt asks for in caches it never frees
// while the program runs; they are no leak of the drawing.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture f;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto label = [](int position) { return QStringLiteral("IB-%1").arg(position); };
    checkObjects(render::drawIbexDisplay(IbexDisplay::fromBytes(bytes), f.ibexBitmaps, label, CanvasSide));
    checkObjects(render::drawBtDisplay(bytes, f.btFolders, CanvasSide));
    return 0;
}
