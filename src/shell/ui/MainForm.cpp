#include "shell/ui/MainForm.h"

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("ZUVO Dovuvavarovod"));
    resize(800, 500);
}
