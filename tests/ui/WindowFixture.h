#pragma once
// A workbench window over a temporary application folder, with scripted
// answers to every question.
#include "shell/MainWindow.h"
#include "translation/TranslationPage.h"
#include "util/Prompter.h"
#include "project/Workbench.h"
#include "sample/SampleJob.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace vorlix::test {

// The contrast ratio of two colours as the accessibility guidelines define
// it (1 to 21); 3 is the least they accept for large or bold text.
inline double contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        appDir = m_tmp.filePath(u"app"_qs);
        QDir().mkpath(appDir);
    }
    void TearDown() override { stop(); }

    // The templates beside the executables become the default project.
    void seedDefaultProject() { seedAppFolder(appDir, QStringLiteral(VORLIX_BIN_DIR)); }

    void start()
    {
        wb = std::make_unique<Workbench>(appDir, prompter);
        window = std::make_unique<MainWindow>(*wb);
        window->show();
        QApplication::processEvents();
    }
    // Closing by the title bar: settings and log are written.
    void stop()
    {
        if (window) {
            window->close();
            window.reset();
        }
        wb.reset();
    }
    void restart()
    {
        stop();
        start();
    }

    // A job folder with MASETUP.DAT and no project database yet.
    QString makeJob(const QString &name = u"job"_qs)
    {
        const QString job = m_tmp.filePath(name);
        QDir().mkpath(job);
        QFile f(QDir(job).filePath(u"MASETUP.DAT"_qs));
        f.open(QIODevice::WriteOnly);
        f.write("IBEX");
        return job;
    }

    // Runs `inspect` on the next modal dialog, which it must close.
    void onNextModal(std::function<void(QWidget *)> inspect)
    {
        QTimer::singleShot(0, [inspect] {
            QWidget *modal = QApplication::activeModalWidget();
            inspect(modal);
        });
    }

    // Opens the job folder through "Open or create new project"; a new
    // project's options dialog is cancelled.
    void openJob(const QString &job)
    {
        const bool created = !QFile::exists(QDir(job).filePath(u"vorlix.mdb"_qs));
        if (created)
            onNextModal([](QWidget *modal) {
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
            });
        prompter.pushFile(QDir(job).filePath(u"MASETUP.DAT"_qs));
        window->openProject();
    }

    // The bundled sample job written below `root`, opened as the project and
    // mapped; the default project comes from the templates.
    sample::SampleJobPaths openSampleJob(const QString &root)
    {
        seedDefaultProject();
        start();
        const sample::SampleJobPaths paths = sample::writeSampleJob(root);
        openJob(paths.job);
        EXPECT_TRUE(wb->projectOpen);
        sample::configureSampleProject(*wb, paths);
        return paths;
    }

    template <typename T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }

    ScriptedPrompter prompter;
    QString appDir;
    std::unique_ptr<Workbench> wb;
    std::unique_ptr<MainWindow> window;

private:
    QTemporaryDir m_tmp;
};

// The window with the sample job open, for the tests of step 7.
class SampleTranslationFixture : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(m_root.isValid());
        paths = openSampleJob(m_root.filePath(u"gui"_qs));
        ASSERT_TRUE(wb->projectOpen);
        page = window->translationPage();
        ASSERT_NE(page, nullptr);
    }

    sample::SampleJobPaths paths;
    TranslationPage *page = nullptr;
    QTemporaryDir m_root; // the sample job and whatever else a test writes
};

} // namespace vorlix::test
