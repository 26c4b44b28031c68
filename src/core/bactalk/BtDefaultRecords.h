#pragma once
// The default contents every BACtalk display record starts from: the header
// and one default record per record kind. Built once; records are produced
// by copying these and patching fields.
#include "bactalk/BtDisplayLayout.h"

#include <QByteArray>

namespace vorlix::bt {

const QByteArray &defaultHeader();
// The default record of a kind; its size is the kind's record size (169
// bytes for the login pushbutton, whose real size follows its caption).
const QByteArray &defaultRecord(RecordKind kind);
int recordSize(RecordKind kind);
const char *recordKindName(RecordKind kind);

} // namespace vorlix::bt
