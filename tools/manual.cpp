// Builds the PDF user manual from the Markdown manual at build time:
//   vorlix-manual MANUAL.md OUT.pdf
// Pictures the manual names are found beside the Markdown file.
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <cstdio>
#include <utility>
#include <vector>

using namespace vorlix;

namespace {

// Pictures wider than the page are drawn at the page's width (their full
// resolution stays in the PDF); a picture that cannot be read is left for the
// document to mark.
void fitPicturesToPage(QTextDocument &doc)
{
    const qreal width = doc.pageSize().width() - 2 * doc.documentMargin();
    std::vector<std::pair<QTextFragment, QSize>> wide;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            const QUrl url = doc.baseUrl().resolved(QUrl(fragment.charFormat().toImageFormat().name()));
            QByteArray bytes;
            if (!url.isLocalFile() || !readWholeFile(url.toLocalFile(), bytes, nullptr, 32 * 1024 * 1024))
                continue;
            const QSize size = QImage::fromData(bytes).size();
            if (size.width() > width)
                wide.emplace_back(fragment, size);
        }
    }
    for (const auto &[fragment, size] : wide) {
        QTextImageFormat format = fragment.charFormat().toImageFormat();
        format.setWidth(width);
        format.setHeight(size.height() * width / size.width());
        QTextCursor cursor(&doc);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorlix-manual MANUAL.md OUT.pdf\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QByteArray text;
    QString error;
    if (!readWholeFile(source, text, &error, 8 * 1024 * 1024)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(source).absolutePath() + u'/'));
    doc.setMarkdown(QString::fromUtf8(text));

    // Written into a buffer first so that the PDF lands with the safe write.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Vorlix User Manual"));
        writer.setCreator(QStringLiteral("vorlix-manual"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        writer.setResolution(96);
        doc.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
        fitPicturesToPage(doc);
        QPainter painter(&writer);
        const QSizeF page = doc.pageSize();
        for (int i = 0; i < doc.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            painter.save();
            painter.translate(0, -page.height() * i);
            QAbstractTextDocumentLayout::PaintContext ctx;
            ctx.clip = QRectF(0, page.height() * i, page.width(), page.height());
            painter.setClipRect(ctx.clip);
            doc.documentLayout()->draw(&painter, ctx);
            painter.restore();
        }
    }
    try {
        writeFileAtomically(out, pdf);
    } catch (const Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("%s: %d pages\n", qPrintable(out), doc.pageCount());
    return 0;
}
