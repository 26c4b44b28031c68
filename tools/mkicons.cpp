// Draws the program's icon from packaging/vorlix.svg as PNG files of the
// usual sizes (16 to 256 pixels), for systems without an SVG icon loader,
// and vorlix.ico, the Windows icon holding the same PNG images.
// The icon uses only filled and outlined rectangles (rounded or not) and
// paths of straight lines, so this reads just those and refuses anything
// else, rather than drawing an icon that differs from the SVG.
//   vorlix-mkicons ICON.svg OUTPUT-FOLDER
//   (writes <size>x<size>/vorlix.png and vorlix.ico)
#include "render/TranslationPictures.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

using namespace vorlix;

using Shape = std::function<void(QPainter &)>;

bool parsePath(const QString &d, QPainterPath &path)
{
    static const QRegularExpression token(QStringLiteral("([MLHVZ])|(-?[0-9.]+)"));
    QChar command;
    QList<double> numbers;
    QPointF at;
    const auto flush = [&]() -> bool {
        if (command == u'M' || command == u'L') {
            if (numbers.size() % 2)
                return false;
            for (qsizetype i = 0; i < numbers.size(); i += 2) {
                at = QPointF(numbers[i], numbers[i + 1]);
                (command == u'M' && i == 0) ? path.moveTo(at) : path.lineTo(at);
            }
        } else if (command == u'H' || command == u'V') {
            for (double v : numbers) {
                at = command == u'H' ? QPointF(v, at.y()) : QPointF(at.x(), v);
                path.lineTo(at);
            }
        } else if (command == u'Z') {
            path.closeSubpath();
        }
        numbers.clear();
        return true;
    };
    QString rest = d;
    rest.remove(token).remove(u',');
    if (!rest.trimmed().isEmpty())
        return false;
    for (auto it = token.globalMatch(d); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1)) {
            if (!flush())
                return false;
            command = m.captured(1).at(0);
        } else {
            numbers.append(m.captured(2).toDouble());
        }
    }
    return flush();
}

// The shapes of the icon in its own units, or an error naming what is not
// understood.
bool readIcon(const QString &file, QSizeF &viewBox, std::vector<Shape> &shapes, QString &error)
{
    QByteArray bytes;
    if (!readWholeFile(file, bytes, &error, 1024 * 1024))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const auto num = [&](const char *name) { return a.value(QLatin1String(name)).toDouble(); };
        const QColor fill(a.value(QLatin1String("fill")).toString());
        const QColor strokeColor(a.value(QLatin1String("stroke")).toString());
        const double strokeWidth = a.hasAttribute(QLatin1String("stroke-width")) ? num("stroke-width") : 1.0;
        const auto paint = [fill, strokeColor, strokeWidth](QPainter &p) {
            p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
            p.setPen(strokeColor.isValid() ? QPen(strokeColor, strokeWidth) : QPen(Qt::NoPen));
        };
        const QStringView name = xml.name();
        if (name == u"svg") {
            const QStringList box = a.value(QLatin1String("viewBox")).toString().split(u' ', Qt::SkipEmptyParts);
            if (box.size() != 4) {
                error = file + QStringLiteral(": the svg element has no viewBox of four numbers");
                return false;
            }
            viewBox = QSizeF(box[2].toDouble(), box[3].toDouble());
        } else if (name == u"rect") {
            const QRectF r(num("x"), num("y"), num("width"), num("height"));
            const double rx = num("rx");
            shapes.push_back([paint, r, rx](QPainter &p) {
                paint(p);
                p.drawRoundedRect(r, rx, rx);
            });
        } else if (name == u"path") {
            QPainterPath path;
            if (!parsePath(a.value(QLatin1String("d")).toString(), path)) {
                error = file + QStringLiteral(": line %1: a path other than straight lines").arg(xml.lineNumber());
                return false;
            }
            shapes.push_back([paint, path](QPainter &p) {
                paint(p);
                p.drawPath(path);
            });
        } else {
            error = file + QStringLiteral(": line %1: the element <%2> is not drawn by this tool")
                               .arg(xml.lineNumber())
                               .arg(name.toString());
            return false;
        }
    }
    if (xml.hasError()) {
        error = file + QStringLiteral(": ") + xml.errorString();
        return false;
    }
    if (viewBox.isEmpty() || shapes.empty()) {
        error = file + QStringLiteral(": no icon found");
        return false;
    }
    return true;
}

void putLe16(QByteArray &out, int v)
{
    out += char(v & 0xff);
    out += char((v >> 8) & 0xff);
}

void putLe32(QByteArray &out, qint64 v)
{
    putLe16(out, int(v & 0xffff));
    putLe16(out, int((v >> 16) & 0xffff));
}

// A Windows icon file whose images are PNG files (read by Windows since
// Vista): the header, one directory entry per image, then the images.
QByteArray icoBytes(const std::vector<std::pair<int, QByteArray>> &pngs)
{
    QByteArray out;
    putLe16(out, 0); // reserved
    putLe16(out, 1); // an icon
    putLe16(out, int(pngs.size()));
    qint64 offset = 6 + 16 * qint64(pngs.size());
    for (const auto &[size, png] : pngs) {
        out += char(size >= 256 ? 0 : size); // width (0 stands for 256)
        out += char(size >= 256 ? 0 : size); // height
        out += char(0);                      // no palette
        out += char(0);                      // reserved
        putLe16(out, 1);                     // colour planes
        putLe16(out, 32);                    // bits per pixel
        putLe32(out, png.size());
        putLe32(out, offset);
        offset += png.size();
    }
    for (const auto &entry : pngs)
        out += entry.second;
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorlix-mkicons ICON.svg OUTPUT-FOLDER\n");
        return 2;
    }
    QSizeF viewBox;
    std::vector<Shape> shapes;
    QString error;
    if (!readIcon(QString::fromLocal8Bit(argv[1]), viewBox, shapes, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    std::vector<std::pair<int, QByteArray>> pngs;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / viewBox.width(), size / viewBox.height());
            for (const Shape &s : shapes)
                s(p);
        }
        const QString folder = out.filePath(QStringLiteral("%1x%1").arg(size));
        const QString file = folder + QStringLiteral("/vorlix.png");
        try {
            if (!QDir().mkpath(folder))
                throw vorlix::Error(folder + QStringLiteral(": the folder cannot be made"));
            pngs.emplace_back(size, vorlix::render::pngBytes(image));
            vorlix::writeFileAtomically(file, pngs.back().second);
        } catch (const vorlix::Error &e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            return 1;
        }
    }
    try {
        vorlix::writeFileAtomically(out.filePath(QStringLiteral("vorlix.ico")), icoBytes(pngs));
    } catch (const vorlix::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
