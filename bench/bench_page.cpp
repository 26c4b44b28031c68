// Times step 7 in the window, offscreen: loading a display of 256 objects
// into the page (translation, model and a painted view), creating it from
// the page, and loading 2,000 displays of 100 objects one after another,
// printing the time and the memory in use after each quarter so that growth
// shows (it should be linear in time and flat in memory).
#include "common/CommandRunner.h"
#include "translation/TranslationPage.h"
#include "commands/TranslateCommands.h"
#include "sample/IbexDisplayBuilder.h"
#include "support/TestProject.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace vorlix;
using namespace vorlix::sample;

namespace {

QByteArray display(int number, int objects)
{
    IbexDisplayBuilder d;
    d.description(QStringLiteral("Display %1").arg(number)).size(800, 600).colorBackground(0xC0C0C0);
    for (int i = 0; i < objects; ++i) {
        const int x = 10 + (i % 16) * 48;
        const int y = 10 + (i / 16) * 34;
        const uint32_t ibexPoint = 0xD00000u | static_cast<uint32_t>(1 + i % 50);
        switch (i % 4) {
        case 0:
            d.add(ioText).rect(x, y, 44, 14).caption(QStringLiteral("Label %1").arg(i));
            break;
        case 1:
            d.add(ioRoAnalog).rect(x, y, 44, 14).point(1, ibexPoint).f64(96, 1.0).u8(104, 1);
            break;
        case 2:
            d.add(ioDigital).rect(x, y, 44, 14).point(1, ibexPoint).text(88, u"Run"_qs).text(108, u"Stop"_qs);
            break;
        default:
            d.add(ioCheckbox).rect(x, y, 44, 14).point(1, ibexPoint).caption(u"Enable"_qs);
            break;
        }
    }
    return d.bytes();
}

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long residentKb()
{
    QFile f(u"/proc/self/statm"_qs);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int many = argc > 1 ? std::max(4, atoi(argv[1])) : 2000;

    test::TestProject project(true);
    project.mapApex(1, u"1"_qs, 1100, 1200);
    const QString bactalk = project.root() + u"/bactalk/rep/job"_qs;
    QDir().mkpath(bactalk);
    project.vars.bactalkJobPath = bactalk;
    CommandRunner runner(project.wb, nullptr);
    TranslationPage page(project.wb, runner);
    page.resize(1100, 700);
    page.show();
    QApplication::processEvents();

    project.writeDisplay(u"disp0001.ibw"_qs, display(1, 256));
    const DisplayFile big = findDisplayFile(project.wb, u"disp0001.ibw"_qs, false);
    std::vector<double> loads, creates;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer t;
        t.start();
        page.loadDisplay(big);
        page.repaint();
        QApplication::processEvents();
        loads.push_back(double(t.nsecsElapsed()) / 1e6);
        t.restart();
        page.createDisplay(false);
        QApplication::processEvents();
        creates.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("load 256-object display into the page: median %.1f ms (min %.1f, max %.1f)\n", medianMs(loads),
                *std::min_element(loads.begin(), loads.end()), *std::max_element(loads.begin(), loads.end()));
    std::printf("create it from the page:               median %.1f ms (min %.1f, max %.1f)\n", medianMs(creates),
                *std::min_element(creates.begin(), creates.end()), *std::max_element(creates.begin(), creates.end()));

    std::vector<DisplayFile> files;
    for (int i = 0; i < many; ++i) {
        const QString name = QStringLiteral("disp%1.ibw").arg(2 + i, 4, 10, QLatin1Char('0'));
        project.writeDisplay(name, display(2 + i, 100));
        files.push_back(findDisplayFile(project.wb, name, false));
    }
    std::printf("loading %d displays of 100 objects one after another:\n", many);
    const long startKb = residentKb();
    QElapsedTimer all;
    all.start();
    qint64 last = 0;
    for (int i = 0; i < many; ++i) {
        page.loadDisplay(files[size_t(i)]);
        page.repaint();
        QApplication::processEvents();
        if ((i + 1) % (many / 4) == 0) {
            const qint64 now = all.elapsed();
            std::printf("  %5d displays: %6lld ms for this quarter, resident %ld kB (start %ld kB)\n", i + 1,
                        static_cast<long long>(now - last), residentKb(), startKb);
            last = now;
        }
    }
    return 0;
}
