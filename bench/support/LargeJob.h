#pragma once
// The pieces of the large Ibex job the benchmarks build: DDC programs with
// their point and control-panel files, displays linked for the scan,
// displays of 100 objects, Tux DDC files and the Apex mapping. Each bench
// takes the parts it times; bench_convert_large puts them all together.
#include <QByteArray>
#include <QString>

namespace vorlix {
class ProjectDatabase;
namespace sample {
class IbexDisplayBuilder;
}
} // namespace vorlix

namespace vorlix::bench {

// The DDC program of one Apex: `calls` calls (each followed by three
// statements on Ibex and Tux points), then 500 subroutines of four
// statements (from sequence 9000, or past the main program when it is
// longer); 2,000 calls make 10,000 statements. The calls address Tux
// controllers on trunks 1 to 4 at addresses 1 to `tuxAddresses`. The DDC
// reader takes at most 10,000 statements of a file, so 2,000 calls is the
// most a program the reader reads whole can have.
inline constexpr int kCalls = 2000;
inline constexpr int kSubroutines = 500;
inline constexpr int kStatements = 4 * kCalls + 4 * kSubroutines;
inline constexpr int kPoints = 1000; // point setups per Apex
inline constexpr int kPanels = 256;  // control-panel names per Apex
QByteArray largeProgram(int calls = kCalls, int tuxAddresses = 60);
QByteArray pointSetups(int points = kPoints);
QByteArray pointValues(int points = kPoints);
QByteArray panelNames(int panels = kPanels);

// Writes `bytes` to `path`, complaining on stderr when it cannot.
void writeBytes(const QString &path, const QByteArray &bytes);

// A job folder `job` (made when missing, with its MASETUP.DAT) holding the
// DDC program, point setups, point values and control-panel names of the
// Apexes 0 .. apexes-1.
struct ApexFiles {
    int apexes = 32;
    int calls = kCalls;
    int tuxAddresses = 60;
    int points = kPoints;
};
void writeApexFiles(const QString &job, const ApexFiles &files);

// The display tree the scan walks: `displays` displays on 20 levels, each
// with a title, 5 buttons to displays of the next level, one back to the
// plant overview and 4 to the 200 control-panel templates. `extraObjects`
// more objects of the kinds addObjects makes follow.
inline constexpr int kLevels = 20;
inline constexpr int kTemplates = 200;
QByteArray linkedDisplay(int number, int displays, int extraObjects = 0);
// Writes disp0001.ibw onwards and the templates ccpd0001.ibw onwards into
// the job's ldisplay folder.
void writeLinkedDisplays(const QString &job, int displays, int extraObjects = 0);

// `count` objects of a working display (texts, values, checkboxes, graphics
// with the bitmaps fan1.bmp to fan4.bmp, buttons to other displays) on
// Ibex points of Apex 1, laid out on a grid from the `first`th cell.
void addObjects(sample::IbexDisplayBuilder &d, int number, int displays, int first, int count);
// A display of 100 such objects.
QByteArray objectDisplay(int number, int displays);
// The bitmaps those objects show, in the job's ldisplay folder.
void writeFanBitmaps(const QString &job);

// Tux DDC files number `from` .. to-1, spread over the tddcNN folders of
// 32 Apexes. The first 4 x `tuxAddresses` files of an Apex are those of its
// Tux on trunks 1 to 4 at addresses 1 to `tuxAddresses` (tuxTAA.tdc: the
// controllers the large program calls); the rest are progN.tdc, which name
// no controller.
void writeTuxFiles(const QString &job, int from, int to, int tuxAddresses = 16);

// Maps the Apexes 0 .. apexes-1 on all four coms: Device-ID
// 100000 + apex * 1000 + com * 100, base address ten times that, network
// 1000 + apex * 4 + com.
void mapApexes(ProjectDatabase &pdb, int apexes);

// The controller map the listing and scan benchmarks look panels up in:
// Apexes 0 to 31 on all four coms (GlobalPts apex * 1000 + 100, base of com
// n apex * 1000 + (n + 1) * 100) with 250 control-panel calls each.
void fillPanelCalls(ProjectDatabase &pdb);

// Rows for the BACtalk point instances first .. first+count-1 in both the
// "Analog Values" and the "Binary Values" table of the SQLite point
// database `file` (every tenth binary value "pri"), for an export to match.
void addPointRows(const QString &file, int first, int count);

// The peak resident memory of the process so far, in MB (the peak working
// set on Windows). BenchPlatformPosix.cpp / BenchPlatformWindows.cpp.
double peakMemoryMb();

// The process's CPU time so far (user + system), in seconds.
double cpuSeconds();

// Puts what was written on the disk before a timed run (POSIX sync(2); on
// Windows, which has no such call for a program, nothing).
void syncDisks();

} // namespace vorlix::bench
