#pragma once
// The project variables: per-project conversion options kept in the table
// `Vorlix` of the project database, one row per variable.
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <vector>

namespace vorlix {

struct ProjectVariables {
    double DatabaseVersion = 12.6;
    bool ConvertCpName = false;
    bool ConvertZonePts = false;
    bool AddRelDefToBO = false;
    bool ConvertCpStatus = false;
    bool ShowZoneObjAsText = false;
    bool PadUnits = false;
    bool LockSubcallerMap = false;
    bool CopyUnits = false;
    bool SetReadonly = false;
    bool MapStateText = false;
    bool MapMSetGraphicToBtn = false;
    uint16_t LocalJobDispNum = 0;
    uint16_t LocalJobCCPDNum = 0;
    uint16_t LocalJobCTXDNum = 0;
    uint16_t JobDispNum = 0;
    uint16_t JobCCPDNum = 0;
    uint16_t JobCTXDNum = 0;
    uint16_t ScanDepth = 0;
    uint16_t StartingDisplay = 0;
    uint16_t CopyColors = 0;
    uint16_t CopyFont = 0;
    QString CpanelStatusBV;
    QString CpanelPlaceHolder;
    QString BactalkJobPath;
};

enum class VarDirection { Read, Write };

// One variable's place in the table: its name, kind and member.
struct VariableInfo {
    enum Kind { Bool, Int, Str } kind;
    const char *name;
    bool ProjectVariables::*boolMember = nullptr;
    uint16_t ProjectVariables::*intMember = nullptr;
    QString ProjectVariables::*strMember = nullptr;
};

// The 24 stored variables in load and save order (DatabaseVersion, which is
// only loaded, is not among them).
const std::vector<VariableInfo> &variableTable();
const VariableInfo *findVariable(const QString &name); // case-insensitive

// Moves every variable between the database and memory. Reading adds the
// rows that are missing, with their defaults.
void ProjectVars(QSqlDatabase db, ProjectVariables &vars, VarDirection dir);

void VarBool(QSqlDatabase db, const QString &name, bool &value, VarDirection dir);
void VarInt(QSqlDatabase db, const QString &name, uint16_t &value, VarDirection dir);
void VarStr(QSqlDatabase db, const QString &name, QString &value, VarDirection dir);
// Integer variables written with a full 32-bit value (read back as 16 bits).
void VarIntWrite(QSqlDatabase db, const QString &name, int32_t value);
double VarVersion(QSqlDatabase db);
// Stores an integer into an existing row only.
void SetVarInt(QSqlDatabase db, const QString &name, int32_t value);

// Sets one variable by its documented name from a text ("1"/"0"/"true"/
// "false", decimal, text). False with a message when name or value is bad.
bool SetVariableFromText(ProjectVariables &vars, const QString &name, const QString &value,
                         QString *error);

} // namespace vorlix
