#pragma once
// The bundled synthetic Ibex job: a small but complete job that every step
// of the conversion can run on without set-up.
#include <QString>

namespace vorlix {
class Workbench;
}

namespace vorlix::sample {

struct SampleJobPaths {
    QString root;        // the folder given to sample-job
    QString job;         // root/job: the Ibex job folder (MASETUP.DAT)
    QString localJob;    // root/localjob
    QString bactalkRoot; // root/bactalk: the BACtalk root (rep/job folders)
    QString bactalkJob;  // root/bactalk/<rep>/<job>
};

inline constexpr auto kBactalkRep = "acme";
inline constexpr auto kBactalkJob = "plaza";

SampleJobPaths pathsUnder(const QString &root);

// Writes every file of the sample job below `root`. Throws Error naming the
// file that cannot be written.
SampleJobPaths writeSampleJob(const QString &root);

// Maps the sample's Apexes in ApexMap and points BactalkJobPath at the
// sample's BACtalk job; `wb` has the sample job open.
void configureSampleProject(Workbench &wb, const SampleJobPaths &paths);

// The Apexes the sample maps, and the one whose files are missing.
inline constexpr int kSampleApexes[] = {1, 2, 5};
inline constexpr int kApexWithoutFiles = 5;

} // namespace vorlix::sample
