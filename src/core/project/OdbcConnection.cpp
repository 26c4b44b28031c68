#include "project/OdbcConnection.h"

#include <QByteArray>
#include <QUrl>

namespace vorlix {

namespace {
const QString kFileUri = QStringLiteral("file://");
const QString kReadWrite = QStringLiteral("?mode=rw");
} // namespace

QString odbcBraced(const QString &value)
{
    QString out = value;
    out.replace(u'}', u"}}"_qs);
    return u'{' + out + u'}';
}

QString accessConnectionString(const QString &driver, const QString &path)
{
    return u"DRIVER="_qs + odbcBraced(driver) + u";DBQ="_qs + odbcBraced(path);
}

QString sqliteOdbcConnectionString(const QString &driver, const QString &path, int timeoutMs)
{
    // Every byte of the file's name in UTF-8 (SQLite's file names are UTF-8
    // on every system, whatever the system's own 8-bit encoding) but
    // letters, digits, "-._~" and "/" as %XX: SQLite reads the URI back to
    // the very same name.
    const QByteArray encoded = path.toUtf8().toPercentEncoding("/");
    return u"DRIVER="_qs + odbcBraced(driver) + QStringLiteral(";Timeout=%1;NoCreat=1;Database=").arg(timeoutMs) +
           kFileUri + QString::fromLatin1(encoded) + kReadWrite;
}

std::optional<OdbcAttributes> odbcAttributes(const QString &connection)
{
    OdbcAttributes out;
    qsizetype i = 0;
    const qsizetype n = connection.size();
    while (i < n) {
        if (connection[i] == u';') {
            ++i;
            continue;
        }
        const qsizetype eq = connection.indexOf(u'=', i);
        if (eq < 0)
            return std::nullopt;
        const QString key = connection.mid(i, eq - i);
        if (key.isEmpty() || key.contains(u';') || key.contains(u'{') || key.contains(u'}'))
            return std::nullopt;
        i = eq + 1;
        QString value;
        if (i < n && connection[i] == u'{') {
            ++i;
            for (;;) {
                if (i >= n)
                    return std::nullopt; // no closing brace
                if (connection[i] == u'}') {
                    if (i + 1 < n && connection[i + 1] == u'}') {
                        value += u'}';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += connection[i++];
            }
            if (i < n && connection[i] != u';')
                return std::nullopt; // text after the closing brace
        } else {
            const qsizetype end = connection.indexOf(u';', i);
            value = connection.mid(i, end < 0 ? n - i : end - i);
            i = end < 0 ? n : end;
        }
        out.append({key, value});
    }
    return out;
}

OdbcAttributes sqliteDriverAttributes(const QString &connection)
{
    OdbcAttributes out;
    qsizetype i = 0;
    const qsizetype n = connection.size();
    while (i < n) {
        while (i < n && connection[i] == u';')
            ++i;
        if (i >= n)
            break;
        const qsizetype eq = connection.indexOf(u'=', i);
        if (eq < 0)
            break;
        qsizetype end = connection.indexOf(u';', eq + 1);
        if (end < 0)
            end = n;
        out.append({connection.mid(i, eq - i), connection.mid(eq + 1, end - eq - 1)});
        i = end;
    }
    return out;
}

std::optional<QString> pathOfFileUri(const QString &uri)
{
    if (!uri.startsWith(kFileUri))
        return std::nullopt;
    QString rest = uri.mid(kFileUri.size());
    const qsizetype query = rest.indexOf(u'?');
    if (query >= 0)
        rest.truncate(query);
    if (!rest.startsWith(u'/'))
        return std::nullopt;
    return QString::fromUtf8(QByteArray::fromPercentEncoding(rest.toLatin1()));
}

} // namespace vorlix
