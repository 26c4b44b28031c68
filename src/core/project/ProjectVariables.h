#pragma once
// The project variables: per-project conversion options kept in the table
// `Vorlix` of the project database, one row per variable.
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <vector>

namespace vorlix {

struct ProjectVariables {
    double databaseVersion = 12.6;
    bool convertCpName = false;
    bool convertZonePts = false;
    bool addRelDefToBO = false;
    bool convertCpStatus = false;
    bool showZoneObjAsText = false;
    bool padUnits = false;
    bool lockSubcallerMap = false;
    bool copyUnits = false;
    bool setReadonly = false;
    bool mapStateText = false;
    bool mapMSetGraphicToBtn = false;
    uint16_t localJobDispNum = 0;
    uint16_t localJobCCPDNum = 0;
    uint16_t localJobCTXDNum = 0;
    uint16_t jobDispNum = 0;
    uint16_t jobCCPDNum = 0;
    uint16_t jobCTXDNum = 0;
    uint16_t scanDepth = 0;
    uint16_t startingDisplay = 0;
    uint16_t copyColors = 0;
    uint16_t copyFont = 0;
    QString cpanelStatusBV;
    QString cpanelPlaceHolder;
    QString bactalkJobPath;
};

enum class VarDirection { Read, Write };

// One variable's place in the table: its name, kind and member.
struct VariableInfo {
    enum class Kind { Bool, Int, Str };
    Kind kind;
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
void projectVars(QSqlDatabase db, ProjectVariables &vars, VarDirection dir);

void varBool(QSqlDatabase db, const QString &name, bool &value, VarDirection dir);
void varInt(QSqlDatabase db, const QString &name, uint16_t &value, VarDirection dir);
void varStr(QSqlDatabase db, const QString &name, QString &value, VarDirection dir);
// Integer variables written with a full 32-bit value (read back as 16 bits).
void varIntWrite(QSqlDatabase db, const QString &name, int32_t value);
double varVersion(QSqlDatabase db);
// Stores an integer into an existing row only.
void setVarInt(QSqlDatabase db, const QString &name, int32_t value);

// Sets one variable by its name in the table from a text ("1"/"0"/"true"/
// "false", decimal, text). False with a message when name or value is bad.
bool setVariableFromText(ProjectVariables &vars, const QString &name, const QString &value,
                         QString *error);

} // namespace vorlix
