#include "shell/ui/MainForm.h"

#include "apps/AppFramework.h"
#include "apps/ui/AppSelectorDlg.h"
#include "emulator/EmulatorStart.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/ui/EmulatorForm.h"
#include "emulator/ui/EmulatorStatsView.h"
#include "emulator/ui/InstrumentForms.h"
#include "localization/ChannelLanguage.h"
#include "localization/LanguageTables.h"
#include "localization/Localization.h"
#include "localization/TrafficLanguage.h"
#include "measurement/ui/OscMainDlg.h"
#include "model/DeviceRegister.h"
#include "options/AdminOptions.h"
#include "platform/DataFolder.h"
#include "platform/Launcher.h"
#include "shell/Dm.h"
#include "shell/ui/AuxWindows.h"
#include "shell/ui/ConnectionsTool.h"
#include "shell/ui/Icons.h"
#include "shell/ui/TestConnectionChannelDlg.h"
#include "traffic/ui/TrafficAttachDock.h"
#include "traffic/ui/TrafficUnit.h"
#include "views/ui/ConfigTransferUi.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QColor kLiteBackground(210, 255, 233);
// The selection is set here rather than left to the desktop's theme, so that it shows on the white
// and on the pale green background alike, and stays visible when the list loses the focus.
const QColor kSelection(38, 110, 200);
const QColor kGridLine(216, 216, 216);

// Grid lines of the report list, drawn over each cell after the style has drawn it (selection
// included), so they never hide what the style draws.
class TGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(kGridLine);
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

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
    DeviceList->setItemDelegate(new TGridDelegate(DeviceList));
    DeviceList->installEventFilter(this);
    FLauncher = new TLauncher(this);
    FLauncher->OnFailed = [this](const QString& path, const QString&) {
        Message(MainUnitLanguage()
                    .Texts(FDm.CurrentLanguage())
                    .MsgHelpNoViewer.arg(QDir::toNativeSeparators(path)));
    };
    setCentralWidget(DeviceList);
    setStatusBar(new QStatusBar(this));

    FComConnection = std::make_unique<TComPortConnection>(DeviceList, statusBar(), FDm, FOptions);
    FUdpConnection = std::make_unique<TUdpPortConnection>(DeviceList, statusBar(), FDm, FOptions);
    FTcpConnection = std::make_unique<TTcpPortConnection>(DeviceList, statusBar(), FDm, FOptions);
    // A connection that goes down by itself (a TCP peer that is gone) takes the buttons with it.
    for (TCustomConnectionConfig* config : {static_cast<TCustomConnectionConfig*>(FComConnection.get()),
                                            static_cast<TCustomConnectionConfig*>(FUdpConnection.get()),
                                            static_cast<TCustomConnectionConfig*>(FTcpConnection.get())})
        config->OnStateChange = [this] { UpdateConnectionState(); };
    FInstruments = new TVirtualInstruments(*FDm.VDMgr, this);
    FConfigUi = std::make_unique<TConfigTransferUi>(this);
    BuildActions();
    BuildTraffic();

    connect(DeviceList, &QTreeWidget::itemSelectionChanged, this, &TMainForm::DeviceListSelectItem);
    connect(DeviceList->model(), &QAbstractItemModel::rowsInserted, this, &TMainForm::DeviceListChange);
    connect(DeviceList->model(), &QAbstractItemModel::rowsRemoved, this, &TMainForm::DeviceListChange);
    connect(DeviceList->model(), &QAbstractItemModel::modelReset, this, &TMainForm::DeviceListChange);
    connect(DeviceList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (FActiveConfig && FActiveConfig->IsConnected())
            actDevSettingsExecute();
    });

    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &TMainForm::UpdateActions);
    idle->start(250);

    // The stored access point; an unknown choice starts with the serial connection.
    switch (FOptions.AccessPoints()->AccessPointID()) {
    case kAccessPointUdp:
        menuUdpPortClick();
        break;
    case kAccessPointTcp:
        menuTcpPortClick();
        break;
    default:
        menuCOMPortClick();
        break;
    }
    ApplyListColours(false);
    UpdateLanguage();
    UpdateConnectionState();
    UpdateSelectionButtons();
}

void TMainForm::ApplyListColours(bool Lite) {
    QPalette p = DeviceList->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, Lite ? kLiteBackground : QColor(Qt::white));
        p.setColor(g, QPalette::Text, Qt::black);
        p.setColor(g, QPalette::Highlight, kSelection);
        p.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    DeviceList->setPalette(p);
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
    connect(actGenerator, &QAction::triggered, this, [this] { FInstruments->ShowGenerator(); });
    connect(actTester, &QAction::triggered, this, [this] { FInstruments->ShowTester(); });
    connect(actRemoveContact, &QAction::triggered, this, [this] { FInstruments->ShowContact(); });
    actChangeMode = make(TToolIcon::Mode, &TMainForm::actChangeModeExecute);
    actOscilloscope = new QAction(ToolIcon(TToolIcon::Oscilloscope), QString(), this);
    actShowRangesList = make(TToolIcon::Ranges, &TMainForm::actShowRangesListExecute);
    // F2 works wherever the focus is in the program, the traffic window included.
    actTraffic = new QAction(this);
    connect(actTraffic, &QAction::triggered, this, &TMainForm::actTrafficExecute);
    actTraffic->setShortcut(Qt::Key_F2);
    actTraffic->setShortcutContext(Qt::ApplicationShortcut);
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
    actSetEngLang = language("English", liEnglish);
    actSetUkrLang = language("Українська", liUkrainian);
    actSetGerLang = language("Deutsch", liGerman);
    actSetFrenchLang = language("Francais", liFrench);
    actSetSpanLang = language("Espanol", liSpanish);
    actSetRusLang = language("Русский", liRussian);
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
    for (QAction* a :
         {actSetEngLang, actSetUkrLang, actSetGerLang, actSetFrenchLang, actSetSpanLang, actSetRusLang})
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
    // The tool bar cannot be hidden, so its context menu would offer nothing but its own name.
    tools->toggleViewAction()->setVisible(false);
    QuitBtn = actClose;
    tools->addAction(QuitBtn);
    tools->addSeparator();
    FApMenu = new QMenu(this);
    menuCOMPort = FApMenu->addAction(QStringLiteral("Com port"), this, &TMainForm::menuCOMPortClick);
    menuTcpPort = FApMenu->addAction(QStringLiteral("Tcp port"), this, &TMainForm::menuTcpPortClick);
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
    connect(GroupPropertyBtn, &QAction::triggered, this, &TMainForm::GroupPropertyBtnClick);
    tools->addSeparator();
    AppSelectorBtn = new QAction(ToolIcon(TToolIcon::Applications), QString(), this);
    AppSelectorBtn->setVisible(false);
    tools->addAction(AppSelectorBtn);
    connect(AppSelectorBtn, &QAction::triggered, this, &TMainForm::AppSelectorBtnClick);
    OscBtn = actOscilloscope;
    tools->addAction(OscBtn);
    connect(actOscilloscope, &QAction::triggered, this, &TMainForm::actOscilloscopeExecute);
    tools->addSeparator();
    EmulatorBtn = new QAction(ToolIcon(TToolIcon::Emulator), QString(), this);
    EmulatorBtn->setCheckable(true);
    EmulatorBtn->setVisible(false);
    connect(EmulatorBtn, &QAction::triggered, this, &TMainForm::actEmulatorExecute);
    tools->addAction(EmulatorBtn);
    // The tool button stays hidden as the layout has it; the emulator is reached from "Service".
    actEmulator = new QAction(ToolIcon(TToolIcon::Emulator), QString(), this);
    actEmulator->setCheckable(true);
    connect(actEmulator, &QAction::triggered, this, &TMainForm::actEmulatorExecute);
    MenuService->insertAction(actChangeMode, actEmulator);
    // The statistics open beside the running emulator: the "Emulator" item itself stops it.
    actEmulatorStats = new QAction(this);
    actEmulatorStats->setObjectName(QStringLiteral("actEmulatorStats"));
    connect(actEmulatorStats, &QAction::triggered, this, &TMainForm::actEmulatorStatsExecute);
    MenuService->insertAction(actChangeMode, actEmulatorStats);
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

void TMainForm::BuildTraffic() {
    FTraffic = new TTrafficDlg(this);
    FTrafficDock = std::make_unique<TTrafficAttachDockDM>(
        *FTraffic, std::vector<TAccessPoint*>{&FDm.ComAccessPoint, &FDm.UdpAccessPoint, &FDm.TcpAccessPoint});
    // Capturing is possible while any connection is open; the one that reports is about to change,
    // the others are asked.
    const auto connected = [this](bool Connected, const TCustomConnectionConfig* Reporting) {
        for (const TCustomConnectionConfig* other :
             {static_cast<const TCustomConnectionConfig*>(FComConnection.get()),
              static_cast<const TCustomConnectionConfig*>(FUdpConnection.get()),
              static_cast<const TCustomConnectionConfig*>(FTcpConnection.get())})
            if (other != Reporting && other->IsConnected())
                Connected = true;
        FTraffic->SetConnected(Connected);
    };
    FComConnection->OnTrafficPort = [this](int Port) { FTraffic->SetMasterPort(Port - 1); };
    FComConnection->OnTrafficConnected = [this, connected](bool c) { connected(c, FComConnection.get()); };
    FUdpConnection->OnTrafficPort = [this](int Port) { FTraffic->SetMasterUdpPort(Port); };
    FUdpConnection->OnTrafficConnected = [this, connected](bool c) { connected(c, FUdpConnection.get()); };
    FTcpConnection->OnTrafficPort = [this](int Port) { FTraffic->SetMasterTcpPort(Port); };
    FTcpConnection->OnTrafficConnected = [this, connected](bool c) { connected(c, FTcpConnection.get()); };
    for (TCustomConnectionConfig* config : {static_cast<TCustomConnectionConfig*>(FComConnection.get()),
                                            static_cast<TCustomConnectionConfig*>(FUdpConnection.get()),
                                            static_cast<TCustomConnectionConfig*>(FTcpConnection.get())})
        config->OnTrafficProtocol = [this](TTransferProtocol Protocol) { FTraffic->SetProtocol(Protocol); };
}

void TMainForm::actTrafficExecute() {
    // A window that shows but lies under another one is brought up first, not hidden unseen.
    if (FTraffic->isVisible() && (FTraffic->isActiveWindow() || !isActiveWindow())) {
        FTraffic->hide();
        return;
    }
    FTraffic->show();
    FTraffic->raise();
    FTraffic->activateWindow();
}

void TMainForm::Message(const QString& text) {
    if (OnMessage)
        OnMessage(text);
    else
        QMessageBox::information(this, windowTitle(), text);
}

void TMainForm::UpdateLanguage() {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(FDm.CurrentLanguage());
    // The caption and the application's title follow both the language and the mode. The title is
    // not made the toolkit's display name: that one is appended to every window's caption.
    setWindowTitle(FLite ? t.Title + QStringLiteral(" Lite") : t.Title);
    FApplicationTitle = FLite ? t.LiteTitle : t.Title;
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
    actTraffic->setText(TrafficLanguage().Texts(FDm.CurrentLanguage()).Caption);
    actHelp->setText(t.ActHelp);
    actOrderProducts->setText(t.ActOrderProducts);
    actAbout->setText(t.ActAbout);
    actAbout->setToolTip(t.HintAbout);
    GroupPropertyBtn->setText(t.BtnGroupAdjust);
    AppSelectorBtn->setText(t.BtnApplications);
    EmulatorBtn->setText(t.BtnEmulator);
    actEmulator->setText(t.BtnEmulator);
    actEmulatorStats->setText(EmulatorLanguage().Texts(FDm.CurrentLanguage()).StatsCaption);
    if (FEmulatorStats)
        FEmulatorStats->UpdateLanguage();
    btnAP->setToolTip(t.HintBusSettings);
    if (FActiveConfig)
        btnAP->setText(FActiveConfig->GetName());
    if (FActiveConfig)
        FActiveConfig->UpdateLanguage();
}

void TMainForm::ApplyMode(bool Lite) {
    FLite = Lite;
    ApplyListColours(Lite);
    UpdateLanguage();
}

void TMainForm::SetLanguage(int Language) {
    // Only English and Ukrainian are offered; anything else, stored or chosen, means English.
    const quint8 id = Language == liUkrainian ? liUkrainian : liEnglish;
    FOptions.SetLanguageID(id);
    FDm.SetCurrentLanguage(id);
    // The channels' error texts reach the user through the channel windows' messages.
    ApplyChannelTexts(id);
    InstallToolkitTranslation(id);
    actSetEngLang->setChecked(id == liEnglish);
    actSetUkrLang->setChecked(id == liUkrainian);
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
    // The traffic window is a window of its own; left open it would keep the program running.
    FTraffic->hide();
    event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (FActiveConfig)
        FActiveConfig->ResizeColumns();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // The flexible column follows the list's own size: the window's size is not the list's while a
    // layout is pending (at start-up, before the first show), and the list is rebuilt on a switch.
    if (watched == DeviceList && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        if (FActiveConfig)
            FActiveConfig->ResizeColumns();
        return QMainWindow::eventFilter(watched, event);
    }
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
    ChooseConfig(FComConnection.get(), kAccessPointCom);
}

void TMainForm::menuUdpPortClick() {
    ChooseConfig(FUdpConnection.get(), kAccessPointUdp);
}

void TMainForm::menuTcpPortClick() {
    ChooseConfig(FTcpConnection.get(), kAccessPointTcp);
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
    // The applications exist for the weight controllers only; for any other device the button
    // would open an empty list.
    AppSelectorBtn->setVisible(FDm.CurrentDevice && HasApplications(FDm.CurrentDevice->TypeCode & 0xFF));
}

void TMainForm::AppSelectorBtnClick() {
    if (!FDm.CurrentDevice)
        return;
    TAppSelectorDlg selector(this);
    selector.ShowFor(FDm.CurrentDevice->TypeCode & 0xFF, FDm.CurrentModule);
}

void TMainForm::GroupPropertyBtnClick() {
    if (!GroupPropertyBtn->isEnabled())
        return;
    // In the list's order, whatever order they were selected in.
    std::vector<TDeviceProps*> devices;
    for (int row = 0; row < DeviceList->topLevelItemCount(); ++row)
        if (DeviceList->topLevelItem(row)->isSelected())
            if (TDeviceProps* device = FDm.Devices.Items(row))
                devices.push_back(device);
    FConfigUi->Lite = FOptions.LiteVersion();
    FConfigUi->GroupAdjust(FDm, devices);
    UpdateSelectionButtons();
}

void TMainForm::DeviceListChange() {
    UpdateConnectionState();
}

void TMainForm::actDevSettingsExecute() {
    if (!FDm.CurrentDevice || FDm.CurrentDevice->TypeCode == kUnsupportedTypeCode ||
        !actDevSettings->isEnabled())
        return;
    if (!OnDeviceSettings)
        return;
    // The button shows pressed while the settings run.
    actDevSettings->setCheckable(true);
    actDevSettings->setChecked(true);
    OnDeviceSettings();
    actDevSettings->setChecked(false);
    actDevSettings->setCheckable(false);
}

void TMainForm::actChangeModeExecute() {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(FDm.CurrentLanguage());
    const QString question = FOptions.LiteVersion()
                                 ? t.MsgEnableAdvanced
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

void TMainForm::actOscilloscopeExecute() {
    TOscMainDlg dlg(FDm, this);
    dlg.Execute();
}

void TMainForm::actShowRangesListExecute() {
    TRangesListForm form(FDm.RangesTable, this);
    form.exec();
}

void TMainForm::actHelpExecute() {
    // The working folder's copy first, then the one installed with the program.
    const QString name = QStringLiteral("Dovuvavarovod.chm");
    QString path = FindDataPath(name, QDir::currentPath());
    if (path.isEmpty()) {
        path = QDir::current().filePath(name);
        Message(MainUnitLanguage()
                    .Texts(FDm.CurrentLanguage())
                    .MsgHelpMissing.arg(QDir::toNativeSeparators(path)));
        return;
    }
    // A failure to open it arrives later, from the launcher.
    FLauncher->Open(path);
}

void TMainForm::actAboutExecute() {
    TAboutForm about(this);
    about.exec();
}

void TMainForm::SetEmulatorActive(bool On) {
    // The instruments let go of their channels before the devices are freed.
    if (!On)
        FInstruments->EmulatorStopped();
    if (!On && FDm.EmulatorActive) {
        StopEmulator(*FDm.VDMgr, *FDm.VDTcp);
        FDm.VDMgr->ClearDevices();
        // The traffic monitor stops watching; whoever watched before keeps watching.
        FDm.VDMgr->OnFrame = FEmulatorObserver;
        FEmulatorObserver = nullptr;
    } else if (!On) {
        StopEmulator(*FDm.VDMgr, *FDm.VDTcp);
        FDm.VDMgr->ClearDevices();
    } else if (!FDm.EmulatorActive) {
        // The monitor sees what an outside master exchanges with the emulated devices, decoded in
        // the emulator's protocol; an observer already there is chained, not replaced.
        FEmulatorObserver = FDm.VDMgr->OnFrame;
        FDm.VDMgr->OnFrame = [this](int Direction, const quint8* Data, int Length) {
            if (FEmulatorObserver)
                FEmulatorObserver(Direction, Data, Length);
            FTrafficDock->EmulatorFrame(Direction, Data, Length);
        };
        FTraffic->SetProtocol(FDm.VDMgr->Protocol() == TVirtualDeviceManager::kProtocolModbus ? tpModbus
                                                                                              : tpNerix);
    }
    FTraffic->SetEmulatorRunning(On);
    FDm.EmulatorActive = On;
    // Hidden, the instruments could never be reached; shown, they work only while devices exist.
    MenuVirtualTools->menuAction()->setVisible(On);
    if (On)
        FInstruments->EmulatorStarted();
    EmulatorBtn->setChecked(On);
    actEmulator->setChecked(On);
    for (QAction* a : {actGenerator, actTester, actRemoveContact})
        a->setEnabled(On);
}

void TMainForm::actEmulatorExecute() {
    if (FDm.EmulatorActive) {
        SetEmulatorActive(false);
        return;
    }
    EmulatorBtn->setChecked(true);
    actEmulator->setChecked(true);
    bool confirmed = false;
    if (OnEmulatorSetup) {
        confirmed = OnEmulatorSetup();
    } else {
        TEmulatorForm form(*FDm.VDMgr, *FDm.VDTcp, *FOptions.EmulatorPoints(), this);
        confirmed = form.exec() == QDialog::Accepted;
    }
    SetEmulatorActive(confirmed && FDm.VDMgr->DeviceCount() > 0);
}

void TMainForm::actEmulatorStatsExecute() {
    if (!FEmulatorStats)
        FEmulatorStats = new TEmulatorStatsForm(*FDm.VDMgr, this);
    FEmulatorStats->show();
    FEmulatorStats->raise();
    FEmulatorStats->activateWindow();
}

void TMainForm::UpdateActions() {
    // The converter configurators talk to converters at 1200 bit/s on an open serial bus.
    const bool converters = FDm.Bus.IsOpen() && FDm.Bus.BaudRateValue() == 1200;
    for (QAction* a : {actConvCfgDouble, actRS232LANRS485, actCfgRepeater})
        a->setEnabled(converters);
}
