#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TSensorBusDevice;
class TSensorImage;
class TSensorItem;
class TSensorLimitsDlg;

// "Device image": edits a sensor image (buses, their sensors, the processor sensor and the device
// options), opens and saves ".tsi" files and writes an image, or one bus of it, to the device.
class TTSMSBusView : public QDialog {
    Q_OBJECT
public:
    explicit TTSMSBusView(QWidget* Parent = nullptr);
    ~TTSMSBusView() override;

    // The device "Image to device" writes to; none disables it. Busy is the window's exchange flag.
    void SetDevice(TSensorBusDevice* Device, bool* Busy);
    TSensorImage& Image() { return *FImage; }
    QString FileName() const { return FFileName; }
    bool Modified() const { return FModified; }
    // An image or a bus went to the device since SetDevice.
    bool WrittenToDevice() const { return FWritten; }
    // Shows the image's contents again after it was changed from outside.
    void Refresh();
    Q_INVOKABLE void UpdateLanguage();

    // Loads a file; on a refused file the image in hand stays and the message says why.
    bool LoadFile(const QString& Name);
    bool SaveFile(const QString& Name);

    QTreeWidget* Tree = nullptr;
    QPushButton *OpenBtn = nullptr, *SaveBtn = nullptr, *SaveAsBtn = nullptr, *AddBusBtn = nullptr,
                *AddSensorBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *UpBtn = nullptr,
                *DownBtn = nullptr, *CpuBtn = nullptr, *AddPropsBtn = nullptr, *ToDeviceBtn = nullptr,
                *BusToDeviceBtn = nullptr, *CloseBtn = nullptr;

    std::function<void(const QString&)> OnMessage;
    std::function<bool(const QString&)> OnAsk;
    std::function<int(QDialog&)> OnRunDialog;
    std::function<QString(bool Save, const QString& Filter, const QString& Suffix)> OnFileName;

public Q_SLOTS:
    void OpenBtnClick();
    void SaveBtnClick();
    void SaveAsBtnClick();
    void AddBusBtnClick();
    void AddSensorBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void UpBtnClick();
    void DownBtnClick();
    void CpuBtnClick();
    void AddPropsBtnClick();
    void ToDeviceBtnClick();
    void BusToDeviceBtnClick();

protected:
    void reject() override;

private:
    void Changed();
    void UpdateCaption();
    void EnableButtons();
    // The selected bus (from 0) and sensor (-1: the bus itself); false without a selection.
    bool Selected(int& Bus, int& Sensor) const;
    void Select(int Bus, int Sensor);
    void Move(int Delta);
    bool EditSensor(TSensorItem& Item, bool WithSerial);
    bool EditBus(int Bus);
    void WriteToDevice(int Only);
    void Message(const QString& Text);
    bool Ask(const QString& Text);
    int RunDialog(QDialog& Dialog);
    QString AskFileName(bool Save);

    std::unique_ptr<TSensorImage> FImage;
    TSensorBusDevice* FDevice = nullptr;
    bool* FBusy = nullptr;
    QString FFileName;
    bool FModified = false;
    bool FWritten = false;
};
