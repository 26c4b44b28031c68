#pragma once
// What the override dialog works with, apart from its widgets: a point
// override split into its device and its point for editing and put back
// together, and the point templates offered.
#include <QString>
#include <QStringList>

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

} // namespace vorlix
