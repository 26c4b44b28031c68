#pragma once
// The multi-record editor's logic: the value of each selected device row
// (numbered texts, numbered numbers, one value for all) and writing one
// column of every selected row.
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace vorlix {

class ProjectDatabase;

// What the editor writes: codes 0..4 are the "Format Text" columns, 5..15
// the "Numeric Value" columns, then "Rep-Job-App" and "Device Model".
enum class EditTarget : int {
    ObjName = 0, MacAddr, DevModel, DevLocation, Description,
    DevInst = 5, MaxTrends, TrendHost, SchedHost, AlarmHost, Network, Net1, Net2, Net3, Net4, VirtualDev,
    RepJobApp = 16, UnitType = 17
};

// The items of the two column choosers, in order.
QStringList formatTextChoices();  // "objName" ... "Description"
QStringList numericChoices();     // "DevInst" ... "VirtualDev"
// The unit types of the "Device Model" tab.
QStringList unitTypeChoices();

// The tblRepJob column a target writes (empty for Rep-Job-App, which
// writes DDC_rep, DDC_job and DDC_app).
QString targetColumn(EditTarget target);
bool isNumericTarget(EditTarget target);

// 1st, 2nd, 3rd, 4th, 11th, 12th, 13th, 21st, 111st: the suffix follows the
// last digit, except for 11, 12 and 13 themselves.
QString ordinal(qint64 n);

struct NumberPart {
    bool use = false;
    qint64 start = 1;
    qint64 increment = 1;
    bool ordinal = false;
};

// "Format Text": number 1, left text, number 2, right text, number 3.
struct TextFormat {
    NumberPart number1, number2, number3; // number 3 is never an ordinal
    QString left, right;
    QString text(int row) const;
};

// "Numeric Value": start + row x increment, or the start for every row when
// incrementing is off.
QStringList numericValues(qint64 start, qint64 increment, bool incrementOn, int count);

// The integer a numeric target stores for a typed value: 0 unless the text
// holds only digits, "-" and "." and reads as a whole number.
int32_t numericValueOf(const QString &text);

// Writes `values` into the rows with the selected devinsts (row i gets
// values[i]; Rep-Job-App takes the three values rep, job, app for every
// row) in one transaction. A row the table refuses (a devinst another row
// already has, a text longer than its column) keeps its old values and is
// logged. A row whose devinst changes takes its capability row along.
// Returns the number of refused rows.
int applyMultiEdit(ProjectDatabase &pdb, const QList<int32_t> &selected, EditTarget target, const QStringList &values,
                   const std::function<void(const QString &)> &log);

// Rep, job and app from a chosen DDC file path <root>\<rep>\<job>\ddc\<file>:
// the fourth component from the end, the third, and the last. Empty when the
// path has three components or fewer.
struct RepJobApp {
    QString rep, job, app;
    bool found = false;
};
RepJobApp repJobAppOf(const QString &path);

} // namespace vorlix
