#pragma once
// Writers of the sample job's Apex files, one per kind of file. Each writes
// into the job folder; some names are in upper or mixed case, as jobs copied
// from Windows have them.
#include <QString>

namespace vorlix::sample {

// APEXnn.adc: DDC programs of Apex 1 and 2 (control-panel subroutines
// called through S-n parameters, a Tux subroutine, transfers).
void writeSampleApexFiles(const QString &jobFolder);
// PNTSnn.DAT and PDATnn.DAT: point setups and values of Apex 1 and 2.
void writeSamplePointFiles(const QString &jobFolder);
// CNTPnn.DAT: control-panel names of Apex 1 and 2.
void writeSamplePanelFiles(const QString &jobFolder);
// tddcNN/*.tdc: Tux DDC files of Apex 1 and 2.
void writeSampleTuxFiles(const QString &jobFolder);

} // namespace vorlix::sample
