#include "shell/ui/MainForm.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovuvavarovod"));
    QApplication::setOrganizationName(QStringLiteral("ZUVO"));
    TMainForm form;
    form.show();
    return QApplication::exec();
}
