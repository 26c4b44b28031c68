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
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

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

// The PNG file of a picture already drawn at thumbnail size.
QByteArray thumbnailPng(const QImage &image, const QString &what)
{
    const QByteArray png = image.isNull() ? QByteArray() : render::pngBytes(image, true);
    if (png.isEmpty())
        throw Error(QStringLiteral("the %1 picture could not be made").arg(what));
    return png;
}

// The display gets no pictures: one of them could not be made or written.
void noThumbnails(DisplayResult &d, const QString &why)
{
    d.thumbnailIbex.clear();
    d.thumbnailBactalk.clear();
    d.thumbnailNote = u"No thumbnails: "_qs + why;
}

} // namespace

struct ThumbnailMaker::Work {
    DisplayResult *display = nullptr;
    double scale = 1;
    QImage ibex;
    QByteArray btBytes;
    QString btPath;
    QString ibexFile, btFile; // the pictures' paths
};

struct ThumbnailMaker::State {
    QString bactalk;
    BackgroundWriter &writer;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Work> queue;
    bool busy = false;
    bool stop = false;
    // Filled by the thread: why a display has no pictures, and which
    // display each handed-over picture file belongs to.
    std::vector<std::pair<DisplayResult *, QString>> failed;
    std::map<QString, DisplayResult *> owners;
    std::thread thread;
};

ThumbnailMaker::ThumbnailMaker(const QString &bactalk, BackgroundWriter &writer)
    : m(new State{bactalk, writer, {}, {}, {}, false, false, {}, {}, {}})
{
    m->thread = std::thread([this] { run(); });
}

ThumbnailMaker::~ThumbnailMaker()
{
    {
        std::lock_guard<std::mutex> lock(m->mutex);
        m->stop = true;
    }
    m->changed.notify_all();
    m->thread.join();
}

void ThumbnailMaker::add(Workbench &wb, DisplayResult &d, const QByteArray &btBytes)
{
    d.thumbnailIbex.clear();
    d.thumbnailBactalk.clear();
    Work w;
    w.display = &d;
    w.btBytes = btBytes;
    try {
        if (!isPlainFileName(d.bactalk))
            throw Error(QStringLiteral("\"%1\" is not a plain file name").arg(d.bactalk));
        const Translation *t = loadedTranslation(wb);
        if (!t || QFileInfo(t->path()).fileName().compare(d.ibex, Qt::CaseInsensitive) != 0)
            throw Error(u"the Ibex display is not the one loaded"_qs);
        // One scale for both, so a display written at another size shows it.
        const QSize ibexSize = render::ibexPictureSize(t->file());
        const QSize btSize = render::btPictureSize(btBytes);
        const int side = qMax(qMax(ibexSize.width(), btSize.width()), qMax(ibexSize.height(), btSize.height()));
        w.scale = qMin(1.0, double(kThumbnailSide) / qMax(1, side));
        w.ibex = render::drawTranslation(wb, *t, w.scale).image;
        w.btPath = QDir(findCaseInsensitive(m->bactalk, u"displays"_qs)).filePath(d.bactalk);
        const QDir folder(picturesFolder(m->bactalk));
        w.ibexFile = folder.filePath(ibexThumbnailName(d.bactalk));
        w.btFile = folder.filePath(bactalkThumbnailName(d.bactalk));
    } catch (const Error &e) {
        noThumbnails(d, e.message());
        return;
    } catch (const std::exception &e) {
        noThumbnails(d, QString::fromLocal8Bit(e.what()));
        return;
    }
    // Named now; a picture that fails later takes the names back.
    d.thumbnailIbex = ibexThumbnailName(d.bactalk);
    d.thumbnailBactalk = bactalkThumbnailName(d.bactalk);
    std::unique_lock<std::mutex> lock(m->mutex);
    m->changed.wait(lock, [this] { return m->queue.size() < 4; }); // a few full-size pictures at most
    m->queue.push_back(std::move(w));
    lock.unlock();
    m->changed.notify_all();
}

void ThumbnailMaker::run()
{
    std::unique_lock<std::mutex> lock(m->mutex);
    for (;;) {
        m->changed.wait(lock, [this] { return m->stop || !m->queue.empty(); });
        if (m->queue.empty())
            return;
        Work w = std::move(m->queue.front());
        m->queue.pop_front();
        m->busy = true;
        lock.unlock();
        m->changed.notify_all();

        QString failure;
        try {
            const render::Picture bt = render::drawDisplayBytes(w.btBytes, w.btPath, w.scale);
            const QByteArray ibexPng = thumbnailPng(w.ibex, u"Ibex"_qs);
            const QByteArray btPng = thumbnailPng(bt.image, u"BACtalk"_qs);
            m->writer.write(w.ibexFile, ibexPng);
            m->writer.write(w.btFile, btPng);
        } catch (const Error &e) {
            failure = e.message();
        } catch (const std::exception &e) {
            failure = QString::fromLocal8Bit(e.what());
        }

        lock.lock();
        if (failure.isEmpty()) {
            m->owners[w.ibexFile] = w.display;
            m->owners[w.btFile] = w.display;
        } else {
            m->failed.emplace_back(w.display, failure);
        }
        m->busy = false;
        m->changed.notify_all();
    }
}

void ThumbnailMaker::finish()
{
    {
        std::unique_lock<std::mutex> lock(m->mutex);
        m->changed.wait(lock, [this] { return m->queue.empty() && !m->busy; });
    }
    for (const BackgroundWriter::Outcome &o : m->writer.finish()) {
        const auto owner = m->owners.find(o.path);
        if (!o.error.isEmpty() && owner != m->owners.end())
            noThumbnails(*owner->second, o.error);
    }
    for (const auto &[display, why] : m->failed)
        noThumbnails(*display, why);
    m->failed.clear();
    m->owners.clear();
}

bool canDrawThumbnails() { return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr; }

QString ibexThumbnailName(const QString &bactalkFile) { return bactalkFile + u".ibex.png"_qs; }
QString bactalkThumbnailName(const QString &bactalkFile) { return bactalkFile + u".bactalk.png"_qs; }

} // namespace vorlix
