// Builds the template databases (default project vorlix.mdb, pointdata.mdb)
// into the folder given on the command line.
#include "util/Error.h"
#include "project/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorlix-mktemplates OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    try {
        vorlix::schema::createProjectTemplate(out.filePath(QStringLiteral("vorlix.mdb")));
        vorlix::schema::createPointTemplate(out.filePath(QStringLiteral("pointdata.mdb")));
    } catch (const vorlix::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
