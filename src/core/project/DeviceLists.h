#pragma once
// The two device lists that steps 3 and 8 offer, built from ApexMap: one
// item per (Apex, com) in use for the DDC scripts ("Dev-ID: 12001, Apex: 3,
// Com: 2"), one item per mapped Apex for the point export ("Dev-ID: 3000,
// Apex: 3"). The items are texts, as the lists show them; commands read the
// Apex and com back out of the chosen item.
#include <QString>
#include <QStringList>
#include <optional>

namespace vorlix {

class ControllerMap;

struct DeviceLists {
    QStringList scripts; // step 8 list box
    QStringList exports; // step 3 export drop-down
};

// Both lists, Apex 0 to 31 in ascending order, com 1 to 4 within an Apex.
DeviceLists buildDeviceLists(ControllerMap &map);

struct ApexCom {
    int apex = 0;
    int com = 0;
};

// The Apex and com of a script list item; nothing when the item does not
// parse to an Apex of at most 32 and a com of 1 to 4 (then the user is
// shown scriptItemFormatError()).
std::optional<ApexCom> listBoxToApexCom(const QString &item);
QString scriptItemFormatError();

// The Apex of an export list item (0 when it holds no number there).
int exportItemApex(const QString &item);

// The item of each list for an Apex (and com); -1 when the list has none.
int findScriptItem(const QStringList &items, int apex, int com);
int findExportItem(const QStringList &items, int apex);

} // namespace vorlix
