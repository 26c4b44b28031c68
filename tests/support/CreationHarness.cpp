#include "support/CreationHarness.h"

#include "commands/TranslateCommands.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace vorlix::test {

CreationHarness::CreationHarness()
    : settings(project.wb.settings), log(project.wb.log), prompter(project.prompter)
{
    QDir().mkpath(bactalkJob());
    project.vars.bactalkJobPath = bactalkJob();
    settings.alerRep = u"alerton"_qs;
    settings.alerJob = u"standard"_qs;
    settings.dealerRep = u"dealer"_qs;
    settings.dealerJob = u"bitmaps"_qs;
}

QString CreationHarness::bactalkRoot() const { return project.root() + u"/bactalk"_qs; }
QString CreationHarness::bactalkJob() const { return bactalkRoot() + u"/acme/plaza"_qs; }
QString CreationHarness::displayPath(const QString &btName) const
{
    return bactalkJob() + u"/displays/"_qs + btName;
}

void CreationHarness::load(const QString &ibexName, const QByteArray &fileBytes, bool localJob)
{
    auto t = std::make_unique<Translation>(IbexDisplay::fromBytes(fileBytes), ibexName,
                                           DisplayRef{ibexName, localJob}, ibexFileTypeOf(ibexName));
    int n = 0;
    for (int p : t->file().walkObjectRecords()) {
        if (t->file().record(p).length() == ibw::SkippedRecordLength)
            continue;
        TranslationRow r;
        r.object = ++n;
        r.position = p;
        r.kind = t->file().record(p).kind();
        t->rows().push_back(r);
    }
    t->setTotalObjects(n);
    project.wb.loadedTranslation = std::move(t);
}

void CreationHarness::list(const QString &ibexName, const QByteArray &fileBytes, bool localJob)
{
    project.writeDisplay(ibexName, fileBytes, localJob);
    loadDisplayCommand(project.wb, findDisplayFile(project.wb, ibexName, localJob));
}

Translation &CreationHarness::translation()
{
    Translation *t = loadedTranslation(project.wb);
    if (!t)
        throw std::logic_error("no display loaded");
    return *t;
}

TranslationRow &CreationHarness::row(int objectNumber)
{
    Translation &t = translation();
    const int index = t.indexOfObject(objectNumber);
    if (index < 0)
        throw std::out_of_range("no such row");
    return t.rows()[size_t(index)];
}

CreationOutcome CreationHarness::create(int selectedIndex)
{
    result = createBtDisplayCommand(project.wb, selectedIndex);
    return result;
}

QByteArray CreationHarness::written() const
{
    QFile f(result.path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace vorlix::test
