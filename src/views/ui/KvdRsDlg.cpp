#include "views/ui/KvdRsDlg.h"

#include "bus/AccessPoint.h"
#include "localization/Localization.h"
#include "localization/TermoFlowLanguage.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/Helper.h"
#include "model/SensorChannelModules.h"
#include "platform/ExchangeGuard.h"
#include "platform/ProcessTimer.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/ChannelWindows.h"
#include "views/SensorChannelTables.h"
#include "views/ui/SensorTableSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace {

const TTermoFlowLanguage& Texts() {
    return TermoFlowLanguage().Texts(CurrentLanguage());
}

QString Number(float Value) {
    return FloatToTrimmedText(QStringLiteral("0.######"), double(Value));
}

// The measurement time the window offers until the device has told its own.
const QString kDefaultMeasureTime = QStringLiteral("2000");

std::optional<float> ParseSetting(const QString& Text) {
    const auto v = ParseFloat(Text.trimmed());
    if (!v || !std::isfinite(float(*v)))
        return std::nullopt;
    return float(*v);
}

QString SettingsColumnName(int Column) {
    const auto& t = Texts();
    switch (Column) {
    case TKvdRsDlg::scChannel:
        return t.ColChannel;
    case TKvdRsDlg::scConnected:
        return t.ColConnected;
    case TKvdRsDlg::scType:
        return t.ColType;
    case TKvdRsDlg::scFront:
        return t.ColFront;
    case TKvdRsDlg::scResponseTime:
        return t.ColResponseTime;
    case TKvdRsDlg::scImpulseWeight:
        return t.ColImpulseWeight;
    case TKvdRsDlg::scPolynomial:
        return t.ColPolynomial;
    default:
        return {};
    }
}

QString LimitsColumnName(int Column) {
    const auto& t = Texts();
    switch (Column) {
    case TKvdRsDlg::lcChannel:
        return t.ColChannel;
    case TKvdRsDlg::lcAlarmSource:
        return t.ColAlarm;
    case TKvdRsDlg::lcAlarmLow:
        return t.ColAlarmLow;
    case TKvdRsDlg::lcAlarmHigh:
        return t.ColAlarmHigh;
    case TKvdRsDlg::lcRelaySource:
        return t.ColRelay;
    case TKvdRsDlg::lcRelayLow:
        return t.ColRelayLow;
    case TKvdRsDlg::lcRelayHigh:
        return t.ColRelayHigh;
    default:
        return {};
    }
}

QString MeasurementColumnName(int Column) {
    const auto& t = Texts();
    switch (Column) {
    case TKvdRsDlg::mcChannel:
        return t.ColChannel;
    case TKvdRsDlg::mcInput:
        return t.ColInput;
    case TKvdRsDlg::mcOutput:
        return t.ColOutput;
    case TKvdRsDlg::mcPulseCount:
        return t.ColPulseCount;
    case TKvdRsDlg::mcReset:
        return t.ColCounter;
    case TKvdRsDlg::mcFrequency:
        return t.ColFrequency;
    case TKvdRsDlg::mcConsumption:
        return t.ColConsumption;
    case TKvdRsDlg::mcFlowSpeed:
        return t.ColFlowSpeed;
    default:
        return {};
    }
}

QTableWidgetItem* ItemAt(QTableWidget* Table, int Row, int Column) {
    QTableWidgetItem* item = Table->item(Row, Column);
    if (!item) {
        item = new QTableWidgetItem;
        Table->setItem(Row, Column, item);
    }
    return item;
}

void SetTexts(QComboBox* Box, const QStringList& Texts) {
    const QSignalBlocker block(Box);
    const int current = Box->currentIndex();
    if (Box->count() != Texts.size()) {
        Box->clear();
        Box->addItems(Texts);
    } else {
        for (int i = 0; i < Texts.size(); ++i)
            Box->setItemText(i, Texts[i]);
    }
    Box->setCurrentIndex(current);
}

QTableWidget* NewTable(int Columns, QHeaderView::ResizeMode Mode, QWidget* Parent) {
    auto* table = new QTableWidget(0, Columns, Parent);
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->horizontalHeader()->setSectionResizeMode(Mode);
    // A wider window gives its room to the last column rather than to an empty stretch.
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

TFlowPolynomialDlg::TFlowPolynomialDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFlowPolynomialDlg"));
    setModal(true);
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < Edits.size(); ++i) {
        // The coefficient of x to the power i.
        Labels[i] = new QLabel(QStringLiteral("a%1:").arg(i), this);
        Edits[i] = new QLineEdit(this);
        Edits[i]->setMinimumWidth(160);
        grid->addWidget(Labels[i], int(i), 0);
        grid->addWidget(Edits[i], int(i), 1);
    }
    OkBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TFlowPolynomialDlg::Setup(const QString& Channel,
                               const std::array<float, TFlowChannel::kPolynomialSize>& Values) {
    FChannel = Channel;
    for (size_t i = 0; i < Edits.size(); ++i)
        Edits[i]->setText(Number(Values[i]));
    UpdateLanguage();
}

void TFlowPolynomialDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.PolynomialCaption.arg(FChannel));
    OkBtn->setText(t.Ok);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

TKvdRsDlg::TKvdRsDlg(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("TKvdRsDlg"));
    setModal(true);
    lbAddress = new QLabel(this);
    Pages = new QTabWidget(this);
    // The pages with lists are sized by the window (a list needs more than the header measures);
    // the measurements follow their values.
    SettingsTable = NewTable(scCount, QHeaderView::Interactive, Pages);
    LimitsTable = NewTable(lcCount, QHeaderView::Interactive, Pages);
    MeasurementsTable = NewTable(mcCount, QHeaderView::ResizeToContents, Pages);
    MeasurementsTable->horizontalHeader()->setSectionResizeMode(mcFlowSpeed, QHeaderView::Stretch);
    Pages->addTab(SettingsTable, QString());
    Pages->addTab(LimitsTable, QString());
    Pages->addTab(MeasurementsTable, QString());
    auto* moduleBox = new QGroupBox(this);
    moduleBox->setObjectName(QStringLiteral("ModuleBox"));
    RelayNormalStateCheck = new QCheckBox(moduleBox);
    lbMeasureTime = new QLabel(moduleBox);
    MeasureTimeEdit = new QLineEdit(kDefaultMeasureTime, moduleBox);
    MeasureTimeEdit->setMaximumWidth(120);
    MeasureTimeBtn = new QPushButton(moduleBox);
    RefreshBtn = new QPushButton(this);
    StartBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    PolynomialDlg = new TFlowPolynomialDlg(this);
    Timer = new TProcessTimer(this);
    Timer->SetInterval(kPollMs);
    Timer->OnTimer = [this] { TimerTimer(); };
    // The button names what it does next.
    Timer->OnStart = [this] { StartBtn->setText(Texts().Stop); };
    Timer->OnStop = [this] { StartBtn->setText(Texts().Start); };

    auto* moduleRow = new QHBoxLayout(moduleBox);
    moduleRow->addWidget(RelayNormalStateCheck);
    moduleRow->addSpacing(24);
    moduleRow->addWidget(lbMeasureTime);
    moduleRow->addWidget(MeasureTimeEdit);
    moduleRow->addWidget(MeasureTimeBtn);
    moduleRow->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(RefreshBtn);
    bottom->addWidget(StartBtn);
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbAddress);
    layout->addWidget(Pages, 1);
    layout->addWidget(moduleBox);
    layout->addLayout(bottom);

    connect(SettingsTable, &QTableWidget::itemChanged, this, &TKvdRsDlg::SettingsItemChanged);
    connect(LimitsTable, &QTableWidget::itemChanged, this, &TKvdRsDlg::SettingsItemChanged);
    connect(MeasurementsTable, &QTableWidget::itemChanged, this, &TKvdRsDlg::MeasurementsItemChanged);
    connect(RelayNormalStateCheck, &QCheckBox::clicked, this, &TKvdRsDlg::RelayNormalStateCheckClick);
    connect(MeasureTimeBtn, &QPushButton::clicked, this, &TKvdRsDlg::MeasureTimeBtnClick);
    connect(MeasureTimeEdit, &QLineEdit::returnPressed, this, &TKvdRsDlg::MeasureTimeBtnClick);
    connect(RefreshBtn, &QPushButton::clicked, this, &TKvdRsDlg::RefreshBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TKvdRsDlg::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

TKvdRsDlg::~TKvdRsDlg() = default;

void TKvdRsDlg::UpdateLanguage() {
    const auto& t = Texts();
    if (FDm.CurrentDevice && FModule)
        setWindowTitle(t.Module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(". ") +
                       t.RsCaption);
    else
        setWindowTitle(t.RsCaption);
    lbAddress->setText(t.DeviceAddress + QStringLiteral(": ") +
                       (FDm.CurrentDevice ? HexAddressText(quint8(FDm.CurrentDevice->Address)) : QString()));
    Pages->setTabText(0, t.TabSettings);
    Pages->setTabText(1, t.TabLimits);
    Pages->setTabText(2, t.TabMeasurements);
    QStringList headers;
    for (int c = 0; c < scCount; ++c)
        headers << SettingsColumnName(c);
    SettingsTable->setHorizontalHeaderLabels(headers);
    headers.clear();
    for (int c = 0; c < lcCount; ++c)
        headers << LimitsColumnName(c);
    LimitsTable->setHorizontalHeaderLabels(headers);
    headers.clear();
    for (int c = 0; c < mcCount; ++c)
        headers << MeasurementColumnName(c);
    MeasurementsTable->setHorizontalHeaderLabels(headers);
    findChild<QGroupBox*>(QStringLiteral("ModuleBox"))->setTitle(t.ModuleSettings);
    RelayNormalStateCheck->setText(t.RelayNormalState);
    lbMeasureTime->setText(t.MeasureTime + QStringLiteral(":"));
    MeasureTimeBtn->setText(t.Set);
    RefreshBtn->setText(t.Refresh);
    StartBtn->setText(Timer->Running() ? t.Stop : t.Start);
    CloseBtn->setText(t.Close);
    PolynomialDlg->UpdateLanguage();
    FillLists();
    ShowTable();
    FitToTitle(this);
}

bool TKvdRsDlg::Idle() const {
    if (FBusy)
        return false;
    const TAccessPoint* ap = FModule ? FModule->AP() : nullptr;
    return !ap || !ap->Busy();
}

TFlowChannel* TKvdRsDlg::Channel(int Row) const {
    if (!FModule || Row < 0 || Row >= RowCount())
        return nullptr;
    return FModule->GetChannel(Row);
}

QString TKvdRsDlg::ChannelName(int Row) const {
    return Texts().ChannelN.arg(Row + 1);
}

void TKvdRsDlg::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

QStringList TKvdRsDlg::ReadEverything() {
    const auto& t = Texts();
    FRows.clear();
    const int reported = FModule->GetChannel(0)->ReadChannelCount();
    const TChannelCountCheck check = CheckChannelCount(reported, FModule->Ok, FModule->ChannelCount());
    if (check.Failed)
        return {t.MsgCountFailed};
    QStringList messages;
    if (check.Excess)
        messages << t.MsgTooManyChannels.arg(reported).arg(FModule->ChannelCount());
    FRows.resize(size_t(check.Rows));
    for (int i = 0; i < check.Rows; ++i) {
        // A channel that does not answer ends the read: the rest would only wait for their time-outs.
        if (!FModule->GetChannel(i)->ReadAllSettings()) {
            messages << t.MsgReadFailed.arg(ChannelName(i));
            break;
        }
        FRows[size_t(i)].Read = true;
    }
    return messages;
}

void TKvdRsDlg::BuildRows() {
    const int rows = RowCount();
    if (SettingsTable->rowCount() == rows && int(TypeBoxes.size()) == rows)
        return;
    const QSignalBlocker b1(SettingsTable), b2(MeasurementsTable), b3(LimitsTable);
    SettingsTable->setRowCount(0);
    LimitsTable->setRowCount(0);
    MeasurementsTable->setRowCount(0);
    TypeBoxes.clear();
    FrontBoxes.clear();
    AlarmSourceBoxes.clear();
    RelaySourceBoxes.clear();
    PolynomialBtns.clear();
    ResetBtns.clear();
    SettingsTable->setRowCount(rows);
    LimitsTable->setRowCount(rows);
    MeasurementsTable->setRowCount(rows);
    const auto box = [](QTableWidget* Table, int Row, int Column) {
        auto* b = new QComboBox;
        // The column follows the list's longest entry in whatever language is shown.
        b->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        Table->setCellWidget(Row, Column, b);
        return b;
    };
    for (int r = 0; r < rows; ++r) {
        QComboBox* type = box(SettingsTable, r, scType);
        QComboBox* front = box(SettingsTable, r, scFront);
        QComboBox* alarm = box(LimitsTable, r, lcAlarmSource);
        QComboBox* relay = box(LimitsTable, r, lcRelaySource);
        connect(type, &QComboBox::activated, this, [this, r](int i) { ChooseType(r, quint16(i)); });
        connect(front, &QComboBox::activated, this, [this, r](int i) { ChooseFront(r, i); });
        connect(alarm, &QComboBox::activated, this,
                [this, r](int i) { ChooseSource(r, lcAlarmSource, quint16(i)); });
        connect(relay, &QComboBox::activated, this,
                [this, r](int i) { ChooseSource(r, lcRelaySource, quint16(i)); });
        TypeBoxes.push_back(type);
        FrontBoxes.push_back(front);
        AlarmSourceBoxes.push_back(alarm);
        RelaySourceBoxes.push_back(relay);
        auto* poly = new QPushButton(QStringLiteral("a0 … a5"));
        SettingsTable->setCellWidget(r, scPolynomial, poly);
        connect(poly, &QPushButton::clicked, this, [this, r] { PolynomialBtnClick(r); });
        PolynomialBtns.push_back(poly);
        auto* reset = new QPushButton;
        MeasurementsTable->setCellWidget(r, mcReset, reset);
        connect(reset, &QPushButton::clicked, this, [this, r] { ResetBtnClick(r); });
        ResetBtns.push_back(reset);
    }
    FillLists();
}

void TKvdRsDlg::FillLists() {
    const auto& t = Texts();
    const QStringList types = {t.Type0, t.Type1, t.Type2, t.Type3, t.Type4};
    const QStringList fronts = {t.FrontRear, t.FrontFront};
    const QStringList sources = {t.SourceOff, t.SourceFlowSpeed, t.SourceConsumption};
    for (size_t r = 0; r < TypeBoxes.size(); ++r) {
        SetTexts(TypeBoxes[r], types);
        SetTexts(FrontBoxes[r], fronts);
        SetTexts(AlarmSourceBoxes[r], sources);
        SetTexts(RelaySourceBoxes[r], sources);
        ResetBtns[r]->setText(t.Reset);
    }
}

void TKvdRsDlg::ShowTable() {
    BuildRows();
    for (int r = 0; r < RowCount(); ++r)
        ShowRow(r);
    ShowModuleSettings();
    // A list in a cell needs its whole width, which the header's own measure does not always give.
    const std::tuple<QTableWidget*, int, const std::vector<QComboBox*>*> lists[] = {
        {SettingsTable, scType, &TypeBoxes},
        {SettingsTable, scFront, &FrontBoxes},
        {LimitsTable, lcAlarmSource, &AlarmSourceBoxes},
        {LimitsTable, lcRelaySource, &RelaySourceBoxes}};
    SettingsTable->resizeColumnsToContents();
    LimitsTable->resizeColumnsToContents();
    for (const auto& [table, column, boxes] : lists)
        for (const QComboBox* box : *boxes) {
            const int need = std::max(box->sizeHint().width(), box->minimumSizeHint().width()) + 8;
            if (table->columnWidth(column) < need)
                table->setColumnWidth(column, need);
        }
    MeasurementsTable->resizeColumnsToContents();
    for (QTableWidget* table : {SettingsTable, LimitsTable, MeasurementsTable})
        FitTableToContents(table);
}

void TKvdRsDlg::ShowModuleSettings() {
    const TFlowChannel* first = Channel(0);
    const bool known = first && FRows[0].Read;
    RelayNormalStateCheck->setEnabled(known);
    RelayNormalStateCheck->setChecked(known && first->RelayNormalState);
    MeasureTimeEdit->setEnabled(known);
    MeasureTimeBtn->setEnabled(known);
    MeasureTimeEdit->setText(known ? Number(first->MeasureTime) : kDefaultMeasureTime);
}

void TKvdRsDlg::ShowRow(int Row) {
    const TFlowChannel* c = Channel(Row);
    if (!c || Row >= SettingsTable->rowCount())
        return;
    const bool filling = FFilling;
    FFilling = true;
    const bool read = FRows[size_t(Row)].Read;
    const Qt::ItemFlags base = read ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::ItemIsSelectable;
    QTableWidgetItem* name = ItemAt(SettingsTable, Row, scChannel);
    name->setText(ChannelName(Row));
    name->setFlags(base);
    QTableWidgetItem* on = ItemAt(SettingsTable, Row, scConnected);
    on->setFlags(base | Qt::ItemIsUserCheckable);
    on->setCheckState(read && c->Enabled ? Qt::Checked : Qt::Unchecked);
    QTableWidgetItem* limitsName = ItemAt(LimitsTable, Row, lcChannel);
    limitsName->setText(ChannelName(Row));
    limitsName->setFlags(base);
    const std::tuple<QTableWidget*, int, float> numbers[] = {
        {SettingsTable, scResponseTime, c->ResponseTime}, {SettingsTable, scImpulseWeight, c->ImpulseWeight},
        {LimitsTable, lcAlarmLow, c->AlarmLow},           {LimitsTable, lcAlarmHigh, c->AlarmHigh},
        {LimitsTable, lcRelayLow, c->RelayLow},           {LimitsTable, lcRelayHigh, c->RelayHigh}};
    for (const auto& [table, column, value] : numbers) {
        QTableWidgetItem* item = ItemAt(table, Row, column);
        item->setFlags(base | Qt::ItemIsEditable);
        item->setText(read ? Number(value) : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    const std::pair<QComboBox*, int> lists[] = {{TypeBoxes[size_t(Row)], c->ChannelType},
                                                {FrontBoxes[size_t(Row)], c->CountingFront ? 1 : 0},
                                                {AlarmSourceBoxes[size_t(Row)], c->AlarmSource},
                                                {RelaySourceBoxes[size_t(Row)], c->RelaySource}};
    for (const auto& [box, index] : lists) {
        // A value outside the list shows no entry rather than a wrong one.
        box->setCurrentIndex(read && index < box->count() ? index : -1);
        box->setEnabled(read);
    }
    PolynomialBtns[size_t(Row)]->setEnabled(read);
    ResetBtns[size_t(Row)]->setEnabled(read);
    ShowMeasurements(Row);
    FFilling = filling;
}

void TKvdRsDlg::ShowMeasurements(int Row) {
    const TFlowChannel* c = Channel(Row);
    if (!c || Row >= MeasurementsTable->rowCount())
        return;
    const bool filling = FFilling;
    FFilling = true;
    const TRow& row = FRows[size_t(Row)];
    const bool shown = row.Read && row.Measured && c->Enabled;
    const Qt::ItemFlags base = row.Read ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::ItemIsSelectable;
    QTableWidgetItem* name = ItemAt(MeasurementsTable, Row, mcChannel);
    name->setText(ChannelName(Row));
    name->setFlags(base);
    // The input is shown, never set; the output is set only on a discrete output channel.
    QTableWidgetItem* input = ItemAt(MeasurementsTable, Row, mcInput);
    input->setFlags(base);
    input->setCheckState(shown && c->InputOn ? Qt::Checked : Qt::Unchecked);
    QTableWidgetItem* output = ItemAt(MeasurementsTable, Row, mcOutput);
    output->setFlags(c->ChannelType == fctDiscreteOutput ? base | Qt::ItemIsUserCheckable : base);
    output->setCheckState(shown && c->OutputOn ? Qt::Checked : Qt::Unchecked);
    const std::pair<int, QString> values[] = {
        {mcPulseCount, QString::number(c->PulseCount)},
        {mcFrequency, Number(c->Frequency)},
        {mcConsumption, Number(c->Consumption)},
        {mcFlowSpeed, Number(c->FlowSpeed)},
    };
    for (const auto& [column, text] : values) {
        QTableWidgetItem* item = ItemAt(MeasurementsTable, Row, column);
        item->setFlags(base);
        item->setText(shown ? text : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    FFilling = filling;
}

bool TKvdRsDlg::Load() {
    Timer->Stop();
    FModule = nullptr;
    FRows.clear();
    auto* module = dynamic_cast<TCustomFlowModule*>(FDm.CurrentModule);
    if (!module || !FDm.CurrentDevice)
        return false;
    FModule = module;
    QStringList messages;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired()) {
            FModule = nullptr;
            return false;
        }
        TBusyCursor busy;
        messages = ReadEverything();
    }
    Pages->setCurrentIndex(0);
    UpdateLanguage();
    if (!messages.isEmpty())
        Message(messages.join(QLatin1Char('\n')));
    return true;
}

bool TKvdRsDlg::Execute() {
    if (!Load())
        return false;
    Timer->Start();
    exec();
    Timer->Stop();
    return true;
}

void TKvdRsDlg::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    // A table measured while hidden can come out narrower than it shows; measured again now, the
    // window grows to fit every column.
    ShowTable();
    FitToTitle(this);
}

void TKvdRsDlg::done(int Result) {
    // Nothing may poll a device behind a closed window.
    Timer->Stop();
    QDialog::done(Result);
}

void TKvdRsDlg::TimerTimer() {
    if (!FModule || !Idle())
        return;
    TExchangeGuard guard(FBusy);
    for (int r = 0; r < RowCount(); ++r) {
        TFlowChannel* c = Channel(r);
        TRow& row = FRows[size_t(r)];
        if (!row.Read || !c->Enabled)
            continue;
        row.Measured = c->ReadMeasurements();
        ShowMeasurements(r);
        // The next tick tries again; the rest of this one would only wait for time-outs.
        if (!row.Measured)
            break;
    }
}

void TKvdRsDlg::RefreshBtnClick() {
    if (!FModule || !Idle())
        return;
    const bool polling = Timer->Running();
    QStringList messages;
    {
        TExchangeGuard guard(FBusy);
        // A full read never shares the line with a poll.
        Timer->Stop();
        TBusyCursor busy;
        messages = ReadEverything();
    }
    ShowTable();
    if (polling)
        Timer->Start();
    if (!messages.isEmpty())
        Message(messages.join(QLatin1Char('\n')));
}

void TKvdRsDlg::StartBtnClick() {
    if (Timer->Running())
        Timer->Stop();
    else if (FModule)
        Timer->Start();
}

bool TKvdRsDlg::Write(const std::function<bool()>& Transfer) {
    TExchangeGuard guard(FBusy);
    TBusyCursor busy;
    return Transfer();
}

void TKvdRsDlg::WriteFailed(int Row, const QString& What) {
    Message(Texts().MsgWriteFailed.arg(ChannelName(Row), What));
}

void TKvdRsDlg::ChooseType(int Row, quint16 Type) {
    TFlowChannel* c = Channel(Row);
    if (!c || !FRows[size_t(Row)].Read)
        return;
    if (!Idle()) {
        ShowRow(Row);
        return;
    }
    std::vector<quint16> types;
    for (int r = 0; r < RowCount(); ++r)
        types.push_back(Channel(r)->ChannelType);
    const std::vector<TFlowTypeWrite> writes = FlowTypeWrites(Row, Type, types);
    int failed = -1;
    Write([&] {
        for (const TFlowTypeWrite& w : writes)
            if (!Channel(w.Index)->WriteChannelType(w.Type)) {
                failed = w.Index;
                return false;
            }
        return true;
    });
    // Each row shows the type its channel holds now: the new one, or the old one where refused.
    for (const TFlowTypeWrite& w : writes)
        ShowRow(w.Index);
    if (failed >= 0)
        WriteFailed(failed, Texts().ColType);
}

void TKvdRsDlg::ChooseFront(int Row, int Index) {
    TFlowChannel* c = Channel(Row);
    if (!c || !FRows[size_t(Row)].Read)
        return;
    if (!Idle()) {
        ShowRow(Row);
        return;
    }
    const bool ok = Write([&] { return c->WriteCountingFront(Index == 1); });
    ShowRow(Row);
    if (!ok)
        WriteFailed(Row, Texts().ColFront);
}

void TKvdRsDlg::ChooseSource(int Row, int Column, quint16 Source) {
    TFlowChannel* c = Channel(Row);
    if (!c || !FRows[size_t(Row)].Read)
        return;
    if (!Idle()) {
        ShowRow(Row);
        return;
    }
    const bool alarm = Column == lcAlarmSource;
    const bool ok = Write([&] { return alarm ? c->WriteAlarmSource(Source) : c->WriteRelaySource(Source); });
    ShowRow(Row);
    if (!ok)
        WriteFailed(Row, LimitsColumnName(Column));
}

void TKvdRsDlg::SettingsItemChanged(QTableWidgetItem* Item) {
    if (FFilling || !Item)
        return;
    const int row = Item->row();
    const int col = Item->column();
    // The settings page and the alarm and relay page share this handler; their columns overlap.
    const bool limits = Item->tableWidget() == LimitsTable;
    const QString name = limits ? LimitsColumnName(col) : SettingsColumnName(col);
    TFlowChannel* c = Channel(row);
    if (!c || !FRows[size_t(row)].Read)
        return;
    if (!Idle()) {
        ShowRow(row);
        return;
    }
    std::function<bool()> transfer;
    if (!limits && col == scConnected) {
        const bool on = Item->checkState() == Qt::Checked;
        transfer = [c, on] { return c->WriteEnabled(on); };
    } else {
        const auto value = ParseSetting(Item->text());
        if (!value) {
            const QString text = Item->text().trimmed();
            ShowRow(row);
            Message(Texts().NotANumber.arg(name, text));
            return;
        }
        const float v = *value;
        if (!limits && col == scResponseTime)
            transfer = [c, v] { return c->WriteResponseTime(v); };
        else if (!limits && col == scImpulseWeight)
            transfer = [c, v] { return c->WriteImpulseWeight(v); };
        else if (limits && col == lcAlarmLow)
            transfer = [c, v] { return c->WriteAlarmLow(v); };
        else if (limits && col == lcAlarmHigh)
            transfer = [c, v] { return c->WriteAlarmHigh(v); };
        else if (limits && col == lcRelayLow)
            transfer = [c, v] { return c->WriteRelayLow(v); };
        else if (limits && col == lcRelayHigh)
            transfer = [c, v] { return c->WriteRelayHigh(v); };
        else
            return;
    }
    const bool ok = Write(transfer);
    // The model keeps the old value of a refused write, so the row shows it again.
    ShowRow(row);
    if (!ok)
        WriteFailed(row, name);
}

void TKvdRsDlg::MeasurementsItemChanged(QTableWidgetItem* Item) {
    if (FFilling || !Item || Item->column() != mcOutput)
        return;
    const int row = Item->row();
    TFlowChannel* c = Channel(row);
    if (!c || !FRows[size_t(row)].Read || c->ChannelType != fctDiscreteOutput)
        return;
    if (!Idle()) {
        ShowMeasurements(row);
        return;
    }
    const bool on = Item->checkState() == Qt::Checked;
    const bool ok = Write([&] { return c->WriteOutputOn(on); });
    // Shown at once, without waiting for the next poll to confirm it.
    if (ok)
        FRows[size_t(row)].Measured = true;
    ShowMeasurements(row);
    if (!ok)
        WriteFailed(row, MeasurementColumnName(mcOutput));
}

void TKvdRsDlg::PolynomialBtnClick(int Row) {
    TFlowChannel* c = Channel(Row);
    if (!c || !FRows[size_t(Row)].Read || !Idle())
        return;
    if (!Write([&] { return c->ReadPolynomial(); })) {
        Message(Texts().MsgPolyReadFailed.arg(ChannelName(Row)));
        return;
    }
    PolynomialDlg->Setup(ChannelName(Row), c->Polynomial);
    const int result = OnRunDialog ? OnRunDialog(*PolynomialDlg) : PolynomialDlg->exec();
    if (result != QDialog::Accepted || Channel(Row) != c)
        return;
    std::array<float, TFlowChannel::kPolynomialSize> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        const QString text = PolynomialDlg->Edits[i]->text().trimmed();
        const auto v = ParseSetting(text);
        if (!v) {
            Message(Texts().NotANumber.arg(QStringLiteral("a%1").arg(i), text));
            return;
        }
        values[i] = *v;
    }
    if (!Idle())
        return;
    if (!Write([&] { return c->WritePolynomial(values); }))
        Message(Texts().MsgPolyWriteFailed.arg(ChannelName(Row)));
}

void TKvdRsDlg::ResetBtnClick(int Row) {
    TFlowChannel* c = Channel(Row);
    if (!c || !FRows[size_t(Row)].Read || !Idle())
        return;
    if (!Write([&] { return c->ResetCounter(); }))
        Message(Texts().MsgResetFailed.arg(ChannelName(Row)));
}

void TKvdRsDlg::RelayNormalStateCheckClick() {
    TFlowChannel* c = Channel(0);
    if (!c || !FRows[0].Read)
        return;
    if (!Idle()) {
        ShowModuleSettings();
        return;
    }
    const bool on = RelayNormalStateCheck->isChecked();
    const bool ok = Write([&] { return c->WriteRelayNormalState(on); });
    ShowModuleSettings();
    if (!ok)
        WriteFailed(0, Texts().RelayNormalState);
}

void TKvdRsDlg::MeasureTimeBtnClick() {
    TFlowChannel* c = Channel(0);
    if (!c || !FRows[0].Read || !Idle())
        return;
    const QString text = MeasureTimeEdit->text().trimmed();
    const auto value = ParseSetting(text);
    if (!value) {
        Message(Texts().NotANumber.arg(Texts().MeasureTime, text));
        return;
    }
    const bool ok = Write([&] { return c->WriteMeasureTime(*value); });
    ShowModuleSettings();
    if (!ok)
        WriteFailed(0, Texts().MeasureTime);
}

void RegisterKvdRsWindow(TKvdRsDlg& Form) {
    QPointer<TKvdRsDlg> window(&Form);
    ChannelWindows().Register(QStringLiteral("TKvdRsDlg"), [window](const TChannelWindowContext&) {
        if (window)
            window->Execute();
    });
}
