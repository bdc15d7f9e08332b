#include "views/ui/AIK12Dlg.h"

#include "bus/AccessPoint.h"
#include "localization/AIK12Language.h"
#include "localization/Localization.h"
#include "model/AnalogInputModules.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/Helper.h"
#include "model/Ranges.h"
#include "model/SimpleChannel.h"
#include "platform/ExchangeGuard.h"
#include "platform/ProcessTimer.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/AnalogChannelForms.h"
#include "views/AnalogInputChannel.h"
#include "views/AnalogInputDisplay.h"
#include "views/ChannelWindows.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const TAIK12DlgLanguage& Texts() {
    return AIK12DlgLanguage().Texts(CurrentLanguage());
}

QString Number(float Value) {
    return FloatToTrimmedText(QStringLiteral("0.######"), double(Value));
}

std::optional<float> Limit(const QString& Text) {
    const auto v = ParseFloat(Text.trimmed());
    if (!v || !std::isfinite(float(*v)))
        return std::nullopt;
    return float(*v);
}

QTableWidgetItem* FixedItem(Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Alignment);
    return item;
}

// The grid as wide and as high as its cells, so that no column is squeezed and no scroll bar shows.
// The value column keeps room for a long reading with its unit, so that polling does not make the
// window jump.
void FitGrid(QTableWidget* Grid, int ValueColumn) {
    Grid->resizeColumnsToContents();
    Grid->resizeRowsToContents();
    const int reserved = Grid->fontMetrics().horizontalAdvance(QStringLiteral("-00000.00000 mA")) + 12;
    Grid->setColumnWidth(ValueColumn, std::max(Grid->columnWidth(ValueColumn), reserved));
    int w = Grid->frameWidth() * 2 + Grid->verticalHeader()->width();
    for (int c = 0; c < Grid->columnCount(); ++c)
        w += Grid->columnWidth(c);
    int h = Grid->frameWidth() * 2 + Grid->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < Grid->rowCount(); ++r)
        h += Grid->rowHeight(r);
    Grid->setMinimumSize(w, h);
}

} // namespace

QString AlarmRowName(int Row) {
    return Row == TAlarmTable::kEntryCount - 1 ? Texts().Temperature : Texts().InputN.arg(Row + 1);
}

QString CheckAlarmTable(const TAlarmTableTexts& Rows, TAlarmTable& Table) {
    const auto& t = Texts();
    struct TBand {
        bool TAlarmRowTexts::*On;
        QString TAlarmRowTexts::*Low;
        QString TAlarmRowTexts::*High;
        const QString& Name;
        const QString& LowName;
        const QString& HighName;
        std::array<TAlarmEntry, TAlarmTable::kEntryCount> TAlarmTable::*Entries;
    };
    const TBand bands[] = {
        {&TAlarmRowTexts::AlarmOn, &TAlarmRowTexts::AlarmLow, &TAlarmRowTexts::AlarmHigh, t.ColAlarm,
         t.ColAlarmLow, t.ColAlarmHigh, &TAlarmTable::Alarms},
        {&TAlarmRowTexts::RelayOn, &TAlarmRowTexts::RelayLow, &TAlarmRowTexts::RelayHigh, t.ColRelay,
         t.ColRelayLow, t.ColRelayHigh, &TAlarmTable::Relays},
    };
    TAlarmTable table = Table;
    for (int r = 0; r < TAlarmTable::kEntryCount; ++r) {
        const TAlarmRowTexts& row = Rows[size_t(r)];
        for (const TBand& b : bands) {
            const auto low = Limit(row.*b.Low);
            if (!low)
                return t.NotANumber.arg(AlarmRowName(r), b.LowName, row.*b.Low);
            const auto high = Limit(row.*b.High);
            if (!high)
                return t.NotANumber.arg(AlarmRowName(r), b.HighName, row.*b.High);
            // A band the other way round would never (or always) trip; the device does not check.
            if (*low > *high)
                return t.LowAboveHigh.arg(AlarmRowName(r), b.Name, Number(*low), Number(*high));
            (table.*b.Entries)[size_t(r)] = {row.*b.On, *low, *high};
        }
    }
    Table = table;
    return {};
}

TAIK12Dlg::TAIK12Dlg(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("TAIK12Dlg"));
    setModal(true);
    lbAddress = new QLabel(this);
    Pages = new QStackedWidget(this);

    auto* alarmPage = new QWidget(Pages);
    AlarmGrid = new QTableWidget(TAlarmTable::kEntryCount, cColumns, alarmPage);
    AlarmGrid->verticalHeader()->hide();
    AlarmGrid->horizontalHeader()->setStretchLastSection(true);
    AlarmGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < TAlarmTable::kEntryCount; ++r) {
        AlarmGrid->setItem(r, cChannel, FixedItem());
        AlarmGrid->setItem(r, cValue, FixedItem(Qt::AlignRight | Qt::AlignVCenter));
        for (int c : {cAlarm, cRelay}) {
            auto* check = new QTableWidgetItem;
            check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            check->setCheckState(Qt::Unchecked);
            AlarmGrid->setItem(r, c, check);
        }
        for (int c : {cAlarmLow, cAlarmHigh, cRelayLow, cRelayHigh}) {
            auto* limit = new QTableWidgetItem;
            limit->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            AlarmGrid->setItem(r, c, limit);
        }
    }
    RelayNormalStateCheck = new QCheckBox(alarmPage);
    ReadBtn = new QPushButton(alarmPage);
    WriteBtn = new QPushButton(alarmPage);
    auto* tableButtons = new QHBoxLayout;
    tableButtons->addWidget(RelayNormalStateCheck);
    tableButtons->addStretch();
    tableButtons->addWidget(ReadBtn);
    tableButtons->addWidget(WriteBtn);
    auto* alarmLayout = new QVBoxLayout(alarmPage);
    alarmLayout->setContentsMargins(0, 0, 0, 0);
    alarmLayout->addWidget(AlarmGrid);
    alarmLayout->addLayout(tableButtons);

    auto* inputPage = new QWidget(Pages);
    InputGrid = new QTableWidget(kInputCount, iColumns, inputPage);
    InputGrid->verticalHeader()->hide();
    // A window widened by its title shows the unit column to the edge, not an empty band.
    InputGrid->horizontalHeader()->setStretchLastSection(true);
    InputGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < kInputCount; ++r)
        for (int c = 0; c < iColumns; ++c)
            InputGrid->setItem(r, c,
                               FixedItem(c == iValue ? Qt::AlignRight | Qt::AlignVCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter));
    auto* inputLayout = new QVBoxLayout(inputPage);
    inputLayout->setContentsMargins(0, 0, 0, 0);
    inputLayout->addWidget(InputGrid);

    Pages->addWidget(alarmPage);
    Pages->addWidget(inputPage);

    StartBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(StartBtn);
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbAddress);
    layout->addWidget(Pages, 1);
    layout->addLayout(bottom);

    PollTimer = new TProcessTimer(this);
    PollTimer->SetInterval(kPollIntervalMs);
    PollTimer->OnTimer = [this] { Poll(); };

    connect(ReadBtn, &QPushButton::clicked, this, &TAIK12Dlg::ReadBtnClick);
    connect(WriteBtn, &QPushButton::clicked, this, &TAIK12Dlg::WriteBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TAIK12Dlg::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TAIK12Dlg::reject);
    for (QPushButton* b : {ReadBtn, WriteBtn, StartBtn, CloseBtn})
        b->setAutoDefault(false);
    UpdateLanguage();
    UpdateControls();
}

TAIK12Dlg::~TAIK12Dlg() = default;

void TAIK12Dlg::UpdateLanguage() {
    const auto& t = Texts();
    const QString caption = FMode == amSignalling ? t.Caption : t.InputsCaption;
    if (FDm.CurrentDevice && FModule)
        setWindowTitle(t.Module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(". ") +
                       caption);
    else
        setWindowTitle(caption);
    lbAddress->setText(t.DeviceAddress + QStringLiteral(": ") +
                       (FDm.CurrentDevice ? HexAddressText(quint8(FDm.CurrentDevice->Address)) : QString()));
    AlarmGrid->setHorizontalHeaderLabels({t.ColChannel, t.ColValue, t.ColAlarm, t.ColAlarmLow, t.ColAlarmHigh,
                                          t.ColRelay, t.ColRelayLow, t.ColRelayHigh});
    for (int r = 0; r < TAlarmTable::kEntryCount; ++r)
        AlarmGrid->item(r, cChannel)->setText(AlarmRowName(r));
    InputGrid->setHorizontalHeaderLabels({t.ColInput, t.ColRange, t.ColValue, t.ColUnit});
    for (int r = 0; r < kInputCount; ++r)
        InputGrid->item(r, iInput)->setText(t.InputN.arg(r + 1));
    RelayNormalStateCheck->setText(t.RelayNormalState);
    ReadBtn->setText(t.Read);
    WriteBtn->setText(t.Write);
    StartBtn->setText(PollTimer->Running() ? t.Stop : t.Start);
    CloseBtn->setText(t.Close);
    ShowInputs();
    FitGrids();
    FitToTitle(this);
}

void TAIK12Dlg::FitGrids() {
    // Only the grid of the mode shown claims room; the other's size would widen the window.
    const bool signalling = FMode == amSignalling;
    (signalling ? InputGrid : AlarmGrid)->setMinimumSize(0, 0);
    if (signalling)
        FitGrid(AlarmGrid, cValue);
    else
        FitGrid(InputGrid, iValue);
    // A grid that has grown must not be cut by the window around it.
    if (isVisible() && layout()) {
        layout()->activate();
        resize(size().expandedTo(minimumSizeHint()));
    }
}

bool TAIK12Dlg::Idle() const {
    if (FBusy)
        return false;
    const TAccessPoint* ap = FModule ? FModule->AP() : nullptr;
    return !ap || !ap->Busy();
}

bool TAIK12Dlg::Deferred(void (TAIK12Dlg::*Action)()) {
    if (!PollTimer->InTick())
        return false;
    FPending = Action;
    return true;
}

void TAIK12Dlg::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

void TAIK12Dlg::StopPolling() {
    if (PollTimer->Running())
        PollTimer->Stop();
}

void TAIK12Dlg::UpdateControls() {
    const bool ready = FModule != nullptr && !FTableBusy;
    ReadBtn->setEnabled(ready);
    WriteBtn->setEnabled(ready);
    StartBtn->setEnabled(ready);
    AlarmGrid->setEnabled(!FTableBusy);
    RelayNormalStateCheck->setEnabled(!FTableBusy);
    CloseBtn->setEnabled(!FTableBusy);
    StartBtn->setText(PollTimer->Running() ? Texts().Stop : Texts().Start);
}

template <class F> bool TAIK12Dlg::TableExchange(F Exchange) {
    TExchangeGuard guard(FBusy);
    FTableBusy = true;
    const bool polling = PollTimer->Running();
    // Controls first: stopping the timer lets the window run for a moment.
    UpdateControls();
    StopPolling();
    bool ok;
    {
        TBusyCursor busy;
        ok = Exchange();
    }
    FTableBusy = false;
    if (polling)
        PollTimer->Start();
    UpdateControls();
    return ok;
}

bool TAIK12Dlg::LoadInputs() {
    bool any = false;
    for (int i = 0; i < kInputCount; ++i) {
        TSimpleChannel* channel = FModule->AnalogInput(i);
        QString error;
        // The flags say whether the value comes as an integer; normalization whether it is a code.
        FInputReady[size_t(i)] = channel && channel->ReadSettings(ssRangeCode, error) &&
                                 channel->ReadSettings(ssNormalization, error) &&
                                 channel->ReadSettings(ssFlags, error);
        any = any || FInputReady[size_t(i)];
    }
    FInputsLoaded = any;
    ShowInputs();
    return any;
}

QString TAIK12Dlg::UnitOf(int Input) const {
    const TSimpleChannel* channel = FModule ? FModule->AnalogInput(Input) : nullptr;
    if (!channel || !FInputReady[size_t(Input)])
        return {};
    return AI8ResultUnit(FDm.EmulatorActive, channel->Normalization,
                         FDm.RangesTable.Record(channel->RangeCode).Unit, Texts().Code);
}

void TAIK12Dlg::ShowInputs() {
    const auto& t = Texts();
    for (int i = 0; i < kInputCount; ++i) {
        const TSimpleChannel* channel = FModule ? FModule->AnalogInput(i) : nullptr;
        QString range;
        if (channel && FInputReady[size_t(i)]) {
            range = FDm.RangesTable.Record(channel->RangeCode).Description;
            if (range.isEmpty())
                range = t.UnknownRange.arg(channel->RangeCode);
        } else if (FInputsLoaded) {
            range = t.NoAnswer;
        }
        InputGrid->item(i, iRange)->setText(range);
        InputGrid->item(i, iUnit)->setText(UnitOf(i));
    }
}

void TAIK12Dlg::ShowTable() {
    const TAlarmTable& table = FModule->AlarmSystem->Table;
    for (int r = 0; r < TAlarmTable::kEntryCount; ++r) {
        const TAlarmEntry& alarm = table.Alarms[size_t(r)];
        const TAlarmEntry& relay = table.Relays[size_t(r)];
        AlarmGrid->item(r, cAlarm)->setCheckState(alarm.On ? Qt::Checked : Qt::Unchecked);
        AlarmGrid->item(r, cAlarmLow)->setText(Number(alarm.Low));
        AlarmGrid->item(r, cAlarmHigh)->setText(Number(alarm.High));
        AlarmGrid->item(r, cRelay)->setCheckState(relay.On ? Qt::Checked : Qt::Unchecked);
        AlarmGrid->item(r, cRelayLow)->setText(Number(relay.Low));
        AlarmGrid->item(r, cRelayHigh)->setText(Number(relay.High));
    }
    RelayNormalStateCheck->setChecked(table.RelayNormalState);
    FitGrids();
}

void TAIK12Dlg::ClearValues() {
    for (int r = 0; r < TAlarmTable::kEntryCount; ++r)
        AlarmGrid->item(r, cValue)->setText(QString());
    for (int r = 0; r < kInputCount; ++r)
        for (int c : {iRange, iValue, iUnit})
            InputGrid->item(r, c)->setText(QString());
}

TAlarmTableTexts TAIK12Dlg::TableTexts() const {
    TAlarmTableTexts rows;
    for (int r = 0; r < TAlarmTable::kEntryCount; ++r) {
        TAlarmRowTexts& row = rows[size_t(r)];
        row.AlarmOn = AlarmGrid->item(r, cAlarm)->checkState() == Qt::Checked;
        row.AlarmLow = AlarmGrid->item(r, cAlarmLow)->text();
        row.AlarmHigh = AlarmGrid->item(r, cAlarmHigh)->text();
        row.RelayOn = AlarmGrid->item(r, cRelay)->checkState() == Qt::Checked;
        row.RelayLow = AlarmGrid->item(r, cRelayLow)->text();
        row.RelayHigh = AlarmGrid->item(r, cRelayHigh)->text();
    }
    return rows;
}

bool TAIK12Dlg::Load(quint8 Kind) {
    StopPolling();
    FPending = nullptr;
    FModule = nullptr;
    FInputsLoaded = false;
    FInputReady.fill(false);
    ClearValues();
    UpdateControls();
    auto* module = dynamic_cast<TKVDAIK12BUS*>(FDm.CurrentModule);
    if (!module || !module->AlarmSystem || !FDm.CurrentDevice)
        return false;
    if (Kind == ckSignalling12)
        FMode = amSignalling;
    else if (Kind == ckAnalogInputSystem)
        FMode = amAnalogInputs;
    else
        return false;
    FModule = module;
    if (!Idle()) {
        FModule = nullptr;
        return false;
    }
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = FMode == amSignalling ? FModule->AlarmSystem->ReadTable() : LoadInputs();
    }
    if (!ok) {
        FModule = nullptr;
        Message(FMode == amSignalling ? Texts().OpenFailed : Texts().NoInputs);
        return false;
    }
    if (FMode == amSignalling)
        ShowTable();
    Pages->setCurrentIndex(FMode);
    // The hidden page must not make the window as large as itself.
    for (int i = 0; i < Pages->count(); ++i) {
        const auto policy = i == FMode ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        Pages->widget(i)->setSizePolicy(policy, policy);
    }
    // The other mode's size goes; the title and the grid set the window's least size again.
    setMinimumSize(0, 0);
    UpdateLanguage();
    UpdateControls();
    adjustSize();
    return true;
}

bool TAIK12Dlg::Execute(quint8 Kind) {
    if (!Load(Kind))
        return false;
    exec();
    StopPolling();
    return true;
}

void TAIK12Dlg::ReadBtnClick() {
    if (!FModule || FTableBusy || Deferred(&TAIK12Dlg::ReadBtnClick) || !Idle())
        return;
    TAlarmSystemChannel& alarms = *FModule->AlarmSystem;
    // All or nothing: after a failure the grid keeps what it shows, edits included.
    if (TableExchange([&] { return alarms.ReadTable(); }))
        ShowTable();
    else
        Message(Texts().ReadFailed);
}

void TAIK12Dlg::WriteBtnClick() {
    if (!FModule || FTableBusy || Deferred(&TAIK12Dlg::WriteBtnClick) || !Idle())
        return;
    TAlarmSystemChannel& alarms = *FModule->AlarmSystem;
    TAlarmTable table = alarms.Table;
    const QString error = CheckAlarmTable(TableTexts(), table);
    if (!error.isEmpty()) {
        Message(error);
        return;
    }
    table.RelayNormalState = RelayNormalStateCheck->isChecked();
    alarms.Table = table;
    if (!TableExchange([&] { return alarms.WriteTable(); }))
        Message(Texts().WriteFailed);
}

void TAIK12Dlg::StartBtnClick() {
    if (!FModule || FTableBusy)
        return;
    if (PollTimer->Running()) {
        StopPolling();
        UpdateControls();
        return;
    }
    if (Deferred(&TAIK12Dlg::StartBtnClick) || !Idle())
        return;
    if (!FInputsLoaded) {
        bool ok;
        {
            TExchangeGuard guard(FBusy);
            TBusyCursor busy;
            ok = LoadInputs();
        }
        if (!ok) {
            Message(Texts().NoInputs);
            return;
        }
    }
    PollTimer->Start();
    UpdateControls();
}

void TAIK12Dlg::Poll() {
    if (!FModule || !FInputsLoaded || FTableBusy || !Idle())
        return;
    {
        TExchangeGuard guard(FBusy);
        const auto& t = Texts();
        const auto order = TByteOrder(FDm.CurrentDevice ? FDm.CurrentDevice->ByteOrder : quint8(boNAN));
        for (int i = 0; i < kInputCount && PollTimer->Running(); ++i) {
            TSimpleChannel* channel = FModule->AnalogInput(i);
            if (!channel || !FInputReady[size_t(i)])
                continue;
            // The signalling table's last row is the module's temperature, which every input reports
            // alike; the first input's reading brings it along.
            const bool temperature = FMode == amSignalling && i == 0;
            const TAiReading r = ReadMeasurement(*channel, order, temperature);
            const QString value = r.Ok ? ResultText(r.Value, r.Integer) : t.NoAnswer;
            if (FMode == amSignalling) {
                const QString unit = UnitOf(i);
                AlarmGrid->item(i, cValue)->setText(
                    r.Ok && !unit.isEmpty() ? value + QStringLiteral(" ") + unit : value);
                if (temperature)
                    AlarmGrid->item(TAlarmTable::kEntryCount - 1, cValue)
                        ->setText(r.Ok ? TemperatureText(r.Temperature) + QStringLiteral(" °C") : t.NoAnswer);
            } else {
                InputGrid->item(i, iValue)->setText(value);
            }
        }
        // A longer value (a unit, "no answer") must not be cut.
        FitGrids();
    }
    if (FPending)
        QTimer::singleShot(0, this, std::exchange(FPending, nullptr));
}

void TAIK12Dlg::reject() {
    // The table's exchange ends first; its controls are off meanwhile.
    if (FTableBusy)
        return;
    StopPolling();
    QDialog::reject();
}

void RegisterAIK12Window(TAIK12Dlg& Form) {
    QPointer<TAIK12Dlg> window(&Form);
    ChannelWindows().Register(QStringLiteral("TAIK12Dlg"), [window](const TChannelWindowContext& c) {
        if (window)
            window->Execute(c.Kind);
    });
}
