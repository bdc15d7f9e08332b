// Writes the program's icon as PNG files into an icon theme's layout, for installation:
//   dvv_render_icon OUT_FOLDER  ->  OUT_FOLDER/<n>x<n>/apps/dovuvavarovod.png
#include "shell/ui/Icons.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: dvv_render_icon OUT_FOLDER\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : kProgramIconSizes) {
        const QString folder = out.filePath(QStringLiteral("%1x%1/apps").arg(size));
        const QString file = folder + QStringLiteral("/dovuvavarovod.png");
        if (!QDir().mkpath(folder) || !ProgramIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "dvv_render_icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
