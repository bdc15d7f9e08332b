#include "sensorbus/ui/TSMSBusView.h"

#include "localization/SensorBusLanguage.h"
#include "platform/ExchangeGuard.h"
#include "sensorbus/MacList.h"
#include "sensorbus/SensorBusDevice.h"
#include "sensorbus/SensorImage.h"
#include "sensorbus/ui/SensorBusForm.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const auto& T() {
    return SensorBusTexts();
}

// The sensor dialog of the editor: the limits with the identifier on top.
class TSensorItemDlg : public TSensorLimitsDlg {
public:
    explicit TSensorItemDlg(QWidget* Parent) : TSensorLimitsDlg(Parent) {
        SerialEdit = new QLineEdit(this);
        SerialEdit->setMaxLength(16);
        SerialEdit->setInputMask(QString());
        SerialLb = new QLabel(T().Identifier, this);
        static_cast<QFormLayout*>(layout())->insertRow(0, SerialLb, SerialEdit);
    }
    void accept() override {
        if (SerialEdit->isVisible() && !TOneWireMAC::Parse(SerialEdit->text().trimmed())) {
            if (OnMessage)
                OnMessage(T().BadIdentifier);
            else
                QMessageBox::warning(this, windowTitle(), T().BadIdentifier);
            return;
        }
        TSensorLimitsDlg::accept();
    }
    QLineEdit* SerialEdit;
    QLabel* SerialLb;
    std::function<void(const QString&)> OnMessage;
};

QPushButton* Button(QWidget* Parent, QGridLayout* Grid, int Index) {
    auto* b = new QPushButton(Parent);
    b->setAutoDefault(false);
    Grid->addWidget(b, Index / 7, Index % 7);
    return b;
}

QString LimitsText(const TSensorItem& S) {
    return QStringLiteral("%1 [%2 … %3]   %4 [%5 … %6]")
        .arg(S.AlarmEnabled ? T().Yes : T().No)
        .arg(S.AlarmMin)
        .arg(S.AlarmMax)
        .arg(S.RelayEnabled ? T().Yes : T().No)
        .arg(S.RelayMin)
        .arg(S.RelayMax);
}

} // namespace

TTSMSBusView::TTSMSBusView(QWidget* Parent) : QDialog(Parent), FImage(std::make_unique<TSensorImage>()) {
    auto* main = new QVBoxLayout(this);
    Tree = new QTreeWidget(this);
    Tree->setColumnCount(3);
    Tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Tree->setMinimumSize(640, 300);
    main->addWidget(Tree, 1);
    auto* grid = new QGridLayout;
    int i = 0;
    for (QPushButton** b :
         {&OpenBtn, &SaveBtn, &SaveAsBtn, &AddBusBtn, &AddSensorBtn, &EditBtn, &DeleteBtn, &UpBtn, &DownBtn,
          &CpuBtn, &AddPropsBtn, &ToDeviceBtn, &BusToDeviceBtn, &CloseBtn})
        *b = Button(this, grid, i++);
    main->addLayout(grid);
    connect(OpenBtn, &QPushButton::clicked, this, &TTSMSBusView::OpenBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TTSMSBusView::SaveBtnClick);
    connect(SaveAsBtn, &QPushButton::clicked, this, &TTSMSBusView::SaveAsBtnClick);
    connect(AddBusBtn, &QPushButton::clicked, this, &TTSMSBusView::AddBusBtnClick);
    connect(AddSensorBtn, &QPushButton::clicked, this, &TTSMSBusView::AddSensorBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TTSMSBusView::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TTSMSBusView::DeleteBtnClick);
    connect(UpBtn, &QPushButton::clicked, this, &TTSMSBusView::UpBtnClick);
    connect(DownBtn, &QPushButton::clicked, this, &TTSMSBusView::DownBtnClick);
    connect(CpuBtn, &QPushButton::clicked, this, &TTSMSBusView::CpuBtnClick);
    connect(AddPropsBtn, &QPushButton::clicked, this, &TTSMSBusView::AddPropsBtnClick);
    connect(ToDeviceBtn, &QPushButton::clicked, this, &TTSMSBusView::ToDeviceBtnClick);
    connect(BusToDeviceBtn, &QPushButton::clicked, this, &TTSMSBusView::BusToDeviceBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TTSMSBusView::reject);
    connect(Tree, &QTreeWidget::itemSelectionChanged, this, [this] { EnableButtons(); });
    connect(Tree, &QTreeWidget::itemDoubleClicked, this, [this] { EditBtnClick(); });
    UpdateLanguage();
    Refresh();
}

TTSMSBusView::~TTSMSBusView() = default;

void TTSMSBusView::SetDevice(TSensorBusDevice* Device, bool* Busy) {
    FDevice = Device;
    FBusy = Busy;
    FWritten = false;
    EnableButtons();
}

void TTSMSBusView::UpdateLanguage() {
    const auto& t = T();
    Tree->setHeaderLabels({t.Bus, t.Identifier, t.ColAlarm + QStringLiteral(" / ") + t.ColRelay});
    OpenBtn->setText(t.Open);
    SaveBtn->setText(t.Save);
    SaveAsBtn->setText(t.SaveAs);
    AddBusBtn->setText(t.AddBus);
    AddSensorBtn->setText(t.AddSensor);
    EditBtn->setText(t.Edit);
    DeleteBtn->setText(t.Delete);
    UpBtn->setText(t.Up);
    DownBtn->setText(t.Down);
    CpuBtn->setText(t.CpuSensor);
    AddPropsBtn->setText(t.AddProperties);
    ToDeviceBtn->setText(t.ImageToDevice);
    BusToDeviceBtn->setText(t.BusToDevice);
    CloseBtn->setText(t.Close);
    UpdateCaption();
    Refresh();
}

void TTSMSBusView::UpdateCaption() {
    const QString name = FFileName.isEmpty() ? T().Untitled : QFileInfo(FFileName).fileName();
    setWindowTitle(
        QStringLiteral("%1 — %2%3").arg(T().DeviceImage, name, FModified ? QStringLiteral(" *") : QString()));
}

void TTSMSBusView::Refresh() {
    int bus = -1, sensor = -1;
    const bool had = Selected(bus, sensor);
    Tree->clear();
    const TBusList& buses = *FImage->Buses();
    for (int b = 0; b < buses.Count(); ++b) {
        const TBusItem& item = *buses.Bus(b);
        auto* top = new QTreeWidgetItem(Tree);
        top->setText(0, QStringLiteral("%1 %2").arg(T().Bus).arg(b + 1));
        top->setText(1, item.Note);
        top->setText(2, item.PowerActive ? T().PowerActive : QString());
        for (int s = 0; s < item.Sensors()->Count(); ++s) {
            const TSensorItem& si = *item.Sensors()->Sensor(s);
            auto* child = new QTreeWidgetItem(top);
            child->setText(0, QString::number(s + 1));
            child->setText(1, si.Serial);
            child->setText(2, LimitsText(si));
        }
        top->setExpanded(true);
    }
    if (had)
        Select(bus, sensor);
    EnableButtons();
}

bool TTSMSBusView::Selected(int& Bus, int& Sensor) const {
    QTreeWidgetItem* item = Tree->currentItem();
    if (!item || !item->isSelected())
        return false;
    if (QTreeWidgetItem* parent = item->parent()) {
        Bus = Tree->indexOfTopLevelItem(parent);
        Sensor = parent->indexOfChild(item);
    } else {
        Bus = Tree->indexOfTopLevelItem(item);
        Sensor = -1;
    }
    return Bus >= 0;
}

void TTSMSBusView::Select(int Bus, int Sensor) {
    QTreeWidgetItem* top = Tree->topLevelItem(Bus);
    if (!top)
        return;
    QTreeWidgetItem* item = Sensor >= 0 ? top->child(Sensor) : top;
    if (!item)
        item = top;
    Tree->clearSelection();
    Tree->setCurrentItem(item);
    item->setSelected(true);
}

void TTSMSBusView::EnableButtons() {
    int bus = -1, sensor = -1;
    const bool any = Selected(bus, sensor);
    const int busCount = FImage->Buses()->Count();
    AddBusBtn->setEnabled(busCount < kMaxImageBuses);
    AddSensorBtn->setEnabled(any && FImage->Buses()->Bus(bus)->Sensors()->Count() < kMaxBusSensors);
    EditBtn->setEnabled(any);
    DeleteBtn->setEnabled(any);
    UpBtn->setEnabled(any && (sensor >= 0 ? sensor > 0 : bus > 0));
    const int last = sensor >= 0 ? FImage->Buses()->Bus(bus)->Sensors()->Count() - 1 : busCount - 1;
    DownBtn->setEnabled(any && (sensor >= 0 ? sensor : bus) < last);
    ToDeviceBtn->setEnabled(FDevice != nullptr);
    BusToDeviceBtn->setEnabled(FDevice && any && bus < int(FDevice->Buses().size()));
    SaveBtn->setEnabled(FModified || !FFileName.isEmpty());
}

void TTSMSBusView::Changed() {
    FModified = true;
    UpdateCaption();
    Refresh();
}

void TTSMSBusView::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::warning(this, windowTitle(), Text);
}

bool TTSMSBusView::Ask(const QString& Text) {
    if (OnAsk)
        return OnAsk(Text);
    return QMessageBox::question(this, windowTitle(), Text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

int TTSMSBusView::RunDialog(QDialog& Dialog) {
    return OnRunDialog ? OnRunDialog(Dialog) : Dialog.exec();
}

QString TTSMSBusView::AskFileName(bool Save) {
    if (OnFileName)
        return OnFileName(Save, T().TsiFilter, QStringLiteral("tsi"));
    if (!Save)
        return QFileDialog::getOpenFileName(this, QString(), QString(), T().TsiFilter);
    QString name = QFileDialog::getSaveFileName(this, QString(), FFileName, T().TsiFilter, nullptr,
                                                QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return {};
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".tsi");
    if (QFileInfo::exists(name) && name != FFileName && !Ask(T().FileExists))
        return {};
    return name;
}

bool TTSMSBusView::LoadFile(const QString& Name) {
    const TImageCheck check = LoadSensorImage(Name, *FImage);
    if (!check.Ok()) {
        Message(ImageCheckMessage(check));
        return false;
    }
    FFileName = Name;
    FModified = false;
    UpdateCaption();
    Refresh();
    return true;
}

bool TTSMSBusView::SaveFile(const QString& Name) {
    if (!SaveSensorImage(Name, *FImage)) {
        Message(T().FileWriteError);
        return false;
    }
    FFileName = Name;
    FModified = false;
    UpdateCaption();
    EnableButtons();
    return true;
}

void TTSMSBusView::OpenBtnClick() {
    if (FModified && Ask(T().ImageModified)) {
        SaveBtnClick();
        if (FModified)
            return; // not saved: the image in hand stays
    }
    const QString name = AskFileName(false);
    if (!name.isEmpty())
        LoadFile(name);
}

void TTSMSBusView::SaveBtnClick() {
    if (FFileName.isEmpty())
        SaveAsBtnClick();
    else
        SaveFile(FFileName);
}

void TTSMSBusView::SaveAsBtnClick() {
    const QString name = AskFileName(true);
    if (!name.isEmpty())
        SaveFile(name);
}

void TTSMSBusView::AddBusBtnClick() {
    if (FImage->Buses()->Count() >= kMaxImageBuses)
        return;
    FImage->Buses()->Add();
    Changed();
    Select(FImage->Buses()->Count() - 1, -1);
}

void TTSMSBusView::AddSensorBtnClick() {
    int bus = -1, sensor = -1;
    if (!Selected(bus, sensor))
        return;
    TSensorList& sensors = *FImage->Buses()->Bus(bus)->Sensors();
    if (sensors.Count() >= kMaxBusSensors)
        return;
    TSensorItem item;
    if (!EditSensor(item, true))
        return;
    auto* added = qobject_cast<TSensorItem*>(sensors.Add());
    added->Assign(&item);
    Changed();
    Select(bus, sensors.Count() - 1);
}

bool TTSMSBusView::EditSensor(TSensorItem& Item, bool WithSerial) {
    TSensorItemDlg dlg(this);
    dlg.OnMessage = OnMessage;
    dlg.UpdateLanguage();
    dlg.SerialLb->setVisible(WithSerial);
    dlg.SerialEdit->setVisible(WithSerial);
    dlg.SerialEdit->setText(Item.Serial);
    if (!WithSerial)
        dlg.setWindowTitle(T().CpuSensor);
    TSensorLimits l;
    l.SetAlarmOn(Item.AlarmEnabled);
    l.SetRelayOn(Item.RelayEnabled);
    l.AlarmMin = Item.AlarmMin;
    l.AlarmMax = Item.AlarmMax;
    l.RelayMin = Item.RelayMin;
    l.RelayMax = Item.RelayMax;
    dlg.Setup(l);
    if (RunDialog(dlg) != QDialog::Accepted)
        return false;
    if (WithSerial) {
        const auto mac = TOneWireMAC::Parse(dlg.SerialEdit->text().trimmed());
        if (!mac)
            return false;
        Item.Serial = mac->Text();
    }
    l = dlg.Limits();
    Item.AlarmEnabled = l.AlarmOn();
    Item.RelayEnabled = l.RelayOn();
    Item.AlarmMin = l.AlarmMin;
    Item.AlarmMax = l.AlarmMax;
    Item.RelayMin = l.RelayMin;
    Item.RelayMax = l.RelayMax;
    return true;
}

bool TTSMSBusView::EditBus(int Bus) {
    TBusItem& item = *FImage->Buses()->Bus(Bus);
    QDialog dlg(this);
    dlg.setWindowTitle(QStringLiteral("%1 %2").arg(T().Bus).arg(Bus + 1));
    auto* form = new QFormLayout(&dlg);
    auto* power = new QCheckBox(T().PowerActive, &dlg);
    power->setChecked(item.PowerActive);
    auto* note = new QLineEdit(item.Note, &dlg);
    form->addRow(power);
    form->addRow(T().Note, note);
    auto* buttons = new QHBoxLayout;
    auto* apply = new QPushButton(T().Apply, &dlg);
    auto* cancel = new QPushButton(T().Cancel, &dlg);
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(apply, &QPushButton::clicked, &dlg, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &dlg, &QDialog::reject);
    if (RunDialog(dlg) != QDialog::Accepted)
        return false;
    item.PowerActive = power->isChecked();
    item.Note = note->text();
    return true;
}

void TTSMSBusView::EditBtnClick() {
    int bus = -1, sensor = -1;
    if (!Selected(bus, sensor))
        return;
    bool changed;
    if (sensor < 0)
        changed = EditBus(bus);
    else
        changed = EditSensor(*FImage->Buses()->Bus(bus)->Sensors()->Sensor(sensor), true);
    if (changed) {
        Changed();
        Select(bus, sensor);
    }
}

void TTSMSBusView::DeleteBtnClick() {
    // Everything selected of one kind: buses when any bus is selected, else sensors.
    std::vector<std::pair<int, int>> sensors;
    std::vector<int> buses;
    for (QTreeWidgetItem* item : Tree->selectedItems()) {
        if (QTreeWidgetItem* parent = item->parent())
            sensors.push_back({Tree->indexOfTopLevelItem(parent), parent->indexOfChild(item)});
        else
            buses.push_back(Tree->indexOfTopLevelItem(item));
    }
    if (!buses.empty()) {
        if (!Ask(T().DeleteBuses))
            return;
        std::sort(buses.rbegin(), buses.rend());
        for (int b : buses)
            FImage->Buses()->Delete(b);
    } else if (!sensors.empty()) {
        if (!Ask(T().DeleteSensors))
            return;
        std::sort(sensors.rbegin(), sensors.rend());
        for (const auto& [b, s] : sensors)
            FImage->Buses()->Bus(b)->Sensors()->Delete(s);
    } else {
        return;
    }
    Changed();
}

void TTSMSBusView::Move(int Delta) {
    int bus = -1, sensor = -1;
    if (!Selected(bus, sensor))
        return;
    if (sensor >= 0) {
        TSensorList& list = *FImage->Buses()->Bus(bus)->Sensors();
        const int to = sensor + Delta;
        if (to < 0 || to >= list.Count())
            return;
        list.ExchangeItems(sensor, to);
        Changed();
        Select(bus, to);
    } else {
        const int to = bus + Delta;
        if (to < 0 || to >= FImage->Buses()->Count())
            return;
        FImage->Buses()->ExchangeItems(bus, to);
        Changed();
        Select(to, -1);
    }
}

void TTSMSBusView::UpBtnClick() {
    Move(-1);
}

void TTSMSBusView::DownBtnClick() {
    Move(1);
}

void TTSMSBusView::CpuBtnClick() {
    if (EditSensor(*FImage->CpuTemp(), false))
        Changed();
}

void TTSMSBusView::AddPropsBtnClick() {
    TAddProperties& add = *FImage->AddProperties();
    QDialog dlg(this);
    dlg.setWindowTitle(T().AddProperties);
    auto* form = new QFormLayout(&dlg);
    auto* relay = new QCheckBox(T().RelayActiveDefault, &dlg);
    relay->setChecked(add.Value & 1u);
    auto* errorTemp = new QSpinBox(&dlg);
    errorTemp->setRange(-32768, 65535);
    errorTemp->setValue(add.ErrorTempValue);
    auto* jump = new QSpinBox(&dlg);
    jump->setRange(1, 255);
    jump->setValue(std::clamp(add.TempJumpValue, 1, 255));
    form->addRow(relay);
    form->addRow(T().ErrorTempValue, errorTemp);
    form->addRow(T().MaxJump, jump);
    auto* buttons = new QHBoxLayout;
    auto* apply = new QPushButton(T().Apply, &dlg);
    auto* cancel = new QPushButton(T().Cancel, &dlg);
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(apply, &QPushButton::clicked, &dlg, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &dlg, &QDialog::reject);
    if (RunDialog(dlg) != QDialog::Accepted)
        return;
    add.Value = relay->isChecked() ? (add.Value | 1u) : (add.Value & ~1u);
    add.ErrorTempValue = errorTemp->value();
    add.TempJumpValue = jump->value();
    Changed();
}

void TTSMSBusView::WriteToDevice(int Only) {
    if (!FDevice)
        return;
    const TImageCheck check = CheckSensorImage(*FImage);
    if (!check.Ok()) {
        Message(ImageCheckMessage(check));
        return;
    }
    bool ok;
    {
        bool spare = false;
        TExchangeGuard guard(FBusy ? *FBusy : spare);
        ok = guard.Acquired() && FDevice->WriteImage(*FImage, Only);
    }
    if (!ok) {
        Message(T().ErrorWritingController);
        return;
    }
    FWritten = true;
}

void TTSMSBusView::ToDeviceBtnClick() {
    WriteToDevice(-1);
}

void TTSMSBusView::BusToDeviceBtnClick() {
    int bus = -1, sensor = -1;
    if (Selected(bus, sensor))
        WriteToDevice(bus);
}

void TTSMSBusView::reject() {
    if (FModified && Ask(T().ImageModified)) {
        SaveBtnClick();
        if (FModified)
            return; // not saved: stay, so nothing is lost
    }
    QDialog::reject();
}
