#include "views/ui/DIChannelForms.h"

#include "bus/AccessPoint.h"
#include "localization/DiscreteChannelLanguage.h"
#include "model/BusSettings.h"
#include "model/DIChannel.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "platform/ExchangeGuard.h"
#include "platform/ProcessTimer.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/AnalogInputGenerator.h"
#include "views/ChannelWindows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

namespace {

const Tkvd_custom_do_channel_unitLanguage& Texts() {
    return DOChannelLanguage().Texts(CurrentLanguage());
}

const TDIDCDialogLanguage& DialogTexts() {
    return DIDCDialogLanguage().Texts(CurrentLanguage());
}

// A contact: closed (picture 0) bridges the two terminals, open (picture 1) stands off at an angle.
QPixmap ContactPicture(int Picture) {
    QPixmap pixmap(64, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = Picture == 0 ? QColor(0, 120, 0) : QColor(90, 90, 90);
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(2, 28, 16, 28);
    p.drawLine(48, 28, 62, 28);
    p.setBrush(colour);
    p.drawEllipse(QPointF(16, 28), 3, 3);
    p.drawEllipse(QPointF(48, 28), 3, 3);
    if (Picture == 0)
        p.drawLine(16, 28, 48, 28);
    else
        p.drawLine(16, 28, 46, 8);
    return pixmap;
}

} // namespace

QString DIWindowName(TDIWindow Window) {
    switch (Window) {
    case TDIWindow::KVD_DI:
        return QStringLiteral("TKVD_DI_ChannelForm");
    case TDIWindow::KVD_DI_DC:
        return QStringLiteral("TKVD_DI_DC_ChannelForm");
    case TDIWindow::DIDC:
        return QStringLiteral("TDIDCDialog");
    }
    return {};
}

int DIInputIndexFor(TDIWindow Window, quint32 TypeCode, int Row) {
    int index = -1;
    switch (Window) {
    case TDIWindow::KVD_DI:
        if (TypeCode == 4)
            index = Row;
        break;
    case TDIWindow::KVD_DI_DC:
        switch (TypeCode) {
        case 4:
        case 6:
        case 10:
        case 39:
        case 64:
        case 67:
            index = Row;
            break;
        case 19:
            index = Row < 9 ? Row : Row - 7;
            break;
        case 21:
        case 44:
            index = Row - 10;
            break;
        case 33:
            index = Row - 6;
            break;
        case 38:
            index = Row - 2;
            break;
        case 43:
            index = Row == 1 ? 0 : Row == 4 ? 1 : Row == 8 ? 2 : -1;
            break;
        case 69:
            index = Row - 15;
            break;
        default:
            break;
        }
        break;
    case TDIWindow::DIDC:
        if (TypeCode == 18 || TypeCode == 4 || TypeCode == 6 || TypeCode == 10)
            index = Row;
        break;
    }
    return index < 0 ? -1 : index;
}

TDIStateLook DIStateLook(TDIWindow Window, qint32 State) {
    using L = TDIStateLook;
    switch (Window) {
    case TDIWindow::KVD_DI:
        if (State == 1)
            return {L::Closed, 0, false};
        if (State == 0 || State == 2)
            return {L::Opened, 1, false};
        return {};
    case TDIWindow::KVD_DI_DC:
        if (State == 0)
            return {L::Opened, 1, false};
        if (State == 1)
            return {L::Closed, 0, false};
        if (State == 2)
            return {L::LineBreak, -1, true};
        return {L::ShortCircuit, -1, true};
    case TDIWindow::DIDC:
        if (State == 0)
            return {L::Opened, 1, false};
        if (State == 1)
            return {L::Closed, 0, false};
        return {L::LineBreak, -1, true};
    }
    return {};
}

// --- TTimeResponseForm -------------------------------------------------------------------------

TTimeResponseForm::TTimeResponseForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TimeResponseForm"));
    setModal(true);
    lbCaption = new QLabel(this);
    ValueLb = new QLabel(this);
    ValueLb->setMinimumWidth(48);
    ValueLb->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TrackBar = new QSlider(Qt::Horizontal, this);
    TrackBar->setRange(0, kMaxMs);
    TrackBar->setPageStep(100);
    TrackBar->setMinimumWidth(280);
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    CloseBtn = new QPushButton(this);
    auto* value = new QHBoxLayout;
    value->addWidget(TrackBar, 1);
    value->addWidget(ValueLb);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbCaption);
    layout->addLayout(value);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    connect(TrackBar, &QSlider::valueChanged, this, [this](int v) {
        FValue = v;
        ValueLb->setText(QString::number(v));
    });
    connect(ApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TTimeResponseForm::SetValue(int Value) {
    FValue = std::clamp(Value, 0, int(kMaxMs));
    TrackBar->setValue(FValue);
    ValueLb->setText(QString::number(FValue));
}

bool TTimeResponseForm::Execute(int Value) {
    SetValue(Value);
    return exec() == QDialog::Accepted;
}

void TTimeResponseForm::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.ResponseTimeMs);
    lbCaption->setText(t.ResponseTimeMs + QStringLiteral(" (0-5000)"));
    ApplyBtn->setText(t.Apply);
    CloseBtn->setText(t.Close);
    FitToTitle(this);
}

// --- Remapping dialogs -------------------------------------------------------------------------

TdlgDIHardCnl::TdlgDIHardCnl(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgDIHardCnl"));
    setModal(true);
    lbChannel = new QLabel(this);
    ChannelList = new QListWidget(this);
    for (int i = 1; i <= 256; ++i)
        ChannelList->addItem(QString::number(i));
    ChannelList->setMinimumHeight(160);
    OkBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbChannel);
    layout->addWidget(ChannelList, 1);
    layout->addLayout(buttons);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ChannelList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TdlgDIHardCnl::Setup(int Channel) {
    const auto& t = DialogTexts();
    setWindowTitle(t.HardChannelCaption);
    lbChannel->setText(t.HardChannelLabel);
    OkBtn->setText(t.Ok);
    CancelBtn->setText(t.Cancel);
    ChannelList->setCurrentRow(std::clamp(Channel, 0, 255));
    FitToTitle(this);
}

int TdlgDIHardCnl::Channel() const {
    return ChannelList->currentRow();
}

TdlgDIRemap::TdlgDIRemap(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgDIRemap"));
    setModal(true);
    RemapList = new QTreeWidget(this);
    RemapList->setColumnCount(3);
    RemapList->setRootIsDecorated(false);
    RemapList->setMinimumSize(380, 300);
    DefaultBtn = new QPushButton(this);
    OkBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    HardDlg = new TdlgDIHardCnl(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DefaultBtn);
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RemapList, 1);
    layout->addLayout(buttons);
    connect(DefaultBtn, &QPushButton::clicked, this, &TdlgDIRemap::DefaultBtnClick);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(RemapList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* Item) { EditRow(RemapList->indexOfTopLevelItem(Item)); });
}

void TdlgDIRemap::Setup(const TDIRemapList& List) {
    FList = List;
    const auto& t = DialogTexts();
    setWindowTitle(t.RemapCaption);
    RemapList->setHeaderLabels({t.ProgramChannel, t.HardwareChannel, t.Remapping});
    DefaultBtn->setText(t.Default);
    OkBtn->setText(t.Ok);
    CancelBtn->setText(t.Cancel);
    FillRows();
    FitToTitle(this);
}

bool TdlgDIRemap::Execute(TDIRemapList& List) {
    Setup(List);
    const int result = OnRunDialog ? OnRunDialog(*this) : exec();
    if (result != QDialog::Accepted)
        return false;
    List = FList;
    return true;
}

void TdlgDIRemap::FillRows() {
    const auto& t = DialogTexts();
    RemapList->clear();
    for (size_t i = 0; i < FList.size(); ++i)
        new QTreeWidgetItem(RemapList, {QString::number(i + 1), QString::number(int(FList[i]) + 1),
                                        FList[i] != i ? t.Remapped : QString()});
    for (int c = 0; c < 3; ++c)
        RemapList->resizeColumnToContents(c);
}

void TdlgDIRemap::EditRow(int Row) {
    if (Row < 0 || Row >= int(FList.size()))
        return;
    HardDlg->Setup(FList[size_t(Row)]);
    const int result = OnRunDialog ? OnRunDialog(*HardDlg) : HardDlg->exec();
    if (result != QDialog::Accepted || HardDlg->Channel() < 0)
        return;
    FList[size_t(Row)] = quint8(HardDlg->Channel());
    FillRows();
    RemapList->setCurrentItem(RemapList->topLevelItem(Row));
}

void TdlgDIRemap::DefaultBtnClick() {
    for (size_t i = 0; i < FList.size(); ++i)
        FList[i] = quint8(i);
    FillRows();
}

// --- TDIChannelForm ----------------------------------------------------------------------------

TDIChannelForm::TDIChannelForm(TDm& Dm, TDIWindow Window, QWidget* parent)
    : QDialog(parent), FDm(Dm), FWindow(Window) {
    setObjectName(DIWindowName(Window));
    setModal(true);
    lbAddress = new QLabel(this);
    lbRate = new QLabel(this);
    lbStatus = new QLabel(this);
    StatusLb = new QLabel(this);
    QFont bold = StatusLb->font();
    bold.setBold(true);
    StatusLb->setFont(bold);
    // Blinking hides the text; its place stays so that nothing around it moves.
    QSizePolicy keep = StatusLb->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    StatusLb->setSizePolicy(keep);
    Image = new QLabel(this);
    Image->setAlignment(Qt::AlignCenter);
    Image->setMinimumSize(68, 44);
    lbTimeResponse = new QLabel(this);
    TimeResponseLb = new QLabel(this);
    TimeResponseBtn = new QPushButton(QStringLiteral("..."), this);
    StartBtn = new QPushButton(this);
    ReleBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    BreakLevelCheck = new QCheckBox(this);
    lbPhysCnlCaption = new QLabel(this);
    lbPhysCnl = new QLabel(this);
    btnChangeCnl = new QPushButton(this);
    TimeResponseForm = new TTimeResponseForm(this);
    RemapDlg = new TdlgDIRemap(this);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(lbAddress, row++, 0, 1, 3);
    grid->addWidget(lbRate, row++, 0, 1, 3);
    grid->addWidget(lbStatus, row, 0);
    grid->addWidget(StatusLb, row++, 1, 1, 2);
    grid->addWidget(lbTimeResponse, row, 0);
    grid->addWidget(TimeResponseLb, row, 1);
    grid->addWidget(TimeResponseBtn, row++, 2);
    grid->addWidget(lbPhysCnlCaption, row, 0);
    grid->addWidget(lbPhysCnl, row, 1);
    grid->addWidget(btnChangeCnl, row++, 2);
    grid->addWidget(BreakLevelCheck, row++, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(Image);
    right->addStretch();
    top->addLayout(right);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(StartBtn);
    bottom->addWidget(ReleBtn);
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    // No size constraint: FitToTitle sets the minimum, wide enough for the caption as well.

    const bool didc = Window == TDIWindow::DIDC;
    lbPhysCnlCaption->setVisible(didc);
    lbPhysCnl->setVisible(didc);
    btnChangeCnl->setVisible(didc);
    BreakLevelCheck->setVisible(LineBreakWindow());
    // The fifteen-input window is closed with the window's close box.
    CloseBtn->setVisible(!didc);

    connect(StartBtn, &QPushButton::clicked, this, &TDIChannelForm::StartBtnClick);
    connect(ReleBtn, &QPushButton::clicked, this, &TDIChannelForm::ReleBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TDIChannelForm::CloseBtnClick);
    connect(TimeResponseBtn, &QPushButton::clicked, this, &TDIChannelForm::TimeResponseBtnClick);
    connect(BreakLevelCheck, &QCheckBox::clicked, this, &TDIChannelForm::BreakLevelCheckClick);
    connect(btnChangeCnl, &QPushButton::clicked, this, &TDIChannelForm::btnChangeCnlClick);

    Timer = new TProcessTimer(this);
    Timer->SetInterval(kPollMs);
    Timer->OnTimer = [this] { TimerTimer(); };
    BlinkTimer = new TProcessTimer(this);
    BlinkTimer->SetInterval(kBlinkMs);
    BlinkTimer->OnTimer = [this] { BlinkTimerTimer(); };
    DrawPicture(1);
    UpdateLanguage();
}

TDIChannelForm::~TDIChannelForm() = default;

QString TDIChannelForm::StateText(TDIStateLook::TText Text) const {
    const bool didc = FWindow == TDIWindow::DIDC;
    const auto& t = Texts();
    const auto& d = DialogTexts();
    switch (Text) {
    case TDIStateLook::Closed:
        return didc ? d.ContactClosed : t.ContactClosed;
    case TDIStateLook::Opened:
        return didc ? d.ContactOpened : t.ContactOpened;
    case TDIStateLook::LineBreak:
        return didc ? d.LineBreak : t.LineBreak;
    case TDIStateLook::ShortCircuit:
        return t.ShortCircuit;
    case TDIStateLook::None:
        break;
    }
    return didc ? d.LogicalOne : t.LogicalOne;
}

void TDIChannelForm::UpdateLanguage() {
    const bool didc = FWindow == TDIWindow::DIDC;
    const auto& t = Texts();
    const auto& d = DialogTexts();
    const QString module = didc ? d.Module : t.Module;
    const QString channel = didc ? d.Channel : t.Channel;
    if (FDm.CurrentDevice && FInput)
        setWindowTitle(module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(".") +
                       channel + (didc ? QStringLiteral("№") : QStringLiteral(" №")) +
                       QString::number(FChannelIndex + 1));
    else
        setWindowTitle(didc ? d.Caption : t.Caption);
    const QString address =
        FDm.CurrentDevice ? HexAddressText(quint8(FDm.CurrentDevice->Address)) : QString();
    lbAddress->setText((didc ? d.DeviceAddress : t.DeviceAddress) + QStringLiteral(": ") + address);
    lbRate->setText((didc ? d.BaudRate : t.BaudRate) + QStringLiteral(": br") +
                    QString::number(FDm.Bus.BaudRateValue()));
    lbStatus->setText((didc ? d.Status : t.Status) + QStringLiteral(":"));
    StatusLb->setText(StateText(FShown));
    lbTimeResponse->setText((didc ? d.ResponseTime : t.ResponceTime) + QStringLiteral(", ") + t.Ms +
                            QStringLiteral(":"));
    lbPhysCnlCaption->setText(d.PhysicalChannel + QStringLiteral(":"));
    btnChangeCnl->setText(d.Change);
    BreakLevelCheck->setText(didc ? d.LineBreakControl : t.LineFaultControl);
    ReleBtn->setText(didc ? d.Generator : t.Generator);
    if (didc)
        StartBtn->setText(FRunning ? d.StopUpper : d.StartUpper);
    else
        StartBtn->setText(FRunning ? t.Stop : t.Start);
    CloseBtn->setText(t.Close);
    TimeResponseForm->UpdateLanguage();
    FitToTitle(this);
}

bool TDIChannelForm::Blinking() const {
    return BlinkTimer->Running();
}

bool TDIChannelForm::Idle() const {
    if (FBusy)
        return false;
    const TAccessPoint* ap = FInput && FInput->Module() ? FInput->Module()->AP() : nullptr;
    return !ap || !ap->Busy();
}

void TDIChannelForm::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

int TDIChannelForm::RunDialog(QDialog& Dialog) {
    if (OnRunDialog)
        return OnRunDialog(Dialog);
    return Dialog.exec();
}

void TDIChannelForm::StopTimers() {
    Timer->Stop();
    BlinkTimer->Stop();
}

void TDIChannelForm::DrawPicture(int Picture) {
    FPicture = Picture;
    Image->setPixmap(ContactPicture(Picture));
}

bool TDIChannelForm::Load() {
    TBusyCursor busy;
    StopTimers();
    FRunning = false;
    FPolling = false;
    FReady = false;
    FInput = nullptr;
    FShown = TDIStateLook::None;
    FFault = false;
    FChannelIndex = FDm.CurrentChannel;
    ReleBtn->setVisible(FDm.EmulatorActive);
    TZUVOModule* module = FDm.CurrentModule;
    const quint32 type = FDm.CurrentDevice ? FDm.CurrentDevice->TypeCode : 0xFFFF;
    const int index = DIInputIndexFor(FWindow, type, FDm.CurrentChannel);
    if (!module || !FDm.CurrentDevice || index < 0)
        return false;
    TDIChannel* input = module->DiscreteInput(index);
    if (!input)
        return false;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return false;
        QString error;
        std::vector<int> selectors;
        if (LineBreakWindow())
            selectors.push_back(disLineBreakCheck);
        selectors.push_back(disResponseTime);
        if (FWindow == TDIWindow::DIDC)
            selectors.push_back(disPhysicalChannel);
        for (int selector : selectors)
            if (!input->ReadSettings(selector, error))
                return false;
    }
    FInput = input;
    StatusLb->setVisible(true);
    SetTextColour(StatusLb, Qt::blue);
    UpdateLanguage();
    DisplayUpdate();
    TimeResponseLb->setText(QString::number(input->ResponseTime));
    lbPhysCnl->setText(QString::number(input->PhysicalChannel + 1));
    if (LineBreakWindow()) {
        FReady = false;
        BreakLevelCheck->setChecked(input->LineBreakCheck != 0);
        FReady = true;
    }
    SetRunning(false);
    Timer->Start();
    FPolling = true;
    return true;
}

bool TDIChannelForm::Execute() {
    if (!Load())
        return false;
    exec();
    FPolling = false;
    StopTimers();
    return true;
}

void TDIChannelForm::DisplayUpdate() {
    if (!FInput)
        return;
    {
        TExchangeGuard guard(FBusy);
        FInput->ReadState();
    }
    if (!FInput->Module()->Ok)
        return;
    const TDIStateLook look = DIStateLook(FWindow, FInput->State);
    if (look.Text == TDIStateLook::None)
        return;
    FShown = look.Text;
    FFault = look.Fault;
    StatusLb->setText(StateText(look.Text));
    if (!look.Fault) {
        SetTextColour(StatusLb, Qt::blue);
        StatusLb->setVisible(true);
        BlinkTimer->Stop();
        DrawPicture(look.Picture);
        return;
    }
    SetTextColour(StatusLb, Qt::red);
    if (FRunning)
        BlinkTimer->Start();
    else {
        BlinkTimer->Stop();
        StatusLb->setVisible(true);
    }
}

void TDIChannelForm::BlinkTimerTimer() {
    // isHidden, not isVisible: the text's own state, whether or not the window is on screen.
    StatusLb->setVisible(StatusLb->isHidden());
    DrawPicture(StatusLb->isHidden() ? 1 : 0);
}

void TDIChannelForm::SetRunning(bool On) {
    FRunning = On;
    const bool didc = FWindow == TDIWindow::DIDC;
    if (didc)
        StartBtn->setText(On ? DialogTexts().StopUpper : DialogTexts().StartUpper);
    else
        StartBtn->setText(On ? Texts().Stop : Texts().Start);
    SetTextColour(StartBtn, On ? QColor(Qt::red) : QColor(Qt::blue));
    if (!On) {
        BlinkTimer->Stop();
        StatusLb->setVisible(true);
    } else if (FFault) {
        BlinkTimer->Start();
    }
    TimeResponseBtn->setEnabled(!On);
    BreakLevelCheck->setEnabled(!On);
    btnChangeCnl->setEnabled(!On);
}

void TDIChannelForm::StartBtnClick() {
    if (!FInput)
        return;
    SetRunning(!FRunning);
    if (LineBreakWindow())
        BreakLevelCheckClick();
}

void TDIChannelForm::TimerTimer() {
    if (!FInput || !FRunning || !Idle())
        return;
    if (LineBreakWindow() && BreakLevelCheck->isChecked() != (FInput->LineBreakCheck != 0)) {
        const qint32 old = FInput->LineBreakCheck;
        FInput->LineBreakCheck = BreakLevelCheck->isChecked() ? 1 : 0;
        QString error;
        bool ok;
        {
            TExchangeGuard guard(FBusy);
            ok = FInput->WriteSettings(disLineBreakCheck, error);
        }
        if (!ok) {
            FInput->LineBreakCheck = old;
            Message(FWindow == TDIWindow::DIDC ? DialogTexts().LineBreakStateError
                                               : Texts().LineBreakStatusError);
        }
    }
    if (!Idle())
        return;
    DisplayUpdate();
}

void TDIChannelForm::BreakLevelCheckClick() {
    if (!FReady || !FInput)
        return;
    if (!Idle()) {
        // Refused, not failed: the box shows what the input has.
        BreakLevelCheck->setChecked(FInput->LineBreakCheck != 0);
        return;
    }
    FInput->LineBreakCheck = BreakLevelCheck->isChecked() ? 1 : 0;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = FInput->WriteSettings(disLineBreakCheck, error);
    }
    if (!ok)
        Message(FWindow == TDIWindow::DIDC ? DialogTexts().LineBreakStateError
                                           : Texts().LineBreakStatusError);
}

void TDIChannelForm::ReleBtnClick() {
    // The remote contact stands in for the wire of the emulated input that this window watches.
    if (FDm.EmulatorActive && FInput && DiscreteInputContact())
        DiscreteInputContact()(caToggle, *FInput);
}

void TDIChannelForm::TimeResponseBtnClick() {
    // With the emulator the response time belongs to the emulated device's own settings.
    if (FDm.EmulatorActive || !FInput || FRunning)
        return;
    TimeResponseForm->UpdateLanguage();
    TimeResponseForm->SetValue(FInput->ResponseTime);
    if (RunDialog(*TimeResponseForm) != QDialog::Accepted || !FInput)
        return;
    if (!Idle())
        return;
    const qint32 old = FInput->ResponseTime;
    FInput->ResponseTime = TimeResponseForm->Value();
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = FInput->WriteSettings(disResponseTime, error);
    }
    if (!ok) {
        FInput->ResponseTime = old;
        Message(error.isEmpty() ? DialogTexts().Error : error);
        return;
    }
    TimeResponseLb->setText(QString::number(FInput->ResponseTime));
}

void TDIChannelForm::btnChangeCnlClick() {
    if (FWindow != TDIWindow::DIDC || !FInput || FRunning || !Idle())
        return;
    // The physical channels belong to the fifteen-input module; its template is pointed at the
    // device the window serves.
    TZUVOModule* module = FInput->Module();
    TZUVOModule* fifteen = FDm.TemplateFor(18);
    if (!fifteen) {
        Message(DialogTexts().Error);
        return;
    }
    if (fifteen != module) {
        fifteen->SetAP(module->AP());
        fifteen->SetAddress(module->Address());
        fifteen->SetTransferProtocol(module->TransferProtocol());
    }
    TDIRemapList list{};
    {
        TExchangeGuard guard(FBusy);
        std::optional<TBusyCursor> busy;
        busy.emplace();
        QString error;
        for (int i = 0; i < int(list.size()); ++i) {
            TDIChannel* input = fifteen->DiscreteInput(i);
            if (!input || !input->ReadSettings(disPhysicalChannel, error)) {
                busy.reset();
                Message(DialogTexts().Error);
                return;
            }
            list[size_t(i)] = quint8(input->PhysicalChannel);
        }
    }
    RemapDlg->OnRunDialog = OnRunDialog;
    if (!RemapDlg->Execute(list) || !FInput)
        return;
    if (!Idle()) {
        Message(DialogTexts().Error);
        return;
    }
    TExchangeGuard guard(FBusy);
    std::optional<TBusyCursor> busy;
    busy.emplace();
    QString error;
    for (int i = 0; i < int(list.size()); ++i) {
        TDIChannel* input = fifteen->DiscreteInput(i);
        if (!input) {
            busy.reset();
            Message(DialogTexts().Error);
            return;
        }
        input->PhysicalChannel = list[size_t(i)];
        if (!input->WriteSettings(disPhysicalChannel, error)) {
            busy.reset();
            Message(DialogTexts().Error);
            return;
        }
    }
    if (!FInput->ReadSettings(disPhysicalChannel, error)) {
        busy.reset();
        Message(DialogTexts().Error);
        return;
    }
    lbPhysCnl->setText(QString::number(FInput->PhysicalChannel + 1));
}

void TDIChannelForm::CloseBtnClick() {
    if (FRunning) {
        StartBtnClick();
        return;
    }
    done(QDialog::Rejected);
}

void TDIChannelForm::reject() {
    if (FRunning) {
        StartBtnClick();
        return;
    }
    done(QDialog::Rejected);
}

void TDIChannelForm::done(int Result) {
    StopTimers();
    FPolling = false;
    QDialog::done(Result);
}

void RegisterDIChannelWindows(TDIChannelForm& Di, TDIChannelForm& DiDc, TDIChannelForm& Didc) {
    for (TDIChannelForm* form : {&Di, &DiDc, &Didc}) {
        QPointer<TDIChannelForm> window(form);
        ChannelWindows().Register(DIWindowName(form->Window()), [window](const TChannelWindowContext&) {
            if (window)
                window->Execute();
        });
    }
}
