// vorlix: the Ibex to BACtalk conversion workbench.
#include "shell/MainWindow.h"
#include "common/QtPrompter.h"
#include "project/Workbench.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Vorlix"_qs);
    QApplication::setOrganizationName(u"Vorlix"_qs);
    QApplication::setApplicationVersion(QStringLiteral(VORLIX_VERSION));

    vorlix::QtPrompter prompter;
    vorlix::Workbench workbench(vorlix::resolveAppFolder(QApplication::applicationDirPath()), prompter);
    vorlix::MainWindow window(workbench);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
