#pragma once
// DDC framework scripts: for one BACnet device (an Apex and one of its com
// trunks) a text in the DDC drawing tool's script format that lays out one
// subroutine-call block per control-panel call, an end block, and one
// subroutine frame per called subroutine, 56 blocks to a page.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <cstdint>

namespace vorlix {

class ControllerMap;
class ProjectDatabase;

// One control-panel call of the device: the statement that calls, the
// statement called, and the Tux address (base + address) as text, empty
// when the call names no address.
struct ScriptCall {
    uint16_t seq = 0;
    uint16_t callTo = 0;
    QString address;
};

// The slot geometry of a page: 8 columns by 7 rows.
inline constexpr int kScriptSlotsPerPage = 56;
double scriptPinX(int slot);
double scriptPinY(int slot);

// The script text of `calls` (in the order the table gave them): Windows-1252,
// CR LF after every line, no byte-order mark. `createDate` goes into the
// header; the pin coordinates are written with `locale`'s decimal separator.
QByteArray buildDdcScript(const QList<ScriptCall> &calls, const QString &createDate, const QLocale &locale);

// The header's date: the locale's short date, a blank, its long time
// without a time zone, as Windows writes it.
QString scriptCreateDate(const QDateTime &when, const QLocale &locale);

// The calls of (apex, com) from CpanelMap (rows of that Apex whose Trunk is
// the com and that have a CallTo), in the table's order (Apex,
// CPanelNumber); the address is Address + the com's base.
QList<ScriptCall> scriptCalls(ProjectDatabase &pdb, ControllerMap &map, int apex, int com);

// The name of the script of device `devId` in the BACtalk job's ddc folder.
QString frameworkScriptName(int32_t devId);

} // namespace vorlix
