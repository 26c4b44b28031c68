// Loads arbitrary bytes as an Ibex display, translates it and uses every
// part of the translation that reads the file: rows, sorting, the clipboard
// text, the info boxes and the override refresh of every row. The first
// byte chooses the display kind and the conversion options.
#include "support/FuzzProject.h"
#include "translate/DisplayTranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

using namespace vorlix;

namespace {

struct Fixture : fuzz::FuzzProject {
    Fixture() : FuzzProject("fuzz_display")
    {
        QSqlQuery q(pdb.db());
        q.exec(QStringLiteral("UPDATE ApexMap SET ComList = '12', GlobalPts = 1100, BaseAddr1 = 1200, "
                              "BaseAddr2 = 1300 WHERE Apex = 1"));
        q.exec(QStringLiteral("INSERT INTO CpanelMap (Apex, Sequence, CPanelNumber, Trunk, Address) "
                              "VALUES (1, 10, 1, 1, 4)"));
        q.exec(QStringLiteral("INSERT INTO IbexPtMap (Apex, IbexPt, PtType) VALUES (1, 1, 2)"));
        q.exec(QStringLiteral("INSERT INTO GlobalOVR (Apex, IbexPoint, BTPoint) VALUES (1, 'IB-2', '$SKIP')"));
        q.exec(QStringLiteral("INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) "
                              "VALUES (0, 'disp0002.ibw', 'a-b-00000009.dsp')"));
        vars.cpanelPlaceHolder = QStringLiteral("AV-9999");
        translator = new DisplayTranslator(vars, map);
    }
    DisplayTranslator *translator = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture f;
    if (size == 0)
        return 0;
    const uint8_t options = data[0];
    f.vars.convertCpStatus = options & 1;
    f.vars.convertCpName = options & 2;
    f.vars.showZoneObjAsText = options & 4;
    f.vars.mapMSetGraphicToBtn = options & 8;
    f.vars.addRelDefToBO = options & 16;
    static const char *const names[] = {"disp0001.ibw", "ccpd0001.ibw", "ctxd0001.ibw", "disp0001.ibw"};
    const QString name = QLatin1String(names[(options >> 5) & 3]);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    DisplayTranslator &tr = *f.translator;
    Translation t = tr.load(IbexDisplay::fromBytes(bytes), name, DisplayRef{name, (options & 0x80) != 0});
    const int rows = int(t.rows().size());
    for (int r = 0; r < rows; ++r)
        tr.info(t, r);
    t.sort(SortOrder(options % 8));
    (void)t.clipboardText().size();
    t.sort(soIndex);
    // A reset refreshes a row from the file (the overrides it deletes are none).
    for (int r = 0; r < rows; ++r)
        tr.editOverride(t, r, (options & 1) ? Translation::colBtText : Translation::colBtPoint, OverrideResult::Reset);
    return 0;
}
