#pragma once
// Program-wide settings kept in vorlix.ini in the application folder.
#include <QList>
#include <QString>
#include <array>

namespace vorlix {

inline constexpr int kDeviceColumns = 47;

struct Settings {
    // [Paths]
    QString lastJob;
    QString ibexProject;
    QString bactalkProject;
    // [Display]
    QString colWidthDisp;
    QString colWidthLocalJobList;
    QString colWidthDisplayList;
    // Step 7: the heights of the translation grid and the preview under it
    // ("480,160,"); empty until the user moves the divider.
    QString splitTransGrid;
    std::array<int, kDeviceColumns> deviceColWidth{};   // at least 12 each
    std::array<bool, kDeviceColumns> deviceColVisible{};
    // False when no usable width list was stored (a first start, or a list
    // so narrow that no column title could be read): the reset widths apply.
    bool deviceColWidthStored = false;
    // The file held such an unreadable list: the window writes the settings
    // again at its start so that the file is repaired.
    bool deviceColWidthRepaired = false;
    // [GUI]
    int visualStyle = 13;
    // [Standards]
    QString alerRep, alerJob, dealerRep, dealerJob;
    QString ledRep = u"alerton"_qs, ledJob = u"standard"_qs, ledOff = u"aler0000"_qs, ledOn = u"aler0001"_qs;

    Settings();

    // PrefsInit(read): every key with its default when absent or malformed.
    void read(const QString &iniPath);
    // PrefsInit(write), atomically. Throws Error naming the file. Without
    // `windowState` (the CLI) the column widths and visibility are written
    // as the file already holds them, never from memory.
    void write(const QString &iniPath, bool windowState = true) const;

    // The documented widths of the 47 step 10 columns ("Reset field sizes").
    static int deviceResetWidth(int column);
    // Roughly the width in pixels a step 10 column needs to show its title.
    static int deviceTitleWidth(int column);

    // The step 10 column lists as stored.
    QString deviceWidthList() const;
    QString deviceVisibleList() const;

    QString ledRepJob() const;
    QString ledOffFile() const;
    QString ledOnFile() const;
    QString alertonRepJob(const QString &sep) const;
    QString dealerRepJob(const QString &sep) const;

    // The string grids' widths from a stored list: empty list gives no
    // widths (the grids keep theirs); otherwise one per column, a token below
    // 10 or above 400, missing or not numeric giving 30.
    static QList<int> stringGridWidths(const QString &list, int columns);
    // Joins widths as a width list ("90,120,").
    static QString widthList(const QList<int> &widths);
};

} // namespace vorlix
