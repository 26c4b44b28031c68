#pragma once
// Suites that draw or show widgets need one Qt application for the whole
// run, without a display; GoogleTest's own main runs them, so a global test
// environment makes it (offscreen unless QT_QPA_PLATFORM says otherwise).
#include <QByteArray>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace vorlix::test {

// App: QGuiApplication (drawing, fonts) or QApplication (widgets).
template <typename App> class GuiEnvironment : public ::testing::Environment {
public:
    explicit GuiEnvironment(const char *name) { qstrncpy(m_name, name, sizeof m_name); }

    void SetUp() override
    {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        m_app = new App(m_argc, m_argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    int m_argc = 1;
    char m_name[32] = {};
    char *m_argv[2] = {m_name, nullptr};
    App *m_app = nullptr;
};

} // namespace vorlix::test
