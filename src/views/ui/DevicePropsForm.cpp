#include "views/ui/DevicePropsForm.h"

#include "localization/ConfigTransferLanguage.h"
#include "localization/DeviceViewsLanguage.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/ChannelWindows.h"
#include "views/DeviceService.h"
#include "views/ui/ConfigTransferUi.h"
#include "views/ui/DeviceServiceDlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowIndexRole = Qt::UserRole;
constexpr int kRowKindRole = Qt::UserRole + 1;

QComboBox* NewList(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMaxVisibleItems(16);
    return box;
}

void SelectIndex(QComboBox* Box, int Index) {
    Box->setCurrentIndex(Index >= 0 && Index < Box->count() ? Index : -1);
}

} // namespace

TDevicePropsForm::TDevicePropsForm(TDm& Dm, TAdminOptions& Options, QWidget* parent)
    : QDialog(parent), FDm(Dm), FOptions(Options), FSystemModule(std::make_unique<TSystemObjectModule>()),
      FConfigUi(std::make_unique<TConfigTransferUi>(this)) {
    setObjectName(QStringLiteral("DevicePropsForm"));
    setModal(true);
    setSizeGripEnabled(true);

    lbAddress = new QLabel(this);
    lbRate = new QLabel(this);
    lbProtocol = new QLabel(this);
    lbParity = new QLabel(this);
    lbStopBits = new QLabel(this);
    lbResponseTimeout = new QLabel(this);
    lbByteOrder = new QLabel(this);
    AddressEdit = NewList(this);
    RateEdit = NewList(this);
    ProtocolEdit = NewList(this);
    ParityBox = NewList(this);
    cbStopBits = NewList(this);
    cbResponseTimeout = NewList(this);
    cbByteOrder = NewList(this);
    for (int i = 0; i < kBaudCodeCount; ++i)
        RateEdit->addItem(RateEntryText(i));
    ProtocolEdit->addItems({QStringLiteral("Nerix"), QStringLiteral("Modbus RTU")});
    for (int i = 0; i < kParityCount; ++i)
        ParityBox->addItem(ParityEntryText(i));
    cbStopBits->addItems({QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")});
    for (int i = 0; i <= kMaxTimeoutCode; ++i)
        cbResponseTimeout->addItem(QString::number(i));
    for (int i = 0; i < kByteOrderChoices; ++i)
        cbByteOrder->addItem(ByteOrderEntryText(i));
    for (QComboBox* box :
         {AddressEdit, RateEdit, ProtocolEdit, ParityBox, cbStopBits, cbResponseTimeout, cbByteOrder})
        connect(box, &QComboBox::currentIndexChanged, this, &TDevicePropsForm::ProtocolEditChange);
    const std::pair<QLabel*, QComboBox*> pairs[] = {
        {lbAddress, AddressEdit},   {lbRate, RateEdit},       {lbProtocol, ProtocolEdit},
        {lbParity, ParityBox},      {lbStopBits, cbStopBits}, {lbResponseTimeout, cbResponseTimeout},
        {lbByteOrder, cbByteOrder},
    };
    for (const auto& [label, box] : pairs)
        label->setBuddy(box);

    ServiceBtn = new QPushButton(this);
    connect(ServiceBtn, &QPushButton::clicked, this, &TDevicePropsForm::ServiceBtnClick);

    // Two columns of settings: the line on the left, the framing and the device's own on the right.
    auto* header = new QGridLayout;
    header->setHorizontalSpacing(10);
    header->setVerticalSpacing(6);
    header->addWidget(lbAddress, 0, 0);
    header->addWidget(AddressEdit, 0, 1);
    header->addWidget(lbRate, 1, 0);
    header->addWidget(RateEdit, 1, 1);
    header->addWidget(lbProtocol, 2, 0);
    header->addWidget(ProtocolEdit, 2, 1);
    header->addWidget(lbParity, 0, 3);
    header->addWidget(ParityBox, 0, 4);
    header->addWidget(lbStopBits, 1, 3);
    header->addWidget(cbStopBits, 1, 4);
    header->addWidget(lbResponseTimeout, 2, 3);
    header->addWidget(cbResponseTimeout, 2, 4);
    header->addWidget(lbByteOrder, 3, 3);
    header->addWidget(cbByteOrder, 3, 4);
    header->addWidget(ServiceBtn, 3, 0, 1, 2, Qt::AlignLeft);
    header->setColumnMinimumWidth(2, 24);
    header->setColumnStretch(5, 1);
    for (QComboBox* box : {AddressEdit, RateEdit, ProtocolEdit})
        header->setAlignment(box, Qt::AlignLeft);
    for (QComboBox* box : {ParityBox, cbStopBits, cbResponseTimeout, cbByteOrder})
        header->setAlignment(box, Qt::AlignLeft);

    // Objects page.
    ObjectsPage = new QWidget(this);
    ChannelList = new QTreeWidget(ObjectsPage);
    ChannelList->setObjectName(QStringLiteral("ChannelList"));
    ChannelList->setRootIsDecorated(false);
    ChannelList->setSelectionMode(QAbstractItemView::SingleSelection);
    ChannelList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ChannelList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ChannelList->setColumnCount(3);
    ChannelList->setContextMenuPolicy(Qt::CustomContextMenu);
    ChannelList->header()->setStretchLastSection(true);
    ChannelList->installEventFilter(this);
    connect(ChannelList, &QTreeWidget::itemDoubleClicked, this, &TDevicePropsForm::ChannelListDblClick);
    ChannelMenu = new QMenu(this);
    N1 = ChannelMenu->addAction(QString(), this, &TDevicePropsForm::N1Click);
    connect(ChannelList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QTreeWidgetItem* item = ChannelList->itemAt(pos)) {
            ChannelList->setCurrentItem(item);
            ChannelMenu->popup(ChannelList->viewport()->mapToGlobal(pos));
        }
    });
    auto* objects = new QVBoxLayout(ObjectsPage);
    objects->addWidget(ChannelList);

    // Flash page.
    FlashPage = new QWidget(this);
    SaveBtn = new QPushButton(FlashPage);
    RestoreBtn = new QPushButton(FlashPage);
    RestoreBtn->hide();
    connect(SaveBtn, &QPushButton::clicked, this, &TDevicePropsForm::SaveBtnClick);
    // The whole configuration of the device in a file, and a file put on the device.
    SaveConfigBtn = new QPushButton(FlashPage);
    LoadConfigBtn = new QPushButton(FlashPage);
    SaveConfigBtn->setObjectName(QStringLiteral("SaveConfigBtn"));
    LoadConfigBtn->setObjectName(QStringLiteral("LoadConfigBtn"));
    connect(SaveConfigBtn, &QPushButton::clicked, this, &TDevicePropsForm::SaveConfigBtnClick);
    connect(LoadConfigBtn, &QPushButton::clicked, this, &TDevicePropsForm::LoadConfigBtnClick);
    auto* flash = new QVBoxLayout(FlashPage);
    flash->addWidget(SaveBtn, 0, Qt::AlignLeft);
    flash->addWidget(RestoreBtn, 0, Qt::AlignLeft);
    flash->addSpacing(12);
    flash->addWidget(SaveConfigBtn, 0, Qt::AlignLeft);
    flash->addWidget(LoadConfigBtn, 0, Qt::AlignLeft);
    flash->addStretch();

    Pages = new QTabWidget(this);
    Pages->addTab(ObjectsPage, QString());
    Pages->addTab(FlashPage, QString());

    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    connect(OkBtn, &QPushButton::clicked, this, &TDevicePropsForm::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TDevicePropsForm::CancelBtnClick);
    // Enter belongs to the channel list (it opens a channel); only the buttons' own clicks close.
    for (QPushButton* b : {ServiceBtn, SaveBtn, RestoreBtn, SaveConfigBtn, LoadConfigBtn, OkBtn, CancelBtn}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(OkBtn);
    bottom->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(Pages, 1);
    layout->addLayout(bottom);

    FServiceDlg = new TDeviceServiceDlg(this);
    UpdateLanguage();
    resize(640, 480);
}

TDevicePropsForm::~TDevicePropsForm() = default;

void TDevicePropsForm::UpdateLanguage() {
    const TDevicePropsLanguage& t = DevicePropsLanguage().Texts(CurrentLanguage());
    setWindowTitle(FDevice ? t.Caption + QStringLiteral(": ") + FDevice->ModelName : t.Caption);
    lbAddress->setText(t.DeviceAddress);
    lbRate->setText(t.BaudRate);
    lbProtocol->setText(t.CommProtocol);
    lbParity->setText(t.Parity);
    lbStopBits->setText(t.StopBits);
    lbResponseTimeout->setText(t.ResponseTimeout);
    lbByteOrder->setText(t.ByteOrder);
    ServiceBtn->setText(t.Service);
    Pages->setTabText(0, t.PageObjects);
    Pages->setTabText(1, t.PageFlash);
    ChannelList->setHeaderLabels({t.ColObjectNumber, t.ColObjectType, t.ColNote});
    N1->setText(t.Properties);
    SaveBtn->setText(t.SaveToFlash);
    RestoreBtn->setText(t.RestoreFromFlash);
    const TConfigTransferLanguage& c = ConfigTransferLanguage().Texts(CurrentLanguage());
    SaveConfigBtn->setText(c.SaveConfig);
    LoadConfigBtn->setText(c.LoadConfig);
    OkBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
    // The catalogue is rebuilt in the new language after the windows: rows are renamed on the next
    // Execute. Markers keep their hint in the new language now.
    for (int i = 0; i < ChannelList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ChannelList->topLevelItem(i);
        if (!item->icon(0).isNull())
            item->setToolTip(0, t.HealthMarker);
    }
    FitToTitle(this);
}

void TDevicePropsForm::FillLists() {
    AddressEdit->clear();
    for (quint8 a : AddressChoices(*FDevice, FDm.Devices))
        AddressEdit->addItem(AddressText(a), int(a));
}

void TDevicePropsForm::Select(const TParamsSelection& Selection) {
    FLoading = true;
    SelectIndex(AddressEdit, AddressEdit->findData(Selection.Address));
    SelectIndex(RateEdit, Selection.Rate);
    SelectIndex(ProtocolEdit, Selection.Protocol);
    SelectIndex(ParityBox, Selection.Parity);
    SelectIndex(cbResponseTimeout, Selection.Timeout);
    SelectIndex(cbStopBits, Selection.StopBits);
    SelectIndex(cbByteOrder, Selection.ByteOrder);
    FLoading = false;
}

TParamsSelection TDevicePropsForm::CurrentSelection() const {
    TParamsSelection s;
    s.Address = AddressEdit->currentIndex() >= 0 ? AddressOfEntry(AddressEdit->currentText()) : -1;
    s.Rate = RateEdit->currentIndex();
    s.Protocol = ProtocolEdit->currentIndex();
    s.Parity = ParityBox->currentIndex();
    s.Timeout = cbResponseTimeout->currentIndex();
    s.StopBits = cbStopBits->currentIndex();
    s.ByteOrder = cbByteOrder->isHidden() ? -1 : cbByteOrder->currentIndex();
    return s;
}

void TDevicePropsForm::ProtocolEditChange() {
    if (FLoading || !FDevice)
        return;
    FEdited = EditedParams(*FDevice, CurrentSelection());
    SaveBtn->setEnabled(FModule && SaveToFlashAllowed(FEdited, *FDevice, FOptions.LiteVersion()));
}

bool TDevicePropsForm::Execute(TDeviceProps& Device, TDeviceParams& Edited) {
    FDevice = &Device;
    // A model whose family is not part of the program has no template; its system object, which
    // saves to flash and tells the version and the time, is still there.
    FModule = FDm.CurrentModule;
    if (!FModule) {
        FSystemModule->SetAP(FDm.CurrentAccessPoint);
        FSystemModule->SetAddress(Device.Address);
        FSystemModule->SetTransferProtocol(TTransferProtocol(Device.Protocol));
        FSystemModule->Modified = false;
        FModule = FSystemModule.get();
    }
    UpdateLanguage();
    FillLists();
    const TParamsSelection selection = SelectionOf(Device);
    const bool byteOrder = Device.ByteOrder != boNAN;
    cbByteOrder->setVisible(byteOrder);
    lbByteOrder->setVisible(byteOrder);
    // A device without the time-out setting has nothing to choose; a choice would only force a
    // rewrite of the bus settings and a new search, since the time-out itself is never written.
    cbResponseTimeout->setEnabled(qint32(Device.TimeoutCode) >= 0);
    Select(selection);
    FEdited = EditedParams(Device, selection);
    ProtocolEditChange();
    FRestore = selection;
    FillChannelList();
    // A configuration is read and written through the model of the device's family.
    SaveConfigBtn->setEnabled(FDm.CurrentModule != nullptr);
    LoadConfigBtn->setEnabled(FDm.CurrentModule != nullptr);
    Pages->setCurrentIndex(0);
    FParamsChanged = false;
    const bool applied = exec() == QDialog::Accepted;
    Edited = FEdited;
    FDevice = nullptr;
    FModule = nullptr;
    UpdateLanguage();
    return applied;
}

void TDevicePropsForm::FillChannelList() {
    ChannelList->clear();
    for (const TChannelRow& row : ChannelRowsOf(*FDevice, FDm.DeviceRegister)) {
        auto* item = new QTreeWidgetItem(ChannelList, {row.Caption, row.Name, row.Note});
        item->setData(0, kRowIndexRole, row.Index);
        item->setData(0, kRowKindRole, int(row.Kind));
        UpdateMarker(item);
    }
    for (int c = 0; c < 2; ++c)
        ChannelList->resizeColumnToContents(c);
}

void TDevicePropsForm::UpdateMarker(QTreeWidgetItem* Item) {
    const quint8 kind = quint8(Item->data(0, kRowKindRole).toInt());
    const bool marked = HealthMarker(FDm.CurrentModule, FDevice ? FDevice->TypeCode : 0, kind);
    Item->setIcon(0, marked ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
    Item->setToolTip(0, marked ? DevicePropsLanguage().Texts(CurrentLanguage()).HealthMarker : QString());
}

void TDevicePropsForm::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    ChannelList->setFocus();
}

void TDevicePropsForm::OkBtnClick() {
    accept();
}

void TDevicePropsForm::CancelBtnClick() {
    reject();
}

void TDevicePropsForm::Message(const QString& Text) {
    QMessageBox::information(this, windowTitle(), Text);
}

bool TDevicePropsForm::SaveBtnClick() {
    if (!FModule)
        return false;
    const TDevicePropsLanguage& t = DevicePropsLanguage().Texts(CurrentLanguage());
    FModule->SystemChannel().SaveToFlash();
    if (!FModule->Ok) {
        Message(t.MsgSaveError);
        return false;
    }
    FModule->Modified = false;
    Message(t.MsgSaved);
    return true;
}

void TDevicePropsForm::ServiceBtnClick() {
    if (FModule)
        FServiceDlg->Execute(*FModule);
}

void TDevicePropsForm::SaveConfigBtnClick() {
    if (FDevice && FDm.CurrentModule)
        FConfigUi->SaveConfiguration(*FDm.CurrentModule, *FDevice);
}

void TDevicePropsForm::LoadConfigBtnClick() {
    if (!FDevice || !FDm.CurrentModule)
        return;
    FConfigUi->Lite = FOptions.LiteVersion();
    FConfigUi->LoadConfiguration(*FDm.CurrentModule, *FDevice);
}

void TDevicePropsForm::done(int Result) {
    if (!FDevice) {
        QDialog::done(Result);
        return;
    }
    const bool applied = Result == QDialog::Accepted;
    FParamsChanged = ::ParamsChanged(FEdited, *FDevice);
    if (!applied) {
        Select(FRestore);
        FEdited = EditedParams(*FDevice, FRestore);
    }
    const bool modified = FModule && FModule->Modified;
    const TDevicePropsLanguage& t = DevicePropsLanguage().Texts(CurrentLanguage());
    switch (CloseOutcomeFor(applied, FParamsChanged, modified, FOptions.LiteVersion())) {
    case TCloseOutcome::Close:
        break;
    case TCloseOutcome::NotSavedMessage:
        Message(t.MsgNotSaved);
        break;
    case TCloseOutcome::AskToSave:
        if (QMessageBox::question(this, windowTitle(), t.MsgAskSave) == QMessageBox::Yes && !SaveBtnClick())
            return; // the settings are still only in the device's working memory: stay
        break;
    }
    QDialog::done(Result);
}

bool TDevicePropsForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == ChannelList && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenSelectedChannel();
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TDevicePropsForm::ChannelListDblClick() {
    OpenSelectedChannel();
}

void TDevicePropsForm::N1Click() {
    OpenSelectedChannel();
}

void TDevicePropsForm::OpenSelectedChannel() {
    QTreeWidgetItem* item = ChannelList->currentItem();
    if (!FDevice || !item || !item->isSelected())
        return;
    const int row = item->data(0, kRowIndexRole).toInt();
    FDm.CurrentChannel = qint16(row);
    TChannelWindowContext context;
    context.Module = FDm.CurrentModule;
    context.Device = FDevice;
    context.Row = row;
    context.Parent = this;
    OpenChannelWindow(context, FDm.DeviceRegister);
    const quint8 kind = quint8(item->data(0, kRowKindRole).toInt());
    if (kind == ckHealthController || kind == ckHealthControllerDiscrete)
        UpdateMarker(item);
    // Channel windows show the busy cursor while they read; one that refused to open may have left
    // it behind.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
