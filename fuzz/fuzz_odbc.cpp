// libFuzzer target: the ODBC connection strings. Any text as a file path
// must read back, as the driver manager and as the SQLite ODBC driver read a
// connection string, as exactly the attributes we meant, with the path
// whole; and any text as a connection string is read without harm.
#include "project/OdbcConnection.h"
#include "util/FileUtil.h"

#include <QFile>
#include <QString>
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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)odbcAttributes(text);
    (void)sqliteDriverAttributes(text);
    (void)pathOfFileUri(text);

    const QString path = u'/' + text;
    const auto access = odbcAttributes(accessConnectionString(u"Access"_qs, path));
    check(access.has_value());
    check(*access == OdbcAttributes{{u"DRIVER"_qs, u"Access"_qs}, {u"DBQ"_qs, path}});

    const QString sqlite = sqliteOdbcConnectionString(u"SQLite3"_qs, path, 3000);
    const OdbcAttributes read = sqliteDriverAttributes(sqlite);
    check(read.size() == 4 && read[3].first == u"Database");
    // A path the file system can hold comes back whole.
    if (pathSurvivesRoundTrip(QFile::encodeName(path)))
        check(pathOfFileUri(read[3].second) == path);
    const auto manager = odbcAttributes(sqlite);
    check(manager.has_value() && manager->size() == 4 && manager->at(3) == read[3]);
    return 0;
}
