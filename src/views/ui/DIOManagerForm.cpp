#include "views/ui/DIOManagerForm.h"

#include "localization/DIOManagerLanguage.h"
#include "model/DIChannel.h"
#include "model/DIOManager.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "platform/ProcessTimer.h"
#include "platform/Ticks.h"
#include "platform/ui/DialogTitle.h"
#include "views/ChannelWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const TDIDC_ExtChannelUnitLanguage& Texts() {
    return DIOManagerLanguage().Texts(CurrentLanguage());
}

int CountOf(const TDeviceRegister& Catalogue, quint32 TypeCode, quint8 Kind) {
    const TDeviceRegisterRecord* record = Catalogue.FindByType(TypeCode);
    return record ? record->Channels.CountOfKind(Kind) : 0;
}

bool Present(const TDeviceProps& Device, int Bit) {
    return Bit >= 0 && Bit < 64 && ((Device.ChannelMask >> Bit) & 1u) != 0;
}

std::vector<int> PresentPoints(const TDeviceProps& Device, std::initializer_list<int> Bits) {
    std::vector<int> points;
    int point = 0;
    for (int bit : Bits) {
        if (Present(Device, bit))
            points.push_back(point);
        ++point;
    }
    return points;
}

std::vector<int> PresentRange(const TDeviceProps& Device, int From, int To) {
    std::vector<int> points;
    for (int bit = From; bit <= To; ++bit)
        if (Present(Device, bit))
            points.push_back(int(points.size()));
    return points;
}

void SetStateText(QLabel* Label, const QString& Text, bool Bold, bool Red) {
    Label->setText(Text);
    QFont font = Label->font();
    font.setBold(Bold);
    Label->setFont(font);
    Label->setStyleSheet(Red ? QStringLiteral("color: red") : QStringLiteral("color: black"));
}

} // namespace

TDIOManagerLayout DIOManagerLayoutFor(const TDeviceProps& Device, const TDeviceRegister& Catalogue) {
    TDIOManagerLayout layout;
    const quint32 type = Device.TypeCode;
    auto counts = [&](quint8 OutputKind, quint8 InputKind) {
        layout.Outputs = CountOf(Catalogue, type, OutputKind);
        layout.Inputs = InputKind ? CountOf(Catalogue, type, InputKind) : 0;
    };
    switch (type) {
    case 4:
        counts(6, 4);
        break;
    case 7:
        counts(7, 0);
        break;
    case 8:
        counts(8, 0);
        break;
    case 17:
        counts(7, 5);
        break;
    default:
        counts(6, 5);
        break;
    }
    // The temperature input goes by the channels of the device shown, not of another found device.
    if (type == 10) {
        for (int c = 0; c <= 3 && layout.TemperatureInput < 0; ++c)
            if (Present(Device, c))
                layout.TemperatureInput = c;
    } else if (type == 19) {
        for (int c : {0, 1, 9, 10, 11, 12})
            if (Present(Device, c)) {
                layout.TemperatureInput = c <= 1 ? c : c - 7;
                break;
            }
    }
    return layout;
}

TDIOManagerExtLayout DIOManagerExtLayoutFor(const TDeviceProps& Device, const TDeviceRegister& Catalogue) {
    TDIOManagerExtLayout layout;
    auto sequence = [](int Count, int From) {
        std::vector<int> v;
        for (int i = 0; i < Count; ++i)
            v.push_back(From + i);
        return v;
    };
    int inputs = 0, outputs = 0;
    switch (Device.TypeCode) {
    case 18:
        inputs = CountOf(Catalogue, 18, 5);
        outputs = CountOf(Catalogue, 18, 6);
        break;
    case 39:
    case 67:
        inputs = int(PresentRange(Device, 0, 3).size());
        outputs = int(PresentRange(Device, 4, 7).size());
        break;
    case 43:
        // Each present point keeps its own number: with only outputs 0 and 2 present the second
        // row drives output 2.
        layout.InputPoints = PresentPoints(Device, {1, 4, 8});
        layout.OutputPoints = PresentPoints(Device, {2, 5, 9});
        return layout;
    case 64:
        inputs = int(PresentRange(Device, 0, 23).size());
        outputs = int(PresentRange(Device, 24, 47).size());
        break;
    case 69:
        inputs = int(PresentRange(Device, 15, 22).size());
        outputs = int(PresentRange(Device, 23, 30).size());
        break;
    default:
        break;
    }
    layout.InputPoints = sequence(inputs, 0);
    layout.OutputPoints = sequence(outputs, inputs); // the outputs are numbered after the inputs
    return layout;
}

// --- TDIOManagerForm ---------------------------------------------------------------------------

TDIOManagerForm::TDIOManagerForm(const TDeviceRegister& Catalogue, TAdminOptions& Options, QWidget* parent)
    : QDialog(parent), FCatalogue(Catalogue), FOptions(Options) {
    setObjectName(QStringLiteral("DIOManagerForm"));
    setModal(true);
    SafeModeEdit = new QCheckBox(this);
    lbOutputs = new QLabel(this);
    lbInputs = new QLabel(this);
    for (QLabel* l : {lbOutputs, lbInputs}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    ScrollBox = new QScrollArea(this);
    ScrollBox->setWidgetResizable(true);
    auto* rows = new QWidget;
    FRowsLayout = new QVBoxLayout(rows);
    FRowsLayout->addStretch();
    ScrollBox->setWidget(rows);
    ScrollBox->setMinimumSize(260, 200);
    SetLowLevelBtn = new QPushButton(this);
    SetHiLevelBtn = new QPushButton(this);
    SetDoChannels = new QPushButton(this);
    ToFlashBtn = new QPushButton(this);
    Button2 = new QPushButton(this);
    SetLowLevelBtn->setProperty("Tag", 0);
    SetHiLevelBtn->setProperty("Tag", 1);
    DIChannelList = new QTreeWidget(this);
    DIChannelList->setColumnCount(2);
    DIChannelList->setRootIsDecorated(false);
    DIChannelList->setMinimumSize(260, 200);
    AddInfoBox = new QGroupBox(this);
    AddInfoCheckBox = new QCheckBox(AddInfoBox);
    lbTemperature = new QLabel(AddInfoBox);
    TemperatureLb = new QLabel(QStringLiteral("0"), AddInfoBox);
    TemperatureLb->setMinimumWidth(70);
    TemperatureLb->setAlignment(Qt::AlignCenter);
    TemperatureLb->setAutoFillBackground(true);

    auto* info = new QHBoxLayout(AddInfoBox);
    info->addWidget(AddInfoCheckBox);
    info->addStretch();
    info->addWidget(lbTemperature);
    info->addWidget(TemperatureLb);

    auto* outButtons = new QGridLayout;
    outButtons->addWidget(SetLowLevelBtn, 0, 0);
    outButtons->addWidget(SetHiLevelBtn, 0, 1);
    outButtons->addWidget(SetDoChannels, 1, 0);
    outButtons->addWidget(ToFlashBtn, 1, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(SafeModeEdit);
    left->addWidget(lbOutputs);
    left->addWidget(ScrollBox, 1);
    left->addLayout(outButtons);
    auto* right = new QVBoxLayout;
    right->addWidget(lbInputs);
    right->addWidget(DIChannelList, 1);
    auto* panels = new QHBoxLayout;
    panels->addLayout(left, 1);
    panels->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panels, 1);
    layout->addWidget(AddInfoBox);
    layout->addLayout(bottom);

    connect(SetLowLevelBtn, &QPushButton::clicked, this, [this] { SetLowLevelBtnClick(0); });
    connect(SetHiLevelBtn, &QPushButton::clicked, this, [this] { SetLowLevelBtnClick(1); });
    connect(SetDoChannels, &QPushButton::clicked, this, &TDIOManagerForm::SetDoChannelsClick);
    connect(ToFlashBtn, &QPushButton::clicked, this, &TDIOManagerForm::ToFlashBtnClick);
    connect(Button2, &QPushButton::clicked, this, &TDIOManagerForm::Button2Click);
    connect(AddInfoCheckBox, &QCheckBox::toggled, this, &TDIOManagerForm::AddInfoCheckBoxClick);

    Timer = new TProcessTimer(this);
    Timer->SetInterval(kTickMs);
    Timer->OnTimer = [this] { TimerTimer(); };
    UpdateLanguage();
}

TDIOManagerForm::~TDIOManagerForm() = default;

void TDIOManagerForm::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.Caption);
    SafeModeEdit->setText(t.SafeMode);
    lbOutputs->setText(t.DiscreteOutput);
    lbInputs->setText(t.DiscreteInput);
    SetLowLevelBtn->setText(t.AllTo0);
    SetHiLevelBtn->setText(t.AllTo1);
    SetDoChannels->setText(t.Set);
    ToFlashBtn->setText(t.ToFlash);
    Button2->setText(t.Close);
    DIChannelList->setHeaderLabels({t.Channel + QStringLiteral(" #"), t.Status});
    AddInfoCheckBox->setText(t.AdditionalInfo);
    lbTemperature->setText(t.Temperature);
    for (size_t i = 0; i < OutputBoxes.size(); ++i)
        OutputBoxes[i]->setText(t.Channel + QStringLiteral(" #") + QString::number(i));
    FitToTitle(this);
}

void TDIOManagerForm::BuildRows() {
    DestroyRows();
    const auto& t = Texts();
    for (int i = 0; i < FLayout.Outputs; ++i) {
        auto* row = new QWidget;
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(2, 0, 2, 0);
        auto* box = new QCheckBox(t.Channel + QStringLiteral(" #") + QString::number(i), row);
        auto* state = new QLabel(QStringLiteral("0"), row);
        state->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        h->addWidget(box);
        h->addStretch();
        h->addWidget(state);
        FRowsLayout->insertWidget(FRowsLayout->count() - 1, row);
        OutputBoxes.push_back(box);
        OutputStates.push_back(state);
    }
    // Every output of the eight-output modules in sight without scrolling; more scroll.
    if (!OutputBoxes.empty()) {
        const int rowHeight =
            OutputBoxes.front()->parentWidget()->sizeHint().height() + FRowsLayout->spacing();
        const int shown = std::min<int>(int(OutputBoxes.size()), 8);
        ScrollBox->setMinimumHeight(std::max(200, shown * rowHeight + 2 * ScrollBox->frameWidth() +
                                                      FRowsLayout->contentsMargins().top() +
                                                      FRowsLayout->contentsMargins().bottom()));
    }
    DIChannelList->clear();
    for (int i = 0; i < FLayout.Inputs; ++i)
        new QTreeWidgetItem(DIChannelList, {QStringLiteral("#") + QString::number(i), QString()});
    DIChannelList->resizeColumnToContents(0);
}

void TDIOManagerForm::DestroyRows() {
    for (QCheckBox* box : OutputBoxes)
        delete box->parentWidget();
    OutputBoxes.clear();
    OutputStates.clear();
}

bool TDIOManagerForm::Execute(TZUVOModule& Module, const TDeviceProps& Device) {
    FModule = &Module;
    FManager = Module.DIOManager();
    if (!FManager)
        return false;
    FTypeCode = Device.TypeCode;
    FTypeExtension = Device.TypeExtension;
    FLayout = DIOManagerLayoutFor(Device, FCatalogue);
    FTemperatureInput =
        FLayout.TemperatureInput >= 0 ? Module.DiscreteInput(FLayout.TemperatureInput) : nullptr;
    ToFlashBtn->setEnabled(!FOptions.LiteVersion());
    AddInfoCheckBox->setChecked(false);
    AddInfoCheckBox->setEnabled(false);
    FShowTemperature = false;
    QString error;
    if (!FManager->ReadMode(error))
        return false;
    SafeModeEdit->setChecked(FManager->Protected);
    AddInfoCheckBox->setEnabled(FTemperatureInput != nullptr);
    UpdateLanguage();
    BuildRows();
    FSetPending = false;
    FFlashPending = false;
    FPolling = true;
    Timer->Start();
    exec();
    FPolling = false;
    Timer->Stop();
    DestroyRows();
    return true;
}

void TDIOManagerForm::TimerTimer() {
    if (!FPolling) {
        Timer->Stop();
        QDialog::done(QDialog::Accepted);
        return;
    }
    QString error;
    if (!FManager->ReadMode(error))
        SafeModeEdit->setChecked(FManager->Protected);
    if (SafeModeEdit->isChecked() != FManager->Protected) {
        FManager->Protected = SafeModeEdit->isChecked();
        FManager->WriteMode(error); // Ok stays False by design; the text tells the outcome
        if (!error.isEmpty()) {
            SafeModeEdit->setChecked(!SafeModeEdit->isChecked());
            FManager->Protected = SafeModeEdit->isChecked();
        }
    }
    if (FSetPending) {
        FSetPending = !FManager->WriteOutputs(FMask);
        SleepMs(100);
        if (FFlashPending) {
            FModule->SystemChannel().SaveToFlash();
            if (FModule->Ok) {
                FModule->Modified = false;
                FFlashPending = false;
            }
        }
    }
    // The second word holds outputs and inputs 8..15: read it for every module that has them, so
    // those rows show real states.
    bool read = FManager->ReadInputs();
    if (read && (FLayout.Outputs > 8 || FLayout.Inputs > 8))
        read = FManager->ReadOutputs();
    if (read)
        ShowStates();
    if (FShowTemperature && FTemperatureInput) {
        QPalette p = TemperatureLb->palette();
        if (FTemperatureInput->ReadSettings(disTemperature, error)) {
            TemperatureLb->setText(QString::number(FTemperatureInput->Temperature, 'f', 1));
            p.setColor(QPalette::Window, Qt::white);
            p.setColor(QPalette::WindowText, Qt::black);
        } else {
            TemperatureLb->setText(QStringLiteral("0"));
            p.setColor(QPalette::Window, Qt::red);
            p.setColor(QPalette::WindowText, Qt::white);
        }
        TemperatureLb->setPalette(p);
    }
    if (!FPolling) {
        Timer->Stop();
        QDialog::done(QDialog::Accepted);
    }
}

void TDIOManagerForm::ShowStates() {
    const auto& t = Texts();
    for (int i = 0; i < int(OutputStates.size()); ++i) {
        if (FManager->OutputFault(i))
            SetStateText(OutputStates[i], t.ChannelFault, false, true);
        else
            SetStateText(OutputStates[i], FManager->OutputOn(i) ? t.On : t.Off, false, false);
    }
    for (int i = 0; i < DIChannelList->topLevelItemCount(); ++i) {
        QString text;
        if (FManager->InputFault(i))
            text = t.LineBreak;
        else if (FTypeExtension == 0)
            text = FManager->InputOn(i) ? t.ContactClosed : t.ContactOpened;
        else
            text = FManager->InputOn(i) ? t.LogicalOne : t.LogicalZero;
        DIChannelList->topLevelItem(i)->setText(1, text);
    }
}

void TDIOManagerForm::SetDoChannelsClick() {
    FMask = 0;
    for (int i = 0; i < int(OutputBoxes.size()) && i < 32; ++i)
        if (OutputBoxes[i]->isChecked())
            FMask |= 1u << i;
    FSetPending = true;
}

void TDIOManagerForm::ToFlashBtnClick() {
    if (FOptions.LiteVersion())
        return;
    SetDoChannelsClick();
    FFlashPending = true;
}

void TDIOManagerForm::SetLowLevelBtnClick(int Level) {
    for (QCheckBox* box : OutputBoxes)
        box->setChecked(Level != 0);
    SetDoChannelsClick();
}

void TDIOManagerForm::AddInfoCheckBoxClick() {
    FShowTemperature = AddInfoCheckBox->isChecked();
}

void TDIOManagerForm::Button2Click() {
    FPolling = false;
    if (!Timer->Running())
        QDialog::done(QDialog::Accepted);
}

void TDIOManagerForm::closeEvent(QCloseEvent* Event) {
    // The close box is refused; the next tick closes the window once the last exchange is over.
    Event->ignore();
    Button2Click();
}

void TDIOManagerForm::reject() {
    Button2Click();
}

// --- TDIOManagerExtDlg -------------------------------------------------------------------------

TDIOManagerExtDlg::TDIOManagerExtDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DIOManagerExtDlg"));
    setModal(true);
    OutputPanel = new QWidget(this);
    InputPanel = new QWidget(this);
    lbOutputs = new QLabel(OutputPanel);
    lbInputs = new QLabel(InputPanel);
    for (QLabel* l : {lbOutputs, lbInputs}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    SafeModeEdit = new QCheckBox(OutputPanel);
    SpeedButtonAuto = new QPushButton(OutputPanel);
    SpeedButtonAuto->setCheckable(true);
    SpeedButtonAuto->setChecked(true);
    SetLowLevelBtn = new QPushButton(OutputPanel);
    SetHiLevelBtn = new QPushButton(OutputPanel);
    BitBtnRefresh = new QPushButton(OutputPanel);
    auto* scroll = new QScrollArea(OutputPanel);
    scroll->setWidgetResizable(true);
    auto* rows = new QWidget;
    FRowsLayout = new QVBoxLayout(rows);
    FRowsLayout->addStretch();
    scroll->setWidget(rows);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButtonAuto);
    buttons->addWidget(SetLowLevelBtn);
    buttons->addWidget(SetHiLevelBtn);
    buttons->addWidget(BitBtnRefresh);
    buttons->addStretch();
    buttons->addWidget(SafeModeEdit);
    auto* out = new QVBoxLayout(OutputPanel);
    out->setContentsMargins(0, 0, 0, 0);
    out->addWidget(lbOutputs);
    out->addWidget(scroll, 1);
    out->addLayout(buttons);
    DIChannelList = new QTreeWidget(InputPanel);
    DIChannelList->setColumnCount(2);
    DIChannelList->setRootIsDecorated(false);
    auto* in = new QVBoxLayout(InputPanel);
    in->setContentsMargins(0, 0, 0, 0);
    in->addWidget(lbInputs);
    in->addWidget(DIChannelList, 1);
    StatusBar = new QStatusBar(this);
    StatusModel = new QLabel(StatusBar);
    StatusInputs = new QLabel(StatusBar);
    StatusOutputs = new QLabel(StatusBar);
    StatusBar->addWidget(StatusModel, 1);
    StatusBar->addWidget(StatusInputs);
    StatusBar->addWidget(StatusOutputs);
    StatusBar->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OutputPanel, 1);
    layout->addWidget(InputPanel, 1);
    layout->addWidget(StatusBar);
    resize(420, 520);

    connect(SpeedButtonAuto, &QPushButton::clicked, this, &TDIOManagerExtDlg::SpeedButtonAutoClick);
    connect(SetLowLevelBtn, &QPushButton::clicked, this, &TDIOManagerExtDlg::SetLowLevelBtnClick);
    connect(SetHiLevelBtn, &QPushButton::clicked, this, &TDIOManagerExtDlg::SetHiLevelBtnClick);
    connect(BitBtnRefresh, &QPushButton::clicked, this, &TDIOManagerExtDlg::BitBtnRefreshClick);
    Timer = new TProcessTimer(this);
    Timer->SetInterval(kTickMs);
    Timer->OnTimer = [this] { TimerTimer(); };
    UpdateLanguage();
}

TDIOManagerExtDlg::~TDIOManagerExtDlg() = default;

void TDIOManagerExtDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.Caption);
    lbOutputs->setText(t.DiscreteOutput);
    lbInputs->setText(t.DiscreteInput);
    SafeModeEdit->setText(t.SafeMode);
    SpeedButtonAuto->setText(t.Auto);
    SetLowLevelBtn->setText(t.AllTo0);
    SetHiLevelBtn->setText(t.AllTo1);
    BitBtnRefresh->setText(t.Refresh);
    DIChannelList->setHeaderLabels({t.Channel + QStringLiteral("#"), t.Status});
    for (size_t i = 0; i < OutputBoxes.size(); ++i)
        OutputBoxes[i]->setText(t.Channel + QStringLiteral(" #") +
                                QString::number(int(FLayout.InputPoints.size()) + int(i) + 1));
    FitToTitle(this);
}

bool TDIOManagerExtDlg::Execute(TZUVOModule& Module, const TDeviceProps& Device,
                                const TDeviceRegister& Catalogue) {
    FModule = &Module;
    FManager = Module.DIOManagerExt();
    if (!FManager)
        return false;
    StatusModel->setText(Device.ModelName);
    FLayout = DIOManagerExtLayoutFor(Device, Catalogue);
    QString error;
    if (!FManager->ReadMode(error))
        return false;
    SafeModeEdit->setChecked(FManager->Protected);
    const int inputs = int(FLayout.InputPoints.size());
    const int outputs = int(FLayout.OutputPoints.size());
    DIChannelList->clear();
    for (int i = 0; i < inputs; ++i)
        new QTreeWidgetItem(DIChannelList, {QStringLiteral("#") + QString::number(i + 1), QString()});
    StatusInputs->setText(QStringLiteral("DI: ") + QString::number(inputs));
    const auto& t = Texts();
    for (int i = 0; i < outputs; ++i) {
        auto* row = new QWidget;
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(2, 0, 2, 0);
        auto* box = new QCheckBox(t.Channel + QStringLiteral(" #") + QString::number(inputs + i + 1), row);
        auto* state = new QLabel(QStringLiteral("0"), row);
        h->addWidget(box);
        h->addStretch();
        h->addWidget(state);
        connect(box, &QCheckBox::clicked, this, &TDIOManagerExtDlg::ScrollBoxClick);
        FRowsLayout->insertWidget(FRowsLayout->count() - 1, row);
        OutputBoxes.push_back(box);
        OutputStates.push_back(state);
    }
    StatusOutputs->setText(QStringLiteral("DO: ") + QString::number(outputs));
    OutputPanel->setVisible(outputs > 0);
    InputPanel->setVisible(inputs > 0);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->setStretchFactor(OutputPanel, qMax(outputs, 1));
    layout->setStretchFactor(InputPanel, qMax(inputs, 1));
    FSetPending = false;
    Refresh();
    BitBtnRefresh->setVisible(!SpeedButtonAuto->isChecked());
    if (SpeedButtonAuto->isChecked())
        Timer->Start();
    UpdateLanguage();
    exec();
    return true;
}

void TDIOManagerExtDlg::done(int Result) {
    Timer->Stop();
    for (QCheckBox* box : OutputBoxes)
        delete box->parentWidget();
    OutputBoxes.clear();
    OutputStates.clear();
    QDialog::done(Result);
}

void TDIOManagerExtDlg::Refresh() {
    if (!FManager)
        return;
    QString error;
    if (!FManager->ReadMode(error))
        SafeModeEdit->setChecked(FManager->Protected);
    if (SafeModeEdit->isChecked() != FManager->Protected) {
        FManager->Protected = SafeModeEdit->isChecked();
        FManager->WriteMode(error);
        if (!error.isEmpty()) {
            SafeModeEdit->setChecked(!SafeModeEdit->isChecked());
            FManager->Protected = SafeModeEdit->isChecked();
        }
    }
    const auto& t = Texts();
    const auto& outs = FLayout.OutputPoints;
    if (!outs.empty()) {
        const int first = *std::min_element(outs.begin(), outs.end());
        const int last = *std::max_element(outs.begin(), outs.end());
        if (FSetPending) {
            // Every output's bit, however many words the outputs take; points that have no row
            // keep what the device last reported.
            quint64 mask = 0;
            for (int p = first; p <= last; ++p)
                if (FManager->OutputState(p))
                    mask |= quint64(1) << (p - first);
            for (size_t r = 0; r < outs.size(); ++r) {
                const quint64 bit = quint64(1) << (outs[r] - first);
                mask = OutputBoxes[r]->isChecked() ? (mask | bit) : (mask & ~bit);
            }
            FSetPending = !FManager->WriteOutputPoints(first, last - first + 1, mask);
        }
        if (FManager->ReadOutputPoints(first, last - first + 1))
            for (size_t r = 0; r < outs.size(); ++r) {
                const bool on = FManager->OutputState(outs[r]) != 0;
                SetStateText(OutputStates[r], on ? t.OnUpper : t.OffUpper, on, false);
                if (!FSetPending)
                    OutputBoxes[r]->setChecked(on);
            }
    }
    const auto& ins = FLayout.InputPoints;
    if (!ins.empty()) {
        const int last = *std::max_element(ins.begin(), ins.end());
        if (FManager->ReadInputPoints(0, last + 1))
            for (size_t r = 0; r < ins.size(); ++r) {
                const int state = FManager->InputState(ins[r]);
                static const QString* kNames[] = {&t.ContactOpened, &t.ContactClosed, &t.LineBreak,
                                                  &t.ShortCircuit};
                QTreeWidgetItem* item = DIChannelList->topLevelItem(int(r));
                item->setText(1, *kNames[state & 3]);
                QFont f = item->font(1);
                f.setBold(state == 1 || state == 3);
                item->setFont(1, f);
                item->setForeground(1, state >= 2 ? QBrush(Qt::red) : QBrush(Qt::black));
            }
    }
}

void TDIOManagerExtDlg::BitBtnRefreshClick() {
    Refresh();
}

void TDIOManagerExtDlg::TimerTimer() {
    Refresh();
}

void TDIOManagerExtDlg::SetAll(bool Level) {
    for (QCheckBox* box : OutputBoxes)
        box->setChecked(Level);
    FSetPending = true;
}

void TDIOManagerExtDlg::SetLowLevelBtnClick() {
    SetAll(false);
}

void TDIOManagerExtDlg::SetHiLevelBtnClick() {
    SetAll(true);
}

void TDIOManagerExtDlg::SpeedButtonAutoClick() {
    const bool autoOn = SpeedButtonAuto->isChecked();
    BitBtnRefresh->setVisible(!autoOn);
    if (autoOn)
        Timer->Start();
    else
        Timer->Stop();
}

void TDIOManagerExtDlg::ScrollBoxClick() {
    FSetPending = true;
}

void RegisterDIOManagerWindows(TDIOManagerForm& Form, TDIOManagerExtDlg& ExtDlg,
                               const TDeviceRegister& Catalogue) {
    QPointer<TDIOManagerForm> form(&Form);
    QPointer<TDIOManagerExtDlg> ext(&ExtDlg);
    ChannelWindows().Register(QStringLiteral("TDIOManagerForm"),
                              [form](const TChannelWindowContext& Context) {
                                  if (form && Context.Module && Context.Device)
                                      form->Execute(*Context.Module, *Context.Device);
                              });
    ChannelWindows().Register(QStringLiteral("TDIOManagerExtDlg"),
                              [ext, &Catalogue](const TChannelWindowContext& Context) {
                                  if (ext && Context.Module && Context.Device)
                                      ext->Execute(*Context.Module, *Context.Device, Catalogue);
                              });
}
