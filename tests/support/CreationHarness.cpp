#include "support/CreationHarness.h"

#include <QDir>
#include <QFile>

namespace vorlix::test {

CreationHarness::CreationHarness() : m_prompter(std::make_unique<ScriptedPrompter>(true)), prompter(*m_prompter)
{
    QDir().mkpath(bactalkJob());
    project.vars.bactalkJobPath = bactalkJob();
    settings.alerRep = u"alerton"_qs;
    settings.alerJob = u"standard"_qs;
    settings.dealerRep = u"dealer"_qs;
    settings.dealerJob = u"bitmaps"_qs;
    creator = std::make_unique<DisplayCreator>(
        project.vars, settings, log, prompter, naming, [this](const IbexObjRec &rec, IbexFileType) {
            for (const CreationRow &r : input.rows)
                if (r.position == rec.position())
                    return points.value(r.objectNumber);
            return PointTranslation{};
        });
    creator->projectFolder = project.jobFolder();
    creator->localJobFolder = project.localJobFolder();
}

QString CreationHarness::bactalkRoot() const { return project.root() + u"/bactalk"_qs; }
QString CreationHarness::bactalkJob() const { return bactalkRoot() + u"/acme/plaza"_qs; }
QString CreationHarness::displayPath(const QString &btName) const
{
    return bactalkJob() + u"/displays/"_qs + btName;
}

void CreationHarness::load(const QString &ibexName, const QByteArray &fileBytes, bool localJob)
{
    const IbexDisplay d = IbexDisplay::fromBytes(fileBytes);
    ibex = d.bytes();
    input = CreationInput{};
    input.loadedName = ibexName;
    input.localJob = localJob;
    input.ibexBytes = &ibex;
    input.ibexDataLength = d.dataLength();
    int n = 0;
    for (int p : d.walkObjectRecords()) {
        if (d.record(p).length() == ibw::SkippedRecordLength)
            continue;
        CreationRow r;
        r.objectNumber = ++n;
        r.position = p;
        input.rows.push_back(r);
    }
}

CreationRow &CreationHarness::row(int objectNumber)
{
    for (CreationRow &r : input.rows)
        if (r.objectNumber == objectNumber)
            return r;
    throw std::out_of_range("no such row");
}

CreationResult CreationHarness::create()
{
    result = creator->createFromGrid(input);
    return result;
}

QByteArray CreationHarness::written() const
{
    QFile f(result.path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

GridCreation::GridCreation()
{
    creation.creator().projectFolder = h.project.jobFolder();
    creation.creator().localJobFolder = h.project.localJobFolder();
    creation.database = &h.project.pdb;
}

void GridCreation::load(const QString &name, const QByteArray &bytes)
{
    grid.loadDisplay(h.project.writeDisplay(name, bytes), name, false);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace vorlix::test
