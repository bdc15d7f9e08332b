#include "shell/ui/TestConnectionChannelDlg.h"

#include "localization/LanguageTables.h"
#include "model/BusSettings.h"
#include "model/ZUVOModule.h"
#include "platform/Ticks.h"
#include "shell/Dm.h"

#include "platform/ui/DialogTitle.h"

#include <QKeyEvent>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

TTestConnectionChannelDlg::TTestConnectionChannelDlg(TDm& Dm, QWidget* parent)
    : QDialog(parent), FDm(Dm), FSavedDevice(Dm.CurrentDevice), FSavedModule(Dm.CurrentModule) {
    setObjectName(QStringLiteral("TestConnectionChannelDlg"));
    setModal(true);
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.TestCaption);
    FitToTitle(this);
    List = new QTreeWidget(this);
    List->setRootIsDecorated(false);
    List->setHeaderLabels({t.ColAddress, t.ColDeviceType, t.ColTransactions, t.ColErrors});
    for (int i = 0; i < FDm.Devices.Count(); ++i) {
        TDeviceProps* device = FDm.Devices.Items(i);
        auto* item = new QTreeWidgetItem(List);
        item->setText(0, HexAddressText(device->Address));
        item->setText(1, device->ModelName);
        item->setTextAlignment(2, Qt::AlignCenter);
        item->setTextAlignment(3, Qt::AlignCenter);
        FRows.push_back({device, 0, 0});
    }
    if (List->topLevelItemCount() > 0)
        List->setCurrentItem(List->topLevelItem(0));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List);
    resize(520, 300);
    FTimer = new QTimer(this);
    FTimer->setInterval(50);
    connect(FTimer, &QTimer::timeout, this, [this] { Tick(TickCount()); });
    FTimer->start();
}

TTestConnectionChannelDlg::~TTestConnectionChannelDlg() {
    // The test pointed the application at each device in turn; the user's choice comes back.
    FDm.CurrentDevice = FSavedDevice;
    FDm.CurrentModule = FSavedModule;
}

void TTestConnectionChannelDlg::keyPressEvent(QKeyEvent* event) {
    // Esc ends the window at the next tick, never in the middle of a transaction.
    if (event->key() == Qt::Key_Escape) {
        FEscape = true;
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TTestConnectionChannelDlg::TestRow(int Row) {
    TDeviceProps* device = FRows[size_t(Row)].Device;
    FDm.CurrentDevice = device;
    FDm.SelectCurrentModule();
    if (FDm.CurrentModule) {
        FDm.CurrentModule->SystemChannel().ReadSerialNumber();
        return FDm.CurrentModule->Ok;
    }
    // A model without a template of its own is asked through the raw module.
    FDm.Module.SetAP(FDm.CurrentAccessPoint);
    FDm.Module.SetAddress(device->Address);
    FDm.Module.SetTransferProtocol(TTransferProtocol(device->Protocol));
    return FDm.cnl.ReadPropertyAs(spSerialNumber, dtInteger);
}

void TTestConnectionChannelDlg::Tick(quint64 Now) {
    // A transaction lets events run while it waits; a tick arriving then must not start another.
    if (FBusy)
        return;
    if (FEscape) {
        FTimer->stop();
        reject();
        return;
    }
    QTreeWidgetItem* current = List->currentItem();
    const int selected = current && current->isSelected() ? List->indexOfTopLevelItem(current) : -1;
    if (!FMachine.Tick(selected, Now))
        return;
    const int row = FMachine.Row();
    TDeviceContext& ctx = FRows[size_t(row)];
    ++ctx.Transactions;
    FBusy = true;
    const bool ok = TestRow(row);
    FBusy = false;
    if (!ok)
        ++ctx.Errors;
    QTreeWidgetItem* item = List->topLevelItem(row);
    item->setText(2, QString::number(ctx.Transactions));
    item->setText(3, QString::number(ctx.Errors));
}
