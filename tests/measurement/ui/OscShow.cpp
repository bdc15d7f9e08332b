// Shows the oscilloscope window for a look under a real X server: with a file loaded, or with the
// wizard open on two emulated-looking devices.
//   dvv_osc_show [--uk] FILE.adf | --wizard
#include "localization/Localization.h"
#include "measurement/ui/OscMainDlg.h"
#include "measurement/ui/OscWizard.h"
#include "shell/Dm.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    SetCurrentLanguage(args.removeAll(QStringLiteral("--uk")) ? liUkrainian : liEnglish);
    TDm dm;
    for (quint8 a : {1, 2}) {
        auto p = std::make_unique<TDeviceProps>();
        p->Address = a;
        p->ModelName = QStringLiteral("KVD-AIK-BUS");
        p->ChannelMask = 0x1F;
        p->SerialNumber = 100 + a;
        dm.Devices.Add(p);
    }
    TOscMainDlg dlg(dm);
    if (args.value(0) == QLatin1String("--wizard")) {
        QTimer::singleShot(0, &dlg, [&] {
            dlg.Wizard->ChannelSelector->Fill(dlg.Osc().ChannelProfiles);
            dlg.Wizard->ChannelSelector->CheckRows(2);
            dlg.Wizard->FreqPage->FreqEdit->setText(QStringLiteral("10"));
            dlg.Wizard->show();
            if (args.value(1) == QLatin1String("--summary"))
                dlg.Wizard->GoTo(3);
        });
    } else if (!args.isEmpty()) {
        QTimer::singleShot(0, &dlg, [&] { dlg.LoadFile(args.value(0)); });
    }
    dlg.show();
    return app.exec();
}
