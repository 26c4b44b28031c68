// Drawing texts needs fonts, which need a GUI application: one for the
// whole run, without a display.
#include <QGuiApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        m_app = new QGuiApplication(m_argc, m_argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    int m_argc = 1;
    char m_name[12] = "test_render";
    char *m_argv[2] = {m_name, nullptr};
    QGuiApplication *m_app = nullptr;
};

const auto *const g_environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
