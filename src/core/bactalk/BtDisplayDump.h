#pragma once
// Reads a BACtalk display file back and lists its header and records field
// by field, for checking what the creation wrote. A damaged file gives a
// message naming the file and the offset; nothing is read outside the data.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vorlix::bt {

struct DumpResult {
    QStringList lines;
    int records = 0;
    bool ok = true;
    QString error; // names the file and what is wrong when !ok
};

// `name` is used in messages only.
DumpResult dumpDisplay(const QByteArray &bytes, const QString &name);
// Reads the file; an unreadable file gives !ok with the reason.
DumpResult dumpDisplayFile(const QString &path);

} // namespace vorlix::bt
