#pragma once
// What the override dialogs work with, apart from their widgets: a point
// override split into its device and its point for editing and put back
// together, the point templates offered, and the transfer lines of the
// project point override list.
#include <QString>
#include <QStringList>
#include <optional>

namespace vorlix {

// A point override as the dialog edits it: "1200:BO-4-P104" is device 1200
// and BO-4-P104; a point without a device uses the current device.
struct PointEdit {
    static constexpr int MaxDevice = 4194303;
    static constexpr int DefaultDevice = 100;

    bool currentDevice = true;
    int device = DefaultDevice;
    QString point;

    static PointEdit split(const QString &pointOverride);
    // The override text: the point alone for the current device, otherwise
    // the device, ":" and the point (the device alone for an empty point).
    QString joined() const;
    // OK may be pressed: the point is a valid point text or empty.
    bool acceptable() const;
};

// The templates of the point box, in the order the list shows them.
QStringList pointTemplates();

// A line of the transfer list: "Seq:<n>\tApex: <n>\t<Ibex point>\t<BACtalk point>".
struct TransferLine {
    int apex = 0;
    QString ibexPoint;
    QString btPoint;
};
// Splits a transfer line at its first three tabs; the Apex is the number
// after the ":" of the second part (0 when it is not a number). Nothing for
// a line with fewer than three tabs.
std::optional<TransferLine> parseTransferLine(const QString &line);

} // namespace vorlix
