#include "commands/RenderCommands.h"

#include "commands/TranslateCommands.h"
#include "render/TranslationPictures.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>

namespace vorlix {

render::Picture renderIbexCommand(Workbench &wb, const DisplayFile &file)
{
    loadDisplayCommand(wb, file);
    const Translation *t = loadedTranslation(wb);
    if (!t)
        throw Error(QStringLiteral("The display \"%1\" was not loaded.").arg(file.name));
    return render::drawTranslation(wb, *t);
}

render::Picture renderBtDisplayCommand(const QString &path)
{
    render::Picture picture;
    QString why;
    if (!render::drawDisplayFile(path, picture, &why))
        throw Error(why);
    return picture;
}

void writePicturePng(const render::Picture &picture, const QString &path)
{
    const QByteArray png = render::pngBytes(picture.image);
    if (png.isEmpty())
        throw Error(QStringLiteral("The picture for \"%1\" could not be made.").arg(QDir::toNativeSeparators(path)));
    writeFileAtomically(path, png);
}

} // namespace vorlix
