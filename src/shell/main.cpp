#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "shell/Dm.h"
#include "shell/ui/MainForm.h"

#include <QApplication>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovuvavarovod"));
    QApplication::setOrganizationName(QStringLiteral("ZUVO"));
    // Until the options name a language, the title is the program's own.
    QApplication::setApplicationDisplayName(QStringLiteral("ZUVO Администратор"));

    // Start-up order: options, application context, main window. Shutdown runs the other way, and
    // the options, destroyed last, write Options.xml.
    auto options = std::make_unique<TOptionsDm>();
    auto dm = std::make_unique<TDm>();
    auto form = std::make_unique<TMainForm>(*dm, *options->AdminOptions());
    form->show();
    const int code = QApplication::exec();
    form.reset();
    dm.reset();
    options.reset();
    return code;
}
