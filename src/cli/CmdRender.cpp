// render and render-display: draw an Ibex display of the job, or a BACtalk
// display file, as a PNG picture. What could not be drawn (unknown or
// damaged records, missing bitmaps) is outlined in red and listed on stderr;
// the picture is written all the same.
#include "CliCommand.h"

#include "commands/RenderCommands.h"
#include "commands/TranslateCommands.h"
#include "util/FileUtil.h"

#include <QDir>

namespace vorlix::cli {
namespace {

QString pngOption(const QCommandLineParser &p, const QString &command)
{
    const QString out = p.value(u"png"_qs);
    if (out.isEmpty())
        throw UsageError{command + u" needs --png OUT"_qs};
    return out;
}

int report(Context &ctx, const render::Picture &picture, const QString &out)
{
    writePicturePng(picture, out);
    ctx.out << "Picture written: " << QDir::toNativeSeparators(out) << " (" << picture.image.width() << " x "
            << picture.image.height() << ", " << picture.objects.size() << " objects, " << picture.problems.size()
            << " outlined in red)\n";
    for (const QString &problem : picture.problems)
        ctx.err << "Outlined: " << problem << '\n';
    return ExitOk;
}

int runRender(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    p.addOption(QCommandLineOption(u"local"_qs, u"the display lies in the local job"_qs));
    p.addOption(QCommandLineOption(u"png"_qs, u"the picture file to write"_qs, u"OUT"_qs));
    parseArgs(p, u"render"_qs, args, 2, 2);
    const QString out = pngOption(p, u"render"_qs);
    const QStringList pos = p.positionalArguments();
    if (!isPlainFileName(pos[1]))
        throw UsageError{QStringLiteral("FILE is a display file name, not \"%1\"").arg(pos[1])};
    Workbench &wb = ctx.openJob(pos[0]);
    wb.requireDatabase();
    return report(ctx, renderIbexCommand(wb, findDisplayFile(wb, pos[1], p.isSet(u"local"_qs))), out);
}

int runRenderDisplay(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    p.addOption(QCommandLineOption(u"png"_qs, u"the picture file to write"_qs, u"OUT"_qs));
    parseArgs(p, u"render-display"_qs, args, 1, 1);
    const QString out = pngOption(p, u"render-display"_qs);
    return report(ctx, renderBtDisplayCommand(p.positionalArguments().at(0)), out);
}

RegisterCommand regRender("render", "JOB FILE [--local] --png OUT",
                          "draw an Ibex display of the job as a PNG picture", runRender, Drawing::Always);
RegisterCommand regRenderDisplay("render-display", "DSPFILE --png OUT",
                                 "draw a BACtalk display file as a PNG picture", runRenderDisplay,
                                 Drawing::Always);

} // namespace
} // namespace vorlix::cli
