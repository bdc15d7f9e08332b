#include "shell/ui/ConnectionsTool.h"

#include "bus/ui/BusSettingsForm.h"
#include "bus/ui/TCPPortDlg.h"
#include "bus/ui/UDPPortDlg.h"
#include "discovery/FoundDevice.h"
#include "discovery/ui/FindDevices.h"
#include "discovery/ui/TCPFinding.h"
#include "discovery/ui/UDPFinding.h"
#include "localization/LanguageTables.h"
#include "model/BusSettings.h"
#include "options/AdminOptions.h"
#include "protocol/ModbusTcp.h"
#include "shell/Dm.h"
#include "shell/ui/Icons.h"

#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTreeWidget>

QString ComPortErrorText(int Port, const QString& DevicePath, const QString& Reason, bool Permission,
                         quint8 Language) {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(Language);
    QString port = QStringLiteral("COM%1").arg(Port);
    if (!DevicePath.isEmpty())
        port += QStringLiteral(" (%1)").arg(DevicePath);
    QString text = t.MsgComPortError + QLatin1Char('\n') + port;
    if (!Reason.isEmpty())
        text += QStringLiteral(": ") + Reason;
    if (Permission)
        text += QLatin1Char('\n') + t.MsgComPortDialout;
    return text;
}

TCustomConnectionConfig::TCustomConnectionConfig(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm,
                                                 TAdminOptions& Options)
    : FDeviceList(DeviceList), FStatusBar(StatusBar), FDm(Dm), FOptions(Options) {}

TCustomConnectionConfig::~TCustomConnectionConfig() = default;

void TCustomConnectionConfig::SetupView() {
    FDm.Devices.Clear();
    FDeviceList->clear();
    FDeviceList->setColumnCount(0);
    // The panels belong to the status bar, whichever configuration made them.
    for (QLabel* panel : Panels()) {
        FStatusBar->removeWidget(panel);
        delete panel;
    }
}

QList<QLabel*> TCustomConnectionConfig::Panels() const {
    return FStatusBar->findChildren<QLabel*>(QStringLiteral("StatusPanel"), Qt::FindDirectChildrenOnly);
}

void TCustomConnectionConfig::SetCurrentAccessPoint(TAccessPoint* AP) {
    FDm.CurrentAccessPoint = AP;
    FDm.Module.SetAP(AP);
}

void TCustomConnectionConfig::AddStatusPanel(int Width, Qt::Alignment Alignment) {
    auto* panel = new QLabel(FStatusBar);
    panel->setObjectName(QStringLiteral("StatusPanel"));
    panel->setFixedWidth(Width);
    panel->setAlignment(Alignment | Qt::AlignVCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FStatusBar->addWidget(panel);
}

QLabel* TCustomConnectionConfig::Panel(int Index) const {
    const QList<QLabel*> panels = Panels();
    return Index >= 0 && Index < panels.size() ? panels[Index] : nullptr;
}

void TCustomConnectionConfig::SetPanel(int Index, const QString& Text) {
    if (QLabel* p = Panel(Index))
        p->setText(Text);
}

void TCustomConnectionConfig::ShowError(const QString& Text) {
    if (OnError)
        OnError(Text);
    else
        QMessageBox::warning(FDeviceList->window(), FDeviceList->window()->windowTitle(), Text);
}

void TCustomConnectionConfig::ClearDevices() {
    FDm.Devices.Clear();
    FDeviceList->clear();
}

bool TCustomConnectionConfig::AddDevice(std::unique_ptr<TDeviceProps> Props, const QStringList& Columns) {
    const quint32 family = FDm.DeviceRegister.FindByType(Props->TypeCode)->Family;
    Props->Index = FDm.Devices.Count();
    if (!FDm.Devices.Add(Props))
        return false;
    // The item is complete before it joins the list, so whoever watches the list sees it whole.
    auto* item = new QTreeWidgetItem(Columns);
    item->setData(0, Qt::UserRole, int(family));
    item->setIcon(0, FamilyIcon(int(family)));
    FDeviceList->addTopLevelItem(item);
    return true;
}

void TCustomConnectionConfig::SetColumns(const QList<int>& Widths, int Flexible) {
    FColumnWidths = Widths;
    FFlexible = Flexible;
    FDeviceList->setColumnCount(int(Widths.size()));
    for (int c = 0; c < Widths.size(); ++c)
        FDeviceList->setColumnWidth(c, Widths[c]);
    FitColumn();
}

void TCustomConnectionConfig::FitColumn() {
    if (FFlexible < 0 || FDeviceList->columnCount() != FColumnWidths.size())
        return;
    int others = 0;
    for (int c = 0; c < FColumnWidths.size(); ++c)
        if (c != FFlexible)
            others += FColumnWidths[c];
    FDeviceList->setColumnWidth(FFlexible, std::max(10, FDeviceList->viewport()->width() - others - 221));
}

// --- serial -------------------------------------------------------------------------------------

TComPortConnection::TComPortConnection(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm,
                                       TAdminOptions& Options)
    : TCustomConnectionConfig(DeviceList, StatusBar, Dm, Options) {}

TComPortConnection::~TComPortConnection() = default;

QString TComPortConnection::GetName() const {
    return MainUnitLanguage().Texts(CurrentLanguage()).ApComPort;
}

bool TComPortConnection::IsConnected() const {
    return FDm.Bus.IsOpen();
}

void TComPortConnection::SetupView() {
    TCustomConnectionConfig::SetupView();
    SetColumns({100, 150, 140, 10, 120}, 3);
    const int panels[] = {40, 70, 100, 90, 70, 100, 150};
    for (int i = 0; i < 7; ++i)
        AddStatusPanel(panels[i], i % 2 == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
    UpdateLanguage();
}

void TComPortConnection::ResizeColumns() {
    FitColumn();
}

void TComPortConnection::UpdateLanguage() {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(CurrentLanguage());
    FDeviceList->setHeaderLabels(
        {t.ColAddress, t.ColBaudRate, t.ColProtocol, t.ColDeviceType, t.ColSerialNumber});
    SetPanel(kPanelPortLabel, t.PanelPort);
    SetPanel(kPanelBaudLabel, t.PanelBaudRate);
    SetPanel(kPanelStateLabel, t.PanelState);
    if (IsConnected()) {
        SetPanel(kPanelConnected, t.Connected);
        SetPanel(kPanelEcho, FDm.Bus.LocalEcho() ? t.PanelLocalEcho : QString());
    }
    if (FSettings)
        FSettings->UpdateLanguage();
    if (FScan)
        FScan->UpdateLanguage();
}

TBusSettingsForm& TComPortConnection::SettingsDialog() {
    if (!FSettings)
        FSettings = std::make_unique<TBusSettingsForm>(FDeviceList->window());
    return *FSettings;
}

bool TComPortConnection::ShowSettings() {
    TComPortAPOptions& o = *FOptions.AccessPoints()->ComPortAPOptions();
    TBusSettingsValues v{o.Port(),    o.RateID(),  o.ParityID(), o.StopBitsID(),
                         o.RTSMode(), o.Timeout(), o.LocalEcho()};
    if (!SettingsDialog().Execute(v))
        return false;
    o.SetLocalEcho(v.LocalEcho);
    o.SetPort(v.Port);
    o.SetRateID(v.RateID);
    o.SetParityID(v.ParityID);
    o.SetStopBitsID(v.StopBitsID);
    o.SetRTSMode(v.RTSMode);
    o.SetTimeout(v.Timeout);
    return true;
}

bool TComPortConnection::Connect() {
    if (FDm.Bus.IsOpen())
        return true;
    const TSerialLineSettings line = FOptions.AccessPoints()->ComPortAPOptions()->LineSettings();
    line.ApplyTo(FDm.Bus);
    FDm.Bus.OnLocalEchoDetected = [this] { ShowLocalEcho(); };
    if (!FDm.Bus.Open()) {
        for (int i : {kPanelPortName, kPanelBaud, kPanelConnected, kPanelEcho})
            SetPanel(i, QString());
        ShowError(ComPortErrorText(line.Port, FDm.Bus.DevicePath(), FDm.Bus.LastErrorReason(),
                                   FDm.Bus.LastErrorIsPermission(), CurrentLanguage()));
        return false;
    }
    line.AfterOpen(FDm.Bus);
    SetCurrentAccessPoint(&FDm.ComAccessPoint);
    FDm.Devices.Clear();
    if (OnTrafficPort)
        OnTrafficPort(line.Port);
    if (OnTrafficConnected)
        OnTrafficConnected(true);
    SetPanel(kPanelPortName, QStringLiteral("COM%1").arg(line.Port));
    SetPanel(kPanelBaud, QStringLiteral("br%1").arg(FDm.Bus.BaudRateValue()));
    SetPanel(kPanelConnected, MainUnitLanguage().Texts(CurrentLanguage()).Connected);
    SetPanel(kPanelEcho,
             FDm.Bus.LocalEcho() ? MainUnitLanguage().Texts(CurrentLanguage()).PanelLocalEcho : QString());
    return true;
}

void TComPortConnection::ShowLocalEcho() {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(CurrentLanguage());
    SetPanel(kPanelEcho, t.PanelLocalEcho);
    if (QLabel* panel = Panel(kPanelEcho))
        panel->setToolTip(t.MsgEchoDetected);
}

void TComPortConnection::Disconnect() {
    if (OnTrafficConnected)
        OnTrafficConnected(false);
    FDm.Bus.Close();
    FDm.Bus.OnLocalEchoDetected = nullptr;
    SetPanel(kPanelConnected, QString());
    SetPanel(kPanelEcho, QString());
}

TFindDevices& TComPortConnection::ScanDialog() {
    if (!FScan) {
        FScan =
            std::make_unique<TFindDevices>(FDm.Module, FDm.ComAccessPoint, FDm.Bus, FDeviceList->window());
        FScan->OnScanStart = [this] { ClearDevices(); };
        FScan->OnProtocolChange = [this](TTransferProtocol Protocol) {
            if (OnTrafficProtocol)
                OnTrafficProtocol(Protocol);
        };
        FScan->OnDeviceFound = [this](const TScanHit& hit) {
            auto props = FoundDeviceProps(hit, FDm.DeviceRegister);
            const QString model = props->ModelName;
            return AddDevice(std::move(props),
                             {AddressText(hit.Address), QStringLiteral("br%1").arg(hit.Baud),
                              TransferProtocolName(hit.Protocol), model,
                              QString::number(hit.Identity.SerialNumber)});
        };
    }
    return *FScan;
}

void TComPortConnection::Search() {
    ScanDialog().Execute();
}

// --- UDP ----------------------------------------------------------------------------------------

TUdpPortConnection::TUdpPortConnection(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm,
                                       TAdminOptions& Options)
    : TCustomConnectionConfig(DeviceList, StatusBar, Dm, Options) {}

TUdpPortConnection::~TUdpPortConnection() = default;

QString TUdpPortConnection::GetName() const {
    return MainUnitLanguage().Texts(CurrentLanguage()).ApUdpPort;
}

bool TUdpPortConnection::IsConnected() const {
    return FDm.UdpAccessPoint.Active();
}

void TUdpPortConnection::SetupView() {
    TCustomConnectionConfig::SetupView();
    SetColumns({70, 140, 10, 120}, 2);
    const int panels[] = {100, 100, 100, 50, 100, 50, 100, 140};
    const Qt::Alignment align[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft,    Qt::AlignHCenter,
                                   Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft};
    for (int i = 0; i < 8; ++i)
        AddStatusPanel(panels[i], align[i]);
    UpdateLanguage();
}

void TUdpPortConnection::ResizeColumns() {
    FitColumn();
}

void TUdpPortConnection::UpdateLanguage() {
    const TUdpConnectionLanguage& t = UdpConnectionLanguage().Texts(CurrentLanguage());
    FDeviceList->setHeaderLabels({t.ColAddress, t.ColProtocol, t.ColDeviceType, t.ColSerialNumber});
    SetPanel(kPanelHostLabel, t.PanelHost);
    SetPanel(kPanelRemoteLabel, t.PanelRemotePort);
    SetPanel(kPanelLocalLabel, t.PanelLocalPort);
    if (IsConnected())
        SetPanel(kPanelConnected, t.Connected);
    if (FSearch)
        FSearch->UpdateLanguage();
}

TUDPPortDlg& TUdpPortConnection::SettingsDialog() {
    if (!FSettings)
        FSettings = std::make_unique<TUDPPortDlg>(FDeviceList->window());
    return *FSettings;
}

bool TUdpPortConnection::ShowSettings() {
    TUdpPortAPOptions& o = *FOptions.AccessPoints()->UdpPortAPOptions();
    TUdpSettingsValues v{o.Host(), o.RemoutePort(), o.UseLocalPort(), o.LocalPort(), o.Timeout()};
    if (!SettingsDialog().Execute(v))
        return false;
    o.SetHost(v.Host);
    o.SetRemoutePort(quint16(v.RemoutePort));
    o.SetUseLocalPort(v.UseLocalPort);
    o.SetLocalPort(quint16(v.LocalPort));
    o.SetTimeout(v.Timeout);
    return true;
}

bool TUdpPortConnection::Connect() {
    if (FDm.UdpAccessPoint.Active())
        return true;
    const TUdpPortAPOptions& o = *FOptions.AccessPoints()->UdpPortAPOptions();
    FDm.UdpClient.SetHost(o.Host());
    FDm.UdpClient.SetRemotePort(o.RemoutePort());
    FDm.UdpServer.SetBindAddress(QStringLiteral("0.0.0.0"));
    FDm.UdpAccessPoint.SetUseLocalPort(o.UseLocalPort());
    FDm.UdpServer.SetDefaultPort(o.LocalPort());
    FDm.UdpAccessPoint.SetTimeout(o.Timeout());
    FDm.UdpAccessPoint.SetActive(true);
    if (!FDm.UdpAccessPoint.Active()) {
        for (int i : {kPanelHost, kPanelRemotePort, kPanelLocalPort, kPanelConnected})
            SetPanel(i, QString());
        // This message is not translated.
        ShowError(QStringLiteral("Error connection"));
        return false;
    }
    SetCurrentAccessPoint(&FDm.UdpAccessPoint);
    FDm.Devices.Clear();
    if (OnTrafficPort)
        OnTrafficPort(o.RemoutePort());
    if (OnTrafficConnected)
        OnTrafficConnected(true);
    SetPanel(kPanelHost, o.Host());
    SetPanel(kPanelRemotePort, QString::number(o.RemoutePort()));
    SetPanel(kPanelLocalPort, QString::number(FDm.UdpServer.DefaultPort()));
    SetPanel(kPanelConnected, UdpConnectionLanguage().Texts(CurrentLanguage()).Connected);
    return true;
}

void TUdpPortConnection::Disconnect() {
    if (OnTrafficConnected)
        OnTrafficConnected(false);
    FDm.UdpAccessPoint.SetActive(false);
    SetPanel(kPanelConnected, QString());
}

TUDPFindingDlg& TUdpPortConnection::SearchDialog() {
    if (!FSearch) {
        FSearch = std::make_unique<TUDPFindingDlg>(FDm.Module, FDm.UdpAccessPoint, FDeviceList->window());
        FSearch->OnScanStart = [this] { ClearDevices(); };
        FSearch->OnProtocolChange = [this](TTransferProtocol Protocol) {
            if (OnTrafficProtocol)
                OnTrafficProtocol(Protocol);
        };
        FSearch->OnDeviceFound = [this](const TUdpHit& hit) {
            auto props = FoundDeviceProps(hit, FDm.DeviceRegister);
            const QString model = props->ModelName;
            return AddDevice(std::move(props),
                             {HexAddressText(hit.Address), TransferProtocolName(hit.Protocol), model,
                              QString::number(hit.SerialNumber)});
        };
    }
    return *FSearch;
}

void TUdpPortConnection::Search() {
    SearchDialog().Execute();
}

// --- TCP ----------------------------------------------------------------------------------------

TTcpPortConnection::TTcpPortConnection(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm,
                                       TAdminOptions& Options)
    : TCustomConnectionConfig(DeviceList, StatusBar, Dm, Options) {}

TTcpPortConnection::~TTcpPortConnection() {
    FDm.TcpAccessPoint.OnLinkChange = nullptr;
}

QString TTcpPortConnection::GetName() const {
    return TcpConnectionLanguage().Texts(CurrentLanguage()).Name;
}

bool TTcpPortConnection::IsConnected() const {
    return FDm.TcpAccessPoint.Active();
}

void TTcpPortConnection::SetupView() {
    TCustomConnectionConfig::SetupView();
    SetColumns({100, 100, 100, 10, 120}, 3);
    // The state panel has room for the longest state in every language ("Cerrada por el otro
    // extremo").
    const int panels[] = {60, 140, 60, 60, 90, 110, 200};
    for (int i = 0; i < 7; ++i)
        AddStatusPanel(panels[i], i % 2 == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
    if (IsConnected())
        ShowValues();
    UpdateLanguage();
}

void TTcpPortConnection::ResizeColumns() {
    FitColumn();
}

void TTcpPortConnection::UpdateLanguage() {
    const TTcpConnectionLanguage& t = TcpConnectionLanguage().Texts(CurrentLanguage());
    FDeviceList->setHeaderLabels(
        {t.ColAddress, t.ColBaudRate, t.ColProtocol, t.ColDeviceType, t.ColSerialNumber});
    SetPanel(kPanelHostLabel, t.PanelHost);
    SetPanel(kPanelPortLabel, t.PanelPort);
    SetPanel(kPanelFramingLabel, t.PanelFraming);
    ShowLinkState(FLinkState, FLinkWhy);
    if (IsConnected())
        ShowValues();
    if (FSettings)
        FSettings->UpdateLanguage();
    if (FSearch)
        FSearch->UpdateLanguage();
}

void TTcpPortConnection::ShowLinkState(TLinkState State, const QString& Why) {
    FLinkState = State;
    FLinkWhy = Why;
    const TTcpConnectionLanguage& t = TcpConnectionLanguage().Texts(CurrentLanguage());
    QString text, tip;
    switch (State) {
    case TLinkState::None:
        break;
    case TLinkState::Connected:
        text = t.Connected;
        break;
    case TLinkState::PeerClosed:
        text = t.PeerClosed;
        tip = Why + QLatin1Char('\n') + t.PeerClosedHint;
        break;
    case TLinkState::Lost:
        text = t.ConnectionLost;
        tip = Why + QLatin1Char('\n') + t.ConnectionLostHint;
        break;
    }
    SetPanel(kPanelState, text);
    if (QLabel* panel = Panel(kPanelState))
        panel->setToolTip(tip.trimmed());
}

TTCPPortDlg& TTcpPortConnection::SettingsDialog() {
    if (!FSettings)
        FSettings = std::make_unique<TTCPPortDlg>(FDeviceList->window());
    return *FSettings;
}

bool TTcpPortConnection::ShowSettings() {
    TTcpPortAPOptions& o = *FOptions.AccessPoints()->TcpPortAPOptions();
    TTcpSettingsValues v{o.Host(), o.RemoutePort(), o.Framing(), o.Timeout()};
    if (!SettingsDialog().Execute(v))
        return false;
    o.SetHost(v.Host);
    o.SetRemoutePort(quint16(v.RemoutePort));
    o.SetFraming(v.Framing);
    o.SetTimeout(v.Timeout);
    return true;
}

bool TTcpPortConnection::Connect() {
    TTcpPortAccessPoint& ap = FDm.TcpAccessPoint;
    const TTcpPortAPOptions& o = *FOptions.AccessPoints()->TcpPortAPOptions();
    const TTcpConnectionLanguage& t = TcpConnectionLanguage().Texts(CurrentLanguage());
    if (!ap.Active()) {
        // Making the connection lets events run for up to its time-out: a second click on
        // "Connection" meanwhile must not start another attempt over this one.
        if (FConnecting)
            return false;
        FConnecting = true;
        const struct TDone {
            bool& Flag;
            ~TDone() { Flag = false; }
        } done{FConnecting};
        ap.SetHost(o.Host());
        ap.SetPort(o.RemoutePort());
        if (o.Framing() == int(TTcpFraming::ModbusTcp))
            UseModbusTcp(ap);
        else
            ap.SetFraming(TTcpFraming::Raw);
        ap.SetTimeout(o.Timeout());
        ap.OnLinkChange = [this](TTcpPortAccessPoint::TLinkEvent Event, const QString& Why) {
            LinkChanged(int(Event), Why);
        };
        ap.SetActive(true);
        if (!ap.Active()) {
            for (int i : {kPanelHost, kPanelPort, kPanelFraming})
                SetPanel(i, QString());
            ShowLinkState(TLinkState::None, {});
            ShowError(t.MsgConnectError + QLatin1Char('\n') + ap.LastError());
            return false;
        }
        SetCurrentAccessPoint(&ap);
        FDm.Devices.Clear();
        if (OnTrafficPort)
            OnTrafficPort(o.RemoutePort());
        if (OnTrafficConnected)
            OnTrafficConnected(true);
        ShowLinkState(TLinkState::Connected, {});
    }
    ShowValues();
    return true;
}

void TTcpPortConnection::ShowValues() {
    const TTcpPortAccessPoint& ap = FDm.TcpAccessPoint;
    const TTcpConnectionLanguage& t = TcpConnectionLanguage().Texts(CurrentLanguage());
    // What the panels show is what the access point was opened with, not what the options say now.
    SetPanel(kPanelHost, ap.Host());
    SetPanel(kPanelPort, QString::number(ap.Port()));
    SetPanel(kPanelFraming,
             ap.Framing() == TTcpFraming::ModbusTcp ? QStringLiteral("Modbus TCP") : t.FramingRawShort);
    if (FSearch)
        FSearch->SetModbusOnly(ap.Framing() == TTcpFraming::ModbusTcp);
}

void TTcpPortConnection::LinkChanged(int Event, const QString& Why) {
    switch (TTcpPortAccessPoint::TLinkEvent(Event)) {
    case TTcpPortAccessPoint::TLinkEvent::Connected:
        ShowLinkState(TLinkState::Connected, {});
        break;
    case TTcpPortAccessPoint::TLinkEvent::Closed:
        // The access point stays active: the next request connects again by itself.
        ShowLinkState(TLinkState::PeerClosed, Why);
        break;
    case TTcpPortAccessPoint::TLinkEvent::ReconnectFailed:
        // The converter is gone. Closing the access point here (inside its exchange, which then fails
        // at once, as every later one does) ends the retries: a search does not knock on a closed door
        // for each of its addresses, and the window shows the connection as down, not as a hang.
        if (OnTrafficConnected)
            OnTrafficConnected(false);
        FDm.TcpAccessPoint.SetActive(false);
        // A search in progress has nothing left to ask.
        if (FSearch)
            FSearch->Scan().Stop();
        ShowLinkState(TLinkState::Lost, Why);
        if (OnStateChange)
            OnStateChange();
        break;
    }
}

void TTcpPortConnection::Disconnect() {
    if (OnTrafficConnected)
        OnTrafficConnected(false);
    FDm.TcpAccessPoint.SetActive(false);
    ShowLinkState(TLinkState::None, {});
}

TTCPFindingDlg& TTcpPortConnection::SearchDialog() {
    if (!FSearch) {
        FSearch = std::make_unique<TTCPFindingDlg>(FDm.Module, FDm.TcpAccessPoint, FDeviceList->window());
        FSearch->OnScanStart = [this] { ClearDevices(); };
        FSearch->OnProtocolChange = [this](TTransferProtocol Protocol) {
            if (OnTrafficProtocol)
                OnTrafficProtocol(Protocol);
        };
        FSearch->OnDeviceFound = [this](const TScanHit& hit) {
            auto props = FoundDeviceProps(hit, FDm.DeviceRegister);
            const QString model = props->ModelName;
            // A device whose settings name no speed of the table: nothing to show rather than "br0".
            const QString baud = hit.Baud > 0 ? QStringLiteral("br%1").arg(hit.Baud) : QString();
            return AddDevice(std::move(props),
                             {AddressText(hit.Address), baud, TransferProtocolName(hit.Protocol), model,
                              QString::number(hit.Identity.SerialNumber)});
        };
    }
    FSearch->SetModbusOnly(FDm.TcpAccessPoint.Framing() == TTcpFraming::ModbusTcp);
    return *FSearch;
}

void TTcpPortConnection::Search() {
    SearchDialog().Execute();
}
