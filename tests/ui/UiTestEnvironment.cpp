// The GUI tests need one QApplication for the whole run; GoogleTest's own
// main runs them, so it is made by a global test environment.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                        : qgetenv("QT_QPA_PLATFORM"));
        QStandardPaths::setTestModeEnabled(true);
        m_app = new QApplication(m_argc, m_argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    int m_argc = 1;
    char m_name[12] = "test_ui";
    char *m_argv[2] = {m_name, nullptr};
    QApplication *m_app = nullptr;
};

const auto *const g_environment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
