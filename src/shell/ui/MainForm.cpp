#include "shell/ui/MainForm.h"

#include "emulator/VirtualDeviceManager.h"
#include "emulator/ui/EmulatorForm.h"
#include "localization/LanguageTables.h"
#include "options/AdminOptions.h"
#include "shell/Dm.h"
#include "shell/ui/AuxWindows.h"
#include "shell/ui/ConnectionsTool.h"
#include "shell/ui/Icons.h"
#include "shell/ui/TestConnectionChannelDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace {
const QColor kLiteBackground(210, 255, 233);
} // namespace

TMainForm::TMainForm(TDm& Dm, TAdminOptions& Options, QWidget* parent)
    : QMainWindow(parent), FDm(Dm), FOptions(Options) {
    setObjectName(QStringLiteral("MainForm"));
    resize(880, 581);
    setMinimumSize(500, 480);

    DeviceList = new QTreeWidget(this);
    DeviceList->setObjectName(QStringLiteral("DeviceList"));
    DeviceList->setRootIsDecorated(false);
    DeviceList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DeviceList->setSelectionBehavior(QAbstractItemView::SelectRows);
    DeviceList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DeviceList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    DeviceList->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d8d8d8; "
                                             "border-bottom: 1px solid #d8d8d8; }"));
    DeviceList->installEventFilter(this);
    setCentralWidget(DeviceList);
    setStatusBar(new QStatusBar(this));

    FComConnection = std::make_unique<TComPortConnection>(DeviceList, statusBar(), FDm, FOptions);
    FUdpConnection = std::make_unique<TUdpPortConnection>(DeviceList, statusBar(), FDm, FOptions);
    BuildActions();

    connect(DeviceList, &QTreeWidget::itemSelectionChanged, this, &TMainForm::DeviceListSelectItem);
    connect(DeviceList->model(), &QAbstractItemModel::rowsInserted, this, &TMainForm::DeviceListChange);
    connect(DeviceList->model(), &QAbstractItemModel::rowsRemoved, this, &TMainForm::DeviceListChange);
    connect(DeviceList->model(), &QAbstractItemModel::modelReset, this, &TMainForm::DeviceListChange);
    connect(DeviceList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (FActiveConfig && FActiveConfig->IsConnected())
            actDevSettingsExecute();
    });
    // Found devices get their family's badge as they are added.
    connect(DeviceList->model(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        for (int r = first; r <= last; ++r)
            if (QTreeWidgetItem* item = DeviceList->topLevelItem(r))
                item->setIcon(0, FamilyIcon(item->data(0, Qt::UserRole).toInt()));
    });

    // F2 works wherever the focus is in the program.
    auto* traffic = new QShortcut(QKeySequence(Qt::Key_F2), this);
    traffic->setContext(Qt::ApplicationShortcut);
    connect(traffic, &QShortcut::activated, this, [this] {
        if (OnTrafficToggle)
            OnTrafficToggle();
    });
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &TMainForm::UpdateActions);
    idle->start(250);

    // The stored access point; a TCP or unknown choice starts with the serial connection.
    switch (FOptions.AccessPoints()->AccessPointID()) {
    case 2: menuUdpPortClick(); break;
    case 1: menuCOMPortClick(); menuTcpPortClick(); break;
    default: menuCOMPortClick(); break;
    }
    UpdateLanguage();
    UpdateConnectionState();
    UpdateSelectionButtons();
}

TMainForm::~TMainForm() {
    // The list empties itself while the widgets go; nothing here may react to that any more.
    DeviceList->model()->disconnect(this);
    DeviceList->disconnect(this);
}

void TMainForm::BuildActions() {
    auto make = [this](TToolIcon icon, auto slot) {
        auto* a = new QAction(ToolIcon(icon), QString(), this);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    actClose = make(TToolIcon::Exit, &QWidget::close);
    actClose->setShortcut(Qt::Key_Escape);
    actBusSettings = make(TToolIcon::Settings, &TMainForm::btnAPClick);
    actBusConnect = make(TToolIcon::Connect, &TMainForm::ConnectBtnClick);
    actBusConnect->setCheckable(true);
    actFindDevices = make(TToolIcon::Search, &TMainForm::actFindDevicesExecute);
    actFindDevices->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    actDevSettings = make(TToolIcon::Settings, &TMainForm::actDevSettingsExecute);
    // The converter configurators: their windows are not part of this build yet.
    actConvCfgDouble = new QAction(QStringLiteral("KVD-2xRS232-RS485-ILOOP-BUS"), this);
    actRS232LANRS485 = new QAction(QStringLiteral("KVD-RS232(USB)-LAN-RS485-BUS"), this);
    actCfgRepeater = new QAction(QStringLiteral("KVD-RS485-RS485-BUS"), this);
    actStartTestConnection = make(TToolIcon::ConnectionTest, &TMainForm::actStartTestConnectionExecute);
    actGenerator = new QAction(this);
    actTester = new QAction(this);
    actRemoveContact = new QAction(this);
    actChangeMode = make(TToolIcon::Mode, &TMainForm::actChangeModeExecute);
    actOscilloscope = new QAction(ToolIcon(TToolIcon::Oscilloscope), QString(), this);
    actShowRangesList = make(TToolIcon::Ranges, &TMainForm::actShowRangesListExecute);
    actTraffic = new QAction(this);
    actTraffic->setVisible(false);
    actHelp = make(TToolIcon::Help, &TMainForm::actHelpExecute);
    actHelp->setShortcut(Qt::Key_F1);
    actAbout = make(TToolIcon::About, &TMainForm::actAboutExecute);
    actOrderProducts = new QAction(this);

    auto language = [this](const char* name, int id) {
        auto* a = new QAction(QString::fromUtf8(name), this);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, id] { SetLanguage(id); });
        return a;
    };
    actSetEngLang = language("English", 9);
    actSetUkrLang = language("Українська", 34);
    actSetGerLang = language("Deutsch", 7);
    actSetFrenchLang = language("Francais", 12);
    actSetSpanLang = language("Espanol", 10);
    actSetRusLang = language("Русский", 25);
    for (QAction* hidden : {actSetGerLang, actSetFrenchLang, actSetSpanLang, actSetRusLang})
        hidden->setVisible(false);

    // Menus.
    QMenuBar* bar = menuBar();
    bar->addAction(actClose);
    MenuBus = bar->addMenu(QString());
    MenuBus->addAction(actBusSettings);
    MenuBus->addAction(actBusConnect);
    MenuBus->addSeparator();
    MenuDevices = bar->addMenu(QString());
    MenuDevices->addAction(actFindDevices);
    MenuDevices->addSeparator();
    MenuDevices->addAction(actDevSettings);
    MenuDevices->addSeparator();
    MenuDevices->addAction(actConvCfgDouble);
    MenuDevices->addAction(actRS232LANRS485);
    MenuDevices->addAction(actCfgRepeater);
    MenuService = bar->addMenu(QString());
    MenuService->addAction(actStartTestConnection);
    MenuVirtualTools = MenuService->addMenu(QString());
    MenuVirtualTools->addAction(actGenerator);
    MenuVirtualTools->addAction(actTester);
    MenuVirtualTools->addAction(actRemoveContact);
    MenuVirtualTools->menuAction()->setVisible(false);
    MenuService->addAction(actChangeMode);
    MenuService->addAction(actOscilloscope);
    MenuService->addAction(actShowRangesList);
    MenuService->addAction(actTraffic);
    FLanguagesMenu = bar->addMenu(QStringLiteral("&Languages"));
    for (QAction* a : {actSetEngLang, actSetUkrLang, actSetGerLang, actSetFrenchLang, actSetSpanLang, actSetRusLang})
        FLanguagesMenu->addAction(a);
    FHelpMenu = bar->addMenu(QStringLiteral("?"));
    FHelpMenu->addAction(actHelp);
    actHelp->setVisible(false);
    FHelpMenu->addSeparator();
    FHelpMenu->addAction(actAbout);

    // Tool bar, captions under the icons.
    QToolBar* tools = addToolBar(QStringLiteral("Main"));
    tools->setObjectName(QStringLiteral("MainToolBar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tools->setMovable(false);
    QuitBtn = actClose;
    tools->addAction(QuitBtn);
    tools->addSeparator();
    FApMenu = new QMenu(this);
    menuCOMPort = FApMenu->addAction(QStringLiteral("Com port"), this, &TMainForm::menuCOMPortClick);
    menuTcpPort = FApMenu->addAction(QStringLiteral("Tcp port"), this, &TMainForm::menuTcpPortClick);
    menuTcpPort->setVisible(false);
    menuUdpPort = FApMenu->addAction(QStringLiteral("Udp port"), this, &TMainForm::menuUdpPortClick);
    btnAP = new QToolButton(tools);
    btnAP->setIcon(ToolIcon(TToolIcon::AccessPoint));
    btnAP->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    btnAP->setPopupMode(QToolButton::MenuButtonPopup);
    btnAP->setMenu(FApMenu);
    connect(btnAP, &QToolButton::clicked, this, &TMainForm::btnAPClick);
    tools->addWidget(btnAP);
    ConnectBtn = actBusConnect;
    tools->addAction(ConnectBtn);
    FindBtn = actFindDevices;
    tools->addAction(FindBtn);
    tools->addSeparator();
    PropertyBtn = actDevSettings;
    tools->addAction(PropertyBtn);
    GroupPropertyBtn = new QAction(ToolIcon(TToolIcon::GroupSettings), QString(), this);
    tools->addAction(GroupPropertyBtn);
    tools->addSeparator();
    AppSelectorBtn = new QAction(ToolIcon(TToolIcon::Applications), QString(), this);
    AppSelectorBtn->setVisible(false);
    tools->addAction(AppSelectorBtn);
    OscBtn = actOscilloscope;
    tools->addAction(OscBtn);
    tools->addSeparator();
    EmulatorBtn = new QAction(ToolIcon(TToolIcon::Emulator), QString(), this);
    EmulatorBtn->setCheckable(true);
    EmulatorBtn->setVisible(false);
    connect(EmulatorBtn, &QAction::triggered, this, &TMainForm::actEmulatorExecute);
    tools->addAction(EmulatorBtn);
    tools->addSeparator();
    AboutBtn = actAbout;
    // The about button stays off the tool bar: the menu's "About" serves.

    actFindDevices->setEnabled(false);
    actDevSettings->setEnabled(false);
    actStartTestConnection->setEnabled(false);
    actOscilloscope->setEnabled(false);
    GroupPropertyBtn->setEnabled(false);
    for (QAction* a : {actGenerator, actTester, actRemoveContact})
        a->setEnabled(false);
}

void TMainForm::Message(const QString& text) {
    if (OnMessage)
        OnMessage(text);
    else
        QMessageBox::information(this, windowTitle(), text);
}

void TMainForm::UpdateLanguage() {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(FDm.CurrentLanguage());
    // The caption and the application's title follow both the language and the mode.
    setWindowTitle(FLite ? t.Title + QStringLiteral(" Lite") : t.Title);
    QApplication::setApplicationDisplayName(FLite ? t.LiteTitle : t.Title);
    actClose->setText(t.MenuExit);
    actClose->setToolTip(t.HintExit);
    MenuBus->setTitle(t.MenuBus);
    MenuDevices->setTitle(t.MenuDevices);
    MenuService->setTitle(t.MenuService);
    MenuVirtualTools->setTitle(t.MenuVirtualTools);
    actBusSettings->setText(t.ActBusSettings);
    actBusConnect->setText(t.ActConnect);
    actBusConnect->setToolTip(t.HintBusState);
    actFindDevices->setText(t.ActFindDevices);
    actFindDevices->setIconText(t.BtnSearch);
    actFindDevices->setToolTip(t.HintSearch);
    actDevSettings->setText(t.ActDevSettings);
    actStartTestConnection->setText(t.ActTestConnection);
    actShowRangesList->setText(t.ActShowRangesList);
    actGenerator->setText(t.ActGenerator);
    actTester->setText(t.ActTester);
    actRemoveContact->setText(t.ActRemoteContact);
    actChangeMode->setText(t.ActChangeMode);
    actOscilloscope->setText(t.ActOscilloscope);
    actHelp->setText(t.ActHelp);
    actOrderProducts->setText(t.ActOrderProducts);
    actAbout->setText(t.ActAbout);
    actAbout->setToolTip(t.HintAbout);
    GroupPropertyBtn->setText(t.BtnGroupAdjust);
    AppSelectorBtn->setText(t.BtnApplications);
    EmulatorBtn->setText(t.BtnEmulator);
    btnAP->setToolTip(t.HintBusSettings);
    if (FActiveConfig)
        FActiveConfig->UpdateLanguage();
}

void TMainForm::ApplyMode(bool Lite) {
    FLite = Lite;
    QPalette p = DeviceList->palette();
    p.setColor(QPalette::Base, Lite ? kLiteBackground : QColor(Qt::white));
    DeviceList->setPalette(p);
    UpdateLanguage();
}

void TMainForm::SetLanguage(int Language) {
    // Only English and Ukrainian are offered; anything else, stored or chosen, means English.
    const quint8 id = Language == 34 ? 34 : 9;
    FOptions.SetLanguageID(id);
    FDm.SetCurrentLanguage(id);
    actSetEngLang->setChecked(id == 9);
    actSetUkrLang->setChecked(id == 34);
    for (QAction* a : {actSetGerLang, actSetFrenchLang, actSetSpanLang, actSetRusLang})
        a->setChecked(false);
    BroadcastUpdateLanguage();
    BuildDeviceRegister();
    RebuildRangesTable(FDm.RangesTable, id);
}

void TMainForm::BroadcastUpdateLanguage() {
    QList<QObject*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows << w;
    if (!windows.contains(this))
        windows.prepend(this);
    ::BroadcastUpdateLanguage(windows);
}

void TMainForm::BuildDeviceRegister() {
    ::BuildDeviceRegister(FDm.DeviceRegister, FDm.CurrentLanguage());
}

void TMainForm::FormActivate() {
    if (FActivated)
        return;
    FActivated = true;
    if (FActiveConfig)
        FActiveConfig->ResizeColumns();
    ApplyMode(FOptions.LiteVersion());
    SetLanguage(FOptions.LanguageID());
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Before the first activation nothing is set up to be closed.
    if (!FActivated) {
        event->ignore();
        return;
    }
    if (FDm.CurrentAccessPoint)
        FDm.CurrentAccessPoint->DoClose();
    event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (FActiveConfig)
        FActiveConfig->ResizeColumns();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DeviceList && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (FActiveConfig && FActiveConfig->IsConnected())
                actDevSettingsExecute();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ChooseConfig(TCustomConnectionConfig* config, int accessPointId) {
    FActiveConfig = config;
    FActiveConfig->SetupView();
    btnAP->setText(FActiveConfig->GetName());
    FOptions.AccessPoints()->SetAccessPointID(accessPointId);
    UpdateConnectionState();
}

void TMainForm::menuCOMPortClick() {
    ChooseConfig(FComConnection.get(), 0);
}

void TMainForm::menuUdpPortClick() {
    ChooseConfig(FUdpConnection.get(), 2);
}

void TMainForm::menuTcpPortClick() {
    // There is no TCP connection: only the button and the stored choice change.
    btnAP->setText(QStringLiteral("TCP Port"));
    FOptions.AccessPoints()->SetAccessPointID(1);
}

void TMainForm::btnAPClick() {
    if (!FActiveConfig || FActiveConfig->IsConnected())
        return;
    btnAP->setDown(true);
    const bool confirmed = FActiveConfig->ShowSettings();
    btnAP->setDown(false);
    if (confirmed)
        ConnectBtnClick();
}

void TMainForm::UpdateConnectionState() {
    const bool c = FActiveConfig && FActiveConfig->IsConnected();
    actBusConnect->setChecked(c);
    btnAP->setEnabled(!c);
    actFindDevices->setEnabled(c);
    actBusSettings->setEnabled(!c);
    const bool rows = DeviceList->topLevelItemCount() > 0;
    actOscilloscope->setEnabled(rows && c);
    actStartTestConnection->setEnabled(rows && c);
    UpdateSelectionButtons();
}

void TMainForm::ConnectBtnClick() {
    if (!FActiveConfig) {
        actBusConnect->setChecked(false);
        return;
    }
    if (FActiveConfig->IsConnected())
        FActiveConfig->Disconnect();
    else
        FActiveConfig->Connect();
    if (FActiveConfig->IsConnected()) {
        DeviceList->clear();
        FDm.CurrentDevice = nullptr;
        FDm.CurrentModule = nullptr;
    }
    UpdateConnectionState();
}

void TMainForm::actFindDevicesExecute() {
    if (!FActiveConfig || !FActiveConfig->IsConnected())
        return;
    actFindDevices->setChecked(true);
    FActiveConfig->Search();
    actFindDevices->setChecked(false);
    UpdateConnectionState();
}

void TMainForm::DeviceListSelectItem() {
    // The current device is always the first selected row, whatever the last event said.
    FDm.CurrentDevice = nullptr;
    int first = -1;
    for (QTreeWidgetItem* item : DeviceList->selectedItems()) {
        const int row = DeviceList->indexOfTopLevelItem(item);
        if (first < 0 || row < first)
            first = row;
    }
    if (first >= 0)
        FDm.CurrentDevice = FDm.Devices.Items(first);
    if (FActiveConfig && FDm.CurrentDevice)
        FDm.SelectCurrentModule();
    if (!FDm.CurrentDevice)
        FDm.CurrentModule = nullptr;
    UpdateSelectionButtons();
}

void TMainForm::UpdateSelectionButtons() {
    const bool c = FActiveConfig && FActiveConfig->IsConnected();
    const int selected = int(DeviceList->selectedItems().size());
    actDevSettings->setEnabled(selected == 1 && c && FDm.CurrentDevice);
    GroupPropertyBtn->setEnabled(selected >= 2 && c);
}

void TMainForm::DeviceListChange() {
    UpdateConnectionState();
}

void TMainForm::actDevSettingsExecute() {
    if (!FDm.CurrentDevice || FDm.CurrentDevice->TypeCode == 0xFFFF || !actDevSettings->isEnabled())
        return;
    if (OnDeviceSettings)
        OnDeviceSettings();
}

void TMainForm::actChangeModeExecute() {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(FDm.CurrentLanguage());
    const QString question = FOptions.LiteVersion() ? t.MsgEnableAdvanced
                                                    : t.MsgEnableLite + QStringLiteral("\n\n") + t.MsgFlashUnavailable;
    const bool yes = OnConfirm ? OnConfirm(question)
                               : QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    if (!yes)
        return;
    FOptions.SetLiteVersion(!FOptions.LiteVersion());
    ApplyMode(FOptions.LiteVersion());
}

void TMainForm::actStartTestConnectionExecute() {
    TTestConnectionChannelDlg dlg(FDm, this);
    dlg.exec();
}

void TMainForm::actShowRangesListExecute() {
    TRangesListForm form(FDm.RangesTable, this);
    form.exec();
}

void TMainForm::actHelpExecute() {
    const QString path = QDir::current().filePath(QStringLiteral("Dovuvavarovod.chm"));
    if (!QFileInfo::exists(path)) {
        Message(QStringLiteral("The help file %1 is not there.").arg(path));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        Message(QStringLiteral("No program is set up to show %1.").arg(path));
}

void TMainForm::actAboutExecute() {
    TAboutForm about(this);
    about.exec();
}

void TMainForm::SetEmulatorActive(bool On) {
    if (!On) {
        FDm.VDMgr->SetActive(false);
        FDm.VDMgr->ClearDevices();
        FDm.VDMgr->OnFrame = nullptr;
    }
    FDm.EmulatorActive = On;
    EmulatorBtn->setChecked(On);
    for (QAction* a : {actGenerator, actTester, actRemoveContact})
        a->setEnabled(On);
}

void TMainForm::actEmulatorExecute() {
    if (FDm.EmulatorActive) {
        SetEmulatorActive(false);
        return;
    }
    EmulatorBtn->setChecked(true);
    bool confirmed = false;
    if (OnEmulatorSetup) {
        confirmed = OnEmulatorSetup();
    } else {
        TEmulatorForm form(*FDm.VDMgr, *FOptions.EmulatorPoints(), this);
        confirmed = form.exec() == QDialog::Accepted;
    }
    SetEmulatorActive(confirmed && FDm.VDMgr->DeviceCount() > 0);
}

void TMainForm::UpdateActions() {
    // The converter configurators talk to converters at 1200 bit/s on an open serial bus.
    const bool converters = FDm.Bus.IsOpen() && FDm.Bus.BaudRateValue() == 1200;
    for (QAction* a : {actConvCfgDouble, actRS232LANRS485, actCfgRepeater})
        a->setEnabled(converters);
}
