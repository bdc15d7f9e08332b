// Writes the command-line tool's manual page and bash completion for installation:
//   dvv_cli_docs MANUAL_PAGE COMPLETION
#include "cli/CliDocs.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {

bool Write(const char* Path, const QString& Text) {
    QFile file(QString::fromLocal8Bit(Path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(Text.toUtf8()) >= 0 &&
           file.flush();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: dvv_cli_docs MANUAL_PAGE COMPLETION\n", stderr);
        return 2;
    }
    if (!Write(argv[1], CliManualPage()) || !Write(argv[2], CliBashCompletion())) {
        std::fputs("dvv_cli_docs: cannot write the files\n", stderr);
        return 1;
    }
    return 0;
}
