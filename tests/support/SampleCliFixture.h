#pragma once
// A test that runs vorlix-cli on the sample job: `sample-job` writes it into
// a folder of the test's own, and every run uses a private application
// folder there, in the C locale.
#include "support/CliRunner.h"
#include "support/WorkbenchProject.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::test {

class SampleCliFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(cli({u"sample-job"_qs, root()}).exitCode, 0);
    }

    QString root() const { return m_dir.filePath(u"sample"_qs); }
    QString job() const { return root() + u"/job"_qs; }

    // `env` holds "NAME=VALUE" entries for the run.
    CliResult cli(const QStringList &args, const QStringList &env = {}) const
    {
        return runCliIn(m_dir.filePath(u"app"_qs), args, env);
    }

    // The job's session log.
    QString log() const { return QString::fromLatin1(readFile(job() + u"/vorlix.log"_qs)); }

    QTemporaryDir m_dir;
};

} // namespace vorlix::test
