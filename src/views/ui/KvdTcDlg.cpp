#include "views/ui/KvdTcDlg.h"

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
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

const TTermoFlowLanguage& Texts() {
    return TermoFlowLanguage().Texts(CurrentLanguage());
}

QString Number(float Value) {
    return FloatToTrimmedText(QStringLiteral("0.######"), double(Value));
}

bool IsCheckColumn(int Column) {
    return Column == TKvdTcDlg::colEnabled || Column == TKvdTcDlg::colAlarmOn ||
           Column == TKvdTcDlg::colRelayOn;
}

QString ColumnName(int Column) {
    const auto& t = Texts();
    switch (Column) {
    case TKvdTcDlg::colChannel:
        return t.ColChannel;
    case TKvdTcDlg::colEnabled:
        return t.ColEnabled;
    case TKvdTcDlg::colTemperature:
        return t.ColTemperature;
    case TKvdTcDlg::colAlarmOn:
        return t.ColAlarm;
    case TKvdTcDlg::colAlarmLow:
        return t.ColAlarmLow;
    case TKvdTcDlg::colAlarmHigh:
        return t.ColAlarmHigh;
    case TKvdTcDlg::colRelayOn:
        return t.ColRelay;
    case TKvdTcDlg::colRelayLow:
        return t.ColRelayLow;
    case TKvdTcDlg::colRelayHigh:
        return t.ColRelayHigh;
    default:
        return {};
    }
}

} // namespace

TKvdTcDlg::TKvdTcDlg(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("TKvdTcDlg"));
    setModal(true);
    lbAddress = new QLabel(this);
    Table = new QTableWidget(0, colCount, this);
    Table->verticalHeader()->hide();
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // A wider window gives its room to the last column rather than to an empty stretch.
    Table->horizontalHeader()->setStretchLastSection(true);
    RelayNormalStateCheck = new QCheckBox(this);
    RefreshBtn = new QPushButton(this);
    StartBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    Timer = new TProcessTimer(this);
    Timer->SetInterval(kPollMs);
    Timer->OnTimer = [this] { TimerTimer(); };
    // The button names what it does next.
    Timer->OnStart = [this] { StartBtn->setText(Texts().Stop); };
    Timer->OnStop = [this] { StartBtn->setText(Texts().Start); };

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(RefreshBtn);
    bottom->addWidget(StartBtn);
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbAddress);
    layout->addWidget(Table, 1);
    layout->addWidget(RelayNormalStateCheck);
    layout->addLayout(bottom);

    connect(Table, &QTableWidget::itemChanged, this, &TKvdTcDlg::ItemChanged);
    connect(RelayNormalStateCheck, &QCheckBox::clicked, this, &TKvdTcDlg::RelayNormalStateCheckClick);
    connect(RefreshBtn, &QPushButton::clicked, this, &TKvdTcDlg::RefreshBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TKvdTcDlg::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

TKvdTcDlg::~TKvdTcDlg() = default;

void TKvdTcDlg::UpdateLanguage() {
    const auto& t = Texts();
    if (FDm.CurrentDevice && FModule)
        setWindowTitle(t.Module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(". ") +
                       t.TcCaption);
    else
        setWindowTitle(t.TcCaption);
    lbAddress->setText(t.DeviceAddress + QStringLiteral(": ") +
                       (FDm.CurrentDevice ? HexAddressText(quint8(FDm.CurrentDevice->Address)) : QString()));
    QStringList headers;
    for (int c = 0; c < colCount; ++c)
        headers << ColumnName(c);
    Table->setHorizontalHeaderLabels(headers);
    RelayNormalStateCheck->setText(t.RelayNormalState);
    RefreshBtn->setText(t.Refresh);
    StartBtn->setText(Timer->Running() ? t.Stop : t.Start);
    CloseBtn->setText(t.Close);
    ShowTable();
    FitToTitle(this);
}

bool TKvdTcDlg::Idle() const {
    if (FBusy)
        return false;
    const TAccessPoint* ap = FModule ? FModule->AP() : nullptr;
    return !ap || !ap->Busy();
}

TTermoChannel* TKvdTcDlg::Channel(int Row) const {
    if (!FModule || Row < 0 || Row >= RowCount())
        return nullptr;
    return FModule->GetChannel(Row);
}

QString TKvdTcDlg::ChannelName(int Row) const {
    return Row == 0 ? Texts().Controller : Texts().Sensor.arg(Row);
}

void TKvdTcDlg::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

QStringList TKvdTcDlg::ReadEverything() {
    const auto& t = Texts();
    FRows.clear();
    TTermoChannel* first = FModule->GetChannel(0);
    const int reported = first->ReadChannelCount();
    const TChannelCountCheck check = CheckChannelCount(reported, FModule->Ok, FModule->ChannelCount());
    if (check.Failed)
        return {t.MsgCountFailed};
    QStringList messages;
    if (check.Excess)
        messages << t.MsgTooManyChannels.arg(reported).arg(FModule->ChannelCount());
    FRows.resize(size_t(check.Rows));
    for (int i = 0; i < check.Rows; ++i) {
        // A channel that does not answer ends the read: the rest would only wait for their time-outs.
        if (!FModule->GetChannel(i)->ReadAll()) {
            messages << t.MsgReadFailed.arg(ChannelName(i));
            break;
        }
        FRows[size_t(i)].Read = true;
    }
    return messages;
}

void TKvdTcDlg::ShowTable() {
    const QSignalBlocker block(Table);
    FFilling = true;
    Table->setRowCount(RowCount());
    for (int r = 0; r < RowCount(); ++r)
        ShowRow(r);
    FFilling = false;
    const TTermoChannel* first = Channel(0);
    const bool known = first && FRows[0].Read;
    RelayNormalStateCheck->setEnabled(known);
    RelayNormalStateCheck->setChecked(known && first->RelayNormalState);
    Table->resizeColumnsToContents();
    FitTableToContents(Table);
}

void TKvdTcDlg::ShowRow(int Row) {
    const TTermoChannel* c = Channel(Row);
    if (!c)
        return;
    const bool filling = FFilling;
    FFilling = true;
    const bool read = FRows[size_t(Row)].Read;
    for (int col = 0; col < colCount; ++col) {
        QTableWidgetItem* item = Table->item(Row, col);
        if (!item) {
            item = new QTableWidgetItem;
            Table->setItem(Row, col, item);
        }
        Qt::ItemFlags flags = Qt::ItemIsSelectable;
        if (read)
            flags |= Qt::ItemIsEnabled;
        if (IsCheckColumn(col)) {
            flags |= Qt::ItemIsUserCheckable;
            bool on = false;
            if (col == colEnabled)
                on = c->Enabled;
            else if (col == colAlarmOn)
                on = c->AlarmOn;
            else
                on = c->RelayOn;
            item->setCheckState(read && on ? Qt::Checked : Qt::Unchecked);
        } else if (col == colChannel) {
            item->setText(ChannelName(Row));
        } else if (col != colTemperature) {
            flags |= Qt::ItemIsEditable;
            float v = 0;
            switch (col) {
            case colAlarmLow:
                v = c->AlarmLow;
                break;
            case colAlarmHigh:
                v = c->AlarmHigh;
                break;
            case colRelayLow:
                v = c->RelayLow;
                break;
            default:
                v = c->RelayHigh;
                break;
            }
            item->setText(read ? Number(v) : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        item->setFlags(flags);
    }
    ShowTemperature(Row);
    FFilling = filling;
}

void TKvdTcDlg::ShowTemperature(int Row) {
    const TTermoChannel* c = Channel(Row);
    QTableWidgetItem* item = Table->item(Row, colTemperature);
    if (!c || !item)
        return;
    const bool filling = FFilling;
    FFilling = true;
    const TRow& row = FRows[size_t(Row)];
    QString text;
    if (c->Enabled && row.State == TTemperature::Value)
        text = row.Temperature == TTermoChannel::kNoSensor ? Texts().SensorError
                                                           : QString::number(double(row.Temperature), 'f', 2);
    else if (c->Enabled && row.State == TTemperature::NoAnswer)
        text = Texts().NoAnswer;
    item->setText(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FFilling = filling;
}

bool TKvdTcDlg::Load() {
    Timer->Stop();
    FModule = nullptr;
    FRows.clear();
    auto* module = dynamic_cast<TKVDTCBUS*>(FDm.CurrentModule);
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
    UpdateLanguage();
    if (!messages.isEmpty())
        Message(messages.join(QLatin1Char('\n')));
    return true;
}

bool TKvdTcDlg::Execute() {
    if (!Load())
        return false;
    Timer->Start();
    exec();
    Timer->Stop();
    return true;
}

void TKvdTcDlg::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    // A table measured while hidden can come out narrower than it shows; measured again now, the
    // window grows to fit every column.
    ShowTable();
    FitToTitle(this);
}

void TKvdTcDlg::done(int Result) {
    // Nothing may poll a device behind a closed window.
    Timer->Stop();
    QDialog::done(Result);
}

void TKvdTcDlg::TimerTimer() {
    if (!FModule || !Idle())
        return;
    TExchangeGuard guard(FBusy);
    for (int r = 0; r < RowCount(); ++r) {
        TTermoChannel* c = Channel(r);
        TRow& row = FRows[size_t(r)];
        if (!row.Read || !c->Enabled)
            continue;
        const float t = c->ReadTemperature();
        if (!FModule->Ok) {
            // The next tick tries again; the rest of this one would only wait for time-outs.
            row.State = TTemperature::NoAnswer;
            ShowTemperature(r);
            break;
        }
        row.State = TTemperature::Value;
        row.Temperature = t;
        ShowTemperature(r);
    }
}

void TKvdTcDlg::RefreshBtnClick() {
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

void TKvdTcDlg::StartBtnClick() {
    if (Timer->Running())
        Timer->Stop();
    else if (FModule)
        Timer->Start();
}

bool TKvdTcDlg::WriteCell(TTermoChannel& c, int Column, bool Checked, float Value) {
    switch (Column) {
    case colEnabled:
        return c.WriteEnabled(Checked);
    case colAlarmOn:
        return c.WriteAlarmOn(Checked);
    case colAlarmLow:
        return c.WriteAlarmLow(Value);
    case colAlarmHigh:
        return c.WriteAlarmHigh(Value);
    case colRelayOn:
        return c.WriteRelayOn(Checked);
    case colRelayLow:
        return c.WriteRelayLow(Value);
    case colRelayHigh:
        return c.WriteRelayHigh(Value);
    default:
        return false;
    }
}

void TKvdTcDlg::ItemChanged(QTableWidgetItem* Item) {
    if (FFilling || !Item)
        return;
    const int row = Item->row();
    const int col = Item->column();
    TTermoChannel* c = Channel(row);
    if (!c || !FRows[size_t(row)].Read || col == colChannel || col == colTemperature)
        return;
    if (!Idle()) {
        // Another exchange is under way: the cell shows what the device holds.
        ShowRow(row);
        return;
    }
    const bool checked = Item->checkState() == Qt::Checked;
    float value = 0;
    if (!IsCheckColumn(col)) {
        const QString text = Item->text().trimmed();
        const auto v = ParseFloat(text);
        if (!v || !std::isfinite(float(*v))) {
            ShowRow(row);
            Message(Texts().NotANumber.arg(ColumnName(col), text));
            return;
        }
        value = float(*v);
    }
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = WriteCell(*c, col, checked, value);
    }
    // The model keeps the old value of a refused write, so the row shows it again.
    ShowRow(row);
    if (!ok)
        Message(Texts().MsgWriteFailed.arg(ChannelName(row), ColumnName(col)));
}

void TKvdTcDlg::RelayNormalStateCheckClick() {
    TTermoChannel* c = Channel(0);
    if (!c || !FRows[0].Read)
        return;
    if (!Idle()) {
        RelayNormalStateCheck->setChecked(c->RelayNormalState);
        return;
    }
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = c->WriteRelayNormalState(RelayNormalStateCheck->isChecked());
    }
    RelayNormalStateCheck->setChecked(c->RelayNormalState);
    if (!ok)
        Message(Texts().MsgWriteFailed.arg(ChannelName(0), Texts().RelayNormalState));
}

void RegisterKvdTcWindow(TKvdTcDlg& Form) {
    QPointer<TKvdTcDlg> window(&Form);
    ChannelWindows().Register(QStringLiteral("TKvdTcDlg"), [window](const TChannelWindowContext&) {
        if (window)
            window->Execute();
    });
}
