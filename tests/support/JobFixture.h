#pragma once
// A temporary application folder and Ibex job, opened as a project on a
// Workbench whose questions are answered from a script.
#include "util/Prompter.h"
#include "project/Workbench.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <memory>

namespace vorlix::test {

class JobFixture {
public:
    JobFixture();
    ~JobFixture();

    QString jobFolder() const;
    QString appFolder() const;
    // Writes a file into the job folder.
    void writeJobFile(const QString &name, const QByteArray &bytes) const;

    // Step 1 of the job: ComList, and the bases of com 1 to 4.
    void mapApex(int apex, const QString &comList, std::array<int, 4> baseAddr = {}) const;
    void unmapApex(int apex) const { mapApex(apex, QString()); }

    // Rows of a query, each as its values joined by "," (NULL as empty).
    QStringList rows(const QString &sql) const;
    // The reader tables in key order.
    QStringList cpanelMap() const;
    QStringList ibexPtMap() const;
    QStringList cpanelNames() const;

    ScriptedPrompter prompter{true};
    Workbench &wb() { return *m_wb; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Workbench> m_wb;
};

} // namespace vorlix::test
