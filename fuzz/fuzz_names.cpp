// libFuzzer target: the rules that turn names read from files and tables
// into file names and paths. Any text as a name: a plain file name stays a
// direct child of its folder; a BACtalk display or Tux DDC name made from a
// plain name is plain; a Tux name parses only to a trunk digit and two
// address digits; a redirect value splits into the parts it was made of.
#include "ddc/TuxNames.h"
#include "inventory/RedirectTarget.h"
#include "project/DeviceInstance.h"
#include "support/FuzzProject.h"
#include "translate/DisplayNaming.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QSqlQuery>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace vorlix;

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// A project whose Apex 1 maps trunk 1 at the highest base there is.
struct Fixture : fuzz::FuzzProject {
    Fixture() : FuzzProject("fuzz_names")
    {
        QSqlQuery q(pdb.db());
        q.exec(QStringLiteral("UPDATE ApexMap SET ComList = '12', BaseAddr1 = %1, BaseAddr2 = 0 WHERE Apex = 1")
                   .arg(kMaxBaseAddr));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture f;
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const bool plain = isPlainFileName(name);
    if (plain) {
        const QString folder = QStringLiteral("/srv/job/ldisplay");
        const QString joined = QDir::cleanPath(folder + u'/' + name);
        check(joined.startsWith(folder + u'/') && !joined.mid(folder.size() + 1).contains(u'/'));
        check(!name.contains(u'\\') && !name.contains(u':') && !name.contains(u".."_qs));
    }

    for (bool local : {false, true}) {
        const QString bt = btFileName(name, local, f.vars);
        check(bt == u"<err>" || (isPlainFileName(bt) && (bt.endsWith(u".dsp") || bt.endsWith(u".dvt"))));
    }
    (void)ibexFileTypeOf(name);
    (void)targetNumber(name);

    if (const auto tux = parseTuxName(name)) {
        check(name.size() == 10 && name.startsWith(u"tux", Qt::CaseInsensitive));
        check(tux->trunk >= 0 && tux->trunk <= 9 && tux->address >= 0 && tux->address <= kMaxTuxAddress);
    }
    for (int apex : {1, 2}) {
        const QString tdc = bacTalkTdcName(f.map, apex, name);
        if (plain)
            check(isPlainFileName(tdc));
    }
    // Trunk 1 of Apex 1 is mapped at the highest base: every Tux on it is a device.
    if (const auto tux = parseTuxName(name); tux && tux->trunk == 1)
        check(bacTalkTdcName(f.map, 1, name).startsWith(u'd'));

    // A stored redirect value splits at its first two "-" into rep, job and
    // file, and those give the value back.
    const RedirectTarget t = RedirectTarget::fromValue(name);
    const bool blankFree = std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 33; });
    if (name.count(u'-') >= 2 && blankFree && name == name.toLower())
        check(t.value() == name);
    (void)t.value();
    (void)RedirectTarget::fromPath(name);
    (void)redirectPath(f.dir.path(), name);
    QString root, repJob;
    splitBtJobPath(name, root, repJob);
    return 0;
}
