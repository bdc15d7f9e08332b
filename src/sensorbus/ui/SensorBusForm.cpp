#include "sensorbus/ui/SensorBusForm.h"

#include "bus/AccessPoint.h"
#include "localization/SensorBusLanguage.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "platform/ExchangeGuard.h"
#include "sensorbus/SensorImage.h"
#include "sensorbus/ui/TSMSBusView.h"
#include "sensorbus/ui/WndFramework.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

namespace {

const auto& T() {
    return SensorBusTexts();
}

QString YesNo(bool On) {
    return On ? T().Yes : T().No;
}

// The busy cursor for the lifetime of the object.
struct TWaitCursor {
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

QSpinBox* LimitEdit(QWidget* Parent) {
    auto* e = new QSpinBox(Parent);
    e->setRange(-32768, 32767);
    return e;
}

} // namespace

// ---- the sensor list ----

int TSensorListModel::rowCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : int(FRows.size());
}

int TSensorListModel::columnCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : cCount;
}

QString TSensorListModel::Text(int Row, int Column) const {
    if (Row < 0 || Row >= int(FRows.size()))
        return {};
    const TSensorRow& r = FRows[size_t(Row)];
    const auto number = [](double v) { return QString::number(v, 'f', 2); };
    switch (Column) {
    case cNumber:
        return QString::number(Row + 1);
    case cSensor:
        return !r.Cpu && SensorKindHasIdentifier(r.Kind) ? r.Mac.Text() : T().Mcu;
    case cValue:
        switch (TemperatureLook(r)) {
        case TCellLook::Value:
            return number(r.Temperature);
        case TCellLook::Error:
            return T().Error;
        default:
            return {};
        }
    case cHumidity:
        switch (HumidityLook(r)) {
        case TCellLook::Value:
            return number(r.Humidity);
        case TCellLook::Error:
            return T().Error;
        case TCellLook::Placeholder:
            return T().NoHumidity;
        default:
            return {};
        }
    default:
        break;
    }
    if (!r.HasLimits)
        return {};
    switch (Column) {
    case cAlarm:
        return YesNo(r.Limits.AlarmOn());
    case cAlarmMin:
        return QString::number(r.Limits.AlarmMin);
    case cAlarmMax:
        return QString::number(r.Limits.AlarmMax);
    case cRelay:
        return YesNo(r.Limits.RelayOn());
    case cRelayMin:
        return QString::number(r.Limits.RelayMin);
    case cRelayMax:
        return QString::number(r.Limits.RelayMax);
    default:
        return {};
    }
}

QVariant TSensorListModel::data(const QModelIndex& Index, int Role) const {
    if (!Index.isValid())
        return {};
    if (Role == Qt::DisplayRole)
        return Text(Index.row(), Index.column());
    if (Role == Qt::TextAlignmentRole && Index.column() != cSensor)
        return QVariant(int(Qt::AlignRight) | int(Qt::AlignVCenter));
    return {};
}

QVariant TSensorListModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole)
        return {};
    const auto& t = T();
    const QString names[cCount] = {t.ColNumber,   t.ColSensor,   t.ColValue, t.ColHumidity, t.ColAlarm,
                                   t.ColAlarmMin, t.ColAlarmMax, t.ColRelay, t.ColRelayMin, t.ColRelayMax};
    return Section >= 0 && Section < cCount ? names[Section] : QVariant();
}

void TSensorListModel::SetRows(std::vector<TSensorRow> Rows) {
    beginResetModel();
    FRows = std::move(Rows);
    endResetModel();
}

void TSensorListModel::ValuesChanged() {
    if (!FRows.empty())
        Q_EMIT dataChanged(index(0, cValue), index(int(FRows.size()) - 1, cHumidity));
}

void TSensorListModel::RowChanged(int Row) {
    Q_EMIT dataChanged(index(Row, 0), index(Row, cCount - 1));
}

void TSensorListModel::SwapRows(int A, int B) {
    std::swap(FRows[size_t(A)], FRows[size_t(B)]);
    // The sensors keep their numbers on the bus: what moves is which identifier holds them.
    std::swap(FRows[size_t(A)].Sensor, FRows[size_t(B)].Sensor);
    RowChanged(A);
    RowChanged(B);
}

void TSensorListModel::Retranslate() {
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, cCount - 1);
    if (!FRows.empty())
        Q_EMIT dataChanged(index(0, 0), index(int(FRows.size()) - 1, cCount - 1));
}

// ---- limits ----

TSensorLimitsDlg::TSensorLimitsDlg(QWidget* Parent) : QDialog(Parent) {
    auto* form = new QFormLayout(this);
    AlarmCheck = new QCheckBox(this);
    RelayCheck = new QCheckBox(this);
    AlarmMinEdit = LimitEdit(this);
    AlarmMaxEdit = LimitEdit(this);
    RelayMinEdit = LimitEdit(this);
    RelayMaxEdit = LimitEdit(this);
    AlarmMinLb = new QLabel(this);
    AlarmMaxLb = new QLabel(this);
    RelayMinLb = new QLabel(this);
    RelayMaxLb = new QLabel(this);
    form->addRow(AlarmCheck);
    form->addRow(AlarmMinLb, AlarmMinEdit);
    form->addRow(AlarmMaxLb, AlarmMaxEdit);
    form->addRow(RelayCheck);
    form->addRow(RelayMinLb, RelayMinEdit);
    form->addRow(RelayMaxLb, RelayMaxEdit);
    auto* buttons = new QHBoxLayout;
    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CancelBtn);
    form->addRow(buttons);
    connect(ApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TSensorLimitsDlg::Setup(const TSensorLimits& L) {
    FOtherFlags = L.Flags & ~0xC0u;
    AlarmCheck->setChecked(L.AlarmOn());
    RelayCheck->setChecked(L.RelayOn());
    AlarmMinEdit->setValue(L.AlarmMin);
    AlarmMaxEdit->setValue(L.AlarmMax);
    RelayMinEdit->setValue(L.RelayMin);
    RelayMaxEdit->setValue(L.RelayMax);
}

TSensorLimits TSensorLimitsDlg::Limits() const {
    TSensorLimits l;
    l.Flags = FOtherFlags;
    l.SetAlarmOn(AlarmCheck->isChecked());
    l.SetRelayOn(RelayCheck->isChecked());
    l.AlarmMin = AlarmMinEdit->value();
    l.AlarmMax = AlarmMaxEdit->value();
    l.RelayMin = RelayMinEdit->value();
    l.RelayMax = RelayMaxEdit->value();
    return l;
}

void TSensorLimitsDlg::UpdateLanguage() {
    const auto& t = T();
    setWindowTitle(t.Limits);
    AlarmCheck->setText(t.AllowSound);
    RelayCheck->setText(t.AllowRelay);
    AlarmMinLb->setText(t.AlarmMinimum);
    AlarmMaxLb->setText(t.AlarmMaximum);
    RelayMinLb->setText(t.RelayMinimum);
    RelayMaxLb->setText(t.RelayMaximum);
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
}

// ---- additional options ----

TAddOptionsDlg::TAddOptionsDlg(QWidget* Parent) : QDialog(Parent) {
    auto* form = new QFormLayout(this);
    RelayDefaultCheck = new QCheckBox(this);
    ErrorTempEdit = LimitEdit(this);
    ErrorHumEdit = LimitEdit(this);
    JumpEdit = new QSpinBox(this);
    JumpEdit->setRange(0, 255);
    ErrorTempLb = new QLabel(this);
    ErrorHumLb = new QLabel(this);
    JumpLb = new QLabel(this);
    form->addRow(RelayDefaultCheck);
    form->addRow(ErrorTempLb, ErrorTempEdit);
    form->addRow(ErrorHumLb, ErrorHumEdit);
    form->addRow(JumpLb, JumpEdit);
    auto* buttons = new QHBoxLayout;
    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CancelBtn);
    form->addRow(buttons);
    connect(ApplyBtn, &QPushButton::clicked, this, &TAddOptionsDlg::ApplyBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TAddOptionsDlg::Setup(const TDeviceOptions& O, bool Signalling) {
    FOptions = O;
    RelayDefaultCheck->setChecked(O.RelayDefault);
    RelayDefaultCheck->setEnabled(Signalling);
    ErrorTempEdit->setValue(O.ErrorTemperature);
    ErrorHumEdit->setValue(O.ErrorHumidity);
    JumpEdit->setValue(O.TemperatureJump);
}

TDeviceOptions TAddOptionsDlg::Options() const {
    TDeviceOptions o = FOptions;
    o.RelayDefault = RelayDefaultCheck->isChecked();
    o.ErrorTemperature = ErrorTempEdit->value();
    o.ErrorHumidity = ErrorHumEdit->value();
    o.TemperatureJump = JumpEdit->value();
    return o;
}

void TAddOptionsDlg::ApplyBtnClick() {
    if (JumpEdit->value() <= 0) {
        if (OnMessage)
            OnMessage(T().ValueAboveNull);
        else
            QMessageBox::warning(this, windowTitle(), T().ValueAboveNull);
        JumpEdit->setFocus();
        return;
    }
    accept();
}

void TAddOptionsDlg::UpdateLanguage() {
    const auto& t = T();
    setWindowTitle(t.AdditionalOptions);
    RelayDefaultCheck->setText(t.RelayActiveDefault);
    ErrorTempLb->setText(t.ErrorTempValue);
    ErrorHumLb->setText(t.ErrorHumValue);
    JumpLb->setText(t.MaxJump);
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
}

// ---- scan progress ----

TScanProgressDlg::TScanProgressDlg(QWidget* Parent) : QDialog(Parent) {
    auto* box = new QVBoxLayout(this);
    TextLb = new QLabel(this);
    Bar = new QProgressBar(this);
    Bar->setRange(0, kLimitMs);
    Bar->setTextVisible(false);
    box->addWidget(TextLb);
    box->addWidget(Bar);
    setMinimumWidth(320);
    Timer = new QTimer(this);
    Timer->setInterval(kTickMs);
    connect(Timer, &QTimer::timeout, this, &TScanProgressDlg::Tick);
    UpdateLanguage();
}

void TScanProgressDlg::UpdateLanguage() {
    setWindowTitle(T().Search);
    TextLb->setText(T().BusScan);
}

bool TScanProgressDlg::Run(std::function<bool()> ReadCount) {
    FReadCount = std::move(ReadCount);
    FAnswered = false;
    Bar->setValue(0);
    FClock.start();
    Timer->start();
    const int result = exec();
    Timer->stop();
    return result == QDialog::Accepted && FAnswered;
}

void TScanProgressDlg::Tick() {
    if (FInTick || FAnswered)
        return;
    FInTick = true;
    // Measured from the start, so a device that answers slowly still ends the wait at 3 s.
    const qint64 elapsed = FClock.elapsed();
    if (elapsed >= kLimitMs) {
        Timer->stop();
        FInTick = false;
        reject();
        return;
    }
    Bar->setValue(int(elapsed));
    if (FReadCount && FReadCount()) {
        FAnswered = true;
        Timer->stop();
        Bar->setValue(kLimitMs);
        QTimer::singleShot(kSettleMs, this, &QDialog::accept);
    }
    FInTick = false;
}

// ---- the window ----

TKVD_VEVA_BUSDlg::TKVD_VEVA_BUSDlg(QWidget* Parent) : QWidget(Parent) {
    Frm = new TWndFrmClient(this);
    Frm->OnNewDevice = [this] { NewDevice(); };
    Frm->OnExecute = [this] { Execute(); };
    Frm->OnSaveToFlash = [this] { SaveToFlash(); };
    Frm->OnStartStop = [this](bool) { EnableActions(FActions); };

    auto* main = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    lbBus = new QLabel(this);
    BusCombo = new QComboBox(this);
    lbBusIndex = new QLabel(this);
    BusIndexLb = new QLabel(this);
    lbSensorCount = new QLabel(this);
    SensorCountLb = new QLabel(this);
    lbSensorIndex = new QLabel(this);
    SensorIndexLb = new QLabel(this);
    lbSwapIndex = new QLabel(this);
    SwapIndexLb = new QLabel(this);
    PowerCheck = new QCheckBox(this);
    PowerLb = new QLabel(this);
    lbDefaultRelay = new QLabel(this);
    DefaultRelayLb = new QLabel(this);
    top->addWidget(lbBus, 0, 0);
    top->addWidget(BusCombo, 0, 1);
    top->addWidget(lbBusIndex, 0, 2);
    top->addWidget(BusIndexLb, 0, 3);
    top->addWidget(lbSensorCount, 0, 4);
    top->addWidget(SensorCountLb, 0, 5);
    top->addWidget(PowerCheck, 1, 0, 1, 1);
    top->addWidget(PowerLb, 1, 1);
    top->addWidget(lbSensorIndex, 1, 2);
    top->addWidget(SensorIndexLb, 1, 3);
    top->addWidget(lbSwapIndex, 1, 4);
    top->addWidget(SwapIndexLb, 1, 5);
    top->addWidget(lbDefaultRelay, 2, 0, 1, 1);
    top->addWidget(DefaultRelayLb, 2, 1);
    top->setColumnStretch(6, 1);
    main->addLayout(top);

    FModel = new TSensorListModel(this);
    SensorView = new QTableView(this);
    SensorView->setModel(FModel);
    SensorView->setSelectionBehavior(QAbstractItemView::SelectRows);
    SensorView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SensorView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SensorView->verticalHeader()->hide();
    SensorView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SensorView->horizontalHeader()->setStretchLastSection(true);
    // A selected row would set the headers in bold, wider than the columns were sized for: the
    // longer Ukrainian headers then run into each other.
    SensorView->horizontalHeader()->setHighlightSections(false);
    SensorView->setMinimumHeight(300);
    main->addWidget(SensorView, 1);

    auto* buttons = new QGridLayout;
    UpdateBtn = new QPushButton(this);
    SwapBtn = new QPushButton(this);
    EditBtn = new QPushButton(this);
    OptionsBtn = new QPushButton(this);
    OpenMacBtn = new QPushButton(this);
    SaveMacBtn = new QPushButton(this);
    ImageToDiskBtn = new QPushButton(this);
    ImagesBtn = new QPushButton(this);
    QPushButton* all[] = {UpdateBtn,  SwapBtn,    EditBtn,        OptionsBtn,
                          OpenMacBtn, SaveMacBtn, ImageToDiskBtn, ImagesBtn};
    for (int i = 0; i < 8; ++i) {
        all[i]->setAutoDefault(false);
        buttons->addWidget(all[i], i / 4, i % 4);
    }
    main->addLayout(buttons);

    LimitsDlg = new TSensorLimitsDlg(this);
    OptionsDlg = new TAddOptionsDlg(this);
    OptionsDlg->OnMessage = [this](const QString& t) { Message(t); };
    ScanDlg = new TScanProgressDlg(this);
    ImageView = new TTSMSBusView(this);

    connect(BusCombo, &QComboBox::currentIndexChanged, this, &TKVD_VEVA_BUSDlg::BusComboChange);
    connect(UpdateBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::UpdateBtnClick);
    connect(SwapBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::SwapBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::EditBtnClick);
    connect(OptionsBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::OptionsBtnClick);
    connect(OpenMacBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::OpenMacBtnClick);
    connect(SaveMacBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::SaveMacBtnClick);
    connect(ImageToDiskBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::ImageToDiskBtnClick);
    connect(ImagesBtn, &QPushButton::clicked, this, &TKVD_VEVA_BUSDlg::ImagesBtnClick);
    connect(PowerCheck, &QCheckBox::clicked, this, &TKVD_VEVA_BUSDlg::PowerCheckClick);
    connect(SensorView, &QTableView::doubleClicked, this, [this] { EditBtnClick(); });
    connect(SensorView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateSelection(); });
    UpdateLanguage();
    EnableActions(false);
}

TKVD_VEVA_BUSDlg::~TKVD_VEVA_BUSDlg() = default;

void TKVD_VEVA_BUSDlg::UpdateLanguage() {
    const auto& t = T();
    setWindowTitle(t.Caption + (FProps ? QStringLiteral(" — ") + FProps->ModelName : QString()));
    lbBus->setText(t.Bus);
    lbBusIndex->setText(t.BusIndex);
    lbSensorCount->setText(t.SensorCount);
    lbSensorIndex->setText(t.SensorIndex);
    lbSwapIndex->setText(t.SwapIndex);
    PowerCheck->setText(t.ActivePowering);
    lbDefaultRelay->setText(t.DefaultRelay);
    UpdateBtn->setText(t.UpdateList);
    SwapBtn->setText(t.Swap);
    EditBtn->setText(t.Edit);
    OptionsBtn->setText(t.Options);
    OpenMacBtn->setText(t.OpenMacs);
    SaveMacBtn->setText(t.SaveMacs);
    ImageToDiskBtn->setText(t.ImageToDisk);
    ImagesBtn->setText(t.Images);
    for (int i = 0; i < BusCombo->count(); ++i)
        BusCombo->setItemText(i, QStringLiteral("%1 %2").arg(t.Bus).arg(BusCombo->itemData(i).toInt() + 1));
    PowerLb->setText(FPower ? YesNo(*FPower) : QString());
    DefaultRelayLb->setText(FRelayDefault ? (*FRelayDefault ? t.On : t.Off) : QString());
    FModel->Retranslate();
    FitColumns();
    LimitsDlg->UpdateLanguage();
    OptionsDlg->UpdateLanguage();
    ScanDlg->UpdateLanguage();
    ImageView->UpdateLanguage();
}

void TKVD_VEVA_BUSDlg::SetDevice(TZUVOModule* Module, const TDeviceProps* Props, int Channel) {
    FModule = Module;
    FProps = Props;
    FChannel = Channel;
    FDevice.reset();
    if (Module && Props)
        FDevice = std::make_unique<TSensorBusDevice>(*Module, Props->TypeCode, Props->ChannelMask);
    FBus = -1;
    ClearList();
    UpdateLanguage();
}

void TKVD_VEVA_BUSDlg::Execute(TWndFrameworkDlg& Host, TZUVOModule* Module, const TDeviceProps* Props,
                               int Channel) {
    SetDevice(Module, Props, Channel);
    Host.Execute(this, *Frm, Module, Props);
}

void TKVD_VEVA_BUSDlg::FitColumns() {
    // The list is as wide as its columns need, in every language: no column hides behind a scroll
    // bar when the window opens.
    SensorView->resizeColumnsToContents();
    const int width = SensorView->horizontalHeader()->length() + 2 * SensorView->frameWidth() +
                      SensorView->verticalScrollBar()->sizeHint().width();
    SensorView->setMinimumWidth(std::max(width, 600));
}

bool TKVD_VEVA_BUSDlg::Idle() const {
    if (FBusy)
        return false;
    const TAccessPoint* ap = FModule ? FModule->AP() : nullptr;
    return !ap || !ap->Busy();
}

bool TKVD_VEVA_BUSDlg::Exchange(const std::function<bool()>& Work, const QString& Failure, bool Wait) {
    bool ok = false;
    {
        TExchangeGuard guard(FBusy);
        if (guard.Acquired()) {
            std::optional<TWaitCursor> cursor;
            if (Wait)
                cursor.emplace();
            ok = Work();
        }
    }
    // Shown after the guard is released: the message box runs events, and a poll they start must not
    // find the line taken.
    if (!ok && !Failure.isEmpty())
        Message(Failure);
    return ok;
}

void TKVD_VEVA_BUSDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::warning(this, windowTitle(), Text);
}

bool TKVD_VEVA_BUSDlg::Ask(const QString& Text) {
    if (OnAsk)
        return OnAsk(Text);
    return QMessageBox::question(this, windowTitle(), Text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

int TKVD_VEVA_BUSDlg::RunDialog(QDialog& Dialog) {
    if (OnRunDialog)
        return OnRunDialog(Dialog);
    return Dialog.exec();
}

QString TKVD_VEVA_BUSDlg::FileName(bool Save, const QString& Filter, const QString& Suffix) {
    if (OnFileName)
        return OnFileName(Save, Filter, Suffix);
    QString name;
    if (!Save)
        return QFileDialog::getOpenFileName(this, QString(), QString(), Filter);
    name = QFileDialog::getSaveFileName(this, QString(), QString(), Filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return {};
    if (QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + Suffix;
    if (QFileInfo::exists(name) && !Ask(T().FileExists))
        return {};
    return name;
}

void TKVD_VEVA_BUSDlg::EnableActions(bool On) {
    FActions = On;
    const bool device = On && FDevice && FBus >= 0;
    for (QWidget* w : std::initializer_list<QWidget*>{BusCombo, UpdateBtn, OpenMacBtn, SaveMacBtn, PowerCheck,
                                                      OptionsBtn, ImageToDiskBtn, ImagesBtn})
        w->setEnabled(device);
    UpdateSelection();
}

std::vector<int> TKVD_VEVA_BUSDlg::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : SensorView->selectionModel()->selectedRows())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TKVD_VEVA_BUSDlg::UpdateSelection() {
    const std::vector<int> rows = SelectedRows();
    auto sensorOf = [this](int row) {
        const auto& r = FModel->Rows();
        return row >= 0 && row < int(r.size()) ? r[size_t(row)].Sensor : -1;
    };
    SensorIndexLb->setText(QString::number(rows.empty() ? -1 : sensorOf(rows[0])));
    SwapIndexLb->setText(QString::number(rows.size() == 2 ? sensorOf(rows[1]) : -1));
    const bool device = FActions && FDevice && FBus >= 0;
    SwapBtn->setEnabled(device && rows.size() == 2 && rows[0] != 0 && rows[1] != 0 && rows[0] != rows[1]);
    EditBtn->setEnabled(device && rows.size() == 1 && FDevice->HasSignalling() &&
                        FModel->Rows()[size_t(rows[0])].HasLimits);
}

void TKVD_VEVA_BUSDlg::ClearList() {
    FModel->SetRows({});
    BusIndexLb->setText(QString::number(FBus + 1));
    SensorCountLb->clear();
    SensorIndexLb->setText(QStringLiteral("-1"));
    SwapIndexLb->setText(QStringLiteral("-1"));
}

void TKVD_VEVA_BUSDlg::NewDevice() {
    EnableActions(false);
    FFilling = true;
    BusCombo->clear();
    FFilling = false;
    FBus = -1;
    ClearList();
    FPower.reset();
    FRelayDefault.reset();
    PowerLb->clear();
    DefaultRelayLb->clear();
    if (!FDevice)
        return;
    if (FDevice->Buses().empty()) {
        Message(T().NoBuses);
        return;
    }
    const int chosen = FDevice->BusForChannel(FChannel);
    FFilling = true;
    for (const auto& b : FDevice->Buses()) {
        BusCombo->addItem(QStringLiteral("%1 %2").arg(T().Bus).arg(b.Number + 1), b.Number);
        if (b.Number == chosen)
            BusCombo->setCurrentIndex(BusCombo->count() - 1);
    }
    FFilling = false;
    FBus = chosen;
    FillSensorList();
    FillBusOptions();
    ReadOptions();
    EnableActions(true);
}

void TKVD_VEVA_BUSDlg::BusComboChange(int Index) {
    if (FFilling || Index < 0 || !FDevice)
        return;
    const int bus = BusCombo->itemData(Index).toInt();
    if (bus == FBus)
        return;
    FBus = bus;
    FillSensorList();
    FillBusOptions();
}

void TKVD_VEVA_BUSDlg::FillSensorList() {
    if (!FDevice || FBus < 0)
        return;
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return;
    TWaitCursor wait;
    ClearList();
    std::vector<TSensorRow> rows;
    FDevice->FillSensorList(FBus, rows);
    if (FDevice->LastFailure() == TSensorBusDevice::TFailure::TooManySensors) {
        Message(T().TooManySensors.arg(FDevice->LastCount()).arg(kMaxSensors));
        return;
    }
    if (rows.empty())
        return;
    SensorCountLb->setText(QString::number(int(rows.size()) - 1));
    FModel->SetRows(std::move(rows));
    FitColumns();
    UpdateSelection();
}

void TKVD_VEVA_BUSDlg::FillBusOptions() {
    if (!FDevice || FBus < 0)
        return;
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return;
    FPower = FDevice->ReadPowerActive(FBus);
    PowerCheck->setChecked(FPower.value_or(false));
    PowerLb->setText(FPower ? YesNo(*FPower) : QString());
}

void TKVD_VEVA_BUSDlg::ReadOptions() {
    if (!FDevice)
        return;
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return;
    const auto options = FDevice->ReadOptions();
    FRelayDefault.reset();
    if (options && FDevice->HasSignalling())
        FRelayDefault = options->RelayDefault;
    DefaultRelayLb->setText(FRelayDefault ? (*FRelayDefault ? T().On : T().Off) : QString());
}

void TKVD_VEVA_BUSDlg::Execute() {
    if (!FDevice || FBus < 0 || FModel->Rows().empty() || !Idle())
        return;
    TExchangeGuard guard(FBusy);
    std::vector<TSensorRow> rows = FModel->Rows();
    FDevice->Poll(FBus, rows);
    // Rows read before a failure keep their new values; the list itself is not changed by a poll.
    if (rows.size() == FModel->Rows().size()) {
        FModel->Rows() = std::move(rows);
        FModel->ValuesChanged();
    }
}

void TKVD_VEVA_BUSDlg::SaveToFlash() {
    if (FModule && FModule->Ok) {
        FModule->Modified = false;
        Message(T().ParametersSaved);
    } else {
        Message(T().ErrorSavingParameters);
    }
}

void TKVD_VEVA_BUSDlg::UpdateBtnClick() {
    if (!FDevice || FBus < 0 || !Idle())
        return;
    if (!Exchange([this] { return FDevice->StartScan(FBus); }, T().CommandWritingError))
        return;
    const bool found = ScanDlg->Run([this] {
        TExchangeGuard guard(FBusy);
        return guard.Acquired() && FDevice->ReadSensorCount(FBus).has_value();
    });
    if (found) {
        FillSensorList();
    } else {
        ClearList();
        Message(T().BusScanningError);
    }
}

void TKVD_VEVA_BUSDlg::SwapBtnClick() {
    const std::vector<int> rows = SelectedRows();
    if (!FDevice || rows.size() != 2 || rows[0] == 0 || rows[1] == 0 || !Idle())
        return;
    auto& list = FModel->Rows();
    const int a = list[size_t(rows[0])].Sensor, b = list[size_t(rows[1])].Sensor;
    if (!Exchange([&] { return FDevice->Swap(FBus, a, b); }, T().ErrorWritingController))
        return;
    FModel->SwapRows(rows[0], rows[1]);
    UpdateSelection();
}

void TKVD_VEVA_BUSDlg::EditBtnClick() {
    const std::vector<int> rows = SelectedRows();
    if (!FDevice || !FDevice->HasSignalling() || rows.size() != 1 || !Idle())
        return;
    TSensorRow& row = FModel->Rows()[size_t(rows[0])];
    if (!row.HasLimits)
        return;
    LimitsDlg->Setup(row.Limits);
    if (RunDialog(*LimitsDlg) != QDialog::Accepted)
        return;
    const TSensorLimits limits = LimitsDlg->Limits();
    const int sensor = row.Cpu ? kCpuSensor : row.Sensor;
    if (!Exchange([&] { return FDevice->WriteLimits(FBus, sensor, limits); }, T().ErrorWritingController))
        return;
    FModule->Modified = true;
    FModel->Rows()[size_t(rows[0])].Limits = limits;
    FModel->RowChanged(rows[0]);
}

void TKVD_VEVA_BUSDlg::PowerCheckClick() {
    if (!FDevice || FBus < 0)
        return;
    const bool on = PowerCheck->isChecked();
    if (Exchange([&] { return FDevice->WritePowerActive(FBus, on); }, T().ErrorWritingController))
        FModule->Modified = true;
    FillBusOptions();
}

void TKVD_VEVA_BUSDlg::OptionsBtnClick() {
    if (!FDevice || !Idle())
        return;
    std::optional<TDeviceOptions> options;
    if (!Exchange(
            [&] {
                options = FDevice->ReadOptions();
                return options.has_value();
            },
            T().ErrorReading))
        return;
    OptionsDlg->Setup(*options, FDevice->HasSignalling());
    if (RunDialog(*OptionsDlg) != QDialog::Accepted)
        return;
    const TDeviceOptions chosen = OptionsDlg->Options();
    if (Exchange([&] { return FDevice->WriteOptions(chosen); }, T().ErrorWritingController))
        FModule->Modified = true;
    ReadOptions();
}

QString MacReadMessage(const TMacReadResult& R) {
    const auto& t = T();
    switch (R.Fault) {
    case TMacReadResult::BadValue:
        return t.ErrorInLineValue + QString::number(R.Line) + QStringLiteral(": [") + R.LineText +
               QStringLiteral("]\n") + t.IncorrectMacValue;
    case TMacReadResult::BadLength:
        return t.ErrorInLineLength + QString::number(R.Line) + QStringLiteral(": [") + R.LineText +
               QStringLiteral("]\n") + t.IncorrectMacLength;
    case TMacReadResult::ReadError:
        return t.FileReadingError;
    default:
        return {};
    }
}

QString ImageCheckMessage(const TImageCheck& C) {
    const auto& t = T();
    switch (C.Fault) {
    case TImageFault::NoFile:
        return t.FileReadingError;
    case TImageFault::NotAnImage:
        return t.NotAnImage;
    case TImageFault::TooManyBuses:
        return t.ImageTooManyBuses.arg(kMaxImageBuses);
    case TImageFault::TooManySensors:
        return t.ImageTooManySensors.arg(C.Bus + 1).arg(kMaxBusSensors);
    case TImageFault::BadSerial:
        return t.ImageBadSerial.arg(C.Bus + 1).arg(C.Sensor + 1);
    case TImageFault::BadValue:
        return t.ImageBadValue;
    default:
        return {};
    }
}

void TKVD_VEVA_BUSDlg::OpenMacBtnClick() {
    if (!FDevice || FBus < 0 || !Idle())
        return;
    const QString name = FileName(false, T().MacFilter, QStringLiteral("mac"));
    if (name.isEmpty())
        return;
    TMACList list;
    const TMacReadResult read = ReadMacFile(name, list);
    if (!read.Ok()) {
        Message(MacReadMessage(read));
        return;
    }
    int failedAt = -1;
    // The message depends on how the store failed, so it is made here.
    if (!Exchange([&] { return FDevice->StoreIdentifiers(FBus, list, &failedAt); })) {
        QString text = T().MacWritingError;
        if (FDevice->LastFailure() == TSensorBusDevice::TFailure::TooManySensors)
            text += QLatin1Char('\n') + T().TooManySensors.arg(list.size()).arg(kMaxSensors);
        else if (failedAt >= 0)
            text += QLatin1Char('\n') +
                    T().MacStoreFailedAt.arg(failedAt + 1).arg(list[size_t(failedAt)].Text()) +
                    QLatin1Char('\n') + T().NotCommitted;
        Message(text);
    } else {
        FModule->Modified = true;
    }
    FillSensorList();
}

void TKVD_VEVA_BUSDlg::SaveMacBtnClick() {
    if (!FDevice || FModel->Rows().size() < 2)
        return;
    const QString name = FileName(true, T().MacFilter, QStringLiteral("mac"));
    if (name.isEmpty())
        return;
    TMACList list;
    for (const TSensorRow& r : FModel->Rows())
        if (!r.Cpu)
            list.push_back(r.Mac);
    if (!WriteMacFile(name, list))
        Message(T().FileWriteError);
}

void TKVD_VEVA_BUSDlg::ImageToDiskBtnClick() {
    if (!FDevice || !Idle())
        return;
    const QString name = FileName(true, T().TsiFilter, QStringLiteral("tsi"));
    if (name.isEmpty())
        return;
    TSensorImage image;
    if (!Exchange([&] { return FDevice->ReadImage(image); }, T().ErrorReading, true))
        return;
    if (!SaveSensorImage(name, image))
        Message(T().FileWriteError);
}

void TKVD_VEVA_BUSDlg::ImagesBtnClick() {
    if (!FDevice || !Idle())
        return;
    ImageView->OnMessage = OnMessage;
    ImageView->OnAsk = OnAsk;
    ImageView->OnFileName = OnFileName;
    ImageView->OnRunDialog = OnRunDialog;
    ImageView->SetDevice(FDevice.get(), &FBusy);
    RunDialog(*ImageView);
    const bool written = ImageView->WrittenToDevice();
    ImageView->SetDevice(nullptr, nullptr);
    if (written) {
        FModule->Modified = true;
        FillSensorList();
        FillBusOptions();
        ReadOptions();
    }
}
