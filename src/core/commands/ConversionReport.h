#pragma once
// What one whole-job conversion did, stage by stage, display by display and
// device by device, and what the integrator must still do; written into the
// BACtalk job folder as a printable page and as JSON.
#include "displays/ObjectMessages.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix {

struct StageResult {
    enum class Status { Ok, Failed, Skipped };
    QString name;
    Status status = Status::Ok;
    double seconds = 0;
    QString message; // why it failed or was skipped, or what it did
};
QString stageStatusText(StageResult::Status status);

struct DisplayResult {
    enum class Status { Written, Kept, Redirected, Skipped, Failed };
    QString ibex;    // the Ibex display file name
    bool local = false;
    QString bactalk; // the BACtalk file written or kept (the target when redirected)
    int objects = 0;
    bool scanned = false; // a pushbutton chain from the start display reaches it
    Status status = Status::Skipped;
    QString reason;       // why it was not written, when it was not
    std::vector<ObjectProblem> problems;
    // The display's pictures in the report's pictures folder (file names;
    // both or neither), or why there are none.
    QString thumbnailIbex, thumbnailBactalk;
    QString thumbnailNote;
};
QString displayStatusText(DisplayResult::Status status);

struct ConversionReport {
    QString job;
    QString bactalk;
    std::vector<StageResult> stages;
    std::vector<DisplayResult> displays;
    QStringList missingFiles; // Ibex files the readers and the scan did not find
    QStringList scripts;      // script files written
    QStringList tdcCopied, tdcExists, tdcMissing, tdcFailed;
    int gateways = 0, tux = 0, workstations = 0, merged = 0, notWritten = 0;
    QString mergeDestination;
    QStringList devicesWithoutTdcNames; // device instances
    QStringList notes;                  // what the stages told the user
    bool cancelled = false;
    bool written = false; // the report files landed in the BACtalk job folder

    bool failed() const;
    // The "needs a hand" list: everything the integrator must still do.
    QStringList needsAHand() const;
    QByteArray toJson() const;
    QByteArray toHtml() const;
};

inline constexpr auto kReportHtml = "conversion-report.html";
inline constexpr auto kReportJson = "conversion-report.json";

// Writes both files into `folder`, replacing them. Throws Error naming the
// file that cannot be written.
void writeConversionReport(const ConversionReport &report, const QString &folder);

} // namespace vorlix
