#include "commands/ConversionThumbnails.h"

#include "commands/ConversionReport.h"
#include "commands/TranslateCommands.h"
#include "render/TranslationPictures.h"
#include "translate/Translation.h"
#include "util/BackgroundWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <exception>

namespace vorlix {

namespace {

// The pictures folder, made when missing. Throws Error when it cannot be
// made or is a link (nothing is written through one).
QString picturesFolder(const QString &bactalk)
{
    const QString folder = findCaseInsensitive(bactalk, QLatin1String(kReportPictures));
    const QFileInfo info(folder);
    if (info.isSymLink())
        throw Error(QStringLiteral("the folder \"%1\" is a link").arg(QDir::toNativeSeparators(folder)));
    if (!info.isDir() && !QDir(bactalk).mkdir(info.fileName()))
        throw Error(QStringLiteral("the folder \"%1\" cannot be made").arg(QDir::toNativeSeparators(folder)));
    return folder;
}

QByteArray thumbnailPng(const QImage &image, double scale, const QString &what)
{
    const QSize size(qMax(1, qRound(image.width() * scale)), qMax(1, qRound(image.height() * scale)));
    const QByteArray png = render::pngBytes(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    if (image.isNull() || png.isEmpty())
        throw Error(QStringLiteral("the %1 picture could not be made").arg(what));
    return png;
}

void drawBoth(Workbench &wb, const QString &bactalk, DisplayResult &d, const QByteArray &btBytes,
              BackgroundWriter &writer)
{
    if (!isPlainFileName(d.bactalk))
        throw Error(QStringLiteral("\"%1\" is not a plain file name").arg(d.bactalk));
    const Translation *t = loadedTranslation(wb);
    if (!t || QFileInfo(t->path()).fileName().compare(d.ibex, Qt::CaseInsensitive) != 0)
        throw Error(u"the Ibex display is not the one loaded"_qs);
    const render::Picture ibex = render::drawTranslation(wb, *t);
    const QString btPath = QDir(findCaseInsensitive(bactalk, u"displays"_qs)).filePath(d.bactalk);
    const render::Picture bt = render::drawDisplayBytes(btBytes, btPath);
    // One scale for both, so a display written at another size shows it.
    const int width = qMax(ibex.image.width(), bt.image.width());
    const int height = qMax(ibex.image.height(), bt.image.height());
    const double scale = qMin(1.0, double(kThumbnailSide) / qMax(1, qMax(width, height)));
    const QByteArray ibexPng = thumbnailPng(ibex.image, scale, u"Ibex"_qs);
    const QByteArray btPng = thumbnailPng(bt.image, scale, u"BACtalk"_qs);
    const QDir folder(picturesFolder(bactalk));
    writer.write(folder.filePath(ibexThumbnailName(d.bactalk)), ibexPng);
    writer.write(folder.filePath(bactalkThumbnailName(d.bactalk)), btPng);
    d.thumbnailIbex = ibexThumbnailName(d.bactalk);
    d.thumbnailBactalk = bactalkThumbnailName(d.bactalk);
}

} // namespace

void thumbnailWriteFailed(DisplayResult &d, const QString &error)
{
    d.thumbnailIbex.clear();
    d.thumbnailBactalk.clear();
    d.thumbnailNote = u"No thumbnails: "_qs + error;
}

bool canDrawThumbnails() { return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr; }

QString ibexThumbnailName(const QString &bactalkFile) { return bactalkFile + u".ibex.png"_qs; }
QString bactalkThumbnailName(const QString &bactalkFile) { return bactalkFile + u".bactalk.png"_qs; }

void drawDisplayThumbnails(Workbench &wb, const QString &bactalk, DisplayResult &d, const QByteArray &btBytes,
                           BackgroundWriter &writer)
{
    d.thumbnailIbex.clear();
    d.thumbnailBactalk.clear();
    try {
        drawBoth(wb, bactalk, d, btBytes, writer);
        return;
    } catch (const Error &e) {
        d.thumbnailNote = u"No thumbnails: "_qs + e.message();
    } catch (const std::exception &e) {
        d.thumbnailNote = u"No thumbnails: "_qs + QString::fromLocal8Bit(e.what());
    }
}

} // namespace vorlix
